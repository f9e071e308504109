#pragma once

// A tap on the link: copies of every message to and from the keyboard,
// for the MIDI monitor and for following the keyboard. The MIDI thread and
// the senders hand copies over without ever waiting (a bounded lock-free
// queue; when it is full the copy is dropped and counted), and one reader,
// the GUI thread, drains it on a timer. What the protocol's readers get
// through the input queue is not touched.

#include "midi/portservice.h"
#include "midi/tappedmessage.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class MidiTap
{
public:
    // Off by default: then a message costs one atomic load.
    static void setEnabled(bool enabled);
    static bool enabled();

    // Any thread, never blocks.
    static void record(TappedMessage::Direction direction, const char *data, std::size_t length,
                       bool refused = false);
    // A packed short message (status in the low byte), as long as its status says.
    static void recordShort(TappedMessage::Direction direction, DWORD packed, bool refused = false);

    // The reader: appends what was handed over, oldest first, up to `limit` messages.
    static std::size_t drain(std::vector<TappedMessage> &into, std::size_t limit);
    // Copies dropped because the reader lagged a whole queue behind.
    static std::uint64_t dropped();

    static constexpr std::size_t kCapacity = 4096;
};
