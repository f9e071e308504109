#pragma once

#include <QString>
#include <QStringList>

// The editor's command line: --help, --version, --verbose, --demo and one
// optional settings file to load once the window has started. It is read before the
// widget application exists, so that --help, --version and a wrong option
// are answered without a display.
class EditorCommandLine
{
public:
    enum class Outcome { StartEditor, Exit };

    // Reads the arguments, the program's name first. Needs a
    // QCoreApplication, which gives the program's name and version.
    Outcome parse(const QStringList &arguments);

    // For Outcome::Exit: the process's exit status, and what it prints
    // (help or version on stdout, a wrong command line on stderr).
    int exitCode() const { return exitStatus; }
    const QString &output() const { return text; }
    bool outputIsError() const { return exitStatus != 0; }

    bool verbose() const { return verboseLog; }
    // Started with the keyboard simulator (see DemoKeyboard).
    bool demo() const { return demoKeyboard; }
    // The toolkit's -platform option names where the window goes.
    bool platformGiven() const { return platformNamed; }
    const QString &settingsFile() const { return fileName; }

    // The exit status of a wrong command line, as for most Unix tools.
    static constexpr int kUsageError = 2;

private:
    int exitStatus = 0;
    QString text;
    bool verboseLog = false;
    bool demoKeyboard = false;
    bool platformNamed = false;
    QString fileName;
};
