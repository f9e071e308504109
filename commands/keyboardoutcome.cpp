#include "commands/keyboardoutcome.h"

#include "firmware/firmwareprotocol.h"

namespace {
// Enough names to find them in the window; the rest are counted.
constexpr int kNamesShown = 6;

QString namesOf(const QStringList &names)
{
    if (names.size() <= kNamesShown)
        return names.join(QStringLiteral(", "));
    //: %1 lists the first settings by name; %n counts the others.
    return KeyboardOutcome::tr("%1 and %n more", nullptr, int(names.size()) - (kNamesShown - 1))
        .arg(names.mid(0, kNamesShown - 1).join(QStringLiteral(", ")));
}
} // namespace

QString outcomeMessage(const KeyboardOutcome &outcome)
{
    using Kind = KeyboardOutcome::Kind;
    switch (outcome.kind) {
    case Kind::Linked:
        return KeyboardOutcome::tr("Successfully connect to device '%1' !").arg(outcome.deviceName);
    case Kind::NoKeyboard:
        return KeyboardOutcome::tr("Could not connect to midi deivce.");
    case Kind::ChosenPairSilent:
        return KeyboardOutcome::tr("The keyboard did not answer on output '%1' with input '%2'.")
            .arg(QString::fromStdString(outcome.pair.output), QString::fromStdString(outcome.pair.input));
    case Kind::ServerNotResponding:
        return KeyboardOutcome::tr("The JACK server does not respond.");
    case Kind::SettingsRead:
        return KeyboardOutcome::tr("Successfully recv %n settings.", nullptr, outcome.count);
    case Kind::NoReplies:
        return KeyboardOutcome::tr("Could not recv settings.");
    case Kind::Sent:
        return KeyboardOutcome::tr("Successfully sent to device '%1' !").arg(outcome.deviceName);
    case Kind::SentUnchecked:
        return KeyboardOutcome::tr("Sent to memory %1 of device '%2'; a memory other than workArea cannot be read "
                                   "back, so the keyboard's copy was not checked.")
            .arg(outcome.count)
            .arg(outcome.deviceName);
    case Kind::NotReceived:
        //: %1 names the settings ("Pad #3 Mode, Cutoff CC Number").
        return outcome.count == 1
                   ? KeyboardOutcome::tr("1 setting did not reach the keyboard: %1.").arg(namesOf(outcome.missing))
                   //: %1 names the settings ("Pad #3 Mode, Cutoff CC Number").
                   : KeyboardOutcome::tr("%n settings did not reach the keyboard: %1.", nullptr, outcome.count)
                         .arg(namesOf(outcome.missing));
    case Kind::Unconfirmed:
        return KeyboardOutcome::tr("Sent to device '%1', but it answered none of the requests for the values just "
                                   "written, so whether they arrived is not known.")
            .arg(outcome.deviceName);
    case Kind::PortRefused:
        return KeyboardOutcome::tr("The port of device '%1' refused %2 of %n messages. "
                                   "The keyboard may hold only part of these settings.",
                                   nullptr, outcome.total)
            .arg(outcome.deviceName, QString::number(outcome.total - outcome.count));
    case Kind::PortStalled:
        return KeyboardOutcome::tr("The port of device '%1' stopped taking messages after %n of them went out. "
                                   "The keyboard may hold only part of these settings.",
                                   nullptr, outcome.count)
            .arg(outcome.deviceName);
    case Kind::FirmwareTooLarge:
        return KeyboardOutcome::tr(
                   "Could not upgrade firmware: the file is too large for the keyboard (at most %1 bytes).")
            .arg(FirmwareProtocol::kMaxImageSize);
    case Kind::FirmwareUnreadable:
    case Kind::FirmwareEmpty:
    case Kind::FirmwareFailed:
        return KeyboardOutcome::tr("Could not upgrade firmware.");
    case Kind::FirmwareOutputShared:
        return KeyboardOutcome::tr(
                   "Could not upgrade firmware: %1 listens to the editor's MIDI output, and PipeWire may change "
                   "the firmware's bytes for the keyboard as well. Disconnect it from the editor, then try again.")
            .arg(outcome.listeners.join(QStringLiteral(", ")));
    case Kind::NoKeyboardInUpgradeMode:
        return KeyboardOutcome::tr("Could not connect to device.");
    case Kind::FirmwareUpgraded:
        return KeyboardOutcome::tr("Successfully upgrade the firmware of device '%1' !").arg(outcome.deviceName);
    }
    return QString();
}

QString outcomeTitle(const KeyboardOutcome &outcome)
{
    //: The title of the box that reports a command to the keyboard.
    return outcome.succeeded() ? KeyboardOutcome::tr("OK")
                               //: The title of the box that reports a command to the keyboard.
                               : KeyboardOutcome::tr("Error");
}
