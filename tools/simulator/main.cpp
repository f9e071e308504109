// The keyboard simulator program: a simulated Telvir keyboard on a virtual
// MIDI input and output port (on JACK, the ports of its own two clients), to
// try the editor or run tests against a real MIDI system without hardware.
// It prints one "ready" line once its ports are up and runs until it gets
// SIGINT or SIGTERM.

#include "inputring.h"
#include "keyboardsimulator.h"
#include "midi/pipewirejackmidi.h"
#include "playedmessage.h"
#include "replyscheduler.h"
#include "simulatoroptions.h"

#include <RtMidi.h>

#include <QByteArray>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QStringList>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <functional>
#include <memory>
#include <mutex>
#include <pthread.h>
#include <string>
#include <thread>

namespace {
const char *const kInputPortName = "MIDI In";
const char *const kOutputPortName = "MIDI Out";
// Room for some 150,000 short messages: more than a whole firmware image,
// for a receiving thread that a loaded machine keeps waiting for seconds.
constexpr std::size_t kInputRingBytes = 1 << 20;
// How often the receiving thread looks for the end when nothing comes.
constexpr std::chrono::milliseconds kReceivePoll {100};

// RtMidi reports through this once it is set, instead of throwing or
// printing; JACK's "server not running" comes as a warning.
struct Problems
{
    std::mutex mutex;
    std::string text;

    static void report(RtMidiError::Type, const std::string &message, void *problems)
    {
        auto *self = static_cast<Problems *>(problems);
        std::lock_guard<std::mutex> lock(self->mutex);
        if (self->text.empty())
            self->text = message;
    }

    std::string take()
    {
        std::lock_guard<std::mutex> lock(mutex);
        std::string taken;
        taken.swap(text);
        return taken;
    }
};

struct Ports
{
    Problems problems;
    std::unique_ptr<RtMidiIn> input;
    std::unique_ptr<RtMidiOut> output;
};

bool openPorts(RtMidi::Api api, const SimulatorOptions &options, Ports &ports, std::string &failure)
{
    try {
        ports.input = std::make_unique<RtMidiIn>(api, options.name);
        ports.input->setErrorCallback(&Problems::report, &ports.problems);
        ports.output = std::make_unique<RtMidiOut>(api, options.outputName);
        ports.output->setErrorCallback(&Problems::report, &ports.problems);
        // Connects to the MIDI system first: a virtual port on a JACK client
        // that could not connect would not be created safely.
        ports.input->getPortCount();
        ports.output->getPortCount();
        failure = ports.problems.take();
        if (failure.empty()) {
            ports.input->ignoreTypes(false, true, true);
            ports.input->openVirtualPort(kInputPortName);
            ports.output->openVirtualPort(kOutputPortName);
            failure = ports.problems.take();
        }
    } catch (const RtMidiError &error) {
        failure = error.getMessage();
    }
    if (failure.empty())
        return true;
    ports.input.reset();
    ports.output.reset();
    return false;
}

struct Session
{
    KeyboardSimulator keyboard;
    bool verbose = false;
    bool timestamps = false;

    // "123456789 " with timestamps, else nothing.
    std::string stamp() const
    {
        if (!timestamps)
            return std::string();
        return std::to_string(std::chrono::duration_cast<std::chrono::nanoseconds>(
                                  std::chrono::steady_clock::now().time_since_epoch())
                                  .count())
            + " ";
    }
    std::unique_ptr<ReplyScheduler> replies;
    // A handshake was answered: an editor is linked.
    std::atomic<bool> linked{false};
    // Used by the receiving thread only.
    std::size_t firmwareErrorsReported = 0;
    // Replies and played messages come from two threads; RtMidi's output is
    // not safe to share between them.
    std::mutex outputMutex;
};

bool isHandshake(const std::string &bytes)
{
    return bytes == KeyboardSimulator::kHandshakeRequest || bytes == KeyboardSimulator::kUpgradeProbeSecond;
}

// Sends the messages of `source` at `rate` per second, in the order of its
// lines; an invalid line is told on standard error and skipped.
void play(std::istream &source, int rate, const std::function<void(const std::string &)> &send,
          const std::atomic<bool> &stopping)
{
    const auto interval = std::chrono::nanoseconds(std::chrono::seconds(1)) / rate;
    auto due = std::chrono::steady_clock::now();
    std::string line;
    int lineNumber = 0;
    int played = 0;
    while (!stopping.load() && std::getline(source, line)) {
        ++lineNumber;
        std::string bytes;
        std::string error;
        switch (PlayedMessage::parse(line, &bytes, &error)) {
        case PlayedMessage::Line::Nothing:
            continue;
        case PlayedMessage::Line::Invalid:
            std::fprintf(stderr, "line %d: %s\n", lineNumber, error.c_str());
            continue;
        case PlayedMessage::Line::Message:
            break;
        }
        // Paced by a schedule, not by sleeps of one interval each, so the
        // rate holds however long a send takes.
        const auto now = std::chrono::steady_clock::now();
        if (due > now)
            std::this_thread::sleep_until(due);
        else
            due = now;
        due += interval;
        send(bytes);
        ++played;
    }
    std::printf("played: %d messages\n", played);
    std::fflush(stdout);
}

// Once per transfer, without --verbose: the image the keyboard took, as its
// size and SHA-256, and every fault of the transfer as it is seen, so a test
// can tell an image that arrived byte for byte from one that did not.
void reportFirmware(Session &session, bool wasComplete)
{
    const std::vector<std::string> errors = session.keyboard.firmwareErrors();
    bool printed = false;
    for (std::size_t index = session.firmwareErrorsReported; index < errors.size(); ++index) {
        std::printf("firmware fault: %s\n", errors[index].c_str());
        printed = true;
    }
    session.firmwareErrorsReported = errors.size();
    if (!wasComplete && session.keyboard.firmwareComplete()) {
        const std::string image = session.keyboard.firmwareImage();
        const QByteArray digest = QCryptographicHash::hash(QByteArray::fromStdString(image), QCryptographicHash::Sha256);
        std::printf("firmware image: %zu bytes, sha256 %s\n", image.size(), digest.toHex().constData());
        printed = true;
    }
    if (printed)
        std::fflush(stdout);
}

// The ring the MIDI system's thread fills. RtMidi hands its callback's
// data over through libjack, whose ordering ThreadSanitizer cannot see;
// this atomic makes the ring's construction visibly come first.
std::atomic<InputRing *> arrivalRing{nullptr};

// On the MIDI system's thread, in JACK's process cycle: see InputRing.
void arrived(double, std::vector<unsigned char> *message, void *)
{
    InputRing *ring = arrivalRing.load(std::memory_order_acquire);
    if (ring && message && !message->empty())
        ring->push(message->data(), message->size());
}

void received(Session &session, const std::string &bytes)
{
    if (session.verbose)
        std::printf("in:  %s%s\n", session.stamp().c_str(), hex(bytes).c_str());
    const bool complete = session.keyboard.firmwareComplete();
    const int lostBefore = session.keyboard.lostCount();
    const std::vector<SimulatorReply> replies = session.keyboard.receive(bytes);
    if (session.verbose && session.keyboard.lostCount() != lostBefore)
        std::printf("lost: %s%s\n", session.stamp().c_str(), hex(bytes).c_str());
    reportFirmware(session, complete);
    for (const SimulatorReply &reply : replies)
        session.replies->schedule(std::string(), reply.bytes, reply.delayMs);
    if (!replies.empty() && isHandshake(bytes))
        session.linked.store(true, std::memory_order_release);
    if (session.verbose)
        std::fflush(stdout);
}

// The simulator's own thread: takes what arrived, in order, and says when
// messages found the ring full (a keyboard would have missed them too).
void receiveArrivals(Session &session, InputRing &ring, const std::atomic<bool> &stopping)
{
    std::string bytes;
    std::uint64_t overflowsReported = 0;
    while (!stopping.load()) {
        if (ring.pop(bytes, kReceivePoll))
            received(session, bytes);
        const std::uint64_t overflows = ring.overflows();
        if (overflows != overflowsReported) {
            std::printf("input overflow: %llu messages lost\n",
                        static_cast<unsigned long long>(overflows - overflowsReported));
            std::fflush(stdout);
            overflowsReported = overflows;
        }
    }
}
} // namespace

int main(int argc, char *argv[])
{
    // The help text takes the program's name from the application object.
    const QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    SimulatorOptions options;
    QString error;
    if (!options.parse(arguments, error)) {
        const bool help = arguments.contains("--help") || arguments.contains("-h");
        std::fprintf(help ? stdout : stderr, "%s\n", error.toLocal8Bit().constData());
        return help ? 0 : 2;
    }

    // Stop signals are taken by sigwait below; every thread started from
    // here on (RtMidi's, JACK's, the scheduler's) inherits the block.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    // RtMidi opens its JACK clients without a server name, so libjack takes
    // it from the environment: jackd2's from JACK_DEFAULT_SERVER,
    // PipeWire's from PIPEWIRE_REMOTE.
    if (!options.jackServer.empty()) {
        qputenv("JACK_DEFAULT_SERVER", QByteArray::fromStdString(options.jackServer));
        qputenv("PIPEWIRE_REMOTE", QByteArray::fromStdString(options.jackServer));
    }
    PipeWireJackMidi::keepEventsAsSent();

    Session session;
    session.verbose = options.verbose;
    session.timestamps = options.timestamps;
    options.applyTo(session.keyboard);

    std::vector<RtMidi::Api> apis;
    if (options.api.empty() || options.api == "alsa")
        apis.push_back(RtMidi::LINUX_ALSA);
    if (options.api.empty() || options.api == "jack")
        apis.push_back(RtMidi::UNIX_JACK);
    Ports ports;
    std::string failures;
    RtMidi::Api opened = RtMidi::UNSPECIFIED;
    for (RtMidi::Api api : apis) {
        std::string failure;
        if (openPorts(api, options, ports, failure)) {
            opened = api;
            break;
        }
        failures += RtMidi::getApiDisplayName(api) + ": " + failure + "\n";
    }
    if (opened == RtMidi::UNSPECIFIED) {
        std::fprintf(stderr, "Could not open virtual MIDI ports.\n%s", failures.c_str());
        return 1;
    }

    RtMidiOut &output = *ports.output;
    const auto send = [&](const std::string &bytes) {
        std::lock_guard<std::mutex> lock(session.outputMutex);
        output.sendMessage(reinterpret_cast<const unsigned char *>(bytes.data()), bytes.size());
        if (session.verbose) {
            std::printf("out: %s%s\n", session.stamp().c_str(), hex(bytes).c_str());
            std::fflush(stdout);
        }
    };
    session.replies = std::make_unique<ReplyScheduler>([&](const std::string &, const std::string &bytes) { send(bytes); });
    InputRing arrivals(kInputRingBytes);
    std::atomic<bool> stopReceiving{false};
    std::thread receiver([&] { receiveArrivals(session, arrivals, stopReceiving); });
    arrivalRing.store(&arrivals, std::memory_order_release);
    ports.input->setCallback(&arrived, nullptr);

    std::printf("ready: %s keyboard \"%s\" on %s%s\n", options.upgradeMode ? "upgrade-mode" : "normal",
                options.name.c_str(), RtMidi::getApiDisplayName(opened).c_str(),
                options.silent ? " (silent)" : "");
    std::fflush(stdout);

    std::ifstream playFile;
    if (!options.playFile.empty() && options.playFile != "-") {
        playFile.open(options.playFile);
        if (!playFile) {
            std::fprintf(stderr, "Could not open %s\n", options.playFile.c_str());
            return 1;
        }
    }
    std::istream &playSource = options.playFile == "-" ? std::cin : static_cast<std::istream &>(playFile);
    std::atomic<bool> stopping{false};
    std::thread player;
    if (!options.playFile.empty()) {
        player = std::thread([&] {
            while (options.playAfterLink && !session.linked.load(std::memory_order_acquire)) {
                if (stopping.load())
                    return;
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
            for (int waited = 0; waited < options.playDelayMs && !stopping.load(); waited += 10)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            play(playSource, options.playRate, send, stopping);
        });
    }

    int signal = 0;
    sigwait(&stopSignals, &signal);
    stopping.store(true);
    // A player still reading standard input is left to the process's end.
    if (player.joinable()) {
        if (options.playFile == "-")
            player.detach();
        else
            player.join();
    }

    // Input first, so nothing schedules replies on a scheduler that is gone.
    ports.input->cancelCallback();
    arrivalRing.store(nullptr, std::memory_order_release);
    ports.input->closePort();
    ports.input.reset();
    stopReceiving.store(true);
    receiver.join();
    session.replies.reset();
    ports.output->closePort();
    ports.output.reset();
    return 0;
}
