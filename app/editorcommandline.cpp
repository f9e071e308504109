#include "app/editorcommandline.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>

namespace {
// The widget application takes these options of its own out of the command
// line; they are read here before it exists, so they are known but left
// alone, and kept out of the help.
const char *const kToolkitOptionsWithValue[] = {
    "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry", "qwindowicon",
    "qwindowtitle", "session", "display", "geometry", "title", "name", "style", "stylesheet",
};
const char *const kToolkitFlags[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

void addHidden(QCommandLineParser &parser, QCommandLineOption option)
{
    option.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(option);
}
} // namespace

EditorCommandLine::Outcome EditorCommandLine::parse(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QCoreApplication::translate("EditorCommandLine",
                                    "Configuration editor for the Telvir USB MIDI controller keyboard."));
    // The toolkit's options are single-dash words ("-platform xcb").
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption versionOption = parser.addVersionOption();
    const QCommandLineOption verboseOption(
        QStringLiteral("verbose"),
        QCoreApplication::translate("EditorCommandLine",
                                    "Write the debug log (MIDI ports, messages to and from the keyboard) to stderr."));
    parser.addOption(verboseOption);
    const QCommandLineOption demoOption(
        QStringLiteral("demo"),
        QCoreApplication::translate("EditorCommandLine",
                                    "Try the editor without a keyboard: start the keyboard simulator on a JACK "
                                    "server of its own and link to it."));
    parser.addOption(demoOption);
    parser.addPositionalArgument(
        QStringLiteral("file"),
        QCoreApplication::translate("EditorCommandLine",
                                    "A settings file to load once the keyboard's settings were read, as \"Load...\" does."),
        QStringLiteral("[FILE.telvir]"));
    for (const char *name : kToolkitOptionsWithValue)
        addHidden(parser, QCommandLineOption(QLatin1String(name), QString(), QStringLiteral("value")));
    for (const char *name : kToolkitFlags)
        addHidden(parser, QCommandLineOption(QLatin1String(name)));

    const QString program = QCoreApplication::applicationName();
    const auto usageError = [&](const QString &error) {
        exitStatus = kUsageError;
        text = program + QStringLiteral(": ") + error + QLatin1Char('\n') + parser.helpText();
        return Outcome::Exit;
    };

    if (!parser.parse(arguments))
        return usageError(parser.errorText());
    // Qt 6 adds --help-all, for the toolkit's options too: the same help.
    if (parser.isSet(helpOption) || parser.optionNames().contains(QStringLiteral("help-all"))) {
        text = parser.helpText();
        return Outcome::Exit;
    }
    if (parser.isSet(versionOption)) {
        text = program + QLatin1Char(' ') + QCoreApplication::applicationVersion() + QLatin1Char('\n');
        return Outcome::Exit;
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        return usageError(QCoreApplication::translate("EditorCommandLine", "Only one settings file can be loaded."));
    verboseLog = parser.isSet(verboseOption);
    demoKeyboard = parser.isSet(demoOption);
    platformNamed = parser.isSet(QStringLiteral("platform"));
    fileName = files.value(0);
    return Outcome::StartEditor;
}
