#include "protocol/messagedecoder.h"

#include "midi/handshake.h"
#include "model/controlcatalogue.h"
#include "model/controlfields.h"
#include "model/controlmessage.h"
#include "model/globalparameters.h"
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
    const QString channel = QStringLiteral("ch %1").arg((status & 0x0F) + 1);
    const int first = byteAt(bytes, 1);
    const int second = byteAt(bytes, 2);
    switch (status & 0xF0) {
    case 0x80:
        return QStringLiteral("Note Off %1, %2, velocity %3").arg(channel, noteName(first)).arg(second);
    case 0x90:
        // Velocity 0 is how most keyboards send a Note Off.
        return QStringLiteral("Note %1 %2, %3, velocity %4")
            .arg(second == 0 ? QStringLiteral("Off") : QStringLiteral("On"), channel, noteName(first))
            .arg(second);
    case 0xA0:
        return QStringLiteral("Poly Pressure %1, %2, %3").arg(channel, noteName(first)).arg(second);
    case 0xB0:
        return QStringLiteral("Control Change %1, CC %2, value %3").arg(channel).arg(first).arg(second);
    case 0xC0:
        return QStringLiteral("Program Change %1, program %2").arg(channel).arg(first);
    case 0xD0:
        return QStringLiteral("Channel Pressure %1, %2").arg(channel).arg(first);
    case 0xE0: {
        const int bend = ((second << 7) | first) - kPitchBendCentre;
        return QStringLiteral("Pitch Bend %1, %2%3").arg(channel, bend > 0 ? QStringLiteral("+") : QString()).arg(bend);
    }
    default:
        return QStringLiteral("System message %1").arg(QString::number(status, 16).toUpper());
    }
}

// "global Channel = 3" or "Cutoff, CC Number = 74"; without a value for a
// request.
QString parameterText(int selector, int number, const int *wireValue, const Settings &context)
{
    Settings record = context;
    const std::uint8_t *const field = parameterField(record, selector, number);
    if (!field)
        return QStringLiteral("unknown parameter %1 of %2").arg(selector).arg(number);
    if (wireValue)
        storeParameterReply(record, selector, number, *wireValue);
    const auto withValue = [wireValue](const QString &label, const QString &value) {
        return wireValue ? label + QStringLiteral(" = ") + value : label;
    };
    for (const GlobalParameter &parameter : kGlobalParameters) {
        if (&(record.*parameter.value) == field) {
            const int value = *field;
            return withValue(QStringLiteral("global ") + QString::fromLatin1(parameter.label),
                             parameter.items.value(value, QString::number(value)));
        }
    }
    const int index = controlOfId(number);
    const Setting &setting = record.controls[index];
    for (const ControlField &control : kControlFields) {
        if (&(setting.*control.value) != field)
            continue;
        const QString text = fieldText(control, index, setting);
        return withValue(MessageDecoder::controlName(index) + QStringLiteral(", ") + QString::fromLatin1(control.label),
                         text.isEmpty() ? QString::number(*field) : text);
    }
    return MessageDecoder::controlName(index);
}

QString exclusiveMessage(const std::string &bytes, bool fromKeyboard, const Settings &context)
{
    if (bytes == kHandshakeRequest)
        return QStringLiteral("handshake request");
    if (bytes == kHandshakeReply)
        return QStringLiteral("handshake reply");
    const bool parameterMessage = bytes.compare(0, kParamHeader.size(), kParamHeader) == 0
        && byteAt(bytes, bytes.size() - 1) == kEndOfExclusive;
    if (parameterMessage && fromKeyboard) {
        int selector = 0;
        int number = 0;
        int value = 0;
        if (parseParameterReply(bytes, &selector, &number, &value))
            return QStringLiteral("reply ") + parameterText(selector, number, &value, context);
    } else if (parameterMessage) {
        const int command = byteAt(bytes, kCommandByte);
        const int slot = byteAt(bytes, kSlotByte);
        const int selector = byteAt(bytes, kSelectorByte);
        const int number = byteAt(bytes, kNumberByte);
        if (command == kRequestCommand && bytes.size() == std::size_t(kRequestLength))
            return QStringLiteral("request %1, memory %2")
                .arg(parameterText(selector, number, nullptr, context), memoryName(slot));
        if (command == kSetCommand && bytes.size() == std::size_t(kSetLength)) {
            const int value = byteAt(bytes, kValueByte);
            return QStringLiteral("set %1, memory %2")
                .arg(parameterText(selector, number, &value, context), memoryName(slot));
        }
    }
    return QStringLiteral("System Exclusive, %1 bytes").arg(bytes.size());
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
        text += QStringLiteral(": upgrade mode handshake");
    return text;
}
