#include "midi/jackcallrunner.h"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace {
std::atomic<int> stuckCalls {0};

struct Task
{
    std::function<void()> call;
    bool done = false;
    // Given up by its caller; counted in stuckCalls until it returns.
    bool abandoned = false;
};
} // namespace

struct JackCallRunner::State
{
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<std::shared_ptr<Task>> tasks;
    // Calls given up by their callers that have not returned yet.
    int stuck = 0;
    bool stopping = false;

    // The worker owns the state with its caller, so it can outlive both the
    // runner and whatever a task destroys.
    static void work(std::shared_ptr<State> state)
    {
        std::unique_lock<std::mutex> lock(state->mutex);
        for (;;) {
            state->changed.wait(lock, [&] { return state->stopping || !state->tasks.empty(); });
            if (state->tasks.empty())
                return;
            const std::shared_ptr<Task> task = state->tasks.front();
            state->tasks.pop_front();
            lock.unlock();
            task->call();
            task->call = nullptr;
            lock.lock();
            task->done = true;
            if (task->abandoned) {
                // The server answered after all.
                --state->stuck;
                stuckCalls.fetch_sub(1);
            }
            state->changed.notify_all();
        }
    }
};

JackCallRunner::JackCallRunner() : state_(std::make_shared<State>())
{
    std::thread(&State::work, state_).detach();
}

JackCallRunner::~JackCallRunner()
{
    std::lock_guard<std::mutex> lock(state_->mutex);
    state_->stopping = true;
    state_->changed.notify_all();
}

bool JackCallRunner::run(std::function<void()> call, std::chrono::milliseconds deadline)
{
    return queue(std::move(call), deadline, Wait::Always);
}

void JackCallRunner::finish(std::function<void()> call)
{
    queue(std::move(call), kDeadline, Wait::UnlessStuck);
}

void JackCallRunner::runStuck(std::function<void()> call)
{
    queue(std::move(call), std::chrono::milliseconds(0), Wait::Never);
}

bool JackCallRunner::queue(std::function<void()> call, std::chrono::milliseconds deadline, Wait wait)
{
    auto task = std::make_shared<Task>();
    task->call = std::move(call);
    std::unique_lock<std::mutex> lock(state_->mutex);
    const bool stuck = state_->stuck > 0;
    if (stuck && wait == Wait::Always)
        return false;
    state_->tasks.push_back(task);
    state_->changed.notify_all();
    if (stuck && wait == Wait::UnlessStuck)
        return false;
    if (wait != Wait::Never && state_->changed.wait_for(lock, deadline, [&] { return task->done; }))
        return true;
    task->abandoned = true;
    ++state_->stuck;
    stuckCalls.fetch_add(1);
    return false;
}

bool JackCallRunner::responsive() const
{
    std::lock_guard<std::mutex> lock(state_->mutex);
    return state_->stuck == 0;
}

bool JackCallRunner::anyCallStuck()
{
    return stuckCalls.load() > 0;
}
