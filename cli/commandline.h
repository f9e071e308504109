#pragma once

// The telvir program without its main: one table of commands drives both
// the parsing of the arguments and the help text. Tests run it in-process
// with their own streams.

#include <QCoreApplication>
#include <QCommandLineOption>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTextStream>

struct Invocation;

class CommandLine
{
    Q_DECLARE_TR_FUNCTIONS(CommandLine)

public:
    // Output goes to `out`, errors and progress to `err`; a terminal on
    // `err` gets a progress bar that redraws itself.
    CommandLine(QTextStream &out, QTextStream &err, bool errorIsTerminal = false);

    // Runs the command the arguments (without the program name) give and
    // returns the exit status: 0 success, 1 failure, 2 bad usage.
    int run(const QStringList &givenArguments);

    struct Command
    {
        QString name;
        QStringList arguments; // e.g. {"IN", "OUT"}
        QStringList options;   // names of the options it takes
        QString summary;
        int (*run)(const Invocation &);
    };

private:
    QString helpText() const;
    QString commandHelpText(const Command &command) const;
    QString synopsis(const Command &command) const;
    const Command *findCommand(const QString &name) const;
    QString optionNames(const QCommandLineOption &option) const;

    QTextStream &out_;
    QTextStream &err_;
    const bool errorIsTerminal_;
    const QList<QCommandLineOption> globalOptions_;
    const QList<QCommandLineOption> commandOptions_;
    const QList<Command> commands_;
};
