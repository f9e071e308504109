#include "firmware/firmwaretransfer.h"

#include "firmware/firmwareprotocol.h"

#include <utility>

using namespace FirmwareProtocol;

FirmwareTransfer::FirmwareTransfer(SendShortMessage send, TakeMessage take, Sleep sleep)
    : send_(std::move(send)), take_(std::move(take)), sleep_(std::move(sleep))
{
}

bool FirmwareTransfer::run(const std::string &image, const Progress &progress) const
{
    if (!fitsKeyboard(image.size()))
        return false;

    const std::size_t blocks = blockCount(image.size());
    // The results of the single sends are not looked at: a message that did
    // not go out shows as a missing acknowledgement.
    send_(kControlStatus, static_cast<unsigned char>(blocks >> 4), static_cast<unsigned char>(blocks & 0x0F));
    sleep_(kAcknowledgementWaitMs);
    if (!acknowledged(kSizeAccepted))
        return false;

    for (std::size_t block = 0; block + 1 < blocks; ++block) {
        const std::size_t start = block * kBlockSize;
        for (std::size_t offset = start; offset < start + kBlockSize; ++offset)
            sendImageByte(static_cast<unsigned char>(image[offset]));
        if (progress)
            progress(static_cast<int>(block * 100 / blocks));
        sleep_(kAcknowledgementWaitMs);
        if (!acknowledged(kBlockAccepted))
            return false;
    }

    const std::size_t lastStart = (blocks - 1) * kBlockSize;
    for (std::size_t offset = lastStart; offset < image.size(); ++offset)
        sendImageByte(static_cast<unsigned char>(image[offset]));
    for (std::size_t offset = image.size(); offset < blocks * kBlockSize; ++offset)
        sendImageByte(kFillerByte);
    sleep_(kAcknowledgementWaitMs);
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

// One pass over what is queued now, without waiting: whatever comes before
// the expected answer (stale answers, other 0x9A traffic) is dropped.
bool FirmwareTransfer::acknowledged(const std::string &expected) const
{
    for (std::string message = take_(); !message.empty(); message = take_()) {
        if (message == expected)
            return true;
    }
    return false;
}
