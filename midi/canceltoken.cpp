#include "midi/canceltoken.h"

#include "midi/midicontroller.h"

void CancelToken::cancel()
{
    {
        // Under the queue's lock, so that a waiter that has just found the
        // flag clear cannot miss the wake-up.
        std::lock_guard<std::mutex> lock(queueMutex);
        cancelled_.store(true, std::memory_order_release);
    }
    queueChanged.notify_all();
}
