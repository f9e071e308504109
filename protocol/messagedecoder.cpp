#include "protocol/messagedecoder.h"

#include "midi/handshake.h"
#include "model/controlcatalogue.h"
#include "model/controlfields.h"
#include "model/controlmessage.h"
#include "model/globalparameters.h"
#include "model/settingnames.h"
#include "model/settings.h"
#include "protocol/parameterformat.h"
#include "protocol/parametermap.h"
#include "protocol/parametermessage.h"

#include <QStringList>

namespace {
constexpr int kFirstPadIndex = 16;
constexpr int kPadsPerBank = 8;
constexpr int kPitchBendCentre = 8192;

int byteAt(const std::string &bytes, std::size_t index)
{
    return index < bytes.size() ? static_cast<unsigned char>(bytes[index]) : 0;
}

std::string packedBytes(DWORD packed)
{
    return {char(packed & 0xFF), char((packed >> 8) & 0xFF), char((packed >> 16) & 0xFF)};
}

QString memoryName(int slot)
{
    return slot == kWorkAreaSlot ? QStringLiteral("workArea") : QString::number(slot);
}

QString channelMessage(const std::string &bytes)
{
    const int status = byteAt(bytes, 0);
    //: A MIDI channel, as the monitor shows it in its messages.
    const QString channel = MessageDecoder::tr("ch %1").arg((status & 0x0F) + 1);
    const int first = byteAt(bytes, 1);
    const int second = byteAt(bytes, 2);
    const QString firstText = QString::number(first);
    const QString secondText = QString::number(second);
    switch (status & 0xF0) {
    case 0x80:
        //: %1 is the channel, %2 the note's name.
        return MessageDecoder::tr("Note Off %1, %2, velocity %3").arg(channel, noteName(first), secondText);
    case 0x90:
        // Velocity 0 is how most keyboards send a Note Off.
        if (second == 0)
            return MessageDecoder::tr("Note Off %1, %2, velocity %3").arg(channel, noteName(first), secondText);
        return MessageDecoder::tr("Note On %1, %2, velocity %3").arg(channel, noteName(first), secondText);
    case 0xA0:
        return MessageDecoder::tr("Poly Pressure %1, %2, %3").arg(channel, noteName(first), secondText);
    case 0xB0:
        return MessageDecoder::tr("Control Change %1, CC %2, value %3").arg(channel, firstText, secondText);
    case 0xC0:
        return MessageDecoder::tr("Program Change %1, program %2").arg(channel, firstText);
    case 0xD0:
        return MessageDecoder::tr("Channel Pressure %1, %2").arg(channel, firstText);
    case 0xE0: {
        const int bend = ((second << 7) | first) - kPitchBendCentre;
        const QString amount = (bend > 0 ? QStringLiteral("+") : QString()) + QString::number(bend);
        return MessageDecoder::tr("Pitch Bend %1, %2").arg(channel, amount);
    }
    default:
        //: %1 is the status byte in hexadecimal.
        return MessageDecoder::tr("System message %1").arg(QString::number(status, 16).toUpper());
    }
}

// "global Channel = 3" or "Cutoff, CC Number = 74"; without a value for a
// request.
QString parameterText(int selector, int number, const int *wireValue, const Settings &context)
{
    Settings record = context;
    const std::uint8_t *const field = parameterField(record, selector, number);
    if (!field)
        return MessageDecoder::tr("unknown parameter %1 of %2").arg(selector).arg(number);
    if (wireValue)
        storeParameterReply(record, selector, number, *wireValue);
    for (const GlobalParameter &parameter : kGlobalParameters) {
        if (&(record.*parameter.value) == field) {
            const int value = *field;
            const QString label = SettingNames::shown(QString::fromLatin1(parameter.label));
            //: A global parameter of the keyboard, and the value it is given.
            if (!wireValue)
                return MessageDecoder::tr("global %1").arg(label);
            const QString shownValue = SettingNames::shown(parameter.items.value(value, QString::number(value)));
            return MessageDecoder::tr("global %1 = %2").arg(label, shownValue);
        }
    }
    const int index = controlOfId(number);
    const Setting &setting = record.controls[index];
    for (const ControlField &control : kControlFields) {
        if (&(setting.*control.value) != field)
            continue;
        const QString text = fieldText(control, index, setting);
        const QString name = MessageDecoder::controlName(index);
        const QString label = SettingNames::shown(QString::fromLatin1(control.label));
        //: %1 is a control, %2 one of its fields, %3 the value it is given.
        return wireValue ? MessageDecoder::tr("%1, %2 = %3")
                               .arg(name, label, text.isEmpty() ? QString::number(*field) : SettingNames::shown(text))
                         : MessageDecoder::tr("%1, %2").arg(name, label);
    }
    return MessageDecoder::controlName(index);
}

QString exclusiveMessage(const std::string &bytes, bool fromKeyboard, const Settings &context)
{
    if (bytes == kHandshakeRequest)
        return MessageDecoder::tr("handshake request");
    if (bytes == kHandshakeReply)
        return MessageDecoder::tr("handshake reply");
    const bool parameterMessage = bytes.compare(0, kParamHeader.size(), kParamHeader) == 0
        && byteAt(bytes, bytes.size() - 1) == kEndOfExclusive;
    if (parameterMessage && fromKeyboard) {
        int selector = 0;
        int number = 0;
        int value = 0;
        if (parseParameterReply(bytes, &selector, &number, &value))
            //: The keyboard's answer; %1 says which parameter and its value.
            return MessageDecoder::tr("reply %1").arg(parameterText(selector, number, &value, context));
    } else if (parameterMessage) {
        const int command = byteAt(bytes, kCommandByte);
        const int slot = byteAt(bytes, kSlotByte);
        const int selector = byteAt(bytes, kSelectorByte);
        const int number = byteAt(bytes, kNumberByte);
        if (command == kRequestCommand && bytes.size() == std::size_t(kRequestLength))
            //: A question to the keyboard; %1 says which parameter, %2 which memory.
            return MessageDecoder::tr("request %1, memory %2")
                .arg(parameterText(selector, number, nullptr, context), memoryName(slot));
        if (command == kSetCommand && bytes.size() == std::size_t(kSetLength)) {
            const int value = byteAt(bytes, kValueByte);
            return MessageDecoder::tr("set %1, memory %2")
                .arg(parameterText(selector, number, &value, context), memoryName(slot));
        }
    }
    return MessageDecoder::tr("System Exclusive, %n bytes", nullptr, int(bytes.size()));
}
} // namespace

QString MessageDecoder::controlName(int controlIndex)
{
    if (controlIndex < 0 || controlIndex >= kControlCount)
        return QString();
    if (controlIndex >= kFirstPadIndex && controlIndex < kFirstPadIndex + 2 * kPadsPerBank) {
        const int low = kFirstPadIndex + (controlIndex - kFirstPadIndex) % kPadsPerBank;
        return QString::fromLatin1(kControlLabels[std::size_t(low)]) + QStringLiteral(" / ")
            + QString::fromLatin1(kControlLabels[std::size_t(low + kPadsPerBank)]);
    }
    return QString::fromLatin1(kControlLabels[std::size_t(controlIndex)]);
}

QString MessageDecoder::describe(const std::string &bytes, bool fromKeyboard, const Settings &context)
{
    if (bytes.empty())
        return QString();
    if (static_cast<unsigned char>(bytes[0]) == 0xF0)
        return exclusiveMessage(bytes, fromKeyboard, context);
    QString text = channelMessage(bytes);
    // 9A 01 02 is both the probe's first half and the keyboard's answer.
    if (bytes == kUpgradeHandshakeReply || bytes == packedBytes(kUpgradeProbeSecond))
        //: %1 is the channel message the keyboard's firmware upgrade mode answers with.
        text = tr("%1: upgrade mode handshake").arg(text);
    return text;
}
