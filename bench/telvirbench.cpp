// Measures the editor's own overhead on top of the keyboard protocol's fixed
// waits, over in-process virtual ports, and prints each result as a ratio to
// its floor or to its target:
//   discovery with the keyboard on the 8th of 3 x 3 port pairs, nothing
//     remembered: 7 silent pairs of 900 ms, then the 300 ms settle time
//   a factory read: target 150 ms (it ends when every reply is in)
//   a factory write of 258 messages: the same messages sent straight
//     through the port backend in a plain loop; both warmed up, then timed
//     in 200 alternating rounds, and the medians compared
//   a firmware transfer of 256 KB: (n + 1) x 100 ms
//
// Over a private JACK server with the simulator program (--jack): two
// silent decoy keyboards first and the keyboard last, so on pair 9 of 3 x 3;
// how soon after fresh connections the keyboard answers, by settle time;
// the search and read with nothing remembered and with the pair remembered,
// once with the keyboard's ports under names that tell nothing of one
// device and once under one device name; the editor's window
// (bench-keyboard-window) doing its start-up and a send, with the longest
// stalls of its event loop; the write, which ends once the server has
// every message (against the backend's own sends and its wait for that;
// plain RtMidi's loop, which only queues, for comparison) and the firmware
// transfer.
// And start-up to the first painted window with no MIDI ports, with its peak
// memory, against a bare Qt window built the same way (bench-startup-*).
//
// The bench and its probes keep the editor's settings (the remembered port
// pair) in a temporary folder: the user's own are never read or changed.
//
// Usage: telvir-bench [--quick] [--jack] [--startup-only | --write-only]
//        telvir-bench --soak
//        telvir-bench --live
//        telvir-bench --realtime
//        telvir-bench --table-only
//        telvir-bench --library
//        telvir-bench --files
//        telvir-bench --checked [--jack]
//   --quick: 16 KB of firmware instead of 256 KB
//   --write-only: the read and write only (over JACK also the searches and
//     the window), no start-up and no firmware
//   --soak: only the soak over JACK (soakbench.h); with --quick a tenth of it
//   --live: only Live, following the keyboard and the monitor over JACK
//     (livebench.h)
//   --realtime: only the minute at 64 frames a period (realtimebench.h)
//   --table-only: only the "All Controls" table (allcontrolsbench.h)
//   --library: only the library of setups (bench-library)
//   --files: only the ".syx" imports (sysexbench.h), which the default run
//     also makes
//   --checked: only the checked write (checkedwritebench.h)

#include "allcontrolsbench.h"
#include "checkedwritebench.h"
#include "realtimebench.h"
#include "benchtimer.h"
#include "keyboardsimulator.h"
#include "midi/handshake.h"
#include "midi/midibackend.h"
#include "midi/midicontroller.h"
#include "midi/rememberedports.h"
#include "model/settings.h"
#include "virtualkeyboardrig.h"
#include "jackkeyboardfixture.h"
#include "livebench.h"
#include "soakbench.h"
#include "sysexbench.h"

#include <rtmidi/RtMidi.h>

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QLoggingCategory>
#include <QProcess>
#include <QThread>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <random>
#include <string>
#include <vector>

#include <algorithm>

namespace {
void report(const char *what, double measuredMs, double floorMs, double target)
{
    const double ratio = measuredMs / floorMs;
    std::printf("%-44s %11.3f ms  floor %11.3f ms  ratio %.3f  (target <= %.2f) %s\n", what, measuredMs,
                floorMs, ratio, target, ratio <= target ? "ok" : "MISSED");
}

void reportTarget(const char *what, double measuredMs, double targetMs)
{
    const double ratio = measuredMs / targetMs;
    std::printf("%-44s %11.3f ms  target <= %8.1f ms  ratio %.3f  %s\n", what, measuredMs, targetMs, ratio,
                ratio <= 1.0 ? "ok" : "MISSED");
}

// Targets of a search with the keyboard on pair 9 of 3 x 3: the remembered
// pair, the pair of one device, or, in the plain order, no slower than the
// old 9 x 900 ms; of the read once linked; of the longest time the window's
// event loop does not run.
constexpr double kRememberedLinkTargetMs = 400;
constexpr double kReadTargetMs = 150;
constexpr double kSameDeviceLinkTargetMs = 1000;
constexpr double kPlainOrderLinkTargetMs = 9 * 900.0;
constexpr double kStallTargetMs = 50;

// Names that tell nothing of one device, so that the search tries the
// pairs in the plain order: outputs outer, inputs inner.
const std::vector<std::string> kOutputPorts = {"Port A", "Port B", "Port C"};
const std::vector<std::string> kInputPorts = {"Source A", "Source B", "Source C"};

long long monotonicNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// A whole write takes a few tens of microseconds, so one cold run measures
// page faults and lazy symbol binding rather than the code. The writes are
// warmed up first, then timed in turns, round after round (which one goes
// first rotates too, so none always finds the caches another left); the
// result is each write's median.
struct WriteRounds
{
    static constexpr int kWarmupRounds = 20;
    static constexpr int kRounds = 200;
};

std::vector<double> compareWrites(const std::vector<std::function<void()>> &writes,
                                  const std::function<void()> &betweenWrites)
{
    std::vector<std::vector<double>> times(writes.size());
    for (int round = 0; round < WriteRounds::kWarmupRounds + WriteRounds::kRounds; ++round) {
        for (std::size_t turn = 0; turn < writes.size(); ++turn) {
            const std::size_t which = (std::size_t(round) + turn) % writes.size();
            betweenWrites();
            BenchTimer timer;
            writes[which]();
            const double ms = timer.elapsedMs();
            if (round >= WriteRounds::kWarmupRounds)
                times[which].push_back(ms);
        }
    }
    std::vector<double> medians;
    for (const std::vector<double> &samples : times)
        medians.push_back(median(samples));
    return medians;
}

QString writeLabel(int messages, const char *reference)
{
    return QString("factory write (%1 messages) vs %2, median of %3")
        .arg(messages)
        .arg(reference)
        .arg(WriteRounds::kRounds);
}

void benchDiscovery()
{
    VirtualKeyboardRig rig(kOutputPorts, kInputPorts); // nothing remembered
    rig.attachSimulator("Port C", "Source B");         // output 2, input 1: the 8th pair
    BenchTimer timer;
    MidiController *link = MidiController::getInstance(false);
    const double ms = timer.elapsedMs();
    if (!link) {
        std::printf("discovery found no keyboard\n");
        return;
    }
    // The settle time of the newly opened ports, the round answered at
    // once, then two short probes of 100 ms that rule out the first two
    // outputs (the names tell nothing).
    report("discovery, keyboard on pair 8 of 3 x 3", ms, 300.0, 2.0);
}

// The messages of a factory write, as the editor sends them.
std::vector<std::string> recordFactoryWrite(VirtualKeyboardRig &rig)
{
    rig.clearSent();
    Settings().send(0);
    std::vector<std::string> messages = rig.sent("Keyboard");
    rig.clearSent();
    return messages;
}

std::vector<std::string> recordFactoryWrite()
{
    VirtualKeyboardRig rig({"Keyboard"}, {"Keyboard"});
    rig.attachSimulator("Keyboard", "Keyboard");
    return recordFactoryWrite(rig);
}

void benchReadAndWrite()
{
    VirtualKeyboardRig rig({"Keyboard"}, {"Keyboard"});
    rig.attachSimulator("Keyboard", "Keyboard");
    if (!MidiController::getInstance(false)) {
        std::printf("no keyboard for the read\n");
        return;
    }
    Settings settings;
    BenchTimer readTimer;
    const int count = settings.recv();
    const double readMs = readTimer.elapsedMs();
    reportTarget(qPrintable(QString("factory read (%1 replies)").arg(count)), readMs, kReadTargetMs);

    // The same messages through the backend itself, without the editor,
    // on a second connection to the same port while the link stays open.
    const std::vector<std::string> messages = recordFactoryWrite(rig);
    MMRESULT result = 0;
    auto output = currentMidiBackend()->openOutput(0, result);
    if (!output) {
        std::printf("the backend does not open the keyboard's port\n");
        return;
    }
    const Settings factory;
    MessageCounts counts;
    const std::vector<double> medians = compareWrites(
        {[&factory, &counts] { factory.send(0, &counts); },
         [&messages, &output] {
             for (const std::string &message : messages) {
                 bool finished = true;
                 output->send(message, finished);
             }
         }},
        // The rig keeps every message; without this its list would grow
        // by the round and slow whichever write comes later.
        [&rig] { rig.clearSent(); });
    // Both must have sent the same bytes, or the comparison says nothing.
    rig.clearSent();
    bool finished = true;
    output->send(messages.front(), finished);
    const bool plainSent = rig.sent("Keyboard") == std::vector<std::string>{messages.front()};
    const bool sameBytes = plainSent && recordFactoryWrite(rig) == messages && counts.refused == 0;
    MidiController::releaseInstance();
    report(qPrintable(writeLabel(counts.messages, "plain loop") + (sameBytes ? "" : " DIFFERENT BYTES")),
           medians[0], medians[1], 1.5);
}

void benchFirmware(int bytes)
{
    VirtualKeyboardRig rig({"Keyboard"}, {"Keyboard"});
    KeyboardSimulator &keyboard = rig.attachSimulator("Keyboard", "Keyboard", true);
    MidiController *link = MidiController::getInstance(true);
    if (!link) {
        std::printf("no keyboard in upgrade mode\n");
        return;
    }
    std::string image(std::size_t(bytes), '\0');
    std::mt19937 random(7);
    for (char &byte : image)
        byte = char(random());
    const int blocks = (bytes + 511) / 512;
    BenchTimer timer;
    const bool ok = link->sendFirmware(image, [](int) {});
    const double ms = timer.elapsedMs();
    const bool intact = keyboard.firmwareImage().compare(0, image.size(), image) == 0;
    report(qPrintable(QString("firmware %1 KB (%2 blocks)%3").arg(bytes / 1024).arg(blocks)
                          .arg(ok && intact ? "" : " FAILED")),
           ms, (blocks + 1) * 100.0, 1.02);
}
// A simulator program that answers nothing, so its ports are pairs that
// discovery tries in vain.
std::unique_ptr<QProcess> startSimulator(const QStringList &options)
{
    auto decoy = std::make_unique<QProcess>();
    decoy->setProcessChannelMode(QProcess::MergedChannels);
    decoy->start(TELVIR_SIMULATOR_PROGRAM, QStringList{"--api", "jack"} + options);
    QByteArray output;
    while (!output.contains("ready") && decoy->waitForReadyRead(10000))
        output += decoy->readAll();
    QThread::msleep(300); // let JACK settle before the next client comes
    return decoy;
}

int portIndex(bool output, const QString &name)
{
    const UINT count = output ? midiOutGetNumDevs() : midiInGetNumDevs();
    for (UINT port = 0; port < count; ++port) {
        if (output) {
            MIDIOUTCAPSW caps {};
            midiOutGetDevCapsW(port, &caps, sizeof caps);
            if (QString::fromWCharArray(caps.szPname).startsWith(name.left(31)))
                return int(port);
        } else {
            MIDIINCAPSW caps {};
            midiInGetDevCapsW(port, &caps, sizeof caps);
            if (QString::fromWCharArray(caps.szPname).startsWith(name.left(31)))
                return int(port);
        }
    }
    return -1;
}

// The keyboard simulator's ports: its output on a client named after its
// input's (" Out"), which the search takes for one device; or on a client
// whose name tells nothing, as the decoys' always are.
const QString kUnrelatedAnswerClient = "Sound Source";
const QStringList kKeyboardAsOneDevice = {"--name", "Telvir Keyboard"};
const QStringList kKeyboardUnrelatedNames = {"--name", "Telvir Keyboard", "--output-name", kUnrelatedAnswerClient};

struct LinkTimes
{
    double linkedMs = -1;
    double readMs = -1;
    int replies = 0;
};

// One search from no link, then a read of the settings.
LinkTimes linkAndRead()
{
    LinkTimes times;
    MidiController::releaseInstance();
    // As the editor and telvir search: the remembered pair first, and the
    // pair that linked remembered.
    LinkSearch search;
    search.preferred = RememberedPorts::preferred();
    BenchTimer linkTimer;
    MidiController *link = MidiController::getInstance(false, search);
    if (!link)
        return times;
    times.linkedMs = linkTimer.elapsedMs();
    RememberedPorts::setLastLinked(link->portPair());
    Settings settings;
    BenchTimer readTimer;
    times.replies = settings.recv();
    times.readMs = readTimer.elapsedMs();
    MidiController::releaseInstance();
    return times;
}

void reportLinkAndRead(const QString &what, const LinkTimes &times, double linkTargetMs)
{
    if (times.linkedMs < 0) {
        std::printf("%s: no keyboard found\n", qPrintable(what));
        return;
    }
    reportTarget(qPrintable("  " + what + ": linked"), times.linkedMs, linkTargetMs);
    reportTarget(qPrintable(QString("  %1: read (%2 replies)").arg(what).arg(times.replies)), times.readMs,
                 kReadTargetMs);
}

// Searches with nothing remembered, then again with the pair that linked.
void benchSearches(const QString &names, double firstLinkTargetMs)
{
    std::printf("%s:\n", qPrintable(names));
    RememberedPorts::forget();
    reportLinkAndRead("nothing remembered", linkAndRead(), firstLinkTargetMs);
    reportLinkAndRead("pair remembered", linkAndRead(), kRememberedLinkTargetMs);
}

// From a search's start to its end over JACK, with `silent` devices that
// never answer listed before the keyboard; nothing remembered, and names
// that tell nothing of one device (the keyboard's too, unless
// `keyboardOptions` say otherwise). Not found: the keyboard's ports are
// there, and it does not answer either. Medians of a few searches, and
// the first of them alone: the editor keeps a closed port connected for
// two seconds for the next search, so only the first one, which comes
// after a longer pause, connects every port, as at a start.
struct SearchTimes
{
    double foundMs = -1;
    double notFoundMs = -1;
    double firstFoundMs = -1;
    double firstNotFoundMs = -1;
};

double medianSearchMs(int trials, bool expectFound, double &firstMs)
{
    // Longer than the editor keeps closed ports connected.
    constexpr unsigned long kConnectionsGoneMs = 2500;
    QThread::msleep(kConnectionsGoneMs);
    std::vector<double> times;
    for (int trial = 0; trial < trials; ++trial) {
        MidiController::releaseInstance();
        RememberedPorts::forget();
        BenchTimer timer;
        const bool found = MidiController::getInstance(false) != nullptr;
        times.push_back(timer.elapsedMs());
        if (found != expectFound)
            return -1;
    }
    MidiController::releaseInstance();
    firstMs = times.front();
    return median(times);
}

// Where the silent devices are: a client of their own each (a simulator
// program, two clients as RtMidi gives each direction its own), or ports
// of one bridge client, as JACK lists hardware.
enum class SilentDevices { OwnClients, OneBridge };

SearchTimes searchAmongSilentDevices(int silent, SilentDevices where, const QStringList &keyboardOptions)
{
    SearchTimes times;
    JackKeyboardFixture jack;
    std::vector<std::unique_ptr<QProcess>> simulators;
    QProcess bridge;
    const auto silentDevice = [](int number) {
        const QString name = QString("Silent %1").arg(number, 2, 10, QChar('0'));
        return QStringList{"--name", name, "--output-name", name + " Sender", "--silent"};
    };
    const bool ownClients = where == SilentDevices::OwnClients && silent > 0;
    const bool started = ownClients ? jack.start(silentDevice(1)) : jack.startServerAlone();
    if (!started) {
        std::printf("JACK: %s\n", qPrintable(jack.error()));
        return times;
    }
    if (ownClients) {
        for (int number = 2; number <= silent; ++number)
            simulators.push_back(startSimulator(silentDevice(number)));
    } else if (silent > 0) {
        bridge.start(TELVIR_SILENT_BRIDGE_PROGRAM, {QString::number(silent)});
        if (!bridge.waitForReadyRead(10000) || !bridge.readAll().contains("ready")) {
            std::printf("JACK: no silent bridge: %s\n", bridge.readAllStandardError().constData());
            return times;
        }
    }
    simulators.push_back(startSimulator(keyboardOptions));
    times.foundMs = medianSearchMs(5, true, times.firstFoundMs);
    // The keyboard's ports still there, and nothing answers on them.
    simulators.back()->terminate();
    simulators.back()->waitForFinished(3000);
    simulators.back() = startSimulator(keyboardOptions + QStringList{"--silent"});
    times.notFoundMs = medianSearchMs(3, false, times.firstNotFoundMs);
    for (auto &simulator : simulators) {
        simulator->terminate();
        simulator->waitForFinished(3000);
    }
    bridge.closeWriteChannel();
    bridge.waitForFinished(3000);
    return times;
}

void benchSearchRounds()
{
    std::printf("Search over JACK among silent devices listed before the keyboard, nothing remembered "
                "(median of 5 found, 3 not found):\n");
    const QList<int> counts{0, 8, 24};
    for (const auto &[devices, where] : {std::pair<const char *, SilentDevices>{"devices of one bridge client",
                                                                                 SilentDevices::OneBridge},
                                         {"devices with clients of their own", SilentDevices::OwnClients}}) {
        for (const auto &[names, options] : {std::pair<const char *, QStringList>{"names that tell nothing",
                                                                                   kKeyboardUnrelatedNames},
                                             {"the keyboard's names of one device", kKeyboardAsOneDevice}}) {
            const QString what = QString("%1, %2").arg(devices, names);
            std::map<int, SearchTimes> times;
            for (int silent : counts) {
                times[silent] = searchAmongSilentDevices(silent, where, options);
                std::printf("  %s, %2d silent: found %8.1f ms (first %8.1f), not found %8.1f ms (first %8.1f)\n",
                            qPrintable(what), silent, times[silent].foundMs, times[silent].firstFoundMs,
                            times[silent].notFoundMs, times[silent].firstNotFoundMs);
            }
            std::printf("  %s, 24 : 0, found:     ratio %.2f, first %.2f (target <= 1.5)\n", qPrintable(what),
                        times[24].foundMs / times[0].foundMs, times[24].firstFoundMs / times[0].firstFoundMs);
            std::printf("  %s, 24 : 0, not found: ratio %.2f, first %.2f (target <= 1.2)\n", qPrintable(what),
                        times[24].notFoundMs / times[0].notFoundMs,
                        times[24].firstNotFoundMs / times[0].firstNotFoundMs);
        }
    }
}

// One piece of the window's keyboard work: from launch, in ms.
struct WindowWork
{
    double startMs = 0;
    double endMs = 0;
    double longestStallMs = 0;
};

// What the editor's window shows of its keyboard work, from the window
// probe's lines.
void benchWindow(const QString &what, double linkTargetMs)
{
    MidiController::releaseInstance();
    QProcess probe;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (environment.value("QT_QPA_PLATFORM").isEmpty())
        environment.insert("QT_QPA_PLATFORM", "offscreen");
    probe.setProcessEnvironment(environment);
    const long long startNs = monotonicNs();
    probe.start(QCoreApplication::applicationDirPath() + "/bench-keyboard-window", QStringList());
    probe.waitForFinished(60000);
    std::vector<WindowWork> works;
    QStringList boxes;
    for (const QByteArray &line : probe.readAllStandardOutput().split('\n')) {
        if (line.startsWith("box ") || line.startsWith("problem "))
            boxes << QString::fromUtf8(line);
        const QList<QByteArray> fields = line.split(' ');
        if (fields.value(0) == "work" && fields.size() == 4)
            works.push_back({double(fields[1].toLongLong() - startNs) / 1e6,
                             double(fields[2].toLongLong() - startNs) / 1e6, fields[3].toDouble()});
    }
    std::printf("The editor's window, %s (%s):\n", qPrintable(what), qPrintable(boxes.join("; ")));
    // Search and read at start-up, then "Send to Keyboard": its search
    // (at once, the link is there) and the send.
    if (works.size() != 4) {
        std::printf("  %d pieces of keyboard work instead of 4\n", int(works.size()));
        return;
    }
    const WindowWork &search = works[0], &read = works[1], &sendSearch = works[2], &send = works[3];
    reportTarget("  launch to linked", search.endMs, linkTargetMs);
    reportTarget("  read", read.endMs - read.startMs, kReadTargetMs);
    std::printf("%-44s %11.3f ms\n", "  send", send.endMs - send.startMs);
    reportTarget("  longest GUI stall during the search", search.longestStallMs, kStallTargetMs);
    reportTarget("  longest GUI stall during the read", read.longestStallMs, kStallTargetMs);
    reportTarget("  longest GUI stall during the send", std::max(sendSearch.longestStallMs, send.longestStallMs),
                 kStallTargetMs);
}

// Waits for the keyboard's handshake reply on an input port.
class HandshakeListener : public MidiInputSink
{
public:
    void receive(const unsigned char *bytes, std::size_t size) override
    {
        if (std::string(reinterpret_cast<const char *>(bytes), size) != kHandshakeReply)
            return;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            answered_ = true;
        }
        changed_.notify_all();
    }
    void waitUntilHandled() override {}

    bool waitForAnswer(std::chrono::milliseconds timeout)
    {
        std::unique_lock<std::mutex> lock(mutex_);
        return changed_.wait_for(lock, timeout, [this] { return answered_; });
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool answered_ = false;
};

// How soon after its ports are connected the keyboard's answer to the
// handshake reliably comes: on fresh connections each time, the handshake
// after a fixed settle time, or as soon as the backend confirms both
// connections live (settleMs < 0). Answers count within the 600 ms that a
// search waits for one.
void benchSettle(int output, int input, int settleMs, int trials)
{
    const std::shared_ptr<MidiBackend> backend = currentMidiBackend();
    int answered = 0, confirmed = 0;
    std::vector<double> untilAnswerMs;
    for (int trial = 0; trial < trials; ++trial) {
        MMRESULT result = 0;
        HandshakeListener listener;
        std::unique_ptr<MidiBackendOutput> out = backend->openOutput(UINT(output), result);
        std::unique_ptr<MidiBackendInput> in = out ? backend->openInput(UINT(input), listener, result) : nullptr;
        if (!in)
            continue;
        BenchTimer timer;
        if (settleMs < 0) {
            if (out->waitUntilLive() && in->waitUntilLive())
                ++confirmed;
        } else {
            QThread::msleep(unsigned(settleMs));
        }
        bool finished = true;
        out->send(kHandshakeRequest, finished);
        if (listener.waitForAnswer(std::chrono::milliseconds(600))) {
            ++answered;
            untilAnswerMs.push_back(timer.elapsedMs());
        }
    }
    const QString settle = settleMs < 0 ? QString("confirmed live (%1 of %2)").arg(confirmed).arg(trials)
                                        : QString("%1 ms").arg(settleMs);
    std::printf("  settle %-26s answered %2d of %d  connected to answer: median %7.1f ms, longest %7.1f ms\n",
                qPrintable(settle), answered, trials, untilAnswerMs.empty() ? 0.0 : median(untilAnswerMs),
                untilAnswerMs.empty() ? 0.0 : *std::max_element(untilAnswerMs.begin(), untilAnswerMs.end()));
}

void restartKeyboard(std::vector<std::unique_ptr<QProcess>> &simulators, const QStringList &options)
{
    MidiController::releaseInstance();
    simulators.back()->terminate();
    simulators.back()->waitForFinished(3000);
    simulators.back() = startSimulator(options);
}

void benchJack(int firmwareBytes)
{
    // Recorded on virtual ports first: that rig puts the system's MIDI back
    // and drops any live link when it goes.
    const std::vector<std::string> messages = recordFactoryWrite();

    // JACK lists ports in the order they came, so the decoys come first and
    // a search in the plain order tries their pairs before the keyboard's.
    // Their output clients are named so that no decoy looks like one device.
    JackKeyboardFixture jack;
    if (!jack.start({"--name", "Decoy A", "--output-name", "Decoy A Sender", "--silent"})) {
        std::printf("JACK: %s\n", qPrintable(jack.error()));
        return;
    }
    std::vector<std::unique_ptr<QProcess>> simulators;
    simulators.push_back(startSimulator({"--name", "Decoy B", "--output-name", "Decoy B Sender", "--silent"}));
    simulators.push_back(startSimulator(kKeyboardUnrelatedNames));

    const int outputs = int(midiOutGetNumDevs());
    const int inputs = int(midiInGetNumDevs());
    const int out = portIndex(true, JackKeyboardFixture::keyboardInputPort());
    const int in = portIndex(false, kUnrelatedAnswerClient + ":");
    const int pair = out * inputs + in + 1;
    std::printf("Over JACK (%d output and %d input ports, the keyboard on pair %d):\n", outputs, inputs, pair);
    for (int port = 0; port < outputs; ++port) {
        MIDIOUTCAPSW caps {};
        midiOutGetDevCapsW(UINT(port), &caps, sizeof caps);
        MIDIINCAPSW inCaps {};
        if (port < inputs)
            midiInGetDevCapsW(UINT(port), &inCaps, sizeof inCaps);
        std::printf("  output %d: %-31s input %d: %s\n", port, qPrintable(QString::fromWCharArray(caps.szPname)),
                    port, qPrintable(QString::fromWCharArray(inCaps.szPname)));
    }

    if (out < 0 || in < 0) {
        std::printf("JACK does not list the keyboard's ports\n");
        return;
    }

    constexpr int kSettleTrials = 50;
    std::printf("Handshake on %d fresh connections to the keyboard each, by settle time:\n", kSettleTrials);
    for (int settleMs : {0, 5, 20, 50, 300, -1})
        benchSettle(out, in, settleMs, kSettleTrials);

    benchSearches("The keyboard's ports under names that tell nothing of one device", kPlainOrderLinkTargetMs);
    RememberedPorts::forget();
    benchWindow("nothing remembered, names that tell nothing", kPlainOrderLinkTargetMs);

    restartKeyboard(simulators, kKeyboardAsOneDevice);
    benchSearches("The keyboard's ports under one device name", kSameDeviceLinkTargetMs);
    benchWindow("pair remembered", kRememberedLinkTargetMs);

    MidiController *link = MidiController::getInstance(false);
    if (!link) {
        std::printf("no keyboard for the write\n");
        return;
    }

    // The plain loop is RtMidi itself on a client of its own, connected
    // to the keyboard's port next to the link's, so that the two writes can
    // take turns.
    RtMidiOut plain(RtMidi::UNIX_JACK, "Telvir Bench");
    unsigned int plainPort = plain.getPortCount();
    for (unsigned int port = 0; port < plain.getPortCount(); ++port)
        if (QString::fromStdString(plain.getPortName(port)) == JackKeyboardFixture::keyboardInputPort())
            plainPort = port;
    if (plainPort == plain.getPortCount()) {
        std::printf("RtMidi does not see the keyboard's port\n");
        return;
    }
    plain.openPort(plainPort);
    QThread::msleep(300);
    // The same loop through the editor's own backend as well, to tell the
    // port layer's share of the difference from the backend's.
    MMRESULT result = 0;
    std::unique_ptr<MidiBackendOutput> backendOutput = currentMidiBackend()->openOutput(UINT(out), result);
    if (!backendOutput) {
        std::printf("the backend does not open the keyboard's port\n");
        return;
    }
    QThread::msleep(300);
    const Settings factory;
    MessageCounts counts;
    const std::vector<double> medians = compareWrites(
        {[&factory, &counts] { factory.send(0, &counts); },
         [&messages, &plain] {
             for (const std::string &message : messages)
                 plain.sendMessage(reinterpret_cast<const unsigned char *>(message.data()), message.size());
         },
         [&messages, &backendOutput] {
             for (const std::string &message : messages) {
                 bool finished = true;
                 backendOutput->send(message, finished);
             }
         },
         // A write is done once the server has every message: the same
         // loop and the backend's own wait for that.
         [&messages, &backendOutput] {
             for (const std::string &message : messages) {
                 bool finished = true;
                 backendOutput->send(message, finished);
             }
             DWORD unsent = 0;
             backendOutput->drain(unsent);
         }},
        // The outputs are emptied once per JACK period (5.3 ms); four
        // periods between writes keep them from filling up.
        [] { QThread::msleep(20); });
    plain.closePort();
    backendOutput.reset();
    MidiController::releaseInstance();
    report(qPrintable(writeLabel(counts.messages, "the backend's sends and drain")
                      + (counts.refused ? " REFUSED" : "")),
           medians[0], medians[3], 1.5);
    std::printf("%-44s %11.3f ms  (queued, not yet taken by the server)\n", "  plain RtMidi loop", medians[1]);
    std::printf("%-44s %11.3f ms  (the port backend's send alone, same loop)\n", "  plain loop over the editor's backend",
                medians[2]);
    QThread::msleep(300);

    if (firmwareBytes == 0) {
        for (auto &simulator : simulators) {
            simulator->terminate();
            simulator->waitForFinished(3000);
        }
        return;
    }
    simulators.back()->terminate();
    simulators.back()->waitForFinished(3000);
    simulators.back() = startSimulator({"--name", "Telvir Keyboard", "--upgrade"});
    MidiController *upgradeLink = MidiController::getInstance(true);
    if (!upgradeLink) {
        std::printf("no keyboard in upgrade mode\n");
        return;
    }
    std::string image(std::size_t(firmwareBytes), '\0');
    std::mt19937 random(11);
    for (char &byte : image)
        byte = char(random());
    const int blocks = (firmwareBytes + 511) / 512;
    BenchTimer firmwareTimer;
    const bool ok = upgradeLink->sendFirmware(image, [](int) {});
    report(qPrintable(QString("firmware %1 KB (%2 blocks)%3").arg(firmwareBytes / 1024).arg(blocks)
                          .arg(ok ? "" : " FAILED")),
           firmwareTimer.elapsedMs(), (blocks + 1) * 100.0, 1.02);
    MidiController::releaseInstance();
    for (auto &simulator : simulators) {
        simulator->terminate();
        simulator->waitForFinished(3000);
    }
}

struct StartupRun
{
    double paintedMs = 0; // from the start to the end of the first paint
    double exitMs = 0;    // the whole run, tear-down included
    long peakKb = 0;
};

// Runs a probe to its first painted window: the time until that paint was
// over, as the probe read it on the same clock; the time until it ended;
// and the peak resident memory that the probe reads of itself (the rusage
// of a child also counts the parent's memory at the fork).
StartupRun runProbe(const QString &path)
{
    StartupRun run;
    QProcess probe;
    // No MIDI ports: no JACK server under this name, and no ALSA sequencer
    // here. Only the probes get it: the JACK part of the bench runs later.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("JACK_DEFAULT_SERVER", "telvir-bench-no-server");
    if (environment.value("QT_QPA_PLATFORM").isEmpty())
        environment.insert("QT_QPA_PLATFORM", "offscreen");
    probe.setProcessEnvironment(environment);
    const long long startNs = monotonicNs();
    BenchTimer timer;
    probe.start(path, QStringList());
    probe.waitForFinished(30000);
    run.exitMs = timer.elapsedMs();
    const QByteArray output = probe.readAllStandardOutput();
    for (const QByteArray &line : output.split('\n')) {
        if (line.startsWith("painted-ns "))
            run.paintedMs = double(line.mid(11).trimmed().toLongLong() - startNs) / 1e6;
        else if (line.startsWith("peak-kb "))
            run.peakKb = line.mid(8).trimmed().toLong();
    }
    return run;
}

void benchStartup()
{
    const QString folder = QCoreApplication::applicationDirPath();
    constexpr int kRuns = 21;
    std::vector<double> editorMs, bareMs, editorExitMs, bareExitMs;
    long editorKb = 0, bareKb = 0;
    for (int run = 0; run < kRuns; ++run) {
        const StartupRun editor = runProbe(folder + "/bench-startup-editor");
        const StartupRun bare = runProbe(folder + "/bench-startup-bare");
        editorMs.push_back(editor.paintedMs);
        bareMs.push_back(bare.paintedMs);
        editorExitMs.push_back(editor.exitMs);
        bareExitMs.push_back(bare.exitMs);
        editorKb = std::max(editorKb, editor.peakKb);
        bareKb = std::max(bareKb, bare.peakKb);
    }
    std::printf("Start-up to the end of the first paint, median of %d runs (%s):\n", kRuns,
                qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ? "offscreen" : qgetenv("QT_QPA_PLATFORM").constData());
    report("start-up, editor vs bare window", median(editorMs), median(bareMs), 1.3);
    std::printf("%-44s %11.3f ms  bare %11.3f ms  (the whole run, tear-down included)\n", "  until the probe ended",
                median(editorExitMs), median(bareExitMs));
    const double extraMb = (editorKb - bareKb) / 1024.0;
    std::printf("%-44s %10.1f MB  bare %8.1f MB  above bare %.1f MB  (target <= 10) %s\n", "peak memory",
                editorKb / 1024.0, bareKb / 1024.0, extraMb, extraMb <= 10 ? "ok" : "MISSED");
}
} // namespace

int main(int argc, char *argv[])
{
    // The searches remember and forget port pairs in the editor's settings:
    // the bench and its probes keep theirs in a folder of their own, made
    // before anything reads settings, and never touch the user's.
    QTemporaryDir settingsFolder;
    if (!settingsFolder.isValid()) {
        std::fprintf(stderr, "no temporary folder for the settings\n");
        return 1;
    }
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(settingsFolder.path()));
    QCoreApplication application(argc, argv);
    // The hex dump of every received buffer is a debug line; keep it out.
    QLoggingCategory::setFilterRules("*.debug=false");
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Measures the editor's overhead on top of the keyboard protocol's "
                                                    "waits and prints each result as a ratio."));
    parser.addHelpOption();
    const QCommandLineOption quickOption("quick", "16 KB of firmware instead of 256 KB; with --soak a tenth of it.");
    const QCommandLineOption jackOption("jack", "Also over a private JACK server with the simulator program.");
    const QCommandLineOption startupOnlyOption("startup-only", "Only the start-up to the first painted window.");
    const QCommandLineOption writeOnlyOption(
        "write-only", "Only the read and write (over JACK also the searches and the window); no start-up, no firmware.");
    const QCommandLineOption soakOption("soak", "Only the soak over JACK.");
    const QCommandLineOption tableOnlyOption("table-only", "Only the All Controls table: opening it and an edit in it.");
    const QCommandLineOption liveOption("live", "Only Live, following the keyboard and the monitor, over JACK.");
    const QCommandLineOption libraryOption("library", "Only the library with 10,000 setups and 100,000 events.");
    const QCommandLineOption filesOption("files", "Only the .syx imports: a 1 MB file and the largest one taken.");
    const QCommandLineOption searchOnlyOption("search-only",
                                              "Only the searches among 0, 8 and 24 silent devices over JACK.");
    const QCommandLineOption realtimeOption(
        "realtime", "Only a minute at 64 frames a period: the JACK callback's longest run and the xruns.");
    const QCommandLineOption checkedOption(
        "checked", "Only the checked write, against a write and a read, and a write to a slow keyboard.");
    parser.addOptions({quickOption, jackOption, startupOnlyOption, writeOnlyOption, soakOption, tableOnlyOption,
                       liveOption, libraryOption, filesOption, searchOnlyOption, realtimeOption, checkedOption});
    parser.process(application);
    const bool quick = parser.isSet(quickOption);
    const bool startupOnly = parser.isSet(startupOnlyOption);
    const bool writeOnly = parser.isSet(writeOnlyOption);
    const bool jack = parser.isSet(jackOption);
    const bool soak = parser.isSet(soakOption);
    const bool tableOnly = parser.isSet(tableOnlyOption);
    if (parser.isSet(realtimeOption)) {
        benchRealtime();
        return 0;
    }
    if (parser.isSet(liveOption)) {
        benchLive();
        return 0;
    }
    if (parser.isSet(checkedOption)) {
        benchCheckedWrite(jack);
        return 0;
    }
    if (parser.isSet(libraryOption)) {
        QProcess probe;
        probe.setProcessChannelMode(QProcess::ForwardedChannels);
        probe.start(QCoreApplication::applicationDirPath() + "/bench-library", {QStringLiteral(TELVIR_PROGRAM)});
        probe.waitForFinished(-1);
        return probe.exitCode();
    }
    if (parser.isSet(filesOption)) {
        benchSysexImport();
        return 0;
    }
    if (parser.isSet(searchOnlyOption)) {
        benchSearchRounds();
        return 0;
    }
    if (soak) {
        benchSoak(quick ? 100 : 1000, quick ? 10 : 100);
        return 0;
    }

    if (!writeOnly && !tableOnly)
        benchStartup();
    if (!writeOnly && !startupOnly)
        benchAllControls();
    if (startupOnly || tableOnly)
        return 0;
    if (!writeOnly)
        benchSysexImport();
    const int firmwareBytes = writeOnly ? 0 : quick ? 16 * 1024 : 256 * 1024;
    std::printf("Over in-process virtual ports:\n");
    if (!writeOnly)
        benchDiscovery();
    benchReadAndWrite();
    if (firmwareBytes > 0)
        benchFirmware(firmwareBytes);
    if (jack) {
        benchJack(firmwareBytes);
        benchSearchRounds();
    }
    return 0;
}
