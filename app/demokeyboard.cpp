#include "app/demokeyboard.h"

#include "midi/midicontroller.h"
#ifdef TELVIR_HAVE_JACK
#include "midi/pipewirejackmidi.h"
#endif

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QThread>

#ifdef Q_OS_LINUX
#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>
#endif

namespace {
// PipeWire's libjack in place of jackd2's reaches PipeWire alone.
bool jackIsPipeWire()
{
#ifdef TELVIR_HAVE_JACK
    return PipeWireJackMidi::inUse();
#else
    return false;
#endif
}

const char *const kSimulatorName = "telvir-keyboard-simulator";
constexpr int kStartMs = 15000;
// Demos of as many editors at once, each on a server of its own.
constexpr int kDemoServers = 4;
constexpr int kStopMs = 5000;
constexpr int kPollMs = 100;
// Clients that connect while another one activates its ports can stall
// JACK's MIDI, so the server is left alone for a moment after the
// simulator reported its ports, before the editor looks for them.
constexpr int kSettleMs = 300;

// A program that ends when the editor does, even when the editor is
// killed: the system sends it SIGTERM as its parent goes.
class ChildOfEditor : public QProcess
{
public:
    ChildOfEditor()
    {
#if defined(Q_OS_LINUX) && QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
        setChildProcessModifier([parent = parent_] { endWithParent(parent); });
#endif
    }

protected:
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    void setupChildProcess() override
    {
#ifdef Q_OS_LINUX
        endWithParent(parent_);
#endif
    }
#endif

private:
#ifdef Q_OS_LINUX
    // Runs in the child between fork and exec.
    static void endWithParent(pid_t parent)
    {
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        // The editor went before the request was made.
        if (::getppid() != parent)
            ::raise(SIGTERM);
    }
    const pid_t parent_ = ::getpid();
#endif
};

void stopProcess(QProcess &process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    // Politely first, so that the clients and the server clean up their
    // shared registrations.
    process.terminate();
    if (!process.waitForFinished(kStopMs)) {
        process.kill();
        process.waitForFinished(kStopMs);
    }
}
} // namespace

DemoKeyboard::DemoKeyboard() = default;

DemoKeyboard::~DemoKeyboard()
{
    stop();
}

QString DemoKeyboard::simulatorProgram()
{
    const QString name = QLatin1String(kSimulatorName);
    const QDir editorFolder(QCoreApplication::applicationDirPath());
    // Installed, it lies beside the editor; in a build tree the editor is
    // in app/ and the simulator in tools/simulator/.
    for (const QString &candidate :
         {editorFolder.filePath(name), editorFolder.filePath(QStringLiteral("../tools/simulator/") + name)}) {
        const QFileInfo program(candidate);
        if (program.isFile() && program.isExecutable())
            return program.canonicalFilePath();
    }
    return QStandardPaths::findExecutable(name);
}

bool DemoKeyboard::start()
{
    error_.clear();
    const QString simulator = simulatorProgram();
    if (simulator.isEmpty()) {
        error_ = tr("The keyboard simulator (%1) was found neither beside the editor nor on the PATH.")
                     .arg(QLatin1String(kSimulatorName));
        return false;
    }
    if (!logs_.isValid()) {
        error_ = tr("No temporary folder for the demo keyboard: %1").arg(logs_.errorString());
        return false;
    }
    const QString jackd = QStandardPaths::findExecutable(QStringLiteral("jackd"));
    if (jackd.isEmpty() || jackIsPipeWire()) {
        // Without jackd, or where the JACK library is PipeWire's, which
        // reaches no jackd at all, the JACK server that runs already takes
        // the simulator, where there is one: PipeWire's on most desktops.
        if (startSimulator(simulator, QString()))
            return true;
        if (jackd.isEmpty())
            error_ = tr("The JACK server jackd was not found, and no other JACK server runs for the keyboard "
                        "simulator. Install jackd2, or PipeWire's JACK (pipewire-jack), to try the editor without "
                        "a keyboard.");
        return false;
    }
    // A server of its own, so that nothing of the user's studio is touched;
    // the editor's MIDI code opens the server this variable names.
    // jackd keeps a machine-wide list of a few servers and frees the entry
    // of one that died without closing only when a server of the same name
    // starts: the names are a few fixed ones, the next taken when a demo
    // of another editor runs on the one before.
    const QByteArray userServer = qgetenv("JACK_DEFAULT_SERVER");
    const bool userNamedServer = qEnvironmentVariableIsSet("JACK_DEFAULT_SERVER");
    for (int server = 1; server <= kDemoServers; ++server) {
        serverName_ = server == 1 ? QStringLiteral("telvir-demo") : QStringLiteral("telvir-demo-%1").arg(server);
        qputenv("JACK_DEFAULT_SERVER", serverName_.toUtf8());
        if (startServer(jackd) && startSimulator(simulator, serverName_))
            return true;
        const bool nameTaken = server_ && server_->state() == QProcess::NotRunning;
        stop();
        if (!nameTaken)
            break;
    }
    // The editor then starts on the user's own MIDI systems, as without --demo.
    if (userNamedServer)
        qputenv("JACK_DEFAULT_SERVER", userServer);
    else
        qunsetenv("JACK_DEFAULT_SERVER");
    return false;
}

bool DemoKeyboard::startServer(const QString &jackd)
{
    const QString log = logs_.filePath(QStringLiteral("jackd.log"));
    server_ = std::make_unique<ChildOfEditor>();
    // Into a file: nobody reads a pipe while the editor runs, and a server
    // whose pipe is full waits in its next write.
    server_->setStandardOutputFile(log);
    server_->setStandardErrorFile(log, QIODevice::Append);
    // Synchronous mode: a late client delays the cycle instead of leaving
    // stale MIDI events behind.
    server_->start(jackd, {QStringLiteral("--no-realtime"), QStringLiteral("--sync"), QStringLiteral("--name"),
                           serverName_, QStringLiteral("-d"), QStringLiteral("dummy"), QStringLiteral("-r"),
                           QStringLiteral("48000"), QStringLiteral("-p"), QStringLiteral("256")});
    if (!server_->waitForStarted(kStartMs)) {
        //: %1 is the program, %2 the system's reason.
        error_ = tr("The JACK server %1 could not be started: %2").arg(jackd, server_->errorString());
        server_.reset();
        return false;
    }
    return true;
}

bool DemoKeyboard::startSimulator(const QString &program, const QString &server)
{
    QStringList arguments{QStringLiteral("--api"), QStringLiteral("jack")};
    if (!server.isEmpty())
        arguments << QStringLiteral("--jack-server") << server;
    const QString log = logs_.filePath(QStringLiteral("simulator.log"));
    const QDeadlineTimer deadline(kStartMs);
    // The server takes a moment to come up: a simulator that finds none
    // ends at once and is started again while the server is starting.
    for (;;) {
        QFile::remove(log);
        simulator_ = std::make_unique<ChildOfEditor>();
        simulator_->setStandardOutputFile(log);
        simulator_->setStandardErrorFile(log, QIODevice::Append);
        simulator_->start(program, arguments);
        if (!simulator_->waitForStarted(kStartMs)) {
            error_ = tr("The keyboard simulator %1 could not be started: %2").arg(program, simulator_->errorString());
            simulator_.reset();
            return false;
        }
        const auto ready = [this] { return logOf(QStringLiteral("simulator.log")).contains(QLatin1String("ready")); };
        while (simulator_->state() == QProcess::Running && !ready() && !deadline.hasExpired())
            simulator_->waitForFinished(kPollMs);
        if (ready()) {
            QThread::msleep(kSettleMs);
            return true;
        }
        const bool serverGone = server_ && server_->state() == QProcess::NotRunning;
        if (serverGone || !server_ || deadline.hasExpired()) {
            stopProcess(*simulator_);
            simulator_.reset();
            if (serverGone) {
                error_ = tr("The JACK server %1 stopped: %2")
                             .arg(serverName_, logOf(QStringLiteral("jackd.log")).trimmed());
            } else {
                error_ = tr("The keyboard simulator did not come up on the JACK server: %1")
                             .arg(logOf(QStringLiteral("simulator.log")).trimmed());
            }
            return false;
        }
        QThread::msleep(kPollMs);
    }
}

void DemoKeyboard::stop()
{
    if (!server_ && !simulator_)
        return;
    MidiController::releaseInstance();
    if (simulator_)
        stopProcess(*simulator_);
    simulator_.reset();
    if (server_)
        stopProcess(*server_);
    server_.reset();
}

QString DemoKeyboard::logOf(const QString &name) const
{
    QFile log(logs_.filePath(name));
    return log.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(log.readAll()) : QString();
}
