#pragma once

// The seven fields of one control's assignment by the names the record and
// the settings documents give them, in the order the editor shows them.

#include "model/setting.h"

#include <array>
#include <cstdint>

struct ControlField
{
    const char *field;            // name of the record field, e.g. "ccNumber"
    const char *label;            // the editor's label, e.g. "CC Number"
    std::uint8_t Setting::*value; // the field in a Setting record
};

constexpr int kControlFieldCount = 7;

// "mode" comes before "modeOption": the names of an option depend on the mode.
extern const std::array<ControlField, kControlFieldCount> kControlFields;
