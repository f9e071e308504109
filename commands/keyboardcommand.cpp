#include "commands/keyboardcommand.h"

#include "firmware/firmwarefile.h"
#include "midi/midicontroller.h"
#include "model/settings.h"

namespace {
constexpr int kMemoryCount = 8;

KeyboardOutcome outcomeOf(KeyboardOutcome::Kind kind, const MidiController &link, int count = 0, int total = 0)
{
    KeyboardOutcome outcome;
    outcome.kind = kind;
    outcome.deviceName = link.deviceName();
    outcome.count = count;
    outcome.total = total;
    return outcome;
}
} // namespace

KeyboardOutcome KeyboardCommand::find(bool upgradeMode, const LinkSearch &search, MidiController **link)
{
    *link = MidiController::getInstance(upgradeMode, search);
    if (*link)
        return outcomeOf(KeyboardOutcome::Kind::Linked, **link);
    KeyboardOutcome outcome;
    if (midiSystemNotResponding()) {
        outcome.kind = KeyboardOutcome::Kind::ServerNotResponding;
    } else if (search.onlyPair) {
        outcome.kind = KeyboardOutcome::Kind::ChosenPairSilent;
        outcome.pair = *search.onlyPair;
    } else {
        outcome.kind = upgradeMode ? KeyboardOutcome::Kind::NoKeyboardInUpgradeMode : KeyboardOutcome::Kind::NoKeyboard;
    }
    return outcome;
}

KeyboardOutcome KeyboardCommand::read(MidiController &link, Settings &settings, ReadReport *report,
                                      const CancelToken *cancel)
{
    const int accepted = settings.recv(cancel, report);
    if (accepted == 0 && midiSystemNotResponding())
        return outcomeOf(KeyboardOutcome::Kind::ServerNotResponding, link);
    if (accepted == 0)
        return outcomeOf(KeyboardOutcome::Kind::NoReplies, link);
    return outcomeOf(KeyboardOutcome::Kind::SettingsRead, link, accepted, report ? report->requested : accepted);
}

KeyboardOutcome KeyboardCommand::write(MidiController &link, const Settings &settings, int slot, WriteReport *report)
{
    return write(link, settings, slot, WriteParts::all(), report);
}

KeyboardOutcome KeyboardCommand::write(MidiController &link, const Settings &settings, int slot,
                                       const WriteParts &parts, WriteReport *report)
{
    WriteReport written;
    const bool sent = settings.send(link, slot, parts, written);
    if (report)
        *report = written;
    const MessageCounts &counts = written.counts;
    if (sent)
        return outcomeOf(KeyboardOutcome::Kind::Sent, link, counts.messages, counts.messages);
    if (midiSystemNotResponding())
        return outcomeOf(KeyboardOutcome::Kind::ServerNotResponding, link);
    // Nothing more will get through a stalled port.
    if (counts.stalled)
        return outcomeOf(KeyboardOutcome::Kind::PortStalled, link, counts.messages - counts.refused, counts.messages);
    // Messages into a keyboard that left went nowhere.
    if (written.portGone)
        return outcomeOf(KeyboardOutcome::Kind::NoKeyboard, link);
    if (counts.refused > 0)
        return outcomeOf(KeyboardOutcome::Kind::PortRefused, link, counts.messages - counts.refused, counts.messages);
    return outcomeOf(KeyboardOutcome::Kind::NoKeyboard, link);
}

std::optional<KeyboardOutcome> KeyboardCommand::readFirmware(const QString &path, std::string *image)
{
    KeyboardOutcome refusal;
    switch (FirmwareFile::read(path, image)) {
    case FirmwareFile::Status::Ok:
        return std::nullopt;
    case FirmwareFile::Status::TooLarge:
        refusal.kind = KeyboardOutcome::Kind::FirmwareTooLarge;
        break;
    case FirmwareFile::Status::Unreadable:
        refusal.kind = KeyboardOutcome::Kind::FirmwareUnreadable;
        break;
    case FirmwareFile::Status::Empty:
        refusal.kind = KeyboardOutcome::Kind::FirmwareEmpty;
        break;
    }
    return refusal;
}

KeyboardOutcome KeyboardCommand::upgrade(MidiController &link, const std::string &image,
                                         const std::function<void(int)> &progress)
{
    if (link.sendFirmware(image, progress))
        return outcomeOf(KeyboardOutcome::Kind::FirmwareUpgraded, link);
    const std::vector<std::string> listeners = link.outputRewritingListeners();
    if (!listeners.empty()) {
        KeyboardOutcome outcome = outcomeOf(KeyboardOutcome::Kind::FirmwareOutputShared, link);
        for (const std::string &listener : listeners)
            outcome.listeners << QString::fromStdString(listener);
        return outcome;
    }
    return outcomeOf(midiSystemNotResponding() ? KeyboardOutcome::Kind::ServerNotResponding
                                               : KeyboardOutcome::Kind::FirmwareFailed,
                     link);
}

QString KeyboardCommand::memoryName(int slot)
{
    return slot == 0 ? QStringLiteral("workArea") : QString::number(slot);
}

std::optional<int> KeyboardCommand::memorySlot(const QString &name)
{
    for (int slot = 0; slot <= kMemoryCount; ++slot) {
        if (name == memoryName(slot))
            return slot;
    }
    return std::nullopt;
}

LibraryKeyboard KeyboardCommand::libraryKeyboard(const PortPair &pair)
{
    return LibraryKeyboard{QString::fromStdString(pair.output), QString::fromStdString(pair.input)};
}
