#include "commands/keyboardoutcome.h"

#include "firmware/firmwareprotocol.h"

#include <QCoreApplication>

namespace {
QString tr(const char *text)
{
    return QCoreApplication::translate("MainWindow", text);
}
} // namespace

QString outcomeMessage(const KeyboardOutcome &outcome)
{
    using Kind = KeyboardOutcome::Kind;
    switch (outcome.kind) {
    case Kind::Linked:
        return tr("Successfully connect to device '") + outcome.deviceName + QStringLiteral("' !");
    case Kind::NoKeyboard:
        return tr("Could not connect to midi deivce.");
    case Kind::ChosenPairSilent:
        return tr("The keyboard did not answer on output '%1' with input '%2'.")
            .arg(QString::fromStdString(outcome.pair.output), QString::fromStdString(outcome.pair.input));
    case Kind::ServerNotResponding:
        return tr("The JACK server does not respond.");
    case Kind::SettingsRead:
        return tr("Successfully recv %1 settings.").arg(outcome.count);
    case Kind::NoReplies:
        return tr("Could not recv settings.");
    case Kind::Sent:
        return tr("Successfully sent to device '") + outcome.deviceName + QStringLiteral("' !");
    case Kind::PortRefused:
        return tr("The port of device '%1' refused %2 of %3 messages. "
                  "The keyboard may hold only part of these settings.")
            .arg(outcome.deviceName)
            .arg(outcome.total - outcome.count)
            .arg(outcome.total);
    case Kind::PortStalled:
        return tr("The port of device '%1' stopped taking messages after %2 of them went out. "
                  "The keyboard may hold only part of these settings.")
            .arg(outcome.deviceName)
            .arg(outcome.count);
    case Kind::FirmwareTooLarge:
        return tr("Could not upgrade firmware: the file is too large for the keyboard (at most %1 bytes).")
            .arg(FirmwareProtocol::kMaxImageSize);
    case Kind::FirmwareUnreadable:
    case Kind::FirmwareEmpty:
    case Kind::FirmwareFailed:
        return tr("Could not upgrade firmware.");
    case Kind::FirmwareOutputShared:
        return tr("Could not upgrade firmware: %1 listens to the editor's MIDI output, and PipeWire may change "
                  "the firmware's bytes for the keyboard as well. Disconnect it from the editor, then try again.")
            .arg(outcome.listeners.join(QStringLiteral(", ")));
    case Kind::NoKeyboardInUpgradeMode:
        return tr("Could not connect to device.");
    case Kind::FirmwareUpgraded:
        return tr("Successfully upgrade the firmware of device '%1' !").arg(outcome.deviceName);
    }
    return QString();
}

QString outcomeTitle(const KeyboardOutcome &outcome)
{
    return outcome.succeeded() ? tr("OK") : tr("Error");
}
