#pragma once

// The JACK client's MIDI ports, made once and used again.
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

#include <jack/jack.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

class JackClient;

class JackPortPool
{
public:
    // The ports of `client`, whose JACK calls go through `owner`.
    JackPortPool(JackClient &owner, jack_client_t *client);
    ~JackPortPool();

    JackPortPool(const JackPortPool &) = delete;
    JackPortPool &operator=(const JackPortPool &) = delete;

    // Starts the parking thread and makes the spare port each way that the
    // link and the port watcher need, before the client is activated.
    void start();
    // Stops the parking thread; what is parked stays connected.
    void stop();

    // A port closed lately that was connected to `remote`, or null;
    // `connected` false when the connection has gone meanwhile.
    jack_port_t *takeParked(bool input, const std::string &remote, bool &connected);
    // A spare port of the kind, else a new one; null when neither.
    jack_port_t *takePort(bool input);
    // `port` is in use, connected to `remote`.
    void markInUse(jack_port_t *port, const std::string &remote);
    // A port out of the callback's routes: one in use is parked, still
    // connected; any other is disconnected and kept as a spare.
    void park(jack_port_t *port, bool input);

private:
    // The parking thread: disconnects what was parked too long.
    void unparkIdle();
    void disconnectParked(jack_port_t *port, bool input);
    jack_port_t *registerPort(bool input);

    JackClient &owner_;
    jack_client_t *const client_;

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
