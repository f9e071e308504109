#pragma once

// A copy of one MIDI message to or from the linked keyboard, as the tap
// hands it over: fixed size, so that the MIDI thread never allocates.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

struct TappedMessage
{
    enum class Direction : std::uint8_t { In, Out };

    // Enough for every message of the keyboard's protocol; of a longer one
    // (a foreign System Exclusive dump) the start is kept, and its length.
    static constexpr std::size_t kKeptBytes = 120;

    std::int64_t timeNs = 0; // steady clock
    std::uint32_t length = 0; // of the whole message
    Direction direction = Direction::In;
    // The port refused an outgoing message.
    bool refused = false;
    std::array<char, kKeptBytes> start{};

    // The kept bytes.
    std::string bytes() const { return std::string(start.data(), length < kKeptBytes ? length : kKeptBytes); }
    bool truncated() const { return length > kKeptBytes; }
};
