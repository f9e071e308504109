#pragma once

// `telvir-editor --demo`: a keyboard to try the editor without one. The
// keyboard simulator program (telvir-keyboard-simulator) plays the
// keyboard on a private JACK server that the editor starts for itself
// (jackd with its dummy driver, under a name of its own), or, where jackd
// is not installed, on the JACK server that runs already (PipeWire's).
// Both programs end with the editor: when it closes, and also when it is
// killed, as the system then sends them SIGTERM.

#include <QCoreApplication>
#include <QString>
#include <QTemporaryDir>

#include <memory>

class QProcess;

class DemoKeyboard
{
    Q_DECLARE_TR_FUNCTIONS(DemoKeyboard)

public:
    DemoKeyboard();
    ~DemoKeyboard();

    DemoKeyboard(const DemoKeyboard &) = delete;
    DemoKeyboard &operator=(const DemoKeyboard &) = delete;

    // Starts the server and the simulator and waits until the simulator's
    // ports are up; the editor's MIDI code then finds it on that server.
    // False with error() set when a program cannot be found or started.
    bool start();
    QString error() const { return error_; }

    // Stops the simulator, then the server, each by its process id. The
    // editor's link to the keyboard is released first: JACK clients must
    // close before their server stops.
    void stop();

    // The simulator program: beside the editor's own, in the build tree's
    // tools folder, or on PATH; empty when there is none.
    static QString simulatorProgram();

private:
    bool startServer(const QString &jackd);
    bool startSimulator(const QString &program, const QString &server);
    QString logOf(const QString &name) const;

    QTemporaryDir logs_;
    std::unique_ptr<QProcess> server_;
    std::unique_ptr<QProcess> simulator_;
    QString serverName_;
    QString error_;
};
