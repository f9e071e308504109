#pragma once

// What the port service needs of a MIDI system: port lists and one open
// connection per port. Raw bytes only; message framing, input buffers and
// the callback thread are the port service's own, so every backend behaves
// the same towards the editor.

#include "midi/portservice.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

// An open output port. send() returns when the port has taken the message.
class MidiBackendOutput
{
public:
    virtual ~MidiBackendOutput() = default;
    // One complete message. `finished` is set to false when the port took
    // the message but will never report it as gone out (a stalled port).
    virtual MMRESULT send(const std::string &message, bool &finished) = 0;
    // True once the MIDI system confirms that what is sent from now on
    // reaches the port; waits a few milliseconds at most for that. False
    // when the system cannot tell, as most cannot: then only time helps.
    virtual bool waitUntilLive() { return false; }
    // Returns once every message taken so far has gone out of the program,
    // or when it became clear that some never will: those are given up
    // and counted in `unsent`. Ports whose send() returns only once the
    // message is out have nothing to wait for.
    virtual MMRESULT drain(DWORD &unsent)
    {
        unsent = 0;
        return MMSYSERR_NOERROR;
    }
    // Other listeners on the port for whom the MIDI system may change what
    // the port sends, for the target too; most systems never do.
    virtual std::vector<std::string> rewritingListeners() { return {}; }
};

// Where an open input port delivers what arrives.
class MidiInputSink
{
public:
    virtual ~MidiInputSink() = default;
    // Any thread; returns at once.
    virtual void receive(const unsigned char *bytes, std::size_t size) = 0;
    // Returns once everything received so far has reached the callback
    // (or after a few seconds, if the callback is stuck).
    virtual void waitUntilHandled() = 0;
};

// An open input port; it hands what arrives to the sink given at opening,
// on any thread, until it is destroyed.
class MidiBackendInput
{
public:
    virtual ~MidiBackendInput() = default;
    // True once the MIDI system confirms that what the port sends from now
    // on reaches the sink; as MidiBackendOutput::waitUntilLive().
    virtual bool waitUntilLive() { return false; }
};

class MidiBackend
{
public:
    virtual ~MidiBackend() = default;

    // Port names, numbered from 0; a backend keeps the numbering of its
    // last listing until it is asked to list again.
    virtual std::vector<std::string> outputPortNames(bool refresh) = 0;
    virtual std::vector<std::string> inputPortNames(bool refresh) = 0;
    // The ports there are right now, without touching the numbering that
    // opening a port by number goes by: a search may be using it.
    virtual std::vector<std::string> presentPortNames(bool outputs) = 0;

    virtual std::unique_ptr<MidiBackendOutput> openOutput(UINT port, MMRESULT &result) = 0;
    virtual std::unique_ptr<MidiBackendInput> openInput(UINT port, MidiInputSink &sink, MMRESULT &result) = 0;

    // Why this MIDI system has no port, in words for the user ("no JACK
    // server running"); empty when it has ports or cannot tell.
    virtual std::string whyNoPorts() { return {}; }
    // True while the MIDI system behind this backend stopped answering its
    // calls (see midiSystemNotResponding()).
    virtual bool notResponding() const { return false; }
};

// Chooses the backend of the port service: null puts back the default
// (RtMidi). Ports already open keep the backend they were opened with.
void installMidiBackend(std::shared_ptr<MidiBackend> backend);
std::shared_ptr<MidiBackend> currentMidiBackend();
