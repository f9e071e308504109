#include "midi/jackrealtimerings.h"

#include "midi/jacklogging.h"
#include "midi/midibackend.h"

#include <jack/midiport.h>

#include <QDebug>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <thread>

namespace {
// Room that JACK's MIDI buffer needs for its own bookkeeping, for the size
// estimate used until the first process cycle measures it.
constexpr std::size_t kMidiBufferOverhead = 64;

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

std::atomic<std::int64_t> JackRealtimeRings::longestCycle_ {0};

JackRealtimeRings::JackRealtimeRings(std::size_t bufferSize) : routes_(new Routes)
{
    maxMessageSize_ = longestMessage(bufferSize > kMidiBufferOverhead ? bufferSize - kMidiBufferOverhead : 0);
    inputRingBytes_ = std::max(bufferSize * kInputPeriods, kMinInputRingBytes);
    sem_init(&inputReady_, 0, 0);
}

JackRealtimeRings::~JackRealtimeRings()
{
    // The client is closed: no callback runs any more.
    stopReading_ = true;
    sem_post(&inputReady_);
    if (reader_.joinable())
        reader_.join();
    delete routes_.load();
    sem_destroy(&inputReady_);
}

JackRealtimeRings::Output::~Output()
{
    jack_ringbuffer_free(queue);
}

JackRealtimeRings::Input::~Input()
{
    jack_ringbuffer_free(events);
}

void JackRealtimeRings::startReading()
{
    reader_ = std::thread(&JackRealtimeRings::readInputs, this);
}

void JackRealtimeRings::routeOutput(jack_port_t *port, jack_ringbuffer_t *queue)
{
    std::lock_guard<std::mutex> lock(mutex_);
    Routes next = *routes_.load();
    next.outputs.push_back(std::make_shared<Output>(port, queue));
    publish(std::move(next));
}

void JackRealtimeRings::routeInput(jack_port_t *port, MidiInputSink &sink, jack_ringbuffer_t *events)
{
    std::lock_guard<std::mutex> lock(mutex_);
    Routes next = *routes_.load();
    next.inputs.push_back(std::make_shared<Input>(port, &sink, events));
    publish(std::move(next));
}

bool JackRealtimeRings::unroute(jack_port_t *port)
{
    bool input = false;
    // The reader thread delivers under the same lock: once it is released
    // here, nothing reaches the sink any more.
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
    return input;
}

void JackRealtimeRings::enqueue(jack_ringbuffer_t *queue, const std::string &message)
{
    const auto size = std::uint32_t(message.size());
    // The length first: the process callback takes a message only once its
    // bytes are all there.
    copyIntoRing(queue, ringOrder_, reinterpret_cast<const char *>(&size), sizeof size);
    copyIntoRing(queue, ringOrder_, message.data(), size);
}

DWORD JackRealtimeRings::withdrawQueued(jack_ringbuffer_t *queue)
{
    std::lock_guard<std::mutex> lock(mutex_);
    const Routes *routes = routes_.load();
    const auto output = std::find_if(routes->outputs.begin(), routes->outputs.end(),
                                     [queue](const auto &route) { return route->queue == queue; });
    if (output != routes->outputs.end()) {
        (*output)->held = true;
        waitForCycleEnd();
    }
    const DWORD unsent = discardQueued(queue, ringOrder_);
    if (output != routes->outputs.end())
        (*output)->held = false;
    return unsent;
}

std::uint64_t JackRealtimeRings::cycleClearing(jack_ringbuffer_t *queue, std::uint64_t otherwise) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    const Routes *routes = routes_.load();
    const auto output = std::find_if(routes->outputs.begin(), routes->outputs.end(),
                                     [queue](const auto &route) { return route->queue == queue; });
    if (output != routes->outputs.end())
        return (*output)->takenInCycle.load() + 1;
    return otherwise;
}

DWORD JackRealtimeRings::discardQueued(jack_ringbuffer_t *queue, std::atomic<std::uint64_t> &order)
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

int JackRealtimeRings::process(jack_nframes_t frames, void *self)
{
    auto *rings = static_cast<JackRealtimeRings *>(self);
    const std::int64_t start = nanosecondsNow();
    rings->cyclesBegun_.fetch_add(1);
    const Routes *routes = rings->routes_.load();
    bool taken = false;
    for (const auto &input : routes->inputs)
        taken = rings->takeInput(*input, frames) || taken;
    for (const auto &output : routes->outputs)
        rings->writeOutput(*output, frames);
    if (taken)
        sem_post(&rings->inputReady_);
    rings->cycles_.fetch_add(1);
    const std::int64_t took = nanosecondsNow() - start;
    std::int64_t longest = longestCycle_.load(std::memory_order_relaxed);
    while (took > longest && !longestCycle_.compare_exchange_weak(longest, took, std::memory_order_relaxed)) {
    }
    return 0;
}

bool JackRealtimeRings::takeInput(const Input &input, jack_nframes_t frames)
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

void JackRealtimeRings::writeOutput(Output &output, jack_nframes_t frames)
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

void JackRealtimeRings::publish(Routes next)
{
    Routes *replaced = routes_.exchange(new Routes(std::move(next)));
    waitForCycleEnd();
    delete replaced;
}

void JackRealtimeRings::waitForCycleEnd() const
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

void JackRealtimeRings::readInputs()
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

void JackRealtimeRings::deliverQueued(const Input &input, std::vector<unsigned char> &bytes)
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

void JackRealtimeRings::reportLosses()
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
