#pragma once

// One open input port of the port service. What the backend delivers is
// collected here and handed to the callback on a thread of the port's own:
// short messages one by one, System Exclusive bytes in the buffers the
// owner queued, oldest buffer first, a longer message continuing in the
// next buffer. Stop and reset are carried out on that thread too, so the
// callback never runs twice at once and never after the port is closed.

#include "midi/midibackend.h"
#include "midi/midistreamparser.h"
#include "midi/portservice.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

class MidiInputPort : private MidiStreamParser::Handler, private MidiInputSink
{
public:
    // The port's handle is the object's own address.
    MidiInputPort(MIDIINPROC callback, DWORD_PTR instance);
    ~MidiInputPort() override;

    MidiInputPort(const MidiInputPort &) = delete;
    MidiInputPort &operator=(const MidiInputPort &) = delete;

    HMIDIIN handle() const { return handle_; }
    MMRESULT open(MidiBackend &backend, UINT port);
    // Fails with MIDIERR_STILLPLAYING while buffers are still queued.
    MMRESULT close();

    MMRESULT prepare(MIDIHDR *header, UINT headerSize);
    MMRESULT unprepare(MIDIHDR *header, UINT headerSize);
    MMRESULT addBuffer(MIDIHDR *header, UINT headerSize);
    MMRESULT start();
    MMRESULT stop();
    MMRESULT reset();
    // The connection's MidiBackendInput::waitUntilLive(); called, like
    // open and close, by the port's owner.
    bool waitUntilLive();

private:
    enum class Request { None, Stop, Reset };

    void receive(const unsigned char *bytes, std::size_t size) override;
    void waitUntilHandled() override;
    void run();
    MMRESULT carryOut(Request request);
    void perform(Request request);
    void deliver(UINT message, DWORD_PTR param1);
    void handBackFront(UINT message);
    bool frontHasBytes();

    void shortMessage(DWORD packed) override;
    void sysexByte(unsigned char byte) override;
    void sysexEnd() override;
    void sysexBroken() override;

    const HMIDIIN handle_;
    const MIDIINPROC callback_;
    const DWORD_PTR instance_;

    std::unique_ptr<MidiBackendInput> connection_;
    std::thread thread_;

    // Guards everything below.
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable requestDone_;
    std::condition_variable handled_;
    bool parsing_ = false;
    bool started_ = false;
    bool quit_ = false;
    Request request_ = Request::None;
    std::vector<unsigned char> pending_;
    // Queued buffers; the front one is the one being filled.
    std::deque<MIDIHDR *> buffers_;

    // Only the port's thread touches these.
    MidiStreamParser parser_;
    bool droppingSysex_ = false;
    std::chrono::steady_clock::time_point startTime_;
};
