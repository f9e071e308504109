#pragma once

// What a command of the telvir program is given: its arguments, the parsed
// options, and where its output and its one-line errors go.

#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <QTextStream>

// Exit status, as scripts expect it.
constexpr int kExitSuccess = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

struct Invocation
{
    QStringList arguments; // the command's own, after its name
    QStringList ports;     // OUT and IN of --ports, or none
    const QCommandLineParser &options;
    QTextStream &out;
    QTextStream &err;
    bool errorIsTerminal;

    // Writes "telvir: <message>" on one line of err and gives the status.
    int fail(const QString &message, int status = kExitFailure) const
    {
        err << "telvir: " << message << '\n';
        err.flush();
        return status;
    }
    int usageError(const QString &message) const
    {
        return fail(message + QStringLiteral(" (see telvir --help)"), kExitUsage);
    }
};
