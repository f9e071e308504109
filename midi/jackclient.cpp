#include "midi/jackclient.h"

#include "midi/jacklogging.h"
#include "midi/pipewirejackmidi.h"
#include "midi/portchanges.h"

#include <QDebug>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <mutex>
#include <thread>

namespace {
// Room for what waits to go out on one port: more than a whole write of the
// settings or a firmware block at once (about 4 KB each), and small enough
// to stay in the processor's cache, which is what makes the queue cheap.
constexpr std::size_t kQueueBytes = 1 << 16;
// A sender waits this long for room before the message is refused; the
// process callback empties the queue by a MIDI buffer each cycle, so only a
// server that stopped running cycles makes it wait that long.
constexpr std::chrono::milliseconds kQueueWait {1000};
constexpr std::chrono::milliseconds kQueuePoll {1};

// A drain lets the callback go on as long as each cycle takes messages;
// every cycle takes at least one, so cycles without progress mean the port
// is gone from it. A server that runs no cycles at all is given longer, as
// a loaded machine may delay a cycle, and the whole drain has a cap.
constexpr std::uint64_t kDrainIdleCycles = 3;
constexpr std::chrono::milliseconds kDrainStall {2000};
constexpr std::chrono::milliseconds kDrainLimit {5000};
constexpr std::chrono::milliseconds kDrainPoll {1};
constexpr std::chrono::milliseconds kStallPoll {10};
constexpr std::uint64_t kCyclesUntilEmpty = 2;

// Two cycles take about 11 ms at 256 frames and 48 kHz, 43 ms at 1024;
// a server that runs none for this long is taken as one that cannot vouch.
constexpr std::chrono::milliseconds kLiveWait {100};
constexpr std::chrono::milliseconds kLivePoll {1};
constexpr std::uint64_t kCyclesUntilLive = 2;

// libjack prints to stderr by default, also when no server runs, which is
// the normal case for the editor; its lines go to the debug log instead.
void logJackError(const char *text)
{
    qCDebug(lcJack) << text;
}

// Once, before the first client: libjack's lines to the log, and MIDI
// events as they were sent.
void prepareJack()
{
    static std::once_flag once;
    std::call_once(once, [] {
        PipeWireJackMidi::keepEventsAsSent();
        jack_set_error_function(logJackError);
        jack_set_info_function(logJackError);
    });
}
} // namespace

std::shared_ptr<JackClient> JackClient::open(const std::string &name)
{
    prepareJack();
    // Until a call given up earlier returns, the server is taken as stalled:
    // a new client would only wait for it too.
    if (JackCallRunner::anyCallStuck())
        return nullptr;
    const char *server = std::getenv("JACK_DEFAULT_SERVER");
    // jackd2's libjack reads JACK_DEFAULT_SERVER by itself; PipeWire's
    // ignores it and takes only a name handed over here, so it is handed
    // over for both.
    const std::string serverName = server ? server : "";
    auto calls = std::make_shared<JackCallRunner>();
    auto opened = std::make_shared<jack_client_t *>(nullptr);
    if (!calls->run([opened, name, serverName] {
            jack_status_t status {};
            const auto named = static_cast<jack_options_t>(JackNoStartServer | JackServerName);
            *opened = serverName.empty() ? jack_client_open(name.c_str(), JackNoStartServer, &status)
                                         : jack_client_open(name.c_str(), named, &status, serverName.c_str());
        })) {
        qCDebug(lcJack) << "the JACK server does not answer";
        // A client that comes after all is closed again.
        calls->finish([opened] {
            if (*opened)
                jack_client_close(*opened);
            PortChanges::notify();
        });
        return nullptr;
    }
    jack_client_t *client = *opened;
    if (!client)
        return nullptr;
    std::shared_ptr<JackClient> self(new JackClient(client, server ? server : "", calls),
                                     [](JackClient *jack) { jack->release(); });
    jack_set_process_callback(client, &JackRealtimeRings::process, &self->rings_);
    jack_on_info_shutdown(client, &JackClient::shutdown, self.get());
    // PipeWire's libjack tells only this one when its server goes; jackd2's
    // calls the one above instead when both are set.
    jack_on_shutdown(client, &JackClient::serverGone, self.get());
    jack_set_port_registration_callback(client, &JackClient::portRegistered, nullptr);
    self->rings_.startReading();
    self->ports_.start();
    int activated = -1;
    if (!self->call<int>([client] { return jack_activate(client); }, activated) || activated != 0) {
        qCDebug(lcJack) << "the JACK client could not be activated";
        return nullptr;
    }
    return self;
}

JackClient::JackClient(jack_client_t *client, std::string serverName, std::shared_ptr<JackCallRunner> calls)
    : client_(client), serverName_(std::move(serverName)), calls_(std::move(calls)),
      rings_(jack_port_type_get_buffer_size(client, JACK_DEFAULT_MIDI_TYPE)), ports_(*this, client)
{
}

void JackClient::release()
{
    ports_.stop();
    // Closing also deactivates: no process callback runs after it. The
    // runner outlives this object for as long as its thread needs it.
    const std::shared_ptr<JackCallRunner> calls = calls_;
    const bool abandoned = abandoned_.load();
    calls->finish([this, abandoned] {
        jack_client_close(client_);
        delete this;
        if (abandoned)
            PortChanges::notify(); // the server answers again
    });
}

void JackClient::abandon()
{
    if (abandoned_.exchange(true))
        return;
    qCDebug(lcJack) << "the JACK server does not answer; the client is given up";
    PortChanges::notify();
}

std::vector<std::string> JackClient::midiPorts(bool readable) const
{
    std::vector<std::string> names;
    if (!alive())
        return names;
    const unsigned long direction = readable ? JackPortIsOutput : JackPortIsInput;
    const char **ports = jack_get_ports(client_, nullptr, JACK_DEFAULT_MIDI_TYPE, direction);
    if (!ports)
        return names;
    for (const char **name = ports; *name; ++name) {
        // Our own ports are not the keyboard's.
        const jack_port_t *port = jack_port_by_name(client_, *name);
        if (port && !jack_port_is_mine(client_, port))
            names.emplace_back(*name);
    }
    jack_free(ports);
    return names;
}

jack_port_t *JackClient::openOutput(const std::string &target, jack_ringbuffer_t *&queue, MMRESULT &result)
{
    if (!alive()) {
        result = MIDIERR_NODEVICE;
        return nullptr;
    }
    queue = jack_ringbuffer_create(kQueueBytes);
    if (!queue) {
        result = MMSYSERR_NOMEM;
        return nullptr;
    }
    bool connected = false;
    jack_port_t *port = ports_.takeParked(false, target, connected);
    if (!port)
        port = ports_.takePort(false);
    if (!port) {
        jack_ringbuffer_free(queue);
        result = MMSYSERR_ALLOCATED;
        return nullptr;
    }
    rings_.routeOutput(port, queue);
    result = connected ? MMSYSERR_NOERROR : connect(jack_port_name(port), target.c_str());
    if (result != MMSYSERR_NOERROR) {
        closePort(port);
        return nullptr;
    }
    ports_.markInUse(port, target);
    return port;
}

jack_port_t *JackClient::openInput(const std::string &source, MidiInputSink &sink, MMRESULT &result)
{
    if (!alive()) {
        result = MIDIERR_NODEVICE;
        return nullptr;
    }
    jack_ringbuffer_t *events = jack_ringbuffer_create(rings_.inputRingBytes());
    if (!events) {
        result = MMSYSERR_NOMEM;
        return nullptr;
    }
    // Its pages are touched now rather than in the callback's first cycle.
    jack_ringbuffer_mlock(events);
    bool connected = false;
    jack_port_t *port = ports_.takeParked(true, source, connected);
    if (!port)
        port = ports_.takePort(true);
    if (!port) {
        jack_ringbuffer_free(events);
        result = MMSYSERR_ALLOCATED;
        return nullptr;
    }
    // Routed before it is connected, so nothing that comes is missed.
    rings_.routeInput(port, sink, events);
    result = connected ? MMSYSERR_NOERROR : connect(source.c_str(), jack_port_name(port));
    if (result != MMSYSERR_NOERROR) {
        closePort(port);
        return nullptr;
    }
    ports_.markInUse(port, source);
    return port;
}

void JackClient::closePort(jack_port_t *port)
{
    const bool input = rings_.unroute(port);
    // Out of the callback's routes first, so nothing reaches the sink or
    // comes from the queue any more; then kept for the next open, connected
    // for a while (see jackportpool.h). A client whose server went keeps
    // nothing: it is let go.
    if (!alive())
        return;
    ports_.park(port, input);
}

MMRESULT JackClient::send(jack_ringbuffer_t *queue, const std::string &message)
{
    if (!alive())
        return MIDIERR_NODEVICE;
    if (message.empty())
        return MMSYSERR_INVALPARAM;
    if (message.size() > maxMessageSize())
        return MMSYSERR_NOTSUPPORTED; // would never fit into one cycle's buffer
    const auto size = std::uint32_t(message.size());
    const std::size_t needed = sizeof size + size;
    if (needed >= kQueueBytes)
        return MMSYSERR_NOTSUPPORTED;
    if (jack_ringbuffer_write_space(queue) < needed) {
        const auto deadline = std::chrono::steady_clock::now() + kQueueWait;
        while (jack_ringbuffer_write_space(queue) < needed) {
            if (!alive())
                return MIDIERR_NODEVICE;
            if (std::chrono::steady_clock::now() >= deadline)
                return MIDIERR_NOTREADY; // refused, never dropped
            std::this_thread::sleep_for(kQueuePoll);
        }
    }
    rings_.enqueue(queue, message);
    return MMSYSERR_NOERROR;
}

MMRESULT JackClient::drain(jack_ringbuffer_t *queue, DWORD &unsent)
{
    unsent = 0;
    std::size_t waiting = jack_ringbuffer_read_space(queue);
    if (waiting == 0) {
        waitForEmptyBuffer(queue);
        return MMSYSERR_NOERROR;
    }
    const auto start = std::chrono::steady_clock::now();
    auto progressAt = start;
    std::uint64_t progressCycle = cyclesDone();
    while (alive()) {
        std::this_thread::sleep_for(kDrainPoll);
        const std::size_t left = jack_ringbuffer_read_space(queue);
        if (left == 0) {
            waitForEmptyBuffer(queue);
            return MMSYSERR_NOERROR;
        }
        const auto now = std::chrono::steady_clock::now();
        if (left < waiting) {
            waiting = left;
            progressAt = now;
            progressCycle = cyclesDone();
        } else if (cyclesDone() >= progressCycle + kDrainIdleCycles) {
            break;
        } else if (now - progressAt >= kDrainStall) {
            if (cyclesDone() == progressCycle)
                waitForStalledServer();
            break;
        }
        if (now - start >= kDrainLimit)
            break;
    }
    unsent = rings_.withdrawQueued(queue);
    if (unsent == 0)
        return MMSYSERR_NOERROR; // the last ones went out while we gave up
    qCDebug(lcJack) << unsent << "MIDI messages did not go out";
    return alive() ? MIDIERR_NOTREADY : MIDIERR_NODEVICE;
}

std::vector<std::string> JackClient::rewritingListeners(jack_port_t *port, const std::string &target) const
{
    std::vector<std::string> names;
    if (!alive() || !PipeWireJackMidi::inUse())
        return names;
    const char **connections = jack_port_get_all_connections(client_, port);
    if (!connections)
        return names;
    for (const char **name = connections; *name; ++name) {
        if (target != *name)
            names.emplace_back(*name);
    }
    jack_free(connections);
    return names;
}

void JackClient::waitForEmptyBuffer(jack_ringbuffer_t *queue) const
{
    // The cycle that took the last message may still be under way, and a
    // client that leaves right after it leaves its port's buffer as it
    // was: the server's next cycle then hands the same messages over once
    // more. The cycle after the one that took them clears the buffer; when
    // that one has ended already (a search's handshakes, long gone when
    // its ports close), there is nothing to wait for.
    const std::uint64_t clearedBy = rings_.cycleClearing(queue, cyclesDone() + kCyclesUntilEmpty);
    const auto deadline = std::chrono::steady_clock::now() + kDrainStall;
    while (alive() && cyclesDone() < clearedBy && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(kDrainPoll);
}

void JackClient::waitForStalledServer()
{
    // No cycle ran for a long while: the server waits for a stopped client.
    // Until it runs one again, this client is lost and no new one is made.
    // Marked stuck before anyone hears of the lost client, so nobody tries
    // a new one meanwhile.
    calls_->runStuck([this, seen = cyclesDone()] {
        while (alive_.load() && cyclesDone() == seen)
            std::this_thread::sleep_for(kStallPoll);
    });
    abandon();
}

bool JackClient::waitUntilLive(jack_port_t *port, const std::string &other, std::uint64_t cycle) const
{
    // jackd2 shows a connection as soon as jack_connect returns; PipeWire's
    // libjack once the server has told the client about the new link, and
    // the cycles are counted from then.
    const auto deadline = std::chrono::steady_clock::now() + kLiveWait;
    while (!jack_port_connected_to(port, other.c_str())) {
        if (!alive() || std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(kLivePoll);
        cycle = cyclesDone();
    }
    while (cyclesDone() < cycle + kCyclesUntilLive) {
        if (!alive() || std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(kLivePoll);
    }
    return true;
}

MMRESULT JackClient::connect(const char *source, const char *destination)
{
    jack_client_t *client = client_;
    const std::string from = source;
    const std::string to = destination;
    int error = -1;
    if (!call<int>([client, from, to] { return jack_connect(client, from.c_str(), to.c_str()); }, error))
        return MIDIERR_NODEVICE;
    // The connection carries messages only from a later cycle on (jackd2
    // switches its graph at a cycle's start, PipeWire's libjack hears of
    // the link later still). Not waited for here: a search opens every
    // port first and confirms them all in one wait, and an output's first
    // message waits for its own (waitUntilLive).
    if (error == 0 || error == EEXIST)
        return MMSYSERR_NOERROR;
    qCDebug(lcJack) << "could not connect" << source << "to" << destination;
    return MIDIERR_NODEVICE;
}

void JackClient::shutdown(jack_status_t, const char *reason, void *self)
{
    qCDebug(lcJack) << "the JACK server dropped the client:" << reason;
    static_cast<JackClient *>(self)->alive_ = false;
    // Every port of the server is gone with it.
    PortChanges::notify();
}

void JackClient::serverGone(void *self)
{
    shutdown(JackFailure, "the server went away", self);
}

void JackClient::portRegistered(jack_port_id_t, int, void *)
{
    PortChanges::notify();
}
