#pragma once

// The keyboard's vocabulary: its 37 assignable controls, their kinds, the
// identifiers that parameter messages carry for them, and the modes each
// kind of control may take. All tables are constant and built before main.

#include <QStringList>

#include <array>
#include <map>
#include <vector>

constexpr int kControlCount = 37;
constexpr int kModeCount = 15;

// The value of a kind indexes kAllowedModes; None has no modes at all.
enum class ControlKind : int {
    None = -1,
    Knob = 0,
    Pad = 1,
    PitchWheel = 2,
    ModWheel = 3,
    SustainPedal = 4,
};
constexpr int kKindCount = 5;

// Indexed by control index 0..36.
extern const std::array<const char *, kControlCount> kControlLabels;
extern const std::array<unsigned char, kControlCount> kControlIds;
extern const std::array<unsigned char, kControlCount> kDefaultNumbers;

// Indexed by mode number 0..14; "NULL" marks numbers that no kind allows.
extern const std::array<const char *, kModeCount> kModeNames;

// Indexed by ControlKind 0..4; every list starts with mode 0 "Off - Disabled".
extern const std::array<std::vector<int>, kKindCount> kAllowedModes;

// Mode number to its option names; modeOption is a position in that list.
extern const std::map<int, QStringList> kModeOptions;

// Any integer is accepted: everything outside the known ranges is None.
ControlKind kindOf(int controlIndex);

// The option names of a mode, or an empty list when the mode has none.
QStringList optionsOfMode(int mode);

// The first control index whose identifier is id, or -1.
int controlOfId(int id);
