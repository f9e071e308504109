#include "replyscheduler.h"

ReplyScheduler::ReplyScheduler(Send send)
    : send_(std::move(send)), thread_(&ReplyScheduler::run, this)
{
}

ReplyScheduler::~ReplyScheduler()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        quit_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

void ReplyScheduler::schedule(const std::string &destination, const std::string &bytes, int delayMs)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        replies_.push({Clock::now() + std::chrono::milliseconds(delayMs), nextSequence_++, destination, bytes});
    }
    wake_.notify_all();
}

void ReplyScheduler::waitUntilDueSent()
{
    std::unique_lock<std::mutex> lock(mutex_);
    const Clock::time_point now = Clock::now();
    idle_.wait(lock, [&] { return !sending_ && (replies_.empty() || replies_.top().due > now); });
}

void ReplyScheduler::run()
{
    std::unique_lock<std::mutex> lock(mutex_);
    while (!quit_) {
        if (replies_.empty()) {
            idle_.notify_all();
            wake_.wait(lock);
            continue;
        }
        const Clock::time_point due = replies_.top().due;
        if (Clock::now() < due) {
            idle_.notify_all();
            wake_.wait_until(lock, due);
            continue;
        }
        Reply reply = replies_.top();
        replies_.pop();
        sending_ = true;
        lock.unlock();
        send_(reply.destination, reply.bytes);
        lock.lock();
        sending_ = false;
    }
    idle_.notify_all();
}
