#pragma once

// Where a MIDI system that tells when ports come and go (JACK's port
// registrations, the test backend's plugging) passes the news on. The one
// listener learns only that something changed; it lists the ports itself.
// Systems that tell nothing are listed now and then instead.

#include <functional>

class PortChanges
{
public:
    // Any thread. Replaces the listener; an empty one removes it. Returns
    // once no call of the previous listener is running any more.
    static void setListener(std::function<void()> listener);
    // Any thread, also a MIDI system's own.
    static void notify();
};
