#include "cli/keyboardcommands.h"

#include "cli/portchoice.h"
#include "cli/progressreport.h"
#include "firmware/firmwarefile.h"
#include "firmware/firmwareprotocol.h"
#include "midi/midicontroller.h"
#include "midi/linksearch.h"
#include "model/settings.h"
#include "model/settingsdocument.h"

#include <QDir>

#include <string>

namespace {
const QString kNoKeyboard = QStringLiteral("no keyboard answered");

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
    return QDir::toNativeSeparators(path);
}

void printPorts(QTextStream &out, const QString &kind, const QStringList &names)
{
    if (names.isEmpty())
        out << "no MIDI " << kind << " port\n";
    for (int port = 0; port < names.size(); ++port)
        out << kind << ' ' << port << ": " << names[port] << '\n';
}

// "workArea" is memory 0, the one the keyboard plays from; 1..8 are stored.
bool parseMemory(const QString &text, int *slot)
{
    if (text == QLatin1String("workArea")) {
        *slot = 0;
        return true;
    }
    bool isNumber = false;
    const int number = text.toInt(&isNumber);
    if (!isNumber || number < 1 || number > 8)
        return false;
    *slot = number;
    return true;
}

// The link in the mode asked for: through exactly the pair --ports names,
// or by a search of all pairs, the remembered one first. Null, with the
// failure written, when there is none.
MidiController *linkTo(const Invocation &invocation, bool upgradeMode, const QString &noLink, int *status)
{
    LinkSearch search;
    QString where;
    if (!invocation.ports.isEmpty()) {
        PortPair pair;
        QString error;
        if (!PortChoice::resolve(invocation.ports.at(0), invocation.ports.at(1), &pair, &error)) {
            *status = invocation.fail(error);
            return nullptr;
        }
        search.onlyPair = pair;
        where = QStringLiteral(" (output '%1', input '%2')")
                    .arg(QString::fromStdString(pair.output), QString::fromStdString(pair.input));
    }
    MidiController *link = MidiController::getInstance(upgradeMode, search);
    if (!link)
        *status = invocation.fail(midiSystemNotResponding() ? kMidiSystemNotResponding : noLink + where);
    return link;
}

QString memoryName(int slot)
{
    return slot == 0 ? QStringLiteral("workArea") : QString::number(slot);
}
} // namespace

int KeyboardCommands::ports(const Invocation &invocation)
{
    const QStringList outputs = PortChoice::outputNames();
    const QStringList inputs = PortChoice::inputNames();
    printPorts(invocation.out, QStringLiteral("output"), outputs);
    printPorts(invocation.out, QStringLiteral("input"), inputs);
    if (!invocation.options.isSet(QStringLiteral("find")))
        return kExitSuccess;

    const LinkRelease release;
    invocation.out.flush();
    MidiController *link = MidiController::getInstance(false);
    if (!link)
        return invocation.fail(kNoKeyboard);
    const QString output = QString::fromStdString(link->portPair().output);
    const QString input = QString::fromStdString(link->portPair().input);
    invocation.out << "keyboard: output " << outputs.indexOf(output) << " '" << output << "', input "
                   << inputs.indexOf(input) << " '" << input << "'\n";
    return kExitSuccess;
}

int KeyboardCommands::read(const Invocation &invocation)
{
    const QString path = invocation.arguments.at(0);
    const LinkRelease release;
    int status = kExitFailure;
    MidiController *link = linkTo(invocation, false, kNoKeyboard, &status);
    if (!link)
        return status;

    // Fields without a reply keep their factory values, as in the editor.
    Settings settings;
    const int accepted = settings.recv();
    if (accepted == 0 && midiSystemNotResponding())
        return invocation.fail(kMidiSystemNotResponding);
    if (accepted == 0)
        return invocation.fail(QStringLiteral("Could not recv settings. '%1' sent no replies; %2 was not written.")
                                   .arg(link->deviceName(), nativePath(path)));

    QString error;
    if (!SettingsDocument::save(path, settings, &error))
        return invocation.fail(QStringLiteral("could not write %1: %2").arg(nativePath(path), error));
    invocation.out << "Read " << accepted << " settings from '" << link->deviceName() << "' into "
                   << nativePath(path) << '\n';
    return kExitSuccess;
}

int KeyboardCommands::write(const Invocation &invocation)
{
    const QString path = invocation.arguments.at(0);
    int slot = 0;
    if (invocation.options.isSet(QStringLiteral("memory"))
        && !parseMemory(invocation.options.value(QStringLiteral("memory")), &slot))
        return invocation.usageError(QStringLiteral("--memory takes workArea or 1..8, not '%1'")
                                         .arg(invocation.options.value(QStringLiteral("memory"))));

    Settings settings;
    QString error;
    if (!SettingsDocument::load(path, &settings, &error))
        return invocation.fail(QStringLiteral("%1: %2").arg(nativePath(path), error));

    const LinkRelease release;
    int status = kExitFailure;
    MidiController *link = linkTo(invocation, false, QStringLiteral("Could not connect to midi deivce."), &status);
    if (!link)
        return status;

    MessageCounts counts;
    if (!settings.send(slot, &counts)) {
        if (midiSystemNotResponding())
            return invocation.fail(kMidiSystemNotResponding);
        if (counts.stalled)
            return invocation.fail(QStringLiteral("The port of device '%1' stopped taking messages after %2 of them "
                                                  "went out. The keyboard may hold only part of these settings.")
                                       .arg(link->deviceName())
                                       .arg(counts.messages - counts.refused));
        if (counts.refused > 0)
            return invocation.fail(QStringLiteral("The port of device '%1' refused %2 of %3 messages. "
                                                  "The keyboard may hold only part of these settings.")
                                       .arg(link->deviceName())
                                       .arg(counts.refused)
                                       .arg(counts.messages));
        return invocation.fail(QStringLiteral("Could not connect to midi deivce."));
    }
    invocation.out << "Sent " << counts.messages << " messages to memory " << memoryName(slot) << " of '"
                   << link->deviceName() << "'\n";
    return kExitSuccess;
}

int KeyboardCommands::firmware(const Invocation &invocation)
{
    const QString path = invocation.arguments.at(0);
    // Checked before the keyboard is looked for: nothing is sent for an
    // image the keyboard cannot take.
    std::string image;
    switch (FirmwareFile::read(path, &image)) {
    case FirmwareFile::Status::Ok:
        break;
    case FirmwareFile::Status::TooLarge:
        return invocation.fail(QStringLiteral("Could not upgrade firmware: the file is too large for the keyboard "
                                              "(at most %1 bytes).")
                                   .arg(FirmwareProtocol::kMaxImageSize));
    case FirmwareFile::Status::Unreadable:
        return invocation.fail(QStringLiteral("Could not upgrade firmware: %1 cannot be read.").arg(nativePath(path)));
    case FirmwareFile::Status::Empty:
        return invocation.fail(QStringLiteral("Could not upgrade firmware: %1 is empty.").arg(nativePath(path)));
    }

    const LinkRelease release;
    int status = kExitFailure;
    MidiController *link = linkTo(invocation, true, QStringLiteral("Could not connect to device."), &status);
    if (!link)
        return status;

    ProgressReport progress(invocation.err, invocation.errorIsTerminal);
    progress.report(0);
    const bool upgraded = link->sendFirmware(image, [&progress](int percent) { progress.report(percent); });
    progress.finish();
    if (!upgraded && midiSystemNotResponding())
        return invocation.fail(kMidiSystemNotResponding);
    if (!upgraded)
        return invocation.fail(QStringLiteral("Could not upgrade firmware."));
    invocation.out << "Upgraded the firmware of '" << link->deviceName() << "' with " << image.size()
                   << " bytes from " << nativePath(path) << '\n';
    return kExitSuccess;
}
