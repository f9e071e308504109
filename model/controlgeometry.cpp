#include "model/controlgeometry.h"

#include "model/controlcatalogue.h"

#include <array>

namespace {
constexpr int kFirstPad = 16;
constexpr int kPadBankSize = 8;

// Indexed by control index; the entries of pads 9..16 (24..31) stay empty
// because they share the rectangles of pads 1..8.
const std::array<QRect, kControlCount> kControlRects = {
    // Upper knob row: Volume, Cutoff, Resonance, Chorus, Attack, Decay,
    // Sustain, Release.
    QRect(143, 28, 50, 50), QRect(214, 27, 50, 50), QRect(285, 27, 50, 50), QRect(356, 28, 50, 50),
    QRect(426, 26, 50, 50), QRect(495, 26, 50, 50), QRect(570, 26, 50, 50), QRect(637, 27, 50, 50),
    // Lower knob row: Select, LFO Rate, LFO Amount, Delay, Params 1..4.
    QRect(143, 85, 50, 50), QRect(213, 83, 50, 50), QRect(285, 85, 50, 50), QRect(358, 86, 50, 50),
    QRect(428, 85, 50, 50), QRect(495, 85, 50, 50), QRect(568, 83, 50, 50), QRect(637, 83, 50, 50),
    // Pads 1..8, then the places of pads 9..16.
    QRect(140, 139, 57, 42), QRect(212, 138, 56, 43), QRect(283, 136, 55, 45), QRect(354, 135, 55, 45),
    QRect(424, 135, 55, 44), QRect(493, 136, 56, 43), QRect(565, 137, 55, 42), QRect(635, 137, 54, 42),
    QRect(), QRect(), QRect(), QRect(), QRect(), QRect(), QRect(), QRect(),
    // OCT -, OCT +, the pitch and mod wheels, and the pedal's label plate.
    QRect(48, 152, 32, 30), QRect(91, 152, 32, 30), QRect(35, 204, 42, 131), QRect(83, 204, 44, 131),
    QRect(10, 22, 61, 30),
};

const QRect kPadBank(89, 110, 32, 32);
} // namespace

QRect ControlGeometry::onPicture(int controlIndex)
{
    if (controlIndex < 0 || controlIndex >= kControlCount)
        return QRect();
    if (controlIndex >= kFirstPad + kPadBankSize && controlIndex < kFirstPad + 2 * kPadBankSize)
        controlIndex -= kPadBankSize;
    return kControlRects[std::size_t(controlIndex)];
}

QRect ControlGeometry::padBankOnPicture()
{
    return kPadBank;
}
