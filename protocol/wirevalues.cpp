#include "protocol/wirevalues.h"

#include "model/setting.h"
#include "model/settings.h"
#include "protocol/parameterformat.h"

#include <algorithm>

namespace {
// A record field holds one unsigned byte; whatever a formula gives is
// narrowed to it before the range test, so negative results end as 0 too.
std::uint8_t narrowed(int value)
{
    return static_cast<std::uint8_t>(value);
}

std::uint8_t zeroAbove(std::uint8_t value, std::uint8_t maximum)
{
    return value > maximum ? 0 : value;
}
} // namespace

std::uint8_t toDataByte(int value)
{
    return narrowed(std::clamp(value, 0, kMaxDataByte));
}

std::uint8_t knobModeToWire(std::uint8_t knobMode)
{
    // Absolute is the bottom of the range, relative the top.
    return narrowed(zeroAbove(knobMode, kMaxKnobMode) * 126 + 1);
}

std::uint8_t octaveToWire(std::uint8_t octave)
{
    return kOctaveCodes[zeroAbove(octave, kMaxOctave)];
}

std::uint8_t globalToWire(std::uint8_t value, std::uint8_t maximum)
{
    return toDataByte(zeroAbove(value, maximum));
}

std::uint8_t channelToWire(std::uint8_t channel)
{
    return channel == kGlobalChannel ? narrowed(kWireChannelFollowsGlobal) : controlValueToWire(channel);
}

std::uint8_t controlValueToWire(std::uint8_t value)
{
    return toDataByte(value);
}

std::uint8_t knobModeFromWire(int wire)
{
    return zeroAbove(narrowed((wire - 1) / 126), kMaxKnobMode);
}

std::uint8_t octaveFromWire(int wire)
{
    // Sign and magnitude: bit 6 marks a downward shift, which the codes
    // 5..8 stand for.
    return zeroAbove(narrowed((wire & 0x0F) + 4 * (wire / 64)), kMaxOctave);
}

std::uint8_t globalFromWire(int wire, std::uint8_t maximum)
{
    return zeroAbove(narrowed(wire), maximum);
}

std::uint8_t channelFromWire(int wire)
{
    return wire == kWireChannelFollowsGlobal ? kGlobalChannel : narrowed(wire);
}

std::uint8_t controlValueFromWire(int wire)
{
    return narrowed(wire);
}
