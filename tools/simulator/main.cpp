// The keyboard simulator program: a simulated Telvir keyboard on a virtual
// MIDI input and output port (on JACK, the ports of its own two clients), to
// try the editor or run tests against a real MIDI system without hardware.
// It prints one "ready" line once its ports are up and runs until it gets
// SIGINT or SIGTERM.

#include "keyboardsimulator.h"
#include "midi/pipewirejackmidi.h"
#include "replyscheduler.h"
#include "simulatoroptions.h"

#include <RtMidi.h>

#include <QByteArray>
#include <QCoreApplication>
#include <QStringList>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <memory>
#include <mutex>
#include <pthread.h>
#include <string>

namespace {
const char *const kInputPortName = "MIDI In";
const char *const kOutputPortName = "MIDI Out";

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
    std::unique_ptr<ReplyScheduler> replies;
    // Set once everything above is in place; the input callback runs on the
    // MIDI system's thread and checks it first.
    std::atomic<bool> running{false};
};

void received(double, std::vector<unsigned char> *message, void *sessionData)
{
    auto *session = static_cast<Session *>(sessionData);
    if (!session->running.load(std::memory_order_acquire) || !message || message->empty())
        return;
    const std::string bytes(message->begin(), message->end());
    if (session->verbose)
        std::printf("in:  %s\n", hex(bytes).c_str());
    for (const SimulatorReply &reply : session->keyboard.receive(bytes))
        session->replies->schedule(std::string(), reply.bytes, reply.delayMs);
    if (session->verbose)
        std::fflush(stdout);
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
    session.replies = std::make_unique<ReplyScheduler>([&](const std::string &, const std::string &bytes) {
        output.sendMessage(reinterpret_cast<const unsigned char *>(bytes.data()), bytes.size());
        if (session.verbose) {
            std::printf("out: %s\n", hex(bytes).c_str());
            std::fflush(stdout);
        }
    });
    session.running.store(true, std::memory_order_release);
    ports.input->setCallback(&received, &session);

    std::printf("ready: %s keyboard \"%s\" on %s%s\n", options.upgradeMode ? "upgrade-mode" : "normal",
                options.name.c_str(), RtMidi::getApiDisplayName(opened).c_str(),
                options.silent ? " (silent)" : "");
    std::fflush(stdout);

    int signal = 0;
    sigwait(&stopSignals, &signal);

    // Input first, so nothing schedules replies on a scheduler that is gone.
    session.running.store(false, std::memory_order_release);
    ports.input->cancelCallback();
    ports.input->closePort();
    ports.input.reset();
    session.replies.reset();
    ports.output->closePort();
    ports.output.reset();
    return 0;
}
