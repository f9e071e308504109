#pragma once

// Stops a search or a read that waits for the keyboard. Any thread may
// cancel; the waits for the keyboard's messages wake up at once.

#include <atomic>

class CancelToken
{
public:
    void cancel();
    bool cancelled() const { return cancelled_.load(std::memory_order_acquire); }
    void reset() { cancelled_.store(false, std::memory_order_release); }

private:
    std::atomic<bool> cancelled_{false};
};
