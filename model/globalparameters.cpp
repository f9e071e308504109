#include "model/globalparameters.h"

namespace {
const QStringList kCurves = {"Linear", "Logarithmic", "Exponential", "Full"};
} // namespace

const std::array<GlobalParameter, kGlobalParameterCount> kGlobalParameters = {{
    {"globalChannel", "Channel",
     {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15", "16"},
     &Settings::globalChannel},
    // Codes 1..4 shift up, 5..8 down (see kOctaveCodes).
    {"octave", "Octave", {"0", "+1", "+2", "+3", "+4", "-1", "-2", "-3", "-4"}, &Settings::octave},
    {"padCurve", "Pad Vel Curve", kCurves, &Settings::padCurve},
    {"accel", "Knob Accel", {"Slow", "Medium", "Fast"}, &Settings::accel},
    {"knobMode", "Knob Mode", {"absolute", "relative"}, &Settings::knobMode},
    {"velocityCurve", "Velocity curve", kCurves, &Settings::velocityCurve},
}};
