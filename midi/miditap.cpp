#include "midi/miditap.h"

#include "midi/shortmessagelength.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstring>

namespace {
static_assert((MidiTap::kCapacity & (MidiTap::kCapacity - 1)) == 0, "the capacity is a power of two");

// A bounded multi-producer queue after Dmitry Vyukov: each cell's sequence
// says whether it is free for the producer of position p (sequence p) or
// filled for the reader (sequence p + 1). Producers claim positions with
// one compare-and-swap and nobody ever waits on a lock.
struct Cell
{
    std::atomic<std::size_t> sequence{0};
    TappedMessage message;
};

struct Queue
{
    Queue()
    {
        for (std::size_t i = 0; i < MidiTap::kCapacity; ++i)
            cells[i].sequence.store(i, std::memory_order_relaxed);
    }

    std::array<Cell, MidiTap::kCapacity> cells;
    alignas(64) std::atomic<std::size_t> writePosition{0};
    alignas(64) std::size_t readPosition = 0;
    std::atomic<std::uint64_t> dropped{0};
    std::atomic<bool> enabled{false};
};

Queue &queue()
{
    static Queue instance;
    return instance;
}

constexpr std::size_t kMask = MidiTap::kCapacity - 1;

} // namespace

void MidiTap::setEnabled(bool enabled)
{
    queue().enabled.store(enabled, std::memory_order_relaxed);
}

bool MidiTap::enabled()
{
    return queue().enabled.load(std::memory_order_relaxed);
}

void MidiTap::record(TappedMessage::Direction direction, const char *data, std::size_t length, bool refused)
{
    Queue &q = queue();
    if (!q.enabled.load(std::memory_order_relaxed) || !data || length == 0)
        return;
    const std::int64_t now = std::chrono::duration_cast<std::chrono::nanoseconds>(
                                 std::chrono::steady_clock::now().time_since_epoch())
                                 .count();
    std::size_t position = q.writePosition.load(std::memory_order_relaxed);
    Cell *cell = nullptr;
    for (;;) {
        cell = &q.cells[position & kMask];
        const std::size_t sequence = cell->sequence.load(std::memory_order_acquire);
        const auto difference = static_cast<std::ptrdiff_t>(sequence - position);
        if (difference == 0) {
            if (q.writePosition.compare_exchange_weak(position, position + 1, std::memory_order_relaxed))
                break;
        } else if (difference < 0) {
            // Full: the reader is a whole queue behind.
            q.dropped.fetch_add(1, std::memory_order_relaxed);
            return;
        } else {
            position = q.writePosition.load(std::memory_order_relaxed);
        }
    }
    TappedMessage &message = cell->message;
    message.timeNs = now;
    message.length = static_cast<std::uint32_t>(length);
    message.direction = direction;
    message.refused = refused;
    std::memcpy(message.start.data(), data, std::min(length, TappedMessage::kKeptBytes));
    cell->sequence.store(position + 1, std::memory_order_release);
}

void MidiTap::recordShort(TappedMessage::Direction direction, DWORD packed, bool refused)
{
    if (!enabled())
        return;
    const auto status = static_cast<unsigned char>(packed & 0xFF);
    const char bytes[3] = {char(status), char((packed >> 8) & 0xFF), char((packed >> 16) & 0xFF)};
    // A byte that starts no short message is kept alone.
    record(direction, bytes, std::size_t(1 + std::max(0, shortMessageDataLength(status))), refused);
}

std::size_t MidiTap::drain(std::vector<TappedMessage> &into, std::size_t limit)
{
    Queue &q = queue();
    std::size_t taken = 0;
    while (taken < limit) {
        Cell &cell = q.cells[q.readPosition & kMask];
        if (cell.sequence.load(std::memory_order_acquire) != q.readPosition + 1)
            break;
        into.push_back(cell.message);
        cell.sequence.store(q.readPosition + MidiTap::kCapacity, std::memory_order_release);
        ++q.readPosition;
        ++taken;
    }
    return taken;
}

std::uint64_t MidiTap::dropped()
{
    return queue().dropped.load(std::memory_order_relaxed);
}
