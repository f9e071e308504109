#include "jackkeyboardfixture.h"

#include "midi/midicontroller.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

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

bool isOurProgram(qint64 pid)
{
    QFile commandLine(QString("/proc/%1/cmdline").arg(pid));
    if (!commandLine.open(QIODevice::ReadOnly))
        return false;
    const QByteArray text = commandLine.readAll();
    return text.contains("jackd") || text.contains("telvir-keyboard-simulator");
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
    QFile::remove(processIdFile());
}

QString JackKeyboardFixture::simulatorOutput() const
{
    QFile log(simulatorLogFile());
    return log.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(log.readAll()) : QString();
}

bool JackKeyboardFixture::startServer()
{
    killLeftovers();
    server_ = std::make_unique<QProcess>();
    server_->setProcessChannelMode(QProcess::MergedChannels);
    server_->start("jackd", {"--no-realtime", "--name", serverName_, "-d", "dummy", "-r", "48000", "-p", "256"});
    if (!server_->waitForStarted(kServerStartMs)) {
        error_ = "jackd does not start: " + server_->errorString() + " (is jackd2 installed?)";
        server_.reset();
        return false;
    }
    writeProcessIds();
    // Polled only until the server answers; nothing else talks to it then.
    QElapsedTimer timer;
    timer.start();
    while (!serverAnswers()) {
        if (server_->state() != QProcess::Running || timer.elapsed() > kServerStartMs) {
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
    simulator_->start(TELVIR_SIMULATOR_PROGRAM, QStringList{"--api", "jack"} + options);
    if (!simulator_->waitForStarted(kSimulatorStartMs)) {
        error_ = "The simulator program does not start: " + simulator_->errorString();
        simulator_.reset();
        return false;
    }
    writeProcessIds();
    QElapsedTimer timer;
    timer.start();
    while (!simulatorOutput().contains("ready")) {
        if (simulator_->state() != QProcess::Running || timer.elapsed() > kSimulatorStartMs) {
            error_ = "The simulator program did not report its ports: " + simulatorOutput();
            stopSimulator();
            return false;
        }
        QThread::msleep(kPollMs);
    }
    QThread::msleep(kSettleMs);
    return true;
}

void JackKeyboardFixture::stopSimulator()
{
    if (!simulator_)
        return;
    stopProcess(*simulator_);
    simulator_.reset();
    writeProcessIds();
}

void JackKeyboardFixture::stopServer()
{
    if (!server_)
        return;
    stopProcess(*server_);
    server_.reset();
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

QString JackKeyboardFixture::simulatorLogFile() const
{
    return QDir::temp().filePath("telvir-jack-" + serverName_ + "-simulator.log");
}

QString JackKeyboardFixture::processIdFile() const
{
    return QDir::temp().filePath("telvir-jack-" + serverName_ + ".pids");
}

void JackKeyboardFixture::writeProcessIds()
{
    QFile file(processIdFile());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return;
    if (simulator_ && simulator_->processId() > 0)
        file.write(QByteArray::number(simulator_->processId()) + "\n");
    if (server_ && server_->processId() > 0)
        file.write(QByteArray::number(server_->processId()) + "\n");
}

void JackKeyboardFixture::killLeftovers()
{
    // A test that crashed left its server and simulator running under this
    // server name; their ids are in the file, simulator first.
    QFile file(processIdFile());
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QList<QByteArray> lines = file.readAll().split('\n');
    file.close();
    for (const QByteArray &line : lines) {
        bool ok = false;
        const qint64 pid = line.trimmed().toLongLong(&ok);
        if (!ok || pid <= 1 || !isOurProgram(pid))
            continue;
        ::kill(pid_t(pid), SIGTERM);
        for (int waited = 0; waited < kStopMs && ::kill(pid_t(pid), 0) == 0 && isOurProgram(pid); waited += kPollMs)
            QThread::msleep(kPollMs);
        if (isOurProgram(pid))
            ::kill(pid_t(pid), SIGKILL);
    }
    file.remove();
}
