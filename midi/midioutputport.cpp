#include "midi/midioutputport.h"

#include "midi/midiheaderflags.h"
#include "midi/midistreamparser.h"

#include <algorithm>
#include <string>

namespace {
constexpr unsigned char kSysexStart = 0xF0;
}

MMRESULT MidiOutputPort::open(MidiBackend &backend, UINT port)
{
    MMRESULT result = MMSYSERR_NOERROR;
    std::lock_guard<std::mutex> lock(mutex_);
    connection_ = backend.openOutput(port, result);
    if (!connection_)
        return result == MMSYSERR_NOERROR ? MMSYSERR_ERROR : result;
    return MMSYSERR_NOERROR;
}

MMRESULT MidiOutputPort::close()
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (!unfinished_.empty())
        return MIDIERR_STILLPLAYING;
    connection_.reset();
    return MMSYSERR_NOERROR;
}

bool MidiOutputPort::waitUntilLive()
{
    std::lock_guard<std::mutex> lock(mutex_);
    return connection_ && connection_->waitUntilLive();
}

MMRESULT MidiOutputPort::drain(DWORD &unsent)
{
    std::lock_guard<std::mutex> lock(mutex_);
    unsent = 0;
    return connection_ ? connection_->drain(unsent) : MMSYSERR_INVALHANDLE;
}

std::vector<std::string> MidiOutputPort::rewritingListeners()
{
    std::lock_guard<std::mutex> lock(mutex_);
    return connection_ ? connection_->rewritingListeners() : std::vector<std::string>();
}

MMRESULT MidiOutputPort::sendShort(DWORD packed)
{
    const unsigned char status = packed & 0xFF;
    const int dataLength = MidiStreamParser::dataLength(status);
    if (dataLength < 0)
        return MMSYSERR_INVALPARAM; // no status byte, or one that starts a long message
    std::string message(1, char(status));
    for (int i = 1; i <= dataLength; ++i) {
        const unsigned char data = (packed >> (8 * i)) & 0xFF;
        if (data >= 0x80)
            return MMSYSERR_INVALPARAM; // would be taken for a status byte on the wire
        message += char(data);
    }
    std::lock_guard<std::mutex> lock(mutex_);
    bool finished = true;
    return connection_->send(message, finished);
}

// Prepare and unprepare take no lock: every System Exclusive message goes
// through both, and the lock would cost as much as the rest of the port's
// work. They touch nothing but the header's flags (see midiheaderflags.h).
MMRESULT MidiOutputPort::prepare(MIDIHDR *header, UINT headerSize)
{
    return markHeaderPrepared(header, headerSize);
}

MMRESULT MidiOutputPort::unprepare(MIDIHDR *header, UINT headerSize)
{
    return markHeaderUnprepared(header, headerSize);
}

MMRESULT MidiOutputPort::sendLong(MIDIHDR *header, UINT headerSize)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (const MMRESULT refused = checkHeaderQueueable(header, headerSize))
        return refused;
    if (static_cast<unsigned char>(header->lpData[0]) != kSysexStart)
        return MMSYSERR_INVALPARAM;
    const std::string message(header->lpData, header->dwBufferLength);
    const DWORD flags = headerFlags(header) & ~MHDR_DONE;
    setHeaderFlags(header, flags);
    bool finished = true;
    const MMRESULT result = connection_->send(message, finished);
    if (result != MMSYSERR_NOERROR)
        return result;
    if (finished) {
        setHeaderFlags(header, flags | MHDR_DONE);
    } else {
        setHeaderFlags(header, flags | MHDR_INQUEUE);
        unfinished_.push_back(header);
    }
    return MMSYSERR_NOERROR;
}

MMRESULT MidiOutputPort::reset()
{
    std::lock_guard<std::mutex> lock(mutex_);
    for (MIDIHDR *header : unfinished_)
        setHeaderFlags(header, (headerFlags(header) & ~MHDR_INQUEUE) | MHDR_DONE);
    unfinished_.clear();
    return MMSYSERR_NOERROR;
}
