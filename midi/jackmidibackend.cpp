#include "midi/jackmidibackend.h"

#include "midi/jackcallrunner.h"
#include "midi/jackclient.h"

#include <QCoreApplication>
#include <QString>

#include <atomic>
#include <cstdlib>

namespace {
// How long a server found missing is taken as missing.
constexpr std::chrono::milliseconds kRetryAfter {500};

class JackOutput : public MidiBackendOutput
{
public:
    JackOutput(std::shared_ptr<JackClient> client, jack_port_t *port, jack_ringbuffer_t *queue, std::string target)
        : client_(std::move(client)), port_(port), queue_(queue), target_(std::move(target)),
          connectedAt_(client_->cyclesDone())
    {
    }
    // What is still queued goes out first: a program may close the port,
    // or end, right after its last send.
    ~JackOutput() override
    {
        DWORD unsent = 0;
        drain(unsent);
        client_->closePort(port_);
    }

    // The port service sends on a port under that port's lock, so the
    // queue has one sender at a time.
    MMRESULT send(const std::string &message, bool &finished) override
    {
        // A message sent before the connection carries any would be lost.
        // Waited for once: if it is not live by then (the keyboard went
        // away), the messages go all the same and drain() tells.
        if (!liveAsked_)
            waitUntilLive();
        // Queued for the next process cycle; drain() tells whether it went.
        finished = true;
        sentSinceDrain_ = true;
        return client_->send(queue_, message);
    }

    bool waitUntilLive() override
    {
        if (!live_)
            live_ = client_->waitUntilLive(port_, target_, connectedAt_);
        liveAsked_ = true;
        return live_;
    }

    std::vector<std::string> rewritingListeners() override { return client_->rewritingListeners(port_, target_); }

    // Under the port service's lock, as send().
    MMRESULT drain(DWORD &unsent) override
    {
        unsent = 0;
        if (!sentSinceDrain_)
            return MMSYSERR_NOERROR;
        sentSinceDrain_ = false;
        const MMRESULT result = client_->drain(queue_, unsent);
        if (result != MMSYSERR_NOERROR)
            return result;
        // The server drops the connection with the port of a keyboard that
        // left, and our port then writes into nothing; one of the same name
        // that came back is not connected either.
        return jack_port_connected_to(port_, target_.c_str()) ? MMSYSERR_NOERROR : MIDIERR_NODEVICE;
    }

private:
    const std::shared_ptr<JackClient> client_;
    jack_port_t *const port_;
    jack_ringbuffer_t *const queue_;
    const std::string target_;
    // Made once the port was connected.
    const std::uint64_t connectedAt_;
    // Seen to carry messages. Not asked at once: jackd2's
    // jack_port_connected_to waits for the cycle that takes a new
    // connection, which would cost every port opened one cycle of its own.
    std::atomic<bool> live_ {false};
    std::atomic<bool> liveAsked_ {false};
    bool sentSinceDrain_ = false;
};

class JackInput : public MidiBackendInput
{
public:
    JackInput(std::shared_ptr<JackClient> client, jack_port_t *port, std::string source)
        : client_(std::move(client)), port_(port), source_(std::move(source)), connectedAt_(client_->cyclesDone())
    {
    }
    // The sink hears nothing more once the port is closed.
    ~JackInput() override { client_->closePort(port_); }

    bool waitUntilLive() override { return client_->waitUntilLive(port_, source_, connectedAt_); }

private:
    const std::shared_ptr<JackClient> client_;
    jack_port_t *const port_;
    const std::string source_;
    const std::uint64_t connectedAt_;
};

std::string defaultServerName()
{
    const char *server = std::getenv("JACK_DEFAULT_SERVER");
    return server ? server : "";
}
} // namespace

JackMidiBackend::JackMidiBackend(std::string clientName) : clientName_(std::move(clientName)) {}

std::shared_ptr<JackClient> JackMidiBackend::client()
{
    // A client whose server went away, or that belongs to another server
    // than the one now chosen, is let go; ports still open on it keep it
    // until they close.
    if (client_ && (!client_->alive() || client_->serverName() != defaultServerName()))
        client_.reset();
    if (client_)
        return client_;
    // Asking for a server that is not there costs libjack some 5 ms; the
    // output and input listings of one search ask once between them.
    const auto now = std::chrono::steady_clock::now();
    if (failedServer_ && *failedServer_ == defaultServerName() && now - failedAt_ < kRetryAfter)
        return nullptr;
    client_ = JackClient::open(clientName_);
    if (client_) {
        failedServer_.reset();
    } else {
        failedServer_ = defaultServerName();
        failedAt_ = now;
    }
    return client_;
}

std::vector<std::string> JackMidiBackend::portNames(bool refresh, bool readable, std::vector<std::string> &names,
                                                    bool &listed)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (refresh || !listed) {
        const std::shared_ptr<JackClient> jack = client();
        names = jack ? jack->midiPorts(readable) : std::vector<std::string>();
        listed = true;
    }
    return names;
}

std::vector<std::string> JackMidiBackend::outputPortNames(bool refresh)
{
    return portNames(refresh, false, outputs_, outputsListed_);
}

std::vector<std::string> JackMidiBackend::inputPortNames(bool refresh)
{
    return portNames(refresh, true, inputs_, inputsListed_);
}

std::vector<std::string> JackMidiBackend::presentPortNames(bool outputs)
{
    // The editor's outputs go to ports that can be written to.
    std::shared_ptr<JackClient> jack;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        jack = client();
    }
    return jack ? jack->midiPorts(!outputs) : std::vector<std::string>();
}

std::string JackMidiBackend::whyNoPorts()
{
    std::shared_ptr<JackClient> jack;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        jack = client();
    }
    const QString server = QString::fromStdString(defaultServerName());
    QString reason;
    if (!jack) {
        reason = server.isEmpty() ? QCoreApplication::translate("JackMidiBackend", "no JACK server running")
                                  //: %1 is the JACK server's name.
                                  : QCoreApplication::translate("JackMidiBackend", "no JACK server '%1' running");
    } else if (jack->midiPorts(true).empty() && jack->midiPorts(false).empty()) {
        reason = server.isEmpty()
                     ? QCoreApplication::translate("JackMidiBackend", "the JACK server has no MIDI port")
                     //: %1 is the JACK server's name.
                     : QCoreApplication::translate("JackMidiBackend", "the JACK server '%1' has no MIDI port");
    }
    if (reason.isEmpty())
        return {};
    return (server.isEmpty() ? reason : reason.arg(server)).toStdString();
}

bool JackMidiBackend::listedPort(const std::vector<std::string> &ports, UINT number, std::string &name,
                                 std::shared_ptr<JackClient> &jack, MMRESULT &result)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (number >= ports.size()) {
        result = MMSYSERR_BADDEVICEID;
        return false;
    }
    name = ports[number];
    jack = client();
    if (!jack) {
        result = MIDIERR_NODEVICE; // the server went away since the listing
        return false;
    }
    return true;
}

std::unique_ptr<MidiBackendOutput> JackMidiBackend::openOutput(UINT number, MMRESULT &result)
{
    std::string name;
    std::shared_ptr<JackClient> jack;
    if (!listedPort(outputs_, number, name, jack, result))
        return nullptr;
    jack_ringbuffer_t *queue = nullptr;
    jack_port_t *port = jack->openOutput(name, queue, result);
    if (!port)
        return nullptr;
    return std::make_unique<JackOutput>(std::move(jack), port, queue, name);
}

std::unique_ptr<MidiBackendInput> JackMidiBackend::openInput(UINT number, MidiInputSink &sink, MMRESULT &result)
{
    std::string name;
    std::shared_ptr<JackClient> jack;
    if (!listedPort(inputs_, number, name, jack, result))
        return nullptr;
    jack_port_t *port = jack->openInput(name, sink, result);
    if (!port)
        return nullptr;
    return std::make_unique<JackInput>(std::move(jack), port, name);
}

bool JackMidiBackend::notResponding() const
{
    return JackCallRunner::anyCallStuck();
}
