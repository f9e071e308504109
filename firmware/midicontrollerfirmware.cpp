#include "midi/midicontroller.h"

#include "firmware/firmwaretransfer.h"

#include <QThread>

// The link's side of a firmware update: its output port and the input queue.
// A block counts as gone only when it left, and as it was: while another
// program listens on a system that may rewrite the bytes for the keyboard
// too, nothing is sent, and a transfer under way ends at the block's end.
bool MidiController::sendFirmware(const std::string &image, const std::function<void(int)> &progress)
{
    if (!outputRewritingListeners().empty())
        return false;
    const FirmwareTransfer transfer(
        [this](unsigned char status, unsigned char data1, unsigned char data2) {
            return sendShortMessage(status, data1, data2);
        },
        [this] { return drainOutput() == 0 && outputRewritingListeners().empty(); },
        &MidiController::popMessage,
        [](int milliseconds) { QThread::msleep(static_cast<unsigned long>(milliseconds)); },
        [] { return std::chrono::steady_clock::now(); });
    return transfer.run(image, progress);
}
