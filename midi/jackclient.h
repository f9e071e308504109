#pragma once

// The editor's one client of a JACK server. Its MIDI ports are connected
// as the editor opens ports and disconnected as it closes them, and one
// process callback serves all of them: it hands what arrives to each input's
// sink and writes what waits in each output's queue. Making a JACK client
// and closing it again takes the server some 50 ms; a port on a running
// client takes well under one.
//
// Its ports are made once and used again (JackPortPool, which says why).
// The process callback, the rings between it and the other threads, and
// the reader thread that empties the inputs' rings are JackRealtimeRings.
// This class opens and closes the client, hears when the server goes,
// connects the ports and drains what waits to go.
//
// JACK calls are never made while the callback's routes are locked. Those
// that wait for the server go through a JackCallRunner: one that misses its
// deadline leaves the client for lost, and its close waits on the runner's
// thread until the server answers again.

#include "midi/jackcallrunner.h"
#include "midi/jackportpool.h"
#include "midi/jackrealtimerings.h"
#include "midi/portservice.h"

#include <jack/jack.h>
#include <jack/ringbuffer.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
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
    std::uint64_t cyclesDone() const { return rings_.cyclesDone(); }
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
    std::size_t maxMessageSize() const { return rings_.maxMessageSize(); }

    // The longest time one process callback of any client in this process
    // took so far.
    static std::chrono::nanoseconds longestCycle() { return JackRealtimeRings::longestCycle(); }
    // Messages that arrived while an input's ring was full, and were lost.
    std::uint64_t inputLost() const { return rings_.inputLost(); }

private:
    // The pool makes its JACK calls through call().
    friend class JackPortPool;

    JackClient(jack_client_t *client, std::string serverName, std::shared_ptr<JackCallRunner> calls);
    // Only by release(), once the client is closed.
    ~JackClient() = default;
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

    MMRESULT connect(const char *source, const char *destination);
    static void shutdown(jack_status_t, const char *reason, void *self);
    static void serverGone(void *self);
    // JACK's notification thread: a port of any client came or went.
    static void portRegistered(jack_port_id_t, int, void *);

    jack_client_t *const client_;
    const std::string serverName_;
    const std::shared_ptr<JackCallRunner> calls_;
    std::atomic<bool> alive_{true};
    std::atomic<bool> abandoned_{false};
    // Destroyed after the pool, once the client is closed.
    JackRealtimeRings rings_;
    JackPortPool ports_;
};
