#pragma once

// Several MIDI systems as one list of ports numbered from 0: the ports of
// the first backend, then those of the next, each in its own order. Port
// numbers go to the backend that listed them at the last listing.

#include "midi/midibackend.h"

#include <memory>
#include <mutex>
#include <string>
#include <vector>

class CombinedMidiBackend : public MidiBackend
{
public:
    explicit CombinedMidiBackend(std::vector<std::shared_ptr<MidiBackend>> parts);

    std::vector<std::string> outputPortNames(bool refresh) override;
    std::vector<std::string> inputPortNames(bool refresh) override;
    std::vector<std::string> presentPortNames(bool outputs) override;
    std::unique_ptr<MidiBackendOutput> openOutput(UINT port, MMRESULT &result) override;
    std::unique_ptr<MidiBackendInput> openInput(UINT port, MidiInputSink &sink, MMRESULT &result) override;
    // The reasons of every backend, joined by "; ".
    std::string whyNoPorts() override;

private:
    // The backend that owns the port with this number, and its number there.
    MidiBackend *partOf(const std::vector<std::size_t> &counts, UINT &port);

    const std::vector<std::shared_ptr<MidiBackend>> parts_;
    std::mutex mutex_;
    // How many ports each backend listed last time.
    std::vector<std::size_t> outputCounts_;
    std::vector<std::size_t> inputCounts_;
};
