#pragma once

// The system's MIDI ports through RtMidi: the ports of every RtMidi API
// that starts here (the ALSA sequencer on Linux, CoreMIDI on macOS), one
// list numbered from 0. An API that cannot start (no sequencer device)
// contributes no ports and no error.

#include "midi/midibackend.h"

#include <RtMidi.h>

#include <mutex>
#include <string>
#include <vector>

class RtMidiBackend : public MidiBackend
{
public:
    std::vector<std::string> outputPortNames(bool refresh) override;
    std::vector<std::string> inputPortNames(bool refresh) override;
    std::vector<std::string> presentPortNames(bool outputs) override;
    std::unique_ptr<MidiBackendOutput> openOutput(UINT port, MMRESULT &result) override;
    std::unique_ptr<MidiBackendInput> openInput(UINT port, MidiInputSink &sink, MMRESULT &result) override;
    // Per API that is tried here: its device cannot be opened, it does not
    // start, or it has no port.
    std::string whyNoPorts() override;

    // The name the editor's own ports appear under.
    static const char *const kClientName;

private:
    struct Port
    {
        RtMidi::Api api;
        unsigned int index; // within its API when listed
        std::string name;
    };

    static std::vector<Port> listPorts(bool outputs);
    static void addPorts(RtMidi *midi, RtMidi::Api api, std::vector<Port> &ports);
    static bool findPort(RtMidi &midi, const Port &port, unsigned int &index);

    std::mutex mutex_;
    std::vector<Port> outputs_;
    std::vector<Port> inputs_;
    bool outputsListed_ = false;
    bool inputsListed_ = false;
};
