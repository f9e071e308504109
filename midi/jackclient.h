#pragma once

// The editor's one client of a JACK server. Its MIDI ports are connected
// as the editor opens ports and disconnected as it closes them, and one
// process callback serves all of them: it hands what arrives to each input's
// sink and writes what waits in each output's queue. Making a JACK client
// and closing it again takes the server some 50 ms; a port on a running
// client takes well under one.
//
// A port once made stays until the client closes, and is used again by the
// next open: libjack's notification thread walks the client's list of its
// own ports, without a lock, whenever the server reports new latencies (any
// client coming, going or connecting), and jack_port_register and
// jack_port_unregister change that list on the caller's thread. Unplugging
// the keyboard releases the link at the very moment the server reports the
// keyboard's client gone, and the two met in one of some 600 unplugs: a
// crash inside libjack. Ports are therefore never unregistered: the link
// and the port watcher need one port each way, made before the client is
// activated; a search that listens on every port at once registers more
// only when it needs more than any search before it, so after the first
// search in a studio the list no longer changes while the client runs.
//
// Connecting and disconnecting are the dear part of a search: each is a
// request the server carries out while every client hears of it, some
// 10-25 ms on a loaded machine, and a search among many devices makes one
// for every port each way. A closed port therefore stays connected for a
// while, out of the callback's routes, and the next open towards the same
// port takes it as it is; one left alone for two seconds is disconnected
// then, off the caller's path, and kept as a spare.
//
// The process callback runs on the server's real-time thread, beside a
// musician's other programs at periods of a millisecond or two: it takes no
// lock, allocates nothing, logs nothing and never waits. It reads the routes
// through an atomic pointer to a table that is replaced, never changed, and
// a replaced table is freed only once no cycle can still be reading it.
// What arrives goes into a ring of the input's own, which a reader thread
// of this client empties into the sink; what did not fit is counted and
// logged from there.
//
// JACK calls are never made while `mutex_` is held. Those that wait for the
// server go through a JackCallRunner: one that misses its deadline leaves
// the client for lost, and its close waits on the runner's thread until
// the server answers again.

#include "midi/jackcallrunner.h"
#include "midi/portservice.h"

#include <jack/jack.h>
#include <jack/ringbuffer.h>

#include <semaphore.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

class MidiInputSink;

class JackClient
{
public:
    // Null when no JACK server runs (none is started for the editor), or
    // while one does not answer.
    static std::shared_ptr<JackClient> open(const std::string &name);

    JackClient(const JackClient &) = delete;
    JackClient &operator=(const JackClient &) = delete;

    // False once the server has gone away, dropped the client or missed
    // the deadline of a call.
    bool alive() const { return alive_.load() && !abandoned_.load(); }
    // The JACK_DEFAULT_SERVER the client was opened under ("" for the default).
    const std::string &serverName() const { return serverName_; }

    // Full names of the other clients' MIDI ports that can be read from
    // (`readable`) or sent to (otherwise), in the server's order.
    std::vector<std::string> midiPorts(bool readable) const;

    // A port of ours connected to the named port; null with `result` set
    // when either fails. An output comes with the queue that send() fills.
    jack_port_t *openOutput(const std::string &target, jack_ringbuffer_t *&queue, MMRESULT &result);
    jack_port_t *openInput(const std::string &source, MidiInputSink &sink, MMRESULT &result);
    // Once this returns, the process callback no longer touches the port;
    // messages still waiting for it are dropped with its queue.
    void closePort(jack_port_t *port);

    // Process cycles ended so far.
    std::uint64_t cyclesDone() const { return cycles_.load(); }
    // True once our `port` is connected to the port named `other` and two
    // cycles have ended since `cycle` (cyclesDone() read after connecting):
    // the first may have begun before the connection, the second ran with
    // it. False at once when the connection is gone, or when the server
    // runs no such cycles within a few periods.
    bool waitUntilLive(jack_port_t *port, const std::string &other, std::uint64_t cycle) const;

    // Queues one complete message for the next process cycle, waiting for
    // room while the queue is full. Lock-free, for one sender per queue at
    // a time.
    MMRESULT send(jack_ringbuffer_t *queue, const std::string &message);

    // Returns once the process callback has put every message of `queue`
    // into its port's buffer, and a later cycle has cleared that buffer. A server that runs cycles without taking any
    // for a few of them, or runs none for a while, will not take them:
    // they are taken out of the callback's reach and counted in `unsent`.
    MMRESULT drain(jack_ringbuffer_t *queue, DWORD &unsent);

    // The ports other than `target` that our `port` is connected to, on a
    // server that may change what the port sends for them and for the
    // target alike (PipeWire's, see pipewirejackmidi.h); empty elsewhere.
    std::vector<std::string> rewritingListeners(jack_port_t *port, const std::string &target) const;

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

    JackClient(jack_client_t *client, std::string serverName, std::shared_ptr<JackCallRunner> calls);
    ~JackClient();
    // Closes the client on the runner's thread and deletes it there: the
    // process callback runs until the close has returned.
    void release();
    // Runs a JACK call that waits for the server; false, with the client
    // given up, when it missed its deadline.
    template <typename Result>
    bool call(std::function<Result()> work, Result &result)
    {
        if (!abandoned_.load() && calls_->run(std::move(work), result))
            return true;
        abandon();
        return false;
    }
    void abandon();
    void waitForStalledServer();
    // Returns once the port of `queue` has an empty buffer again: the
    // cycle after the last one that took from the queue has ended.
    void waitForEmptyBuffer(jack_ringbuffer_t *queue) const;

    // A spare port of the kind, else a new one; null when neither.
    jack_port_t *takePort(bool input);
    // A port closed lately that was connected to `remote`, or null;
    // `connected` false when the connection has gone meanwhile.
    jack_port_t *takeParked(bool input, const std::string &remote, bool &connected);
    // The parking thread: disconnects what was parked too long.
    void unparkIdle();
    void disconnectParked(jack_port_t *port, bool input);
    void stopParking();
    jack_port_t *registerPort(bool input);
    MMRESULT connect(const char *source, const char *destination);
    static int process(jack_nframes_t frames, void *self);
    static void shutdown(jack_status_t, const char *reason, void *self);
    static void serverGone(void *self);
    // JACK's notification thread: a port of any client came or went.
    static void portRegistered(jack_port_id_t, int, void *);
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

    jack_client_t *const client_;
    const std::string serverName_;
    const std::shared_ptr<JackCallRunner> calls_;
    std::atomic<bool> alive_{true};
    std::atomic<bool> abandoned_{false};
    std::atomic<std::size_t> maxMessageSize_{0};
    std::atomic<std::uint64_t> cycles_{0};
    static std::atomic<std::int64_t> longestCycle_;
    std::atomic<std::uint64_t> cyclesBegun_{0};
    std::atomic<std::uint64_t> inputLost_{0};
    std::atomic<std::uint64_t> outputTooLong_{0};
    // Orders every ring's bytes for ThreadSanitizer (see copyIntoRing).
    std::atomic<std::uint64_t> ringOrder_{0};

    // Serialises the route changes and the reader thread's deliveries.
    mutable std::mutex mutex_;
    std::atomic<Routes *> routes_;
    std::uint64_t inputLostReported_ = 0;
    std::uint64_t outputTooLongReported_ = 0;
    std::size_t inputRingBytes_ = 0;

    // Posted by the callback when it put something in an input's ring.
    sem_t inputReady_;
    std::atomic<bool> stopReading_{false};
    std::thread reader_;

    // Ports made and not in use, disconnected.
    std::mutex spareMutex_;
    std::vector<jack_port_t *> spareInputs_;
    std::vector<jack_port_t *> spareOutputs_;
    // Under spareMutex_: the other end of each port in use, and the ports
    // closed but still connected.
    struct Parked
    {
        jack_port_t *port;
        bool input;
        std::string remote;
        std::chrono::steady_clock::time_point since;
    };
    std::vector<std::pair<jack_port_t *, std::string>> remotes_;
    std::vector<Parked> parked_;
    // Parked ports being disconnected, on their way to the spares.
    int leavingInputs_ = 0;
    int leavingOutputs_ = 0;
    std::condition_variable parkedChanged_;
    bool stopParking_ = false;
    std::thread parking_;
};
