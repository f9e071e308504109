#include "midi/jackportpool.h"

#include "midi/jackclient.h"

#include <algorithm>

namespace {
// A search listens on every input and asks every output at once.
constexpr int kMaxPortsPerDirection = 128;

// A closed port stays connected this long for the next open towards the
// same port (see the header): long enough for the link's own ports, opened
// right after a search's round, and for a search that follows another.
constexpr std::chrono::milliseconds kParkedTime {2000};
} // namespace

JackPortPool::JackPortPool(JackClient &owner, jack_client_t *client) : owner_(owner), client_(client)
{
}

JackPortPool::~JackPortPool()
{
    stop();
}

void JackPortPool::start()
{
    parking_ = std::thread(&JackPortPool::unparkIdle, this);
    for (const bool input : {true, false})
        if (jack_port_t *port = registerPort(input))
            (input ? spareInputs_ : spareOutputs_).push_back(port);
}

void JackPortPool::stop()
{
    {
        std::lock_guard<std::mutex> lock(spareMutex_);
        stopParking_ = true;
    }
    parkedChanged_.notify_all();
    if (parking_.joinable())
        parking_.join();
}

jack_port_t *JackPortPool::takeParked(bool input, const std::string &remote, bool &connected)
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

jack_port_t *JackPortPool::takePort(bool input)
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

void JackPortPool::markInUse(jack_port_t *port, const std::string &remote)
{
    std::lock_guard<std::mutex> lock(spareMutex_);
    remotes_.emplace_back(port, remote);
}

void JackPortPool::park(jack_port_t *port, bool input)
{
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

void JackPortPool::unparkIdle()
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

void JackPortPool::disconnectParked(jack_port_t *port, bool input)
{
    if (!owner_.alive())
        return;
    jack_client_t *client = client_;
    int disconnected = -1;
    if (!owner_.call<int>([client, port] { return jack_port_disconnect(client, port); }, disconnected))
        return;
    if (disconnected != 0) {
        int unregistered = 0;
        owner_.call<int>([client, port] { return jack_port_unregister(client, port); }, unregistered);
        return;
    }
    std::lock_guard<std::mutex> lock(spareMutex_);
    (input ? spareInputs_ : spareOutputs_).push_back(port);
}

jack_port_t *JackPortPool::registerPort(bool input)
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
        if (!owner_.call<jack_port_t *>(
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
