#include "protocol/parametermap.h"

#include "model/controlcatalogue.h"
#include "model/settings.h"
#include "protocol/parameterformat.h"
#include "protocol/wirevalues.h"

const std::array<GlobalParameterWire, 6> kGlobalParameterWires = {{
    {kGlobalGroup, kKnobModeNumber, &Settings::knobMode, knobModeToWire},
    {kGlobalGroup, kOctaveNumber, &Settings::octave, octaveToWire},
    {kGlobalGroup, kGlobalChannelNumber, &Settings::globalChannel,
     [](std::uint8_t value) { return globalToWire(value, kMaxGlobalChannel); }},
    {kCurveGroup, kVelocityCurveNumber, &Settings::velocityCurve,
     [](std::uint8_t value) { return globalToWire(value, kMaxCurve); }},
    {kCurveGroup, kPadCurveNumber, &Settings::padCurve, [](std::uint8_t value) { return globalToWire(value, kMaxCurve); }},
    {kCurveGroup, kAccelNumber, &Settings::accel, [](std::uint8_t value) { return globalToWire(value, kMaxAccel); }},
}};

ParameterValue globalParameter(const Settings &settings, int position)
{
    const GlobalParameterWire &wire = kGlobalParameterWires.at(static_cast<std::size_t>(position));
    return {wire.selector, wire.number, wire.toWire(settings.*wire.field)};
}

ParameterList globalParameters(const Settings &settings)
{
    ParameterList parameters;
    for (std::size_t position = 0; position < kGlobalParameterWires.size(); ++position)
        parameters.push_back(globalParameter(settings, static_cast<int>(position)));
    return parameters;
}

ParameterList controlParameters(const Setting &setting, int index, bool request)
{
    ParameterList parameters;
    if (index < 0 || index >= kControlCount)
        return parameters;
    const int id = kControlIds[index];
    const bool hasModes = kindOf(index) != ControlKind::None;
    const auto add = [&](int sub, std::uint8_t wireValue) { parameters.push_back({sub, id, wireValue}); };

    add(kSubValue, controlValueToWire(setting.val));
    if (hasModes)
        add(kSubMode, controlValueToWire(setting.mode));
    add(kSubChannel, channelToWire(setting.channel));
    // Decided on the record in both directions: a read does not ask for a
    // number that the record says the control does not have.
    if (setting.ccNumber != 0)
        add(kSubCcNumber, controlValueToWire(setting.ccNumber));
    add(kSubLsb, controlValueToWire(setting.lsb));
    add(kSubMsb, controlValueToWire(setting.msb));
    if (hasModes && (request || !optionsOfMode(setting.mode).isEmpty()))
        add(kSubModeOption, controlValueToWire(setting.modeOption));
    return parameters;
}

void forEachWrittenParameter(const Settings &settings, const WriteParts &parts,
                             const std::function<bool(const ParameterValue &)> &visit)
{
    for (std::size_t position = 0; position < kGlobalParameterWires.size(); ++position) {
        if (parts.globals.test(position) && !visit(globalParameter(settings, int(position))))
            return;
    }
    for (int index = 0; index < kControlCount; ++index) {
        if (!parts.controls.test(std::size_t(index)))
            continue;
        for (const ParameterValue &parameter : controlParameters(settings.controls[index], index, false)) {
            if (!visit(parameter))
                return;
        }
    }
}

namespace {
bool storeGlobal(Settings &settings, int group, int number, int value)
{
    if (group == kGlobalGroup) {
        switch (number) {
        case kKnobModeNumber: settings.knobMode = knobModeFromWire(value); break;
        case kOctaveNumber: settings.octave = octaveFromWire(value); break;
        case kGlobalChannelNumber: settings.globalChannel = globalFromWire(value, kMaxGlobalChannel); break;
        default: break;
        }
    } else {
        switch (number) {
        case kVelocityCurveNumber: settings.velocityCurve = globalFromWire(value, kMaxCurve); break;
        case kPadCurveNumber: settings.padCurve = globalFromWire(value, kMaxCurve); break;
        case kAccelNumber: settings.accel = globalFromWire(value, kMaxAccel); break;
        default: break;
        }
    }
    // Counted even when the number is none of ours: the keyboard answered.
    return true;
}

bool storeControl(Setting &setting, int sub, int value)
{
    switch (sub) {
    case kSubValue: setting.val = controlValueFromWire(value); return true;
    case kSubMode: setting.mode = controlValueFromWire(value); return true;
    case kSubChannel: setting.channel = channelFromWire(value); return true;
    case kSubCcNumber: setting.ccNumber = controlValueFromWire(value); return true;
    case kSubLsb: setting.lsb = controlValueFromWire(value); return true;
    case kSubMsb: setting.msb = controlValueFromWire(value); return true;
    case kSubModeOption: setting.modeOption = controlValueFromWire(value); return true;
    default: return false;
    }
}
} // namespace

bool storeParameterReply(Settings &settings, int selector, int number, int value)
{
    if (selector == kGlobalGroup || selector == kCurveGroup)
        return storeGlobal(settings, selector, number, value);
    const int index = controlOfId(number);
    if (index < 0)
        return false;
    return storeControl(settings.controls[index], selector, value);
}

std::uint8_t *parameterField(Settings &settings, int selector, int number)
{
    if (selector == kGlobalGroup || selector == kCurveGroup) {
        // The two groups number their parameters apart.
        for (const GlobalParameterWire &wire : kGlobalParameterWires) {
            if (wire.selector == selector && wire.number == number)
                return &(settings.*wire.field);
        }
        return nullptr;
    }
    const int index = controlOfId(number);
    if (index < 0)
        return nullptr;
    Setting &setting = settings.controls[index];
    std::uint8_t Setting::*const subParameters[] = {&Setting::val, &Setting::mode, &Setting::channel, &Setting::ccNumber,
                                                    &Setting::lsb, &Setting::msb, &Setting::modeOption};
    if (selector < kSubValue || selector > kSubModeOption)
        return nullptr;
    return &(setting.*subParameters[selector - kSubValue]);
}

int parameterOffset(int selector, int number)
{
    static Settings probe;
    const std::uint8_t *field = parameterField(probe, selector, number);
    return field ? int(field - reinterpret_cast<const std::uint8_t *>(&probe)) : -1;
}
