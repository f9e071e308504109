#include "cli/keyboardcommands.h"

#include "cli/librarycommands.h"
#include "cli/portchoice.h"
#include "cli/progressreport.h"
#include "cli/terminaltext.h"
#include "commands/keyboardcommand.h"
#include "midi/midicontroller.h"
#include "midi/rememberedpace.h"
#include "midi/rememberedports.h"
#include "midi/portnames.h"
#include "model/controlcatalogue.h"
#include "model/settings.h"
#include "model/settingsdocument.h"
#include "protocol/parameterexchange.h"

#include <QDir>

#include <cstddef>
#include <string>

namespace {
// The link is closed however the command ends, so the ports are free for
// the next program.
struct LinkRelease
{
    LinkRelease() = default;
    LinkRelease(const LinkRelease &) = delete;
    LinkRelease &operator=(const LinkRelease &) = delete;
    ~LinkRelease() { MidiController::releaseInstance(); }
};

QString nativePath(const QString &path)
{
    return TerminalText::escaped(QDir::toNativeSeparators(path));
}

// The listing itself ("output 0: NAME") is what scripts read, so it stays
// as it is in every language.
void printPorts(QTextStream &out, const QString &kind, const QString &none, const QStringList &names)
{
    if (names.isEmpty())
        out << none << '\n';
    for (int port = 0; port < names.size(); ++port)
        out << kind << ' ' << port << ": " << TerminalText::escaped(names[port]) << '\n';
}

// The controls whose number of 0 (none) the write left out although they
// come with one: the keyboard keeps the number it had.
QStringList numbersLeftOut(const Settings &settings, const WriteReport &report)
{
    const Settings factory;
    QStringList controls;
    for (int index = 0; index < kControlCount; ++index) {
        const std::size_t offset = offsetof(Settings, controls) + std::size_t(index) * sizeof(Setting)
                                   + offsetof(Setting, ccNumber);
        if (!report.tried.test(offset) && settings.controls[index].ccNumber == 0
            && factory.controls[index].ccNumber != 0)
            controls << QLatin1String(kControlLabels[std::size_t(index)]);
    }
    return controls;
}

int fail(const Invocation &invocation, const KeyboardOutcome &outcome)
{
    return invocation.fail(outcomeMessage(outcome));
}

// The link in the mode asked for: through exactly the pair --ports names,
// or by a search of all ports, the remembered pair first (with
// `everyKeyboard`, the round alone, which finds every keyboard). Null, with
// the failure written, when there is none.
MidiController *linkTo(const Invocation &invocation, bool upgradeMode, int *status, bool everyKeyboard = false)
{
    LinkSearch search;
    search.preferred = RememberedPorts::preferred();
    search.everyKeyboard = everyKeyboard;
    if (!invocation.ports.isEmpty()) {
        PortPair pair;
        QString error;
        if (!PortChoice::resolve(invocation.ports.at(0), invocation.ports.at(1), &pair, &error)) {
            *status = invocation.fail(error);
            return nullptr;
        }
        search.onlyPair = pair;
    }
    MidiController *link = nullptr;
    const KeyboardOutcome outcome = KeyboardCommand::find(upgradeMode, search, &link);
    if (!link) {
        *status = fail(invocation, outcome);
        return nullptr;
    }
    RememberedPorts::setLastLinked(link->portPair());
    return link;
}

void printSent(const Invocation &invocation, const KeyboardOutcome &outcome, int slot)
{
    // A memory that cannot be read back is said to be unchecked.
    if (outcome.kind == KeyboardOutcome::Kind::SentUnchecked)
        invocation.out << TerminalText::escaped(outcomeMessage(outcome)) << '\n';
    else
        invocation.out << KeyboardCommands::tr("Sent %n messages to memory %1 of '%2'", nullptr, outcome.total)
                              .arg(KeyboardCommand::memoryName(slot), TerminalText::escaped(outcome.deviceName))
                       << '\n';
    invocation.out.flush();
}

// The pace --pace asks for, or 0; false (with the usage error written
// into `status`) for one that is not a number of milliseconds.
bool chosenPace(const Invocation &invocation, int *pace, int *status)
{
    *pace = 0;
    const QString paceOption = QStringLiteral("pace");
    if (!invocation.options.isSet(paceOption))
        return true;
    const QString given = invocation.options.value(paceOption);
    bool number = false;
    *pace = given.toInt(&number);
    if (number && *pace >= 0 && *pace <= ParameterExchange::kMaxPaceMs)
        return true;
    *status = invocation.usageError(
        KeyboardCommands::tr("--pace takes a number of milliseconds from 0 to %1, not '%2'")
            .arg(ParameterExchange::kMaxPaceMs)
            .arg(given));
    return false;
}

// A firmware file refused before sending, with the file's name.
QString firmwareRefusal(const KeyboardOutcome &refusal, const QString &path)
{
    switch (refusal.kind) {
    case KeyboardOutcome::Kind::FirmwareEmpty:
        return KeyboardCommands::tr("Could not upgrade firmware: %1 is empty.").arg(nativePath(path));
    case KeyboardOutcome::Kind::FirmwareUnreadable:
        return KeyboardCommands::tr("Could not upgrade firmware: %1 cannot be read.").arg(nativePath(path));
    default:
        return outcomeMessage(refusal);
    }
}
} // namespace

int KeyboardCommands::ports(const Invocation &invocation)
{
    const QStringList outputs = PortChoice::outputNames();
    const QStringList inputs = PortChoice::inputNames();
    printPorts(invocation.out, QStringLiteral("output"), tr("no MIDI output port"), outputs);
    printPorts(invocation.out, QStringLiteral("input"), tr("no MIDI input port"), inputs);
    if (outputs.isEmpty() && inputs.isEmpty()) {
        // Empty listings alone do not tell a missing MIDI system from a
        // keyboard that is not plugged in.
        invocation.out.flush();
        const QString reasons = PortNames::whyNone();
        return invocation.fail(reasons.isEmpty() ? tr("no MIDI port found")
                                                 //: %1 says why, in the MIDI system's words.
                                                 : tr("no MIDI port found: %1").arg(reasons));
    }
    if (!invocation.options.isSet(QStringLiteral("find")))
        return kExitSuccess;

    const LinkRelease release;
    invocation.out.flush();
    int status = kExitFailure;
    MidiController *link = linkTo(invocation, false, &status, true);
    if (!link)
        return status;
    for (const PortPair &keyboard : link->foundKeyboards()) {
        const QString output = QString::fromStdString(keyboard.output);
        const QString input = QString::fromStdString(keyboard.input);
        invocation.out << "keyboard: output " << outputs.indexOf(output) << " '" << TerminalText::escaped(output) << "', input "
                       << inputs.indexOf(input) << " '" << TerminalText::escaped(input) << "'\n";
    }
    return kExitSuccess;
}

int KeyboardCommands::read(const Invocation &invocation)
{
    const QString path = invocation.arguments.at(0);
    int status = kExitFailure;
    int pace = 0;
    if (!chosenPace(invocation, &pace, &status))
        return status;
    const LinkRelease release;
    MidiController *link = linkTo(invocation, false, &status);
    if (!link)
        return status;

    Settings settings;
    ReadReport report;
    const KeyboardOutcome outcome = KeyboardCommand::read(*link, settings, &report, nullptr,
                                                          RememberedPace::effective(link->portPair(), pace));
    RememberedPace::learn(link->portPair(), report.slowedPaceMs);
    if (outcome.kind == KeyboardOutcome::Kind::NoReplies)
        return invocation.fail(
            outcomeMessage(outcome) + QLatin1Char(' ')
            + tr("'%1' sent no replies; %2 was not written.").arg(TerminalText::escaped(link->deviceName()), nativePath(path)));
    if (!outcome.succeeded())
        return fail(invocation, outcome);
    // A backup with settings the keyboard never sent would pass factory
    // values for the keyboard's own.
    if (!report.unanswered.empty())
        return invocation.fail(tr("Read only %1 of %n settings; %2 was not written.", nullptr, report.requested)
                                   .arg(report.requested - int(report.unanswered.size()))
                                   .arg(nativePath(path)));

    QString error;
    if (!SettingsDocument::save(path, settings, &error))
        return invocation.failWriting(path, error);
    invocation.out << tr("Read %n settings from '%1' into %2", nullptr, outcome.count)
                          .arg(TerminalText::escaped(link->deviceName()), nativePath(path))
                   << '\n';
    LibraryCommands::record(invocation, LibraryEvent::Kind::Read, settings, path);
    return kExitSuccess;
}

bool KeyboardCommands::memoryOption(const Invocation &invocation, int *slot, int *status)
{
    *slot = 0;
    if (!invocation.options.isSet(QStringLiteral("memory")))
        return true;
    const QString memory = invocation.options.value(QStringLiteral("memory"));
    const std::optional<int> chosen = KeyboardCommand::memorySlot(memory);
    if (!chosen) {
        *status = invocation.usageError(tr("--memory takes workArea or 1..8, not '%1'").arg(memory));
        return false;
    }
    *slot = *chosen;
    return true;
}

int KeyboardCommands::write(const Invocation &invocation)
{
    const QString path = invocation.arguments.at(0);
    int slot = 0;
    int status = kExitFailure;
    if (!memoryOption(invocation, &slot, &status))
        return status;

    if (invocation.options.isSet(QStringLiteral("all")) && !invocation.ports.isEmpty())
        return invocation.usageError(tr("write takes --all or --ports, not both"));
    int pace = 0;
    if (!chosenPace(invocation, &pace, &status))
        return status;

    Settings settings;
    QString error;
    QString note;
    if (!SettingsDocument::load(path, &settings, &error, &note))
        return invocation.fail(QStringLiteral("%1: %2").arg(nativePath(path), error));
    invocation.note(note);

    const LinkRelease release;
    const bool all = invocation.options.isSet(QStringLiteral("all"));
    MidiController *link = linkTo(invocation, false, &status, all);
    if (!link)
        return status;
    // One keyboard's write, said and remembered.
    const auto writeTo = [&](MidiController &keyboard) {
        WriteReport report;
        const KeyboardOutcome outcome = KeyboardCommand::write(keyboard, settings, slot, &report,
                                                               RememberedPace::effective(keyboard.portPair(), pace));
        RememberedPace::learn(keyboard.portPair(), report.slowedPaceMs);
        if (!outcome.succeeded())
            return outcome;
        printSent(invocation, outcome, slot);
        // Every message went out; a number of 0 is not one the messages carry.
        const QStringList leftOut = numbersLeftOut(settings, report);
        if (!leftOut.isEmpty()) {
            //: %1 lists the controls by their names.
            invocation.err << "telvir: "
                           << KeyboardCommands::tr("not sent: a CC Number / Note of 0 is never written, so the "
                                                   "keyboard keeps its own for %1")
                                  .arg(leftOut.join(QStringLiteral(", ")))
                           << '\n';
        }
        // Only a write of which every message went out (and, into memory 0,
        // came back right) is known to be there.
        LibraryCommands::record(invocation, LibraryEvent::Kind::Write, settings, path, slot,
                                KeyboardCommand::libraryKeyboard(keyboard.portPair()));
        return outcome;
    };
    if (!all) {
        const KeyboardOutcome outcome = writeTo(*link);
        return outcome.succeeded() ? kExitSuccess : fail(invocation, outcome);
    }

    // One keyboard after the other, each through a link of its own.
    const std::vector<PortPair> keyboards = link->foundKeyboards();
    status = kExitSuccess;
    for (const PortPair &keyboard : keyboards) {
        if (link && link->portPair() != keyboard) {
            MidiController::releaseInstance();
            link = nullptr;
        }
        KeyboardOutcome outcome;
        if (!link) {
            LinkSearch only;
            only.onlyPair = keyboard;
            outcome = KeyboardCommand::find(false, only, &link);
        }
        if (link)
            outcome = writeTo(*link);
        if (!outcome.succeeded()) {
            //: %3 is the message of what went wrong.
            status = invocation.fail(tr("keyboard on output '%1', input '%2': %3")
                                         .arg(TerminalText::escaped(QString::fromStdString(keyboard.output)),
                                              TerminalText::escaped(QString::fromStdString(keyboard.input)),
                                              outcomeMessage(outcome)));
            // A keyboard that went away takes its link with it.
            MidiController::releaseInstance();
            link = nullptr;
        }
    }
    return status;
}

int KeyboardCommands::firmware(const Invocation &invocation)
{
    const QString path = invocation.arguments.at(0);
    // Checked before the keyboard is looked for: nothing is sent for an
    // image the keyboard cannot take.
    std::string image;
    if (const std::optional<KeyboardOutcome> refusal = KeyboardCommand::readFirmware(path, &image))
        return invocation.fail(firmwareRefusal(*refusal, path));

    const LinkRelease release;
    int status = kExitFailure;
    MidiController *link = linkTo(invocation, true, &status);
    if (!link)
        return status;

    ProgressReport progress(invocation.err, invocation.errorIsTerminal);
    progress.report(0);
    const KeyboardOutcome outcome =
        KeyboardCommand::upgrade(*link, image, [&progress](int percent) { progress.report(percent); });
    progress.finish();
    if (!outcome.succeeded())
        return fail(invocation, outcome);
    invocation.out << tr("Upgraded the firmware of '%1' with %n bytes from %2", nullptr, int(image.size()))
                          .arg(TerminalText::escaped(link->deviceName()), nativePath(path))
                   << '\n';
    return kExitSuccess;
}
