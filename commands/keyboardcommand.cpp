#include "commands/keyboardcommand.h"

#include "firmware/firmwarefile.h"
#include "midi/midicontroller.h"
#include "model/controlfields.h"
#include "model/globalparameters.h"
#include "model/settingnames.h"
#include "model/settings.h"
#include "protocol/parameterformat.h"
#include "protocol/writecheck.h"

#include <cstddef>

namespace {
constexpr int kMemoryCount = 8;

// "Pad #3 Mode", "Knob Accel": the setting at `offset` of a record's image.
QString settingName(std::size_t offset)
{
    static const Settings probe;
    const auto *start = reinterpret_cast<const std::uint8_t *>(&probe);
    for (const GlobalParameter &global : kGlobalParameters) {
        if (offset == std::size_t(&(probe.*global.value) - start))
            return SettingNames::shown(QLatin1String(global.label));
    }
    const std::size_t controlsStart = std::size_t(reinterpret_cast<const std::uint8_t *>(probe.controls) - start);
    const std::size_t control = (offset - controlsStart) / sizeof(Setting);
    const Setting &setting = probe.controls[control];
    for (const ControlField &field : kControlFields) {
        if (offset == std::size_t(&(setting.*field.value) - start)) {
            return QStringLiteral("%1 %2").arg(QLatin1String(kControlLabels[control]),
                                               SettingNames::shown(QLatin1String(field.label)));
        }
    }
    return QString();
}

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
                                      const CancelToken *cancel, int paceMs)
{
    ReadReport got;
    const int accepted = settings.recv(link, paceMs, cancel, &got);
    if (report)
        *report = got;
    if (accepted == 0 && midiSystemNotResponding())
        return outcomeOf(KeyboardOutcome::Kind::ServerNotResponding, link);
    if (accepted == 0)
        return outcomeOf(KeyboardOutcome::Kind::NoReplies, link);
    return outcomeOf(KeyboardOutcome::Kind::SettingsRead, link, accepted, got.requested);
}

KeyboardOutcome KeyboardCommand::write(MidiController &link, const Settings &settings, int slot, WriteReport *report,
                                       int paceMs)
{
    return write(link, settings, slot, WriteParts::all(), report, paceMs);
}

namespace {
// Reads back `sets` of memory 0 and sends again what is not there; only
// what came back right stays carried in `report`.
KeyboardOutcome verified(MidiController &link, const std::vector<ParameterValue> &sets, int paceMs,
                         WriteReport &report, const CancelToken *cancel = nullptr)
{
    const WriteCheckResult check = WriteCheck::run(link, sets, paceMs, cancel);
    report.slowedPaceMs = check.slowedPaceMs;
    const std::vector<ParameterValue> &missing = check.unanswered ? sets : check.missing;
    KeyboardOutcome outcome = outcomeOf(KeyboardOutcome::Kind::Sent, link, int(missing.size()), int(sets.size()));
    for (const ParameterValue &parameter : missing) {
        const std::size_t offset = ParameterExchange::fieldOffset(parameter.selector, parameter.number);
        report.unverified.set(offset);
        outcome.missing << settingName(offset);
    }
    report.carried &= ~report.unverified;
    if (check.unanswered) {
        outcome.kind = KeyboardOutcome::Kind::Unconfirmed;
    } else if (!missing.empty()) {
        outcome.kind = check.stalled && midiSystemNotResponding() ? KeyboardOutcome::Kind::ServerNotResponding
                                                                  : KeyboardOutcome::Kind::NotReceived;
    } else {
        outcome.count = report.counts.messages;
        outcome.total = report.counts.messages;
    }
    return outcome;
}
} // namespace

KeyboardOutcome KeyboardCommand::write(MidiController &link, const Settings &settings, int slot,
                                       const WriteParts &parts, WriteReport *report, int paceMs, bool checked)
{
    WriteReport written;
    const bool sent = settings.send(link, slot, parts, written, paceMs);
    const MessageCounts counts = written.counts;
    KeyboardOutcome outcome;
    if (sent && slot != kWorkAreaSlot) {
        outcome = outcomeOf(KeyboardOutcome::Kind::SentUnchecked, link, slot, counts.messages);
    } else if (sent && checked) {
        outcome = verified(link, ParameterExchange::setsOf(settings, parts), paceMs, written);
    } else if (sent) {
        outcome = outcomeOf(KeyboardOutcome::Kind::Sent, link, counts.messages, counts.messages);
    } else if (midiSystemNotResponding()) {
        outcome = outcomeOf(KeyboardOutcome::Kind::ServerNotResponding, link);
    } else if (counts.stalled) {
        // Nothing more will get through a stalled port.
        outcome = outcomeOf(KeyboardOutcome::Kind::PortStalled, link, counts.messages - counts.refused,
                            counts.messages);
    } else if (written.portGone) {
        // Messages into a keyboard that left went nowhere.
        outcome = outcomeOf(KeyboardOutcome::Kind::NoKeyboard, link);
    } else if (counts.refused > 0) {
        outcome = outcomeOf(KeyboardOutcome::Kind::PortRefused, link, counts.messages - counts.refused,
                            counts.messages);
    } else {
        outcome = outcomeOf(KeyboardOutcome::Kind::NoKeyboard, link);
    }
    if (report)
        *report = written;
    return outcome;
}

KeyboardOutcome KeyboardCommand::check(MidiController &link, const Settings &sent, const WriteParts &parts,
                                       int paceMs, WriteReport *report, const CancelToken *cancel)
{
    WriteReport checked;
    const std::vector<ParameterValue> sets = ParameterExchange::setsOf(sent, parts);
    for (const ParameterValue &parameter : sets) {
        const std::size_t offset = ParameterExchange::fieldOffset(parameter.selector, parameter.number);
        checked.tried.set(offset);
        checked.carried.set(offset);
    }
    checked.counts.messages = int(sets.size());
    const KeyboardOutcome outcome = verified(link, sets, paceMs, checked, cancel);
    if (report)
        *report = checked;
    return outcome;
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
    // People type "workarea" or "WorkArea"; 0 is the work area's number.
    for (int slot = 0; slot <= kMemoryCount; ++slot) {
        if (name.compare(memoryName(slot), Qt::CaseInsensitive) == 0 || name == QString::number(slot))
            return slot;
    }
    return std::nullopt;
}

LibraryKeyboard KeyboardCommand::libraryKeyboard(const PortPair &pair)
{
    return LibraryKeyboard{QString::fromStdString(pair.output), QString::fromStdString(pair.input)};
}
