#pragma once

// Runs the JACK calls that wait for the server (opening and closing a
// client, registering and connecting ports) on a thread of its own and
// waits for each at most kDeadline. A server waits for every client before
// it answers, so one stopped client (a debugger, SIGSTOP, a swapped-out
// machine) makes these calls block for as long as it stays stopped; a
// program must not hang with it.
//
// A call that misses its deadline is left running: libjack cannot be
// interrupted. The runner then refuses every further call at once, and
// calls handed to it before run after the stuck one, in order, once the
// server answers again (so a client's close comes after its last call).

#include <chrono>
#include <functional>
#include <memory>

class JackCallRunner
{
public:
    static constexpr std::chrono::milliseconds kDeadline {3000};

    JackCallRunner();
    // Calls still queued or running finish on their own thread.
    ~JackCallRunner();

    JackCallRunner(const JackCallRunner &) = delete;
    JackCallRunner &operator=(const JackCallRunner &) = delete;

    // Runs `call` and waits until it returned or `deadline` passed; false
    // when it missed it (the runner is unresponsive from then on) or the
    // runner was unresponsive already. `call` owns what it uses: it may run
    // after this returned.
    bool run(std::function<void()> call, std::chrono::milliseconds deadline = kDeadline);

    // The same for a call with a result, which is set only on success.
    template <typename Result>
    bool run(std::function<Result()> call, Result &result, std::chrono::milliseconds deadline = kDeadline)
    {
        auto box = std::make_shared<Result>();
        if (!run([call = std::move(call), box] { *box = call(); }, deadline))
            return false;
        result = *box;
        return true;
    }

    // The runner's last call (a client's close): run as run() does, or,
    // on a runner that is unresponsive already, after the stuck call
    // returns, without waiting.
    void finish(std::function<void()> call);

    // Hands `call` over without waiting for it, and marks the runner
    // unresponsive until it returns: for a wait that ends when the server
    // answers again.
    void runStuck(std::function<void()> call);

    bool responsive() const;

    // True while a call of any runner has missed its deadline and not yet
    // returned: the server has not answered since.
    static bool anyCallStuck();

private:
    struct State;
    enum class Wait { Always, UnlessStuck, Never };
    bool queue(std::function<void()> call, std::chrono::milliseconds deadline, Wait wait);

    std::shared_ptr<State> state_;
};
