#pragma once

// The block transfer of a firmware image, apart from any MIDI port: it is
// given how to send a short message, how to wait until what was sent has
// left, how to take the next queued message, how to wait and what time it
// is, so the keyboard's link supplies real ports and a test can supply a
// recording keyboard and a clock of its own.

#include <chrono>
#include <functional>
#include <string>

class FirmwareTransfer
{
public:
    using SendShortMessage = std::function<int(unsigned char status, unsigned char data1, unsigned char data2)>;
    // Returns once every message sent so far has left the program; false
    // when some of them never will.
    using Drain = std::function<bool()>;
    // The oldest queued message from the keyboard, or an empty string.
    using TakeMessage = std::function<std::string()>;
    using Sleep = std::function<void(int milliseconds)>;
    using Clock = std::function<std::chrono::steady_clock::time_point()>;
    using Progress = std::function<void(int percent)>;

    FirmwareTransfer(SendShortMessage send, Drain drain, TakeMessage take, Sleep sleep, Clock clock);

    // Announces the block count, streams the image block by block and
    // waits for the keyboard's acknowledgement after the announcement and
    // after every block. Stops at the first missing acknowledgement, or at
    // a block that could not leave, and returns false; nothing more is
    // sent then. An image the keyboard cannot take (empty, or more than
    // 2047 blocks) is refused without sending anything. progress gets the
    // share of blocks already acknowledged before each block goes out, and
    // 100 at the end.
    bool run(const std::string &image, const Progress &progress) const;

private:
    void sendImageByte(unsigned char byte) const;
    bool acknowledged(const std::string &expected) const;

    SendShortMessage send_;
    Drain drain_;
    TakeMessage take_;
    Sleep sleep_;
    Clock clock_;
};
