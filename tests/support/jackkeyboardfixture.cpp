#include "jackkeyboardfixture.h"

#include "midi/midicontroller.h"
#include "pipewireserver.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <algorithm>
#include <csignal>
#include <sys/types.h>

namespace {
constexpr int kServerStartMs = 10000;
constexpr int kSimulatorStartMs = 10000;
constexpr int kStopMs = 5000;
constexpr int kPollMs = 100;
// Clients that connect while another one activates its ports can stall
// JACK's MIDI for good, so the fixture leaves the server alone for a moment
// after the simulator reported its ports.
constexpr int kSettleMs = 300;

const char *const kDefaultServer = "telvir-test";

bool serverAnswers()
{
    QProcess lister;
    lister.start("jack_lsp", QStringList());
    if (!lister.waitForFinished(kStopMs)) {
        lister.kill();
        lister.waitForFinished();
        return false;
    }
    return lister.exitStatus() == QProcess::NormalExit && lister.exitCode() == 0;
}

// The command line of a process, its arguments split at the zero bytes.
QList<QByteArray> commandLine(qint64 pid)
{
    QFile file(QString("/proc/%1/cmdline").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll().split('\0');
}

bool isAlive(qint64 pid)
{
    return ::kill(pid_t(pid), 0) == 0 && !commandLine(pid).isEmpty();
}
} // namespace

JackKeyboardFixture::JackKeyboardFixture()
{
    serverName_ = qEnvironmentVariable("JACK_DEFAULT_SERVER");
    if (serverName_.isEmpty()) {
        // Libjack reads it when a client opens, so it must be there before
        // the editor looks for ports; children inherit it.
        serverName_ = kDefaultServer;
        qputenv("JACK_DEFAULT_SERVER", serverName_.toUtf8());
    }
    if (PipeWireServer::chosen())
        PipeWireServer::useServer(serverName_);
}

JackKeyboardFixture::~JackKeyboardFixture()
{
    stop();
}

bool JackKeyboardFixture::start(const QStringList &simulatorOptions)
{
    error_.clear();
    if (!server_ && !startServer())
        return false;
    return restartSimulator(simulatorOptions);
}

bool JackKeyboardFixture::startServerAlone()
{
    error_.clear();
    return server_ || startServer();
}

bool JackKeyboardFixture::plugSimulatorIn(const QStringList &simulatorOptions)
{
    error_.clear();
    stopSimulator();
    if (!server_) {
        error_ = "The JACK server is not running.";
        return false;
    }
    return startSimulator(simulatorOptions);
}

bool JackKeyboardFixture::restartSimulator(const QStringList &simulatorOptions)
{
    MidiController::releaseInstance();
    return plugSimulatorIn(simulatorOptions);
}

void JackKeyboardFixture::stop()
{
    MidiController::releaseInstance();
    for (int added = 0; added < int(addedSimulators_.size()); ++added)
        stopAddedSimulator(added);
    addedSimulators_.clear();
    stopSimulator();
    stopServer();
}

bool JackKeyboardFixture::addSimulator(const QStringList &simulatorOptions)
{
    error_.clear();
    if (!server_) {
        error_ = "The JACK server is not running.";
        return false;
    }
    addedSimulators_.emplace_back();
    return startSimulatorProcess(addedSimulators_.back(), simulatorLogFile(int(addedSimulators_.size()) - 1),
                                 simulatorOptions);
}

void JackKeyboardFixture::stopAddedSimulator(int index)
{
    if (index < 0 || index >= int(addedSimulators_.size()) || !addedSimulators_[std::size_t(index)])
        return;
    stopProcess(*addedSimulators_[std::size_t(index)]);
    addedSimulators_[std::size_t(index)].reset();
}

QString JackKeyboardFixture::addedSimulatorOutput(int index) const
{
    QFile log(simulatorLogFile(index));
    return log.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(log.readAll()) : QString();
}

void JackKeyboardFixture::setMusicianServer(int framesPerPeriod)
{
    framesPerPeriod_ = framesPerPeriod;
    musician_ = true;
}

QString JackKeyboardFixture::serverOutput()
{
    QFile log(serverLogFile());
    return musician_ && log.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(log.readAll()) : QString();
}

QString JackKeyboardFixture::simulatorOutput() const
{
    QFile log(simulatorLogFile());
    return log.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(log.readAll()) : QString();
}

bool JackKeyboardFixture::startServer()
{
    killLeftovers();
    if (serverAnswers()) {
        error_ = "Another JACK server named \"" + serverName_ + "\" is running and is not this test's.";
        return false;
    }
    QString program = "jackd";
    QStringList arguments{"--no-realtime", "--sync", "--name", serverName_, "-d", "dummy", "-r", "48000", "-p",
                          QString::number(framesPerPeriod_)};
    if (musician_)
        arguments = QStringList{"-v"} + arguments.mid(2);
    if (PipeWireServer::chosen() && !PipeWireServer::prepare(serverName_, &program, &arguments, &error_))
        return false;
    // Into a file, not a pipe: nobody reads a pipe while a test runs, and a
    // server whose pipe is full waits in its next write, every client with
    // it. jackd2 writes a line for every late cycle on a loaded machine, and
    // filled the 64 KB of a pipe in about 75 s.
    const QString logPath = serverLogFile();
    QFile::remove(logPath);
    server_ = std::make_unique<QProcess>();
    server_->setStandardOutputFile(logPath);
    server_->setStandardErrorFile(logPath, QIODevice::Append);
    server_->start(program, arguments);
    if (!server_->waitForStarted(kServerStartMs)) {
        error_ = program + " does not start: " + server_->errorString() + " (is jackd2, or pipewire, installed?)";
        server_.reset();
        return false;
    }
    // Synchronous mode: a client that is late (a loaded machine, a sanitizer
    // build) delays the cycle instead of leaving stale MIDI events behind,
    // which would arrive twice while the late client's own ones go missing.
    // Polled only until the server answers; nothing else talks to it then.
    QElapsedTimer timer;
    timer.start();
    while (!serverAnswers()) {
        if (server_->waitForFinished(0) || timer.elapsed() > kServerStartMs) {
            QFile log(logPath);
            error_ = "The JACK server \"" + serverName_ + "\" did not come up: "
                     + (log.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(log.readAll()) : QString());
            stopServer();
            return false;
        }
        QThread::msleep(kPollMs);
    }
    return true;
}

bool JackKeyboardFixture::startSimulator(const QStringList &options)
{
    return startSimulatorProcess(simulator_, simulatorLogFile(), options);
}

bool JackKeyboardFixture::startSimulatorProcess(std::unique_ptr<QProcess> &process, const QString &logPath,
                                                const QStringList &options)
{
    // Into a file, not a pipe: a full pipe would block the simulator.
    QFile::remove(logPath);
    process = std::make_unique<QProcess>();
    process->setStandardOutputFile(logPath);
    process->setStandardErrorFile(logPath, QIODevice::Append);
    QStringList arguments{"--api", "jack", "--jack-server", serverName_};
    // For a look at every message in the simulator's log.
    if (qEnvironmentVariableIsSet("TELVIR_JACK_VERBOSE"))
        arguments << "--verbose";
    process->start(TELVIR_SIMULATOR_PROGRAM, arguments + options);
    if (!process->waitForStarted(kSimulatorStartMs)) {
        error_ = "The simulator program does not start: " + process->errorString();
        process.reset();
        return false;
    }
    QElapsedTimer timer;
    timer.start();
    const auto output = [&logPath] {
        QFile log(logPath);
        return log.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(log.readAll()) : QString();
    };
    while (!output().contains("ready")) {
        if (process->waitForFinished(0) || timer.elapsed() > kSimulatorStartMs) {
            error_ = "The simulator program did not report its ports: " + output();
            stopProcess(*process);
            process.reset();
            return false;
        }
        QThread::msleep(kPollMs);
    }
    QThread::msleep(kSettleMs);
    return true;
}

void JackKeyboardFixture::pauseSimulator()
{
    if (simulator_ && simulator_->state() == QProcess::Running)
        ::kill(pid_t(simulator_->processId()), SIGSTOP);
}

void JackKeyboardFixture::resumeSimulator()
{
    if (simulator_ && simulator_->state() == QProcess::Running)
        ::kill(pid_t(simulator_->processId()), SIGCONT);
}

void JackKeyboardFixture::stopSimulator()
{
    if (!simulator_)
        return;
    // A stopped process would not take SIGTERM before it goes on.
    resumeSimulator();
    stopProcess(*simulator_);
    simulator_.reset();
}

void JackKeyboardFixture::stopServer()
{
    if (!server_)
        return;
    stopProcess(*server_);
    server_.reset();
    if (PipeWireServer::chosen())
        PipeWireServer::cleanUp(serverName_);
}

void JackKeyboardFixture::stopProcess(QProcess &process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    // By process id: politely first, so clients and the server clean up
    // their shared registrations.
    ::kill(pid_t(process.processId()), SIGTERM);
    if (!process.waitForFinished(kStopMs)) {
        process.kill();
        process.waitForFinished(kStopMs);
    }
}

QString JackKeyboardFixture::simulatorLogFile(int added) const
{
    const QString suffix = added < 0 ? QString() : QString("-%1").arg(added + 2);
    return QDir::temp().filePath("telvir-jack-" + serverName_ + "-simulator" + suffix + ".log");
}

QString JackKeyboardFixture::serverLogFile() const
{
    return QDir::temp().filePath("telvir-jack-" + serverName_ + "-server.log");
}

void JackKeyboardFixture::killLeftovers()
{
    // A test that crashed leaves its server and simulator running; they are
    // found by the server name on their command lines and stopped by id,
    // simulators first so their clients leave the server cleanly.
    const QByteArray name = serverName_.toUtf8();
    QList<qint64> simulators;
    QList<qint64> servers;
    const QStringList entries = QDir("/proc").entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &entry : entries) {
        bool ok = false;
        const qint64 pid = entry.toLongLong(&ok);
        if (!ok || pid <= 1 || pid == QCoreApplication::applicationPid())
            continue;
        const QList<QByteArray> arguments = commandLine(pid);
        if (arguments.isEmpty())
            continue;
        if (PipeWireServer::isServerOf(arguments, serverName_)) {
            servers << pid;
            continue;
        }
        const int nameOption = std::max(arguments.indexOf("--name"), arguments.indexOf("--jack-server"));
        if (nameOption < 0 || nameOption + 1 >= arguments.size() || arguments[nameOption + 1] != name)
            continue;
        if (arguments[0].endsWith("telvir-keyboard-simulator"))
            simulators << pid;
        else if (arguments[0].endsWith("jackd"))
            servers << pid;
    }
    for (qint64 pid : simulators + servers) {
        ::kill(pid_t(pid), SIGTERM);
        for (int waited = 0; waited < kStopMs && isAlive(pid); waited += kPollMs)
            QThread::msleep(kPollMs);
        if (isAlive(pid))
            ::kill(pid_t(pid), SIGKILL);
    }
}
