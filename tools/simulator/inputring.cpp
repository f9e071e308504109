#include "inputring.h"

#include <ctime>
#include <new>

InputRing::InputRing(std::size_t bytes) : ring_(jack_ringbuffer_create(bytes))
{
    if (!ring_)
        throw std::bad_alloc();
    // Its pages are touched here, not in the process cycle; a system that
    // refuses to lock them still has them touched.
    jack_ringbuffer_mlock(ring_);
    sem_init(&ready_, 0, 0);
}

InputRing::~InputRing()
{
    sem_destroy(&ready_);
    jack_ringbuffer_free(ring_);
}

void InputRing::push(const unsigned char *bytes, std::size_t size)
{
    const auto length = std::uint32_t(size);
    const std::size_t total = sizeof length + size;
    if (size == 0 || jack_ringbuffer_write_space(ring_) < total) {
        overflows_.fetch_add(1);
        sem_post(&ready_);
        return;
    }
    // Copied into the free space first and then handed over at once, so the
    // reader sees the whole message or none of it.
    jack_ringbuffer_data_t parts[2];
    jack_ringbuffer_get_write_vector(ring_, parts);
    std::size_t written = 0;
    const auto copy = [&](const char *from, std::size_t count) {
        for (std::size_t index = 0; index < count; ++index, ++written) {
            if (written < parts[0].len)
                parts[0].buf[written] = from[index];
            else
                parts[1].buf[written - parts[0].len] = from[index];
        }
    };
    copy(reinterpret_cast<const char *>(&length), sizeof length);
    copy(reinterpret_cast<const char *>(bytes), size);
    handedOver_.fetch_add(1, std::memory_order_release);
    jack_ringbuffer_write_advance(ring_, total);
    sem_post(&ready_);
}

bool InputRing::pop(std::string &message, std::chrono::milliseconds wait)
{
    timespec until {};
    clock_gettime(CLOCK_REALTIME, &until);
    const auto nanoseconds = std::chrono::nanoseconds(wait).count() + until.tv_nsec;
    until.tv_sec += time_t(nanoseconds / 1000000000);
    until.tv_nsec = long(nanoseconds % 1000000000);
    for (;;) {
        handedOver_.load(std::memory_order_acquire);
        std::uint32_t length = 0;
        if (jack_ringbuffer_read_space(ring_) >= sizeof length) {
            // It went in whole, its length and its bytes.
            jack_ringbuffer_read(ring_, reinterpret_cast<char *>(&length), sizeof length);
            message.resize(length);
            jack_ringbuffer_read(ring_, &message[0], length);
            return true;
        }
        // Posted once per message and overflow, so a wake may find the
        // message taken already; the loop looks again.
        if (sem_timedwait(&ready_, &until) != 0)
            return false;
    }
}
