#pragma once

// A keyboard on a real MIDI system for tests: a private JACK server with
// the dummy driver and the simulator program on it, so the editor's own
// port code finds the keyboard among the system's ports.
//
//     JackKeyboardFixture jack;
//     QVERIFY2(jack.start({"--upgrade"}), qPrintable(jack.error()));
//     MidiController *link = MidiController::getInstance(true);
//
// The server is named by JACK_DEFAULT_SERVER, which every process of the
// test needs in its environment (tests registered with telvir_use_jack get
// it from CTest). The fixture stops both processes by their ids when it
// goes away, also when a test fails half-way; it releases the editor's live
// link first, because JACK clients must close before their server stops.
// Processes a crashed test left under the same server name are stopped
// when the next fixture starts. With TELVIR_TEST_SERVER=pipewire the server
// is PipeWire instead (see PipeWireServer).

#include <QProcess>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class JackKeyboardFixture
{
public:
    JackKeyboardFixture();
    ~JackKeyboardFixture();

    JackKeyboardFixture(const JackKeyboardFixture &) = delete;
    JackKeyboardFixture &operator=(const JackKeyboardFixture &) = delete;

    // Starts the server (unless it runs already) and the simulator program
    // with these extra options (see telvir-keyboard-simulator --help).
    // False with error() set when either does not come up in time.
    bool start(const QStringList &simulatorOptions = {});
    // The server alone, for ports that must be listed before the keyboard's.
    bool startServerAlone();
    // A new simulator with other options, on the same server.
    bool restartSimulator(const QStringList &simulatorOptions = {});
    // The simulator goes, as a keyboard unplugged; the server stays.
    void stopSimulator();
    // A new simulator while the editor's link stays as it is, as a keyboard
    // plugged in again.
    bool plugSimulatorIn(const QStringList &simulatorOptions = {});
    // One more simulator program on the server, a second keyboard (give it
    // another --name); numbered from 0 in the order they were added.
    bool addSimulator(const QStringList &simulatorOptions);
    void stopAddedSimulator(int index);
    QString addedSimulatorOutput(int index) const;
    void stop();
    // SIGSTOP and SIGCONT to the simulator: a client that stops stalls the
    // server, which waits for it in every cycle and every call.
    void pauseSimulator();
    void resumeSimulator();

    // Before start(): the server runs as on a musician's machine instead,
    // with real-time scheduling where the system allows it, without
    // waiting for late clients (they make an xrun), at this many frames a
    // period (jackd2 only; PipeWire keeps its own).
    void setMusicianServer(int framesPerPeriod);
    int framesPerPeriod() const { return framesPerPeriod_; }
    // What a server set up so printed so far (verbose: every xrun).
    QString serverOutput();

    QString error() const { return error_; }
    QString serverName() const { return serverName_; }
    // What the simulator program printed so far (with --verbose, or with
    // TELVIR_JACK_VERBOSE set in the environment: every message).
    QString simulatorOutput() const;

    // The simulator's ports as the editor's port lists name them: the port
    // the editor sends to (so the link's deviceName) and the one it reads.
    static QString keyboardInputPort() { return "Telvir Keyboard:MIDI In"; }
    static QString keyboardOutputPort() { return "Telvir Keyboard Out:MIDI Out"; }

private:
    bool startServer();
    bool startSimulator(const QStringList &options);
    bool startSimulatorProcess(std::unique_ptr<QProcess> &process, const QString &logPath,
                               const QStringList &options);
    void stopServer();
    static void stopProcess(QProcess &process);
    void killLeftovers();
    QString simulatorLogFile(int added = -1) const;
    QString serverLogFile() const;

    QString serverName_;
    QString error_;
    int framesPerPeriod_ = 256;
    bool musician_ = false;
    std::unique_ptr<QProcess> server_;
    std::unique_ptr<QProcess> simulator_;
    std::vector<std::unique_ptr<QProcess>> addedSimulators_;
};
