#pragma once

// Sends a simulated keyboard's replies after their delays, from a thread of
// its own, in the order they fall due (equal times in the order scheduled).
// Used by the in-process test rig and by the simulator program.

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <queue>
#include <string>
#include <thread>
#include <vector>

class ReplyScheduler
{
public:
    // Called on the scheduler's thread with where the reply goes and its bytes.
    using Send = std::function<void(const std::string &destination, const std::string &bytes)>;

    explicit ReplyScheduler(Send send);
    // Replies not yet due are dropped.
    ~ReplyScheduler();

    ReplyScheduler(const ReplyScheduler &) = delete;
    ReplyScheduler &operator=(const ReplyScheduler &) = delete;

    void schedule(const std::string &destination, const std::string &bytes, int delayMs);
    // Blocks until every reply due by now has been sent.
    void waitUntilDueSent();

private:
    using Clock = std::chrono::steady_clock;
    struct Reply
    {
        Clock::time_point due;
        unsigned long sequence;
        std::string destination;
        std::string bytes;
        bool operator>(const Reply &other) const
        {
            return due != other.due ? due > other.due : sequence > other.sequence;
        }
    };

    void run();

    const Send send_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::priority_queue<Reply, std::vector<Reply>, std::greater<Reply>> replies_;
    unsigned long nextSequence_ = 0;
    bool sending_ = false;
    bool quit_ = false;
    std::thread thread_;
};
