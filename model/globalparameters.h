#pragma once

// The six global settings as the editor shows them: the record field, the
// label beside its field (without the form's colon and padding) and the
// item texts, whose position is the value stored in the record. The editor's
// form holds the same lists; programs without widgets take them from here.

#include "model/settings.h"

#include <QStringList>

#include <array>
#include <cstdint>

struct GlobalParameter
{
    const char *field;             // name of the record field, e.g. "accel"
    const char *label;             // e.g. "Knob Accel"
    QStringList items;             // item texts by stored value
    std::uint8_t Settings::*value; // the field in a Settings record
};

constexpr int kGlobalParameterCount = 6;

// In the order the editor lists them, which is not the order of the record.
extern const std::array<GlobalParameter, kGlobalParameterCount> kGlobalParameters;
