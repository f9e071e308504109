#include "model/globalparameters.h"

namespace {
// Names and choices are shown in the user's language by the windows
// (SettingNames).
const QStringList kCurves = {
    QT_TRANSLATE_NOOP("SettingNames", "Linear"),
    QT_TRANSLATE_NOOP("SettingNames", "Logarithmic"),
    QT_TRANSLATE_NOOP("SettingNames", "Exponential"),
    QT_TRANSLATE_NOOP("SettingNames", "Full"),
};
} // namespace

const std::array<GlobalParameter, kGlobalParameterCount> kGlobalParameters = {{
    {"globalChannel", QT_TRANSLATE_NOOP("SettingNames", "Channel"),
     {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15", "16"},
     &Settings::globalChannel},
    // Codes 1..4 shift up, 5..8 down (see kOctaveCodes).
    {"octave", QT_TRANSLATE_NOOP("SettingNames", "Octave"), {"0", "+1", "+2", "+3", "+4", "-1", "-2", "-3", "-4"},
     &Settings::octave},
    {"padCurve", QT_TRANSLATE_NOOP("SettingNames", "Pad Vel Curve"), kCurves, &Settings::padCurve},
    {"accel", QT_TRANSLATE_NOOP("SettingNames", "Knob Accel"),
     {QT_TRANSLATE_NOOP("SettingNames", "Slow"), QT_TRANSLATE_NOOP("SettingNames", "Medium"),
      QT_TRANSLATE_NOOP("SettingNames", "Fast")},
     &Settings::accel},
    {"knobMode", QT_TRANSLATE_NOOP("SettingNames", "Knob Mode"),
     {QT_TRANSLATE_NOOP("SettingNames", "absolute"), QT_TRANSLATE_NOOP("SettingNames", "relative")},
     &Settings::knobMode},
    {"velocityCurve", QT_TRANSLATE_NOOP("SettingNames", "Velocity curve"), kCurves, &Settings::velocityCurve},
}};
