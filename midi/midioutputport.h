#pragma once

// One open output port of the port service: short messages and System
// Exclusive messages in prepared headers, with the done flag and "still
// playing" as the callers expect them.

#include "midi/midibackend.h"
#include "midi/portservice.h"

#include <memory>
#include <mutex>
#include <string>
#include <vector>

class MidiOutputPort
{
public:
    MMRESULT open(MidiBackend &backend, UINT port);
    // Fails with MIDIERR_STILLPLAYING while a long message is still going out.
    MMRESULT close();

    MMRESULT sendShort(DWORD packed);
    MMRESULT prepare(MIDIHDR *header, UINT headerSize);
    MMRESULT unprepare(MIDIHDR *header, UINT headerSize);
    MMRESULT sendLong(MIDIHDR *header, UINT headerSize);
    // Gives up on every long message still going out and marks it done.
    MMRESULT reset();
    // The connection's MidiBackendOutput::waitUntilLive().
    bool waitUntilLive();
    // The connection's MidiBackendOutput::drain().
    MMRESULT drain(DWORD &unsent);
    // The connection's MidiBackendOutput::rewritingListeners().
    std::vector<std::string> rewritingListeners();

private:
    std::mutex mutex_;
    std::unique_ptr<MidiBackendOutput> connection_;
    std::vector<MIDIHDR *> unfinished_;
};
