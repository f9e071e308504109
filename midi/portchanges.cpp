#include "midi/portchanges.h"

#include <mutex>

namespace {
std::mutex listenerMutex;
std::function<void()> currentListener;
} // namespace

void PortChanges::setListener(std::function<void()> listener)
{
    std::lock_guard<std::mutex> lock(listenerMutex);
    currentListener = std::move(listener);
}

void PortChanges::notify()
{
    // The listener runs under the lock, so it is never called after it was
    // removed. It must return at once.
    std::lock_guard<std::mutex> lock(listenerMutex);
    if (currentListener)
        currentListener();
}
