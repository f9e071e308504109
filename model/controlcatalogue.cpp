#include "model/controlcatalogue.h"

const std::array<const char *, kControlCount> kControlLabels = {
    "Volume", "Cutoff", "Resonance", "Chorus", "Attack", "Decay", "Sustain", "Release",
    "Select", "LFO Rate", "LFO Amount", "Delay",
    "Params 1", "Params 2", "Params 3", "Params 4",
    "Pad #1", "Pad #2", "Pad #3", "Pad #4", "Pad #5", "Pad #6", "Pad #7", "Pad #8",
    "Pad #9", "Pad #10", "Pad #11", "Pad #12", "Pad #13", "Pad #14", "Pad #15", "Pad #16",
    "OCT -", "OCT +", "Pitch", "Mod",
    "Substain", // the sustain pedal; "Sustain" (index 6) is a knob
};

const std::array<unsigned char, kControlCount> kControlIds = {
    0x30, 0x01, 0x02, 0x09, 0x0B, 0x0C, 0x0D, 0x0E, 0x33, 0x03, 0x04, 0x0A,
    0x05, 0x06, 0x07, 0x08,
    0x70, 0x71, 0x72, 0x73, 0x74, 0x75, 0x76, 0x77,
    0x78, 0x79, 0x7A, 0x7B, 0x7C, 0x7D, 0x7E, 0x7F,
    0x10, 0x11, 0x41, 0x40, 0x50,
};

// Note numbers for pads 1..8 (factory mode "Midi Note"), controller numbers
// elsewhere; 0 = the control has no number.
const std::array<unsigned char, kControlCount> kDefaultNumbers = {
    7, 74, 71, 93, 73, 75, 79, 72, 114, 76, 77, 91,
    18, 19, 16, 17,
    36, 37, 38, 39, 40, 41, 42, 43,
    22, 23, 24, 25, 26, 27, 28, 29,
    0, 0, 0, 1, 64,
};

// Shown in the user's language by the windows (SettingNames); "NULL" marks
// a code the keyboard does not use.
const std::array<const char *, kModeCount> kModeNames = {
    QT_TRANSLATE_NOOP("SettingNames", "Off - Disabled"),
    QT_TRANSLATE_NOOP("SettingNames", "Continuous"),
    "NULL",
    "NULL",
    QT_TRANSLATE_NOOP("SettingNames", "NRPN / RPN"),
    "NULL",
    "NULL",
    QT_TRANSLATE_NOOP("SettingNames", "MMC"),
    QT_TRANSLATE_NOOP("SettingNames", "Switched"),
    QT_TRANSLATE_NOOP("SettingNames", "Midi Note"),
    "NULL",
    QT_TRANSLATE_NOOP("SettingNames", "Patch Chg"),
    QT_TRANSLATE_NOOP("SettingNames", "Pitch Bend"),
    "NULL",
    QT_TRANSLATE_NOOP("SettingNames", "Aftertouch"),
};

const std::array<std::vector<int>, kKindCount> kAllowedModes = {{
    {0, 1, 4},          // Knob
    {0, 7, 8, 9, 11},   // Pad
    {0, 12},            // PitchWheel
    {0, 1, 4, 14},      // ModWheel
    {0, 8, 9},          // SustainPedal
}};

const QStringList kToggleOrGate = {QT_TRANSLATE_NOOP("SettingNames", "toggle"),
                                   QT_TRANSLATE_NOOP("SettingNames", "gate")};
const QStringList kStandardOrHold = {QT_TRANSLATE_NOOP("SettingNames", "standard"),
                                     QT_TRANSLATE_NOOP("SettingNames", "hold")};

const std::map<int, QStringList> kModeOptions = {
    {0, {}},
    {1,
     {QT_TRANSLATE_NOOP("SettingNames", "absolute"), QT_TRANSLATE_NOOP("SettingNames", "relative #1"),
      QT_TRANSLATE_NOOP("SettingNames", "relative #2"), QT_TRANSLATE_NOOP("SettingNames", "relative #3")}},
    {4, {"NRPN", "RPN"}},
    {7, {}},
    {8, kToggleOrGate},
    {9, kToggleOrGate},
    {11, {}},
    {12, kStandardOrHold},
    {14, kStandardOrHold},
};

ControlKind kindOf(int controlIndex)
{
    if (controlIndex >= 0 && controlIndex <= 15)
        return ControlKind::Knob;
    if (controlIndex >= 16 && controlIndex <= 31)
        return ControlKind::Pad;
    switch (controlIndex) {
    case 34: return ControlKind::PitchWheel;
    case 35: return ControlKind::ModWheel;
    case 36: return ControlKind::SustainPedal;
    default: return ControlKind::None;
    }
}

QStringList optionsOfMode(int mode)
{
    const auto found = kModeOptions.find(mode);
    return found == kModeOptions.end() ? QStringList() : found->second;
}

int controlOfId(int id)
{
    for (int index = 0; index < kControlCount; ++index) {
        if (kControlIds[index] == id)
            return index;
    }
    return -1;
}
