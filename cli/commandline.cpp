#include "cli/commandline.h"

#include "cli/invocation.h"
#include "cli/keyboardcommands.h"
#include "cli/librarycommands.h"
#include "cli/overviewcommands.h"
#include "cli/settingscommands.h"

#include <QCommandLineParser>
#include <QLoggingCategory>
#include <QRegularExpression>

namespace {
const QString kHelp = QStringLiteral("help");
const QString kVersion = QStringLiteral("version");
const QString kVerbose = QStringLiteral("verbose");
const QString kPorts = QStringLiteral("ports");
const QString kPortsSwitch = QStringLiteral("--ports");

// Diagnostics are off unless asked for: a script sees only what the
// command prints.
const char kQuietRules[] = "*.debug=false";
const char kVerboseRules[] = "*.debug=false\ntelvir.*.debug=true\ndefault.debug=true";

constexpr int kSynopsisWidth = 38;
} // namespace

CommandLine::CommandLine(QTextStream &out, QTextStream &err, bool errorIsTerminal)
    : out_(out),
      err_(err),
      errorIsTerminal_(errorIsTerminal),
      globalOptions_{
          {{"h", kHelp}, tr("Show this help, or a command's with COMMAND --help.")},
          {kVersion, tr("Show the program's version.")},
          {kVerbose, tr("Write the debug log (MIDI traffic) to stderr.")},
      },
      commandOptions_{
          {QStringLiteral("find"), tr("Also search the ports and print every keyboard found.")},
          {QStringLiteral("all"), tr("Write to every keyboard found, one line for each.")},
          {QStringLiteral("memory"), tr("Keyboard memory to write: workArea (the default) or 1..8."),
           QStringLiteral("workArea|1..8")},
          {QStringLiteral("json"), tr("Print a JSON document instead of the table.")},
          {QStringLiteral("pace"),
           tr("Pause this many milliseconds between messages, for a keyboard slower than its port "
              "(default 0, or the pace that worked last time on these ports)."),
           QStringLiteral("MS")},
          {QStringLiteral("keyboard"),
           tr("The keyboard whose memories are meant, by a port name; \"\" for a keyboard not named."),
           QStringLiteral("NAME")},
          // Two values, which QCommandLineParser cannot take: run() takes
          // them out first. Listed here for the help and the checks.
          {kPorts, tr("Use exactly this output and input port, by name or number."),
           QStringLiteral("OUT IN")},
      },
      commands_{
          {QStringLiteral("ports"), {}, {QStringLiteral("find")},
           tr("List the MIDI output and input ports with their numbers."), &KeyboardCommands::ports},
          {QStringLiteral("read"), {QStringLiteral("FILE")}, {QStringLiteral("pace"), kPorts},
           tr("Read the keyboard's settings into FILE (.telvir, or .json)."), &KeyboardCommands::read},
          {QStringLiteral("write"), {QStringLiteral("FILE")}, {QStringLiteral("memory"), QStringLiteral("all"), QStringLiteral("pace"), kPorts},
           tr("Send the settings in FILE to a memory of the keyboard."), &KeyboardCommands::write},
          {QStringLiteral("firmware"), {QStringLiteral("FILE")}, {kPorts},
           tr("Update the firmware of a keyboard in its upgrade mode."),
           &KeyboardCommands::firmware},
          {QStringLiteral("new"), {QStringLiteral("FILE")}, {},
           tr("Write the factory settings into a new FILE (.telvir, or .json)."),
           &SettingsCommands::create},
          {QStringLiteral("show"), {QStringLiteral("FILE")}, {QStringLiteral("json")},
           tr("Print every setting in FILE by name."), &SettingsCommands::show},
          {QStringLiteral("convert"), {QStringLiteral("IN"), QStringLiteral("OUT")}, {},
           tr("Convert between .telvir, .json and .syx settings files."), &SettingsCommands::convert},
          {QStringLiteral("export"), {QStringLiteral("FILE"), QStringLiteral("OUT.syx")}, {QStringLiteral("memory")},
           tr("Write the messages that send FILE to a memory into OUT.syx."), &SettingsCommands::exportSysex},
          {QStringLiteral("diff"), {QStringLiteral("A"), QStringLiteral("B")}, {},
           tr("Print the settings that differ; exit 0 when equal, 1 when not."),
           &SettingsCommands::diff},
          {QStringLiteral("check"), {QStringLiteral("FILE")}, {},
           tr("Print the controls that send the same message; exit 1 when any do."),
           &OverviewCommands::check},
          {OverviewCommands::kSheet, {QStringLiteral("FILE"), QStringLiteral("OUT")}, {},
           tr("Make a printable sheet of all assignments, OUT.pdf or OUT.png."),
           &OverviewCommands::sheet},
          {QStringLiteral("memories"), {}, {QStringLiteral("json"), QStringLiteral("keyboard")},
           tr("Print what this computer last wrote into each memory."), &LibraryCommands::memories},
          {QStringLiteral("recall"), {QStringLiteral("MEMORY|SETUP"), QStringLiteral("FILE")}, {QStringLiteral("keyboard")},
           tr("Write the setup last written to MEMORY, or the setup SETUP, into FILE."), &LibraryCommands::recall},
          {QStringLiteral("library"), {QStringLiteral("[TEXT]")}, {QStringLiteral("json")},
           tr("List the setups in the library whose name contains TEXT."), &LibraryCommands::library},
          {QStringLiteral("library export"), {QStringLiteral("NAME"), QStringLiteral("FILE")}, {},
           tr("Write the setup of the library named (or identified by) NAME into FILE."),
           &LibraryCommands::exportSetup},
          {QStringLiteral("library backup"), {QStringLiteral("FILE")}, {},
           tr("Copy the whole library into the new FILE."), &LibraryCommands::backup},
          {QStringLiteral("library restore"), {QStringLiteral("FILE")}, {},
           tr("Merge the backup FILE into the library."), &LibraryCommands::restore},
      }
{
}

int CommandLine::run(const QStringList &givenArguments)
{
    QStringList arguments = givenArguments;
    QStringList ports;
    const int portsAt = int(arguments.indexOf(kPortsSwitch));
    if (portsAt >= 0) {
        ports = arguments.mid(portsAt + 1, 2);
        arguments.erase(arguments.begin() + portsAt, arguments.begin() + portsAt + 1 + ports.size());
    }

    QCommandLineParser parser;
    parser.addOptions(globalOptions_);
    parser.addOptions(commandOptions_);
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);

    const Invocation usage{{}, {}, parser, out_, err_, errorIsTerminal_};
    if (!parser.parse(QStringList{QStringLiteral("telvir")} + arguments))
        return usage.usageError(parser.errorText());

    QStringList positionals = parser.positionalArguments();
    // A command of two words ("library export") before its one-word head.
    const Command *command = positionals.size() < 2 ? nullptr : findCommand(positionals.mid(0, 2).join(QLatin1Char(' ')));
    if (command)
        positionals.removeFirst();
    if (!command && !positionals.isEmpty())
        command = findCommand(positionals.first());
    if (!positionals.isEmpty())
        positionals.removeFirst();

    if (parser.isSet(kHelp)) {
        out_ << (command ? commandHelpText(*command) : helpText());
        return kExitSuccess;
    }
    if (parser.isSet(kVersion)) {
        out_ << "telvir " << TELVIR_VERSION << '\n';
        return kExitSuccess;
    }
    if (parser.positionalArguments().isEmpty())
        return usage.usageError(tr("no command given"));
    if (!command)
        return usage.usageError(tr("unknown command '%1'").arg(TerminalText::escaped(parser.positionalArguments().first())));

    if (parser.isSet(kPorts) || arguments.contains(kPortsSwitch) || (portsAt >= 0 && ports.size() < 2))
        return usage.usageError(tr("--ports takes an output and an input port, once: --ports OUT IN"));
    for (const QCommandLineOption &option : commandOptions_) {
        const QString name = option.names().first();
        const bool given = name == kPorts ? portsAt >= 0 : parser.isSet(name);
        if (given && !command->options.contains(name))
            //: %1 is a command, %2 an option.
            return usage.usageError(tr("%1 takes no --%2").arg(command->name, name));
    }
    // "[TEXT]" may be left out.
    const int optional = int(command->arguments.filter(QRegularExpression(QStringLiteral("^\\["))).size());
    if (positionals.size() > command->arguments.size() || positionals.size() < command->arguments.size() - optional)
        return usage.usageError(tr("usage: %1").arg(synopsis(*command)));

    QLoggingCategory::setFilterRules(QLatin1String(parser.isSet(kVerbose) ? kVerboseRules : kQuietRules));

    const Invocation invocation{positionals, ports, parser, out_, err_, errorIsTerminal_};
    const int status = command->run(invocation);
    out_.flush();
    err_.flush();
    return status;
}

const CommandLine::Command *CommandLine::findCommand(const QString &name) const
{
    for (const Command &command : commands_) {
        if (command.name == name)
            return &command;
    }
    return nullptr;
}

QString CommandLine::optionNames(const QCommandLineOption &option) const
{
    QStringList names;
    for (const QString &name : option.names())
        names << (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
    QString text = names.join(QStringLiteral(", "));
    if (!option.valueName().isEmpty())
        text += QLatin1Char(' ') + option.valueName();
    return text;
}

QString CommandLine::synopsis(const Command &command) const
{
    QStringList parts{QStringLiteral("telvir"), command.name};
    parts << command.arguments;
    for (const QCommandLineOption &option : commandOptions_) {
        if (command.options.contains(option.names().first()))
            parts << QStringLiteral("[%1]").arg(optionNames(option));
    }
    return parts.join(QLatin1Char(' '));
}

QString CommandLine::commandHelpText(const Command &command) const
{
    QString text = tr("Usage: %1").arg(synopsis(command)) + QLatin1Char('\n') + command.summary + QLatin1Char('\n');
    for (const QCommandLineOption &option : commandOptions_) {
        if (command.options.contains(option.names().first()))
            text += QStringLiteral("  %1%2\n").arg(optionNames(option).leftJustified(kSynopsisWidth), option.description());
    }
    return text;
}

QString CommandLine::helpText() const
{
    //: The first lines of telvir --help; keep the lines under 80 characters.
    QString text = tr("Usage: telvir [--verbose] COMMAND [ARGUMENTS]\n"
                      "Reads, writes, shows, compares and converts the settings of a Telvir keyboard,\n"
                      "keeps a library of them and updates its firmware.\n")
                   + QLatin1Char('\n') + tr("Commands:") + QLatin1Char('\n');
    for (const Command &command : commands_) {
        const QString usage = synopsis(command).mid(QStringLiteral("telvir ").size());
        // A synopsis too long for its column gets a line of its own.
        const QString column = usage.size() < kSynopsisWidth
                                   ? usage.leftJustified(kSynopsisWidth)
                                   : usage + QLatin1Char('\n') + QString(kSynopsisWidth + 2, QLatin1Char(' '));
        text += QStringLiteral("  %1%2\n").arg(column, command.summary);
    }
    text += QLatin1Char('\n') + tr("Options:") + QLatin1Char('\n');
    for (const QCommandLineOption &option : globalOptions_ + commandOptions_)
        text += QStringLiteral("  %1%2\n").arg(optionNames(option).leftJustified(kSynopsisWidth), option.description());
    text += QLatin1Char('\n') + tr("Exit status: 0 success, 1 failure (diff: the files differ), 2 bad usage.")
            + QLatin1Char('\n');
    return text;
}
