#pragma once

#include <cstdint>
#include <type_traits>

// Channel value that makes a control follow the keyboard's global channel.
constexpr std::uint8_t kGlobalChannel = 16;

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
};

static_assert(sizeof(Setting) == 7, "a Setting is exactly seven bytes");
static_assert(std::is_standard_layout_v<Setting>, "a Setting is copied as its byte image");
static_assert(std::has_unique_object_representations_v<Setting>, "a Setting has no padding");
