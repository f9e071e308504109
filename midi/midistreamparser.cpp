#include "midi/midistreamparser.h"

#include "midi/shortmessagelength.h"

namespace {
constexpr unsigned char kSysexStart = 0xF0;
constexpr unsigned char kSysexEnd = 0xF7;
constexpr unsigned char kFirstRealTime = 0xF8;

DWORD pack(unsigned char status, unsigned char data1, unsigned char data2)
{
    return DWORD(status) | (DWORD(data1) << 8) | (DWORD(data2) << 16);
}
} // namespace

int MidiStreamParser::dataLength(unsigned char status)
{
    return shortMessageDataLength(status);
}

void MidiStreamParser::feed(const unsigned char *bytes, std::size_t size, Handler &handler)
{
    for (std::size_t i = 0; i < size; ++i) {
        const unsigned char byte = bytes[i];
        if (byte >= kFirstRealTime) {
            // Real-time bytes may come anywhere, even inside other messages,
            // and interrupt nothing.
            if (byte != 0xF9 && byte != 0xFD)
                handler.shortMessage(pack(byte, 0, 0));
            continue;
        }
        if (inSysex_) {
            if (byte < 0x80) {
                handler.sysexByte(byte);
                continue;
            }
            inSysex_ = false;
            if (byte == kSysexEnd) {
                handler.sysexByte(byte);
                handler.sysexEnd();
                continue;
            }
            handler.sysexBroken();
        }
        if (byte >= 0x80) {
            startStatus(byte, handler);
            continue;
        }
        // A data byte outside a System Exclusive message.
        if (runningStatus_ == 0)
            continue; // stray, nobody to give it to
        data_[dataCount_++] = byte;
        if (dataCount_ == dataLength(runningStatus_)) {
            handler.shortMessage(pack(runningStatus_, data_[0], dataCount_ > 1 ? data_[1] : 0));
            dataCount_ = 0;
            // System common messages have no running status.
            if (runningStatus_ >= 0xF0)
                runningStatus_ = 0;
        }
    }
}

void MidiStreamParser::startStatus(unsigned char status, Handler &handler)
{
    dataCount_ = 0;
    runningStatus_ = 0;
    if (status == kSysexStart) {
        inSysex_ = true;
        handler.sysexByte(status);
        return;
    }
    const int length = dataLength(status);
    if (length < 0)
        return; // a lone F7 or an undefined status: nothing to report
    if (length == 0) {
        handler.shortMessage(pack(status, 0, 0));
        return;
    }
    runningStatus_ = status;
}

void MidiStreamParser::reset(Handler &handler)
{
    if (inSysex_) {
        inSysex_ = false;
        handler.sysexBroken();
    }
    runningStatus_ = 0;
    dataCount_ = 0;
}
