#pragma once

// The JACK client's process callback and the rings between it and the
// client's other threads: the table of routes it serves, each port's ring,
// and the reader thread that empties the inputs' rings into their sinks.
//
// The process callback runs on the server's real-time thread, beside a
// musician's other programs at periods of a millisecond or two: it takes no
// lock, allocates nothing, logs nothing and never waits. It reads the routes
// through an atomic pointer to a table that is replaced, never changed, and
// a replaced table is freed only once no cycle can still be reading it.
// What arrives goes into a ring of the input's own, which a reader thread
// of this client empties into the sink; what did not fit is counted and
// logged from there. tools/realtime-check.py reads every function the
// callback reaches.

#include "midi/portservice.h"

#include <jack/jack.h>
#include <jack/ringbuffer.h>

#include <semaphore.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class MidiInputSink;

class JackRealtimeRings
{
public:
    // `bufferSize`: the bytes of the server's MIDI port buffers.
    explicit JackRealtimeRings(std::size_t bufferSize);
    // Only once the client is closed: no callback runs any more.
    ~JackRealtimeRings();

    JackRealtimeRings(const JackRealtimeRings &) = delete;
    JackRealtimeRings &operator=(const JackRealtimeRings &) = delete;

    // JACK's process callback, given this object as its argument.
    static int process(jack_nframes_t frames, void *self);
    // Starts the reader thread.
    void startReading();

    // The callback serves the port from its next cycle on: an output from
    // `queue`, an input into `events` for `sink`. The route owns the ring.
    void routeOutput(jack_port_t *port, jack_ringbuffer_t *queue);
    void routeInput(jack_port_t *port, MidiInputSink &sink, jack_ringbuffer_t *events);
    // Once this returns, the callback no longer touches the port and
    // nothing reaches its sink; true when it was an input.
    bool unroute(jack_port_t *port);

    // The bytes of an input's ring.
    std::size_t inputRingBytes() const { return inputRingBytes_; }
    // Puts one message into `queue`, which has room for it, for the
    // callback; by the queue's one sender.
    void enqueue(jack_ringbuffer_t *queue, const std::string &message);
    // By the queue's sender: takes what still waits in `queue` out of the
    // callback's reach and returns how many messages that was.
    DWORD withdrawQueued(jack_ringbuffer_t *queue);
    // The cycle after the last one that took messages from `queue`;
    // `otherwise` when the queue has no route.
    std::uint64_t cycleClearing(jack_ringbuffer_t *queue, std::uint64_t otherwise) const;

    // Process cycles ended so far.
    std::uint64_t cyclesDone() const { return cycles_.load(); }
    // The longest message the server's MIDI buffers carry in one piece.
    std::size_t maxMessageSize() const { return maxMessageSize_.load(); }
    // The longest time one process callback of any client in this process
    // took so far.
    static std::chrono::nanoseconds longestCycle() { return std::chrono::nanoseconds(longestCycle_.load()); }
    // Messages that arrived while an input's ring was full, and were lost.
    std::uint64_t inputLost() const { return inputLost_.load(); }

private:
    // Both rings hold each message as its length (std::uint32_t) and its bytes.
    struct Output
    {
        explicit Output(jack_port_t *port, jack_ringbuffer_t *queue) : port(port), queue(queue) {}
        ~Output();
        jack_port_t *const port;
        jack_ringbuffer_t *const queue;
        // Set while a drain empties the queue: the callback then leaves it.
        std::atomic<bool> held{false};
        // The last cycle that took messages from the queue (cyclesBegun_
        // in it), set before they leave the queue.
        std::atomic<std::uint64_t> takenInCycle{0};
    };
    struct Input
    {
        Input(jack_port_t *port, MidiInputSink *sink, jack_ringbuffer_t *events)
            : port(port), sink(sink), events(events)
        {
        }
        ~Input();
        jack_port_t *const port;
        MidiInputSink *const sink;
        jack_ringbuffer_t *const events;
    };
    // What the callback reads; replaced as a whole under `mutex_`.
    struct Routes
    {
        std::vector<std::shared_ptr<Output>> outputs;
        std::vector<std::shared_ptr<Input>> inputs;
    };

    bool takeInput(const Input &input, jack_nframes_t frames);
    void writeOutput(Output &output, jack_nframes_t frames);
    // Empties the queue and returns how many messages it held; the caller
    // is the queue's sender and keeps the callback off it.
    static DWORD discardQueued(jack_ringbuffer_t *queue, std::atomic<std::uint64_t> &order);

    // With `mutex_` held: the callback reads `next` from now on, and the
    // table it read before is freed once no cycle still reads it.
    void publish(Routes next);
    // Returns once every cycle begun before the call has ended.
    void waitForCycleEnd() const;
    // The reader thread: hands what the inputs' rings hold to their sinks.
    void readInputs();
    void deliverQueued(const Input &input, std::vector<unsigned char> &bytes);
    void reportLosses();

    std::atomic<std::size_t> maxMessageSize_{0};
    std::atomic<std::uint64_t> cycles_{0};
    static std::atomic<std::int64_t> longestCycle_;
    std::atomic<std::uint64_t> cyclesBegun_{0};
    std::atomic<std::uint64_t> inputLost_{0};
    std::atomic<std::uint64_t> outputTooLong_{0};
    // Orders every ring's bytes for ThreadSanitizer (see copyIntoRing).
    std::atomic<std::uint64_t> ringOrder_{0};

    // Serialises the route changes and the reader thread's deliveries; no
    // call to the server is made while it is held.
    mutable std::mutex mutex_;
    std::atomic<Routes *> routes_;
    std::uint64_t inputLostReported_ = 0;
    std::uint64_t outputTooLongReported_ = 0;
    std::size_t inputRingBytes_ = 0;

    // Posted by the callback when it put something in an input's ring.
    sem_t inputReady_;
    std::atomic<bool> stopReading_{false};
    std::thread reader_;
};
