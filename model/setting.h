#pragma once

#include <cstdint>
#include <type_traits>

class MidiController;

// Channel value that makes a control follow the keyboard's global channel.
constexpr std::uint8_t kGlobalChannel = 16;

// How many parameter messages were handed to the keyboard's port, and how
// many of them the port refused.
struct MessageCounts
{
    int messages = 0;
    int refused = 0;
    // The port stopped taking messages: one did not go out in time, and
    // nothing after it was tried.
    bool stalled = false;
};

// One control's assignment. The seven bytes, in this order, are part of the
// settings file format, so nothing else may be added to the record.
struct Setting
{
    std::uint8_t channel;    // 0..15 = MIDI channel 1..16, kGlobalChannel = global
    std::uint8_t lsb;        // "Min / LSB"
    std::uint8_t msb;        // "Max / MSB"
    std::uint8_t ccNumber;   // controller or note number, 0 = none
    std::uint8_t val;        // "Value"
    std::uint8_t mode;       // mode number, see kModeNames
    std::uint8_t modeOption; // position in the option list of mode

    // ccNumber is left to setDefaults; a record that never gets it holds 0.
    Setting();

    // The factory mode, mode option, number and value of control `index`;
    // channel, lsb and msb stay as they are.
    void setDefaults(int index);

    // Sends this record, the one of control `index`, over the live link:
    // the requests of its parameters (request = true) or their set messages
    // with its values, addressed to keyboard memory `slot`. A refused
    // message does not stop the others; a port that stalls does.
    MessageCounts transfer(int index, int slot, bool request) const;
    // The same over `link`.
    MessageCounts transfer(MidiController &link, int index, int slot, bool request) const;
};

static_assert(sizeof(Setting) == 7, "a Setting is exactly seven bytes");
static_assert(std::is_standard_layout_v<Setting>, "a Setting is copied as its byte image");
static_assert(std::has_unique_object_representations_v<Setting>, "a Setting has no padding");
