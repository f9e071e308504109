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

bool JackKeyboardFixture::restartSimulator(const QStringList &simulatorOptions)
{
    error_.clear();
    MidiController::releaseInstance();
    stopSimulator();
    if (!server_) {
        error_ = "The JACK server is not running.";
        return false;
    }
    return startSimulator(simulatorOptions);
}

void JackKeyboardFixture::stop()
{
    MidiController::releaseInstance();
    stopSimulator();
    stopServer();
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
    server_ = std::make_unique<QProcess>();
    server_->setProcessChannelMode(QProcess::MergedChannels);
    // A verbose server writes on its real-time thread: into a file, never
    // into a pipe that fills while the test's thread is busy.
    if (musician_)
        server_->setStandardOutputFile(serverLogFile());
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
            error_ = "The JACK server \"" + serverName_ + "\" did not come up: "
                     + QString::fromLocal8Bit(server_->readAll());
            stopServer();
            return false;
        }
        QThread::msleep(kPollMs);
    }
    return true;
}

bool JackKeyboardFixture::startSimulator(const QStringList &options)
{
    // Into a file, not a pipe: a full pipe would block the simulator.
    const QString logPath = simulatorLogFile();
    QFile::remove(logPath);
    simulator_ = std::make_unique<QProcess>();
    simulator_->setStandardOutputFile(logPath);
    simulator_->setStandardErrorFile(logPath, QIODevice::Append);
    QStringList arguments{"--api", "jack", "--jack-server", serverName_};
    // For a look at every message in the simulator's log.
    if (qEnvironmentVariableIsSet("TELVIR_JACK_VERBOSE"))
        arguments << "--verbose";
    simulator_->start(TELVIR_SIMULATOR_PROGRAM, arguments + options);
    if (!simulator_->waitForStarted(kSimulatorStartMs)) {
        error_ = "The simulator program does not start: " + simulator_->errorString();
        simulator_.reset();
        return false;
    }
    QElapsedTimer timer;
    timer.start();
    while (!simulatorOutput().contains("ready")) {
        if (simulator_->waitForFinished(0) || timer.elapsed() > kSimulatorStartMs) {
            error_ = "The simulator program did not report its ports: " + simulatorOutput();
            stopSimulator();
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

QString JackKeyboardFixture::serverLogFile() const
{
    return QDir::temp().filePath("telvir-jack-" + serverName_ + "-server.log");
}

QString JackKeyboardFixture::simulatorLogFile() const
{
    return QDir::temp().filePath("telvir-jack-" + serverName_ + "-simulator.log");
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
