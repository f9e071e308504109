#pragma once

// Messages from the MIDI system's thread to the simulator's own. On JACK,
// RtMidi calls the input callback in the process cycle, which is real-time
// code: a callback that waits there (for a lock, a file, the memory
// allocator) makes its client late, and a server that does not wait for
// late clients (PipeWire's) drops the MIDI of the cycles it overlaps. So
// the callback only copies each message into libjack's lock-free ring and
// wakes the reader; what does not fit is counted, never lost unsaid.
//
// One writer (the callback) and one reader (the simulator's thread).

#include <jack/ringbuffer.h>

#include <semaphore.h>

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

class InputRing
{
public:
    explicit InputRing(std::size_t bytes);
    ~InputRing();

    InputRing(const InputRing &) = delete;
    InputRing &operator=(const InputRing &) = delete;

    // The writer's side: the whole message or, when there is no room for
    // it, nothing and one more overflow.
    void push(const unsigned char *bytes, std::size_t size);
    // The reader's side: the oldest message, waiting up to `wait` for one;
    // false when none came.
    bool pop(std::string &message, std::chrono::milliseconds wait);
    // Messages that found the ring full.
    std::uint64_t overflows() const { return overflows_.load(); }

private:
    jack_ringbuffer_t *const ring_;
    sem_t ready_;
    std::atomic<std::uint64_t> overflows_{0};
    // libjack orders the ring's bytes in code that ThreadSanitizer does not
    // see; this release and acquire make the hand-over visible to it.
    std::atomic<std::uint64_t> handedOver_{0};
};
