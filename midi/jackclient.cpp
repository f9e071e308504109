#include "midi/jackclient.h"

#include "midi/midibackend.h"
#include "midi/pipewirejackmidi.h"
#include "midi/portchanges.h"

#include <jack/midiport.h>

#include <QDebug>
#include <QLoggingCategory>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace {
Q_LOGGING_CATEGORY(lcJack, "telvir.jack", QtWarningMsg)

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

// Room that JACK's MIDI buffer needs for its own bookkeeping, for the size
// estimate used until the first process cycle measures it.
constexpr std::size_t kMidiBufferOverhead = 64;

// A search listens on every input and asks every output at once.
constexpr int kMaxPortsPerDirection = 128;

// A closed port stays connected this long for the next open towards the
// same port (see the header): long enough for the link's own ports, opened
// right after a search's round, and for a search that follows another.
constexpr std::chrono::milliseconds kParkedTime {2000};

// One cycle hands an input no more than its port's MIDI buffer holds, and
// each event costs the ring less than it costs that buffer (4 bytes of
// length against at least 8 of JACK's own). The ring takes this many
// whole buffers, for a reader thread the machine keeps from running for
// as many periods; at 64 frames, 21 ms.
constexpr std::size_t kInputPeriods = 16;
constexpr std::size_t kMinInputRingBytes = 1 << 16;
// A replaced route table is freed once the cycle reading it has ended;
// a callback that has not ended after this long (a killed server thread)
// leaves the table to the end of the program instead.
constexpr std::chrono::milliseconds kCycleEndWait {1000};
// The reader thread looks for a stop this often when no input comes.
constexpr std::chrono::milliseconds kReaderPoll {100};

// PipeWire's libjack takes as many events into a cycle's MIDI buffer as
// jackd2's does, but then copies them into its own graph's buffer of the
// same size at a higher cost per event: a 16-byte control header, the bytes
// in steps of 8, and a 16-byte header for the whole sequence. What does not
// fit there is lost without a word, so a cycle is filled only up to that
// cost, which is more than jackd2 needs and so safe on both servers.
constexpr std::size_t kSequenceHeaderBytes = 16;
constexpr std::size_t kEventHeaderBytes = 16;

std::size_t eventCost(std::size_t size)
{
    return kEventHeaderBytes + (size + 7) / 8 * 8;
}

// The bytes one cycle may carry on a port whose empty buffer takes at most
// `capacity` bytes in one event.
std::size_t cycleBudget(std::size_t capacity)
{
    return capacity > kSequenceHeaderBytes ? capacity - kSequenceHeaderBytes : 0;
}

// The longest message whose cost fits the budget.
std::size_t longestMessage(std::size_t capacity)
{
    const std::size_t budget = cycleBudget(capacity);
    return budget > kEventHeaderBytes ? (budget - kEventHeaderBytes) / 8 * 8 : 0;
}

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

template <typename Routes>
auto findRoute(Routes &routes, jack_port_t *port)
{
    return std::find_if(routes.begin(), routes.end(), [port](const auto &route) { return route->port == port; });
}

// libjack's rings order their bytes for the processor in code that
// ThreadSanitizer does not see, so it took every hand-over for a race. The
// bytes are copied here instead, between the ring's own steps, and `order`
// carries the same ordering where it can follow it: a writer publishes
// after its copy, a reader frees room after its own.
void copyIntoRing(jack_ringbuffer_t *ring, std::atomic<std::uint64_t> &order, const char *bytes, std::size_t size)
{
    order.load(std::memory_order_acquire);
    jack_ringbuffer_data_t parts[2];
    jack_ringbuffer_get_write_vector(ring, parts);
    const std::size_t first = std::min(size, parts[0].len);
    // The second part's pointer is null when the first holds it all, and
    // memcpy may not be given null even for no bytes.
    if (first > 0)
        std::memcpy(parts[0].buf, bytes, first);
    if (size > first)
        std::memcpy(parts[1].buf, bytes + first, size - first);
    order.fetch_add(1, std::memory_order_release);
    jack_ringbuffer_write_advance(ring, size);
}

// The first `size` bytes waiting, left in the ring.
void peekRing(jack_ringbuffer_t *ring, std::atomic<std::uint64_t> &order, char *into, std::size_t size)
{
    order.load(std::memory_order_acquire);
    jack_ringbuffer_data_t parts[2];
    jack_ringbuffer_get_read_vector(ring, parts);
    const std::size_t first = std::min(size, parts[0].len);
    if (first > 0)
        std::memcpy(into, parts[0].buf, first);
    if (size > first)
        std::memcpy(into + first, parts[1].buf, size - first);
}

void skipInRing(jack_ringbuffer_t *ring, std::atomic<std::uint64_t> &order, std::size_t size)
{
    order.fetch_add(1, std::memory_order_release);
    jack_ringbuffer_read_advance(ring, size);
}

void takeFromRing(jack_ringbuffer_t *ring, std::atomic<std::uint64_t> &order, char *into, std::size_t size)
{
    peekRing(ring, order, into, size);
    skipInRing(ring, order, size);
}

// Into a port's buffer, which the server hands to the next client through
// shared memory that ThreadSanitizer cannot see either: copied by libjack,
// where its report is known to be about that hand-over.
void takeIntoPort(jack_ringbuffer_t *ring, std::atomic<std::uint64_t> &order, char *into, std::size_t size)
{
    order.load(std::memory_order_acquire);
    jack_ringbuffer_peek(ring, into, size);
    skipInRing(ring, order, size);
}

// The length of the first message waiting whole (each goes in as its
// length and its bytes, never empty); 0 while none is complete.
std::uint32_t wholeMessageWaiting(jack_ringbuffer_t *ring, std::atomic<std::uint64_t> &order)
{
    std::uint32_t size = 0;
    const std::size_t waiting = jack_ringbuffer_read_space(ring);
    if (waiting < sizeof size)
        return 0;
    peekRing(ring, order, reinterpret_cast<char *>(&size), sizeof size);
    return waiting < sizeof size + size ? 0 : size;
}

std::int64_t nanosecondsNow()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}
} // namespace

std::atomic<std::int64_t> JackClient::longestCycle_ {0};

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
    jack_set_process_callback(client, &JackClient::process, self.get());
    jack_on_info_shutdown(client, &JackClient::shutdown, self.get());
    // PipeWire's libjack tells only this one when its server goes; jackd2's
    // calls the one above instead when both are set.
    jack_on_shutdown(client, &JackClient::serverGone, self.get());
    jack_set_port_registration_callback(client, &JackClient::portRegistered, nullptr);
    self->reader_ = std::thread(&JackClient::readInputs, self.get());
    self->parking_ = std::thread(&JackClient::unparkIdle, self.get());
    for (const bool input : {true, false})
        if (jack_port_t *port = self->registerPort(input))
            (input ? self->spareInputs_ : self->spareOutputs_).push_back(port);
    int activated = -1;
    if (!self->call<int>([client] { return jack_activate(client); }, activated) || activated != 0) {
        qCDebug(lcJack) << "the JACK client could not be activated";
        return nullptr;
    }
    return self;
}

JackClient::JackClient(jack_client_t *client, std::string serverName, std::shared_ptr<JackCallRunner> calls)
    : client_(client), serverName_(std::move(serverName)), calls_(std::move(calls)), routes_(new Routes)
{
    const std::size_t bufferSize = jack_port_type_get_buffer_size(client, JACK_DEFAULT_MIDI_TYPE);
    maxMessageSize_ = longestMessage(bufferSize > kMidiBufferOverhead ? bufferSize - kMidiBufferOverhead : 0);
    inputRingBytes_ = std::max(bufferSize * kInputPeriods, kMinInputRingBytes);
    sem_init(&inputReady_, 0, 0);
}

JackClient::~JackClient()
{
    // The client is closed: no callback runs any more.
    stopReading_ = true;
    sem_post(&inputReady_);
    if (reader_.joinable())
        reader_.join();
    delete routes_.load();
    sem_destroy(&inputReady_);
}

JackClient::Output::~Output()
{
    jack_ringbuffer_free(queue);
}

JackClient::Input::~Input()
{
    jack_ringbuffer_free(events);
}

void JackClient::release()
{
    stopParking();
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

jack_port_t *JackClient::takePort(bool input)
{
    std::unique_lock<std::mutex> lock(spareMutex_);
    int &leaving = input ? leavingInputs_ : leavingOutputs_;
    for (;;) {
        std::vector<jack_port_t *> &spares = input ? spareInputs_ : spareOutputs_;
        if (!spares.empty()) {
            jack_port_t *port = spares.back();
            spares.pop_back();
            return port;
        }
        // One on its way to the spares is there in a moment; one parked
        // for another port is disconnected here. Only then a new one.
        if (leaving > 0) {
            parkedChanged_.wait(lock);
            continue;
        }
        const auto parked = std::find_if(parked_.begin(), parked_.end(),
                                         [input](const Parked &entry) { return entry.input == input; });
        if (parked == parked_.end())
            break;
        jack_port_t *port = parked->port;
        parked_.erase(parked);
        ++leaving;
        lock.unlock();
        disconnectParked(port, input);
        lock.lock();
        --leaving;
        parkedChanged_.notify_all();
    }
    lock.unlock();
    return registerPort(input);
}

jack_port_t *JackClient::registerPort(bool input)
{
    // Short names are unique within the client: a second port open at the
    // same time as the first gets a number. Names in use are skipped by a
    // look at the client's own ports, which asks the server nothing: a
    // refused registration costs a request, and a search that opens every
    // port would otherwise make as many as the square of their number.
    const std::string base = input ? "in" : "out";
    const std::string clientPrefix = std::string(jack_get_client_name(client_)) + ":";
    const unsigned long flags = input ? JackPortIsInput : JackPortIsOutput;
    for (int number = 1; number <= kMaxPortsPerDirection; ++number) {
        const std::string name = number == 1 ? base : base + "-" + std::to_string(number);
        if (jack_port_by_name(client_, (clientPrefix + name).c_str()))
            continue;
        jack_port_t *port = nullptr;
        jack_client_t *client = client_;
        if (!call<jack_port_t *>(
                [client, name, flags] {
                    return jack_port_register(client, name.c_str(), JACK_DEFAULT_MIDI_TYPE, flags, 0);
                },
                port))
            return nullptr;
        if (port)
            return port;
    }
    return nullptr;
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
    jack_port_t *port = takeParked(false, target, connected);
    if (!port)
        port = takePort(false);
    if (!port) {
        jack_ringbuffer_free(queue);
        result = MMSYSERR_ALLOCATED;
        return nullptr;
    }
    {
        std::lock_guard<std::mutex> lock(mutex_);
        Routes next = *routes_.load();
        next.outputs.push_back(std::make_shared<Output>(port, queue));
        publish(std::move(next));
    }
    result = connected ? MMSYSERR_NOERROR : connect(jack_port_name(port), target.c_str());
    if (result != MMSYSERR_NOERROR) {
        closePort(port);
        return nullptr;
    }
    std::lock_guard<std::mutex> lock(spareMutex_);
    remotes_.emplace_back(port, target);
    return port;
}

jack_port_t *JackClient::openInput(const std::string &source, MidiInputSink &sink, MMRESULT &result)
{
    if (!alive()) {
        result = MIDIERR_NODEVICE;
        return nullptr;
    }
    jack_ringbuffer_t *events = jack_ringbuffer_create(inputRingBytes_);
    if (!events) {
        result = MMSYSERR_NOMEM;
        return nullptr;
    }
    // Its pages are touched now rather than in the callback's first cycle.
    jack_ringbuffer_mlock(events);
    bool connected = false;
    jack_port_t *port = takeParked(true, source, connected);
    if (!port)
        port = takePort(true);
    if (!port) {
        jack_ringbuffer_free(events);
        result = MMSYSERR_ALLOCATED;
        return nullptr;
    }
    // Routed before it is connected, so nothing that comes is missed.
    {
        std::lock_guard<std::mutex> lock(mutex_);
        Routes next = *routes_.load();
        next.inputs.push_back(std::make_shared<Input>(port, &sink, events));
        publish(std::move(next));
    }
    result = connected ? MMSYSERR_NOERROR : connect(source.c_str(), jack_port_name(port));
    if (result != MMSYSERR_NOERROR) {
        closePort(port);
        return nullptr;
    }
    std::lock_guard<std::mutex> lock(spareMutex_);
    remotes_.emplace_back(port, source);
    return port;
}

void JackClient::closePort(jack_port_t *port)
{
    bool input = false;
    {
        // The reader thread delivers under the same lock: once it is
        // released here, nothing reaches the sink any more.
        std::lock_guard<std::mutex> lock(mutex_);
        Routes next = *routes_.load();
        const auto output = findRoute(next.outputs, port);
        if (output != next.outputs.end())
            next.outputs.erase(output);
        const auto routedInput = findRoute(next.inputs, port);
        if (routedInput != next.inputs.end()) {
            next.inputs.erase(routedInput);
            input = true;
        }
        publish(std::move(next));
    }
    // Out of the callback's routes first, so nothing reaches the sink or
    // comes from the queue any more; then kept for the next open, connected
    // for a while (see the header). A client whose server went keeps
    // nothing: it is let go.
    if (!alive())
        return;
    {
        std::lock_guard<std::mutex> lock(spareMutex_);
        const auto remote = std::find_if(remotes_.begin(), remotes_.end(),
                                         [port](const auto &entry) { return entry.first == port; });
        if (remote != remotes_.end()) {
            parked_.push_back({port, input, remote->second, std::chrono::steady_clock::now()});
            remotes_.erase(remote);
            parkedChanged_.notify_all();
            return;
        }
    }
    disconnectParked(port, input);
}

jack_port_t *JackClient::takeParked(bool input, const std::string &remote, bool &connected)
{
    std::lock_guard<std::mutex> lock(spareMutex_);
    const auto parked = std::find_if(parked_.begin(), parked_.end(), [&](const Parked &entry) {
        return entry.input == input && entry.remote == remote;
    });
    if (parked == parked_.end())
        return nullptr;
    jack_port_t *port = parked->port;
    parked_.erase(parked);
    // The server drops the connections of a port that went away, also when
    // one of the same name came back since.
    connected = jack_port_connected_to(port, remote.c_str());
    return port;
}

void JackClient::unparkIdle()
{
    std::unique_lock<std::mutex> lock(spareMutex_);
    while (!stopParking_) {
        if (parked_.empty()) {
            parkedChanged_.wait(lock);
            continue;
        }
        const auto oldest = std::min_element(parked_.begin(), parked_.end(), [](const Parked &a, const Parked &b) {
            return a.since < b.since;
        });
        if (std::chrono::steady_clock::now() < oldest->since + kParkedTime) {
            parkedChanged_.wait_until(lock, oldest->since + kParkedTime);
            continue;
        }
        const Parked idle = *oldest;
        parked_.erase(oldest);
        int &leaving = idle.input ? leavingInputs_ : leavingOutputs_;
        ++leaving;
        lock.unlock();
        disconnectParked(idle.port, idle.input);
        lock.lock();
        --leaving;
        parkedChanged_.notify_all();
    }
}

void JackClient::stopParking()
{
    {
        std::lock_guard<std::mutex> lock(spareMutex_);
        stopParking_ = true;
    }
    parkedChanged_.notify_all();
    if (parking_.joinable())
        parking_.join();
}

void JackClient::disconnectParked(jack_port_t *port, bool input)
{
    if (!alive())
        return;
    jack_client_t *client = client_;
    int disconnected = -1;
    if (!call<int>([client, port] { return jack_port_disconnect(client, port); }, disconnected))
        return;
    if (disconnected != 0) {
        int unregistered = 0;
        call<int>([client, port] { return jack_port_unregister(client, port); }, unregistered);
        return;
    }
    std::lock_guard<std::mutex> lock(spareMutex_);
    (input ? spareInputs_ : spareOutputs_).push_back(port);
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
    // The length first: the process callback takes a message only once its
    // bytes are all there.
    copyIntoRing(queue, ringOrder_, reinterpret_cast<const char *>(&size), sizeof size);
    copyIntoRing(queue, ringOrder_, message.data(), size);
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
    {
        std::lock_guard<std::mutex> lock(mutex_);
        const Routes *routes = routes_.load();
        const auto output = std::find_if(routes->outputs.begin(), routes->outputs.end(),
                                         [queue](const auto &route) { return route->queue == queue; });
        if (output != routes->outputs.end()) {
            (*output)->held = true;
            waitForCycleEnd();
        }
        unsent = discardQueued(queue, ringOrder_);
        if (output != routes->outputs.end())
            (*output)->held = false;
    }
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
    std::uint64_t clearedBy = cyclesDone() + kCyclesUntilEmpty;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        const Routes *routes = routes_.load();
        const auto output = std::find_if(routes->outputs.begin(), routes->outputs.end(),
                                         [queue](const auto &route) { return route->queue == queue; });
        if (output != routes->outputs.end())
            clearedBy = (*output)->takenInCycle.load() + 1;
    }
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

DWORD JackClient::discardQueued(jack_ringbuffer_t *queue, std::atomic<std::uint64_t> &order)
{
    DWORD count = 0;
    for (;;) {
        std::uint32_t size = 0;
        const std::size_t waiting = jack_ringbuffer_read_space(queue);
        if (waiting < sizeof size)
            break;
        takeFromRing(queue, order, reinterpret_cast<char *>(&size), sizeof size);
        skipInRing(queue, order, std::min<std::size_t>(size, waiting - sizeof size));
        ++count;
    }
    jack_ringbuffer_reset(queue);
    return count;
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

int JackClient::process(jack_nframes_t frames, void *self)
{
    auto *client = static_cast<JackClient *>(self);
    const std::int64_t start = nanosecondsNow();
    client->cyclesBegun_.fetch_add(1);
    const Routes *routes = client->routes_.load();
    bool taken = false;
    for (const auto &input : routes->inputs)
        taken = client->takeInput(*input, frames) || taken;
    for (const auto &output : routes->outputs)
        client->writeOutput(*output, frames);
    if (taken)
        sem_post(&client->inputReady_);
    client->cycles_.fetch_add(1);
    const std::int64_t took = nanosecondsNow() - start;
    std::int64_t longest = longestCycle_.load(std::memory_order_relaxed);
    while (took > longest && !longestCycle_.compare_exchange_weak(longest, took, std::memory_order_relaxed)) {
    }
    return 0;
}

bool JackClient::takeInput(const Input &input, jack_nframes_t frames)
{
    void *buffer = jack_port_get_buffer(input.port, frames);
    if (!buffer)
        return false;
    bool taken = false;
    const jack_nframes_t count = jack_midi_get_event_count(buffer);
    for (jack_nframes_t index = 0; index < count; ++index) {
        jack_midi_event_t event;
        if (jack_midi_event_get(&event, buffer, index) != 0 || event.size == 0)
            continue;
        const auto size = std::uint32_t(event.size);
        // Whole or not at all, so the reader never sees part of a message.
        if (jack_ringbuffer_write_space(input.events) < sizeof size + size) {
            inputLost_.fetch_add(1, std::memory_order_relaxed);
            taken = true; // the reader reports it
            continue;
        }
        copyIntoRing(input.events, ringOrder_, reinterpret_cast<const char *>(&size), sizeof size);
        copyIntoRing(input.events, ringOrder_, reinterpret_cast<const char *>(event.buffer), size);
        taken = true;
    }
    return taken;
}

void JackClient::writeOutput(Output &output, jack_nframes_t frames)
{
    void *buffer = jack_port_get_buffer(output.port, frames);
    if (!buffer)
        return;
    jack_midi_clear_buffer(buffer);
    if (output.held.load())
        return;
    // Measured on an empty buffer: what one cycle can carry.
    const std::size_t capacity = jack_midi_max_event_size(buffer);
    maxMessageSize_.store(longestMessage(capacity));
    const std::size_t budget = cycleBudget(capacity);
    if (jack_ringbuffer_read_space(output.queue) > 0)
        output.takenInCycle.store(cyclesBegun_.load());
    std::size_t used = 0;
    for (bool first = true;; first = false) {
        // None, or the sender is still writing it.
        const std::uint32_t size = wholeMessageWaiting(output.queue, ringOrder_);
        if (size == 0)
            return;
        used += eventCost(size);
        if (!first && used > budget)
            return;
        jack_midi_data_t *event = eventCost(size) <= budget ? jack_midi_event_reserve(buffer, 0, size) : nullptr;
        // A full buffer: the rest waits for the next cycle. A message that
        // does not even fit an empty one could never go out.
        if (!event && !first)
            return;
        skipInRing(output.queue, ringOrder_, sizeof size);
        if (event) {
            takeIntoPort(output.queue, ringOrder_, reinterpret_cast<char *>(event), size);
        } else {
            skipInRing(output.queue, ringOrder_, size);
            outputTooLong_.fetch_add(1, std::memory_order_relaxed);
        }
    }
}

void JackClient::publish(Routes next)
{
    Routes *replaced = routes_.exchange(new Routes(std::move(next)));
    waitForCycleEnd();
    delete replaced;
}

void JackClient::waitForCycleEnd() const
{
    // Each cycle counts itself begun before it reads the routes and ended
    // after; a cycle that began later than the change read the new ones.
    const std::uint64_t begun = cyclesBegun_.load();
    const auto deadline = std::chrono::steady_clock::now() + kCycleEndWait;
    while (cycles_.load() < begun) {
        if (std::chrono::steady_clock::now() >= deadline) {
            qCWarning(lcJack) << "a JACK process cycle did not end; its routes are kept";
            return;
        }
        std::this_thread::yield();
    }
}

void JackClient::readInputs()
{
    std::vector<unsigned char> bytes;
    while (!stopReading_.load()) {
        timespec until {};
        clock_gettime(CLOCK_REALTIME, &until);
        until.tv_nsec += std::chrono::nanoseconds(kReaderPoll).count();
        until.tv_sec += until.tv_nsec / 1000000000;
        until.tv_nsec %= 1000000000;
        sem_timedwait(&inputReady_, &until);
        std::lock_guard<std::mutex> lock(mutex_);
        for (const auto &input : routes_.load()->inputs)
            deliverQueued(*input, bytes);
        reportLosses();
    }
}

void JackClient::deliverQueued(const Input &input, std::vector<unsigned char> &bytes)
{
    for (;;) {
        const std::uint32_t size = wholeMessageWaiting(input.events, ringOrder_);
        if (size == 0)
            return;
        skipInRing(input.events, ringOrder_, sizeof size);
        bytes.resize(size);
        takeFromRing(input.events, ringOrder_, reinterpret_cast<char *>(bytes.data()), size);
        input.sink->receive(bytes.data(), bytes.size());
    }
}

void JackClient::reportLosses()
{
    const std::uint64_t lost = inputLost_.load();
    if (lost != inputLostReported_) {
        qCWarning(lcJack) << lost - inputLostReported_
                          << "MIDI messages arrived while the input's ring was full and were lost";
        inputLostReported_ = lost;
    }
    const std::uint64_t tooLong = outputTooLong_.load();
    if (tooLong != outputTooLongReported_) {
        qCDebug(lcJack) << tooLong - outputTooLongReported_ << "MIDI messages dropped: too long for JACK";
        outputTooLongReported_ = tooLong;
    }
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
