#pragma once

// The MIDI ports of a running JACK server, through the editor's one JACK
// client. Every open port is a port of that client connected to the chosen
// one, so trying port pair after port pair costs the server no new client.
// Without a server there are no ports and no error; a server that starts or
// comes back later is found at the next listing.

#include "midi/midibackend.h"

#include <chrono>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

class JackClient;

class JackMidiBackend : public MidiBackend
{
public:
    explicit JackMidiBackend(std::string clientName);

    std::vector<std::string> outputPortNames(bool refresh) override;
    std::vector<std::string> inputPortNames(bool refresh) override;
    std::vector<std::string> presentPortNames(bool outputs) override;
    std::unique_ptr<MidiBackendOutput> openOutput(UINT port, MMRESULT &result) override;
    std::unique_ptr<MidiBackendInput> openInput(UINT port, MidiInputSink &sink, MMRESULT &result) override;
    // No server, or a server without MIDI ports of others.
    std::string whyNoPorts() override;

private:
    // The client for the server of the moment, made when there is none yet
    // or the last one lost its server; null without a server.
    std::shared_ptr<JackClient> client();
    // The port names of the last listing, listed anew when asked to or
    // when there was none yet; `readable`: the ports we can read from.
    std::vector<std::string> portNames(bool refresh, bool readable, std::vector<std::string> &names, bool &listed);
    // The listed port with this number and the client it was listed by.
    bool listedPort(const std::vector<std::string> &ports, UINT number, std::string &name,
                    std::shared_ptr<JackClient> &client, MMRESULT &result);

    const std::string clientName_;
    std::mutex mutex_;
    std::shared_ptr<JackClient> client_;
    // The server last found missing, and when.
    std::optional<std::string> failedServer_;
    std::chrono::steady_clock::time_point failedAt_;
    std::vector<std::string> outputs_;
    std::vector<std::string> inputs_;
    bool outputsListed_ = false;
    bool inputsListed_ = false;
};
