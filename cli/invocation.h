#pragma once

// What a command of the telvir program is given: its arguments, the parsed
// options, and where its output and its one-line errors go.

#include "cli/terminaltext.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QString>
#include <QStringList>
#include <QTextStream>

// Exit status, as scripts expect it.
constexpr int kExitSuccess = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

struct Invocation
{
    Q_DECLARE_TR_FUNCTIONS(Invocation)

public:
    QStringList arguments; // the command's own, after its name
    QStringList ports;     // OUT and IN of --ports, or none
    const QCommandLineParser &options;
    QTextStream &out;
    QTextStream &err;
    bool errorIsTerminal;

    // Writes "telvir: <message>" on one line of err and gives the status;
    // a name left unescaped in it is escaped here.
    int fail(const QString &message, int status = kExitFailure) const
    {
        err << "telvir: " << TerminalText::escaped(message) << '\n';
        err.flush();
        return status;
    }
    // A line beside the command's output on what it did ("The file does
    // not carry ..."); nothing for an empty one.
    void note(const QString &message) const
    {
        if (message.isEmpty())
            return;
        err << "telvir: " << message << '\n';
        err.flush();
    }
    //: %1 is a file, %2 the system's reason.
    int failWriting(const QString &path, const QString &error) const
    {
        return fail(tr("could not write %1: %2").arg(TerminalText::escaped(QDir::toNativeSeparators(path)), error));
    }
    int usageError(const QString &message) const
    {
        //: %1 is what was wrong with the command line.
        return fail(tr("%1 (see telvir --help)").arg(message), kExitUsage);
    }
};
