#pragma once

// Splits the raw bytes of a MIDI port into what the port service reports:
// complete short messages (running status expanded), the bytes of System
// Exclusive messages, and their end or their breaking off. It accepts any
// bytes: stray data bytes are dropped, real-time bytes inside a System
// Exclusive message are reported on their own without ending it, and a
// status byte inside one breaks it.

#include "midi/portservice.h"

#include <cstddef>

class MidiStreamParser
{
public:
    class Handler
    {
    public:
        virtual ~Handler() = default;
        // Status in bits 0-7, first data byte in bits 8-15, second in 16-23.
        virtual void shortMessage(DWORD packed) = 0;
        // F0, the data bytes and F7 of a System Exclusive message, in order.
        virtual void sysexByte(unsigned char byte) = 0;
        // Called right after the F7 byte.
        virtual void sysexEnd() = 0;
        // A System Exclusive message that another status byte cut short.
        virtual void sysexBroken() = 0;
    };

    void feed(const unsigned char *bytes, std::size_t size, Handler &handler);
    // Forgets a message in progress; an unfinished System Exclusive message
    // is reported broken.
    void reset(Handler &handler);

    // Data bytes that follow a status byte (-1 for F0, F7 and undefined ones).
    static int dataLength(unsigned char status);

private:
    void startStatus(unsigned char status, Handler &handler);

    bool inSysex_ = false;
    unsigned char runningStatus_ = 0; // 0 = none
    unsigned char data_[2] = {0, 0};
    int dataCount_ = 0;
};
