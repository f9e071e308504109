#include "model/controlfields.h"

#include "model/controlcatalogue.h"

#include <algorithm>

const std::array<ControlField, kControlFieldCount> kControlFields = {{
    {"channel", QT_TRANSLATE_NOOP("SettingNames", "Channel"), &Setting::channel},
    {"ccNumber", QT_TRANSLATE_NOOP("SettingNames", "CC Number"), &Setting::ccNumber},
    {"mode", QT_TRANSLATE_NOOP("SettingNames", "Mode"), &Setting::mode},
    {"modeOption", QT_TRANSLATE_NOOP("SettingNames", "Mode Option"), &Setting::modeOption},
    {"lsb", QT_TRANSLATE_NOOP("SettingNames", "Min / LSB"), &Setting::lsb},
    {"msb", QT_TRANSLATE_NOOP("SettingNames", "Max / MSB"), &Setting::msb},
    {"val", QT_TRANSLATE_NOOP("SettingNames", "Value"), &Setting::val},
}};

namespace {
constexpr int kChannelCount = 16;
constexpr int kValueCount = 128;

const std::vector<int> &allowedModesOf(int controlIndex)
{
    static const std::vector<int> none;
    const ControlKind kind = kindOf(controlIndex);
    return kind == ControlKind::None ? none : kAllowedModes[static_cast<std::size_t>(kind)];
}

bool is(const ControlField &field, std::uint8_t Setting::*value)
{
    return field.value == value;
}
} // namespace

const ControlField *controlField(const QString &name)
{
    for (const ControlField &field : kControlFields) {
        if (name == QLatin1String(field.field))
            return &field;
    }
    return nullptr;
}

const QStringList &channelNames()
{
    static const QStringList names = [] {
        QStringList list;
        for (int channel = 1; channel <= kChannelCount; ++channel)
            list << QString::number(channel);
        list << QStringLiteral(QT_TRANSLATE_NOOP("SettingNames", "Global")); // kGlobalChannel
        return list;
    }();
    return names;
}

const QStringList &valueNames()
{
    static const QStringList names = [] {
        QStringList list;
        for (int value = 0; value < kValueCount; ++value)
            list << QString::number(value);
        return list;
    }();
    return names;
}

bool isAllowedMode(int controlIndex, int mode)
{
    const std::vector<int> &allowed = allowedModesOf(controlIndex);
    return std::find(allowed.begin(), allowed.end(), mode) != allowed.end();
}

QStringList fieldValueNames(const ControlField &field, int controlIndex, const Setting &setting)
{
    if (is(field, &Setting::channel))
        return channelNames();
    if (is(field, &Setting::mode)) {
        QStringList names;
        for (int mode = 0; mode < kModeCount; ++mode)
            names << (isAllowedMode(controlIndex, mode) ? QString::fromLatin1(kModeNames[std::size_t(mode)]) : QString());
        return names;
    }
    if (is(field, &Setting::modeOption) && isAllowedMode(controlIndex, setting.mode))
        return optionsOfMode(setting.mode);
    return {};
}

QStringList fieldItems(const ControlField &field, int controlIndex, const Setting &setting)
{
    if (is(field, &Setting::channel))
        return channelNames();
    if (is(field, &Setting::mode)) {
        QStringList items;
        for (int mode : allowedModesOf(controlIndex))
            items << QString::fromLatin1(kModeNames[static_cast<std::size_t>(mode)]);
        return items;
    }
    if (is(field, &Setting::modeOption))
        return kindOf(controlIndex) == ControlKind::None ? QStringList() : optionsOfMode(setting.mode);
    // A number of 0 means the control has none, so there is nothing to edit.
    if (is(field, &Setting::ccNumber) && setting.ccNumber == 0)
        return {};
    return valueNames();
}

bool fieldEnabled(const ControlField &field, int controlIndex, const Setting &setting)
{
    return !fieldItems(field, controlIndex, setting).isEmpty();
}

int fieldPosition(const ControlField &field, int controlIndex, const Setting &setting)
{
    const int value = setting.*field.value;
    int position = value;
    if (is(field, &Setting::mode)) {
        const std::vector<int> &allowed = allowedModesOf(controlIndex);
        const auto found = std::find(allowed.begin(), allowed.end(), value);
        position = found == allowed.end() ? -1 : int(found - allowed.begin());
    }
    return position < fieldItems(field, controlIndex, setting).size() ? position : -1;
}

QString fieldText(const ControlField &field, int controlIndex, const Setting &setting)
{
    const QStringList items = fieldItems(field, controlIndex, setting);
    if (items.isEmpty())
        return QString();
    const int position = fieldPosition(field, controlIndex, setting);
    return position >= 0 ? items[position] : QString::number(setting.*field.value);
}

void storeFieldPosition(const ControlField &field, int controlIndex, Setting &setting, int position)
{
    if (position < 0 || position >= fieldItems(field, controlIndex, setting).size())
        return;
    if (is(field, &Setting::mode)) {
        setting.mode = static_cast<std::uint8_t>(allowedModesOf(controlIndex)[static_cast<std::size_t>(position)]);
        setting.modeOption = 0;
        return;
    }
    setting.*field.value = static_cast<std::uint8_t>(position);
}

bool settleMode(int controlIndex, Setting &setting)
{
    if (kindOf(controlIndex) == ControlKind::None || isAllowedMode(controlIndex, setting.mode))
        return false;
    setting.mode = 0;
    return true;
}
