#include "firmware/firmwaretransfer.h"

#include "firmware/firmwareprotocol.h"

#include <utility>

using namespace FirmwareProtocol;

namespace {
// How often a late answer is looked for.
constexpr int kLatePollMs = 2;
} // namespace

FirmwareTransfer::FirmwareTransfer(SendShortMessage send, Drain drain, TakeMessage take, Sleep sleep, Clock clock)
    : send_(std::move(send)),
      drain_(std::move(drain)),
      take_(std::move(take)),
      sleep_(std::move(sleep)),
      clock_(std::move(clock))
{
}

bool FirmwareTransfer::run(const std::string &image, const Progress &progress) const
{
    if (!fitsKeyboard(image.size()))
        return false;

    const std::size_t blocks = blockCount(image.size());
    // The results of the single sends are not looked at: a message that did
    // not go out shows in the drain, or as a missing acknowledgement.
    send_(kControlStatus, static_cast<unsigned char>(blocks >> 4), static_cast<unsigned char>(blocks & 0x0F));
    if (!acknowledged(kSizeAccepted))
        return false;

    for (std::size_t block = 0; block + 1 < blocks; ++block) {
        const std::size_t start = block * kBlockSize;
        for (std::size_t offset = start; offset < start + kBlockSize; ++offset)
            sendImageByte(static_cast<unsigned char>(image[offset]));
        if (progress)
            progress(static_cast<int>(block * 100 / blocks));
        if (!acknowledged(kBlockAccepted))
            return false;
    }

    const std::size_t lastStart = (blocks - 1) * kBlockSize;
    for (std::size_t offset = lastStart; offset < image.size(); ++offset)
        sendImageByte(static_cast<unsigned char>(image[offset]));
    for (std::size_t offset = image.size(); offset < blocks * kBlockSize; ++offset)
        sendImageByte(kFillerByte);
    if (!acknowledged(kImageComplete))
        return false;

    if (progress)
        progress(100);
    return true;
}

void FirmwareTransfer::sendImageByte(unsigned char byte) const
{
    send_(kDataStatus, static_cast<unsigned char>(byte >> 4), static_cast<unsigned char>(byte & 0x0F));
}

// The wait is counted from the moment the messages have left, not from
// when they were queued: a server that runs late takes the block late, and
// the keyboard cannot answer before it has it. Whatever comes before the
// expected answer (stale answers, other 0x9A traffic) is dropped.
bool FirmwareTransfer::acknowledged(const std::string &expected) const
{
    if (!drain_())
        return false;
    const auto deadline = clock_() + std::chrono::milliseconds(kAcknowledgementLimitMs);
    sleep_(kAcknowledgementWaitMs);
    for (;;) {
        for (std::string message = take_(); !message.empty(); message = take_()) {
            if (message == expected)
                return true;
        }
        if (clock_() >= deadline)
            return false;
        sleep_(kLatePollMs);
    }
}
