#include "midi/midicontroller.h"

#include "firmware/firmwaretransfer.h"

#include <QThread>

// The link's side of a firmware update: its output port and the input queue.
bool MidiController::sendFirmware(const std::string &image, const std::function<void(int)> &progress)
{
    const FirmwareTransfer transfer(
        [this](unsigned char status, unsigned char data1, unsigned char data2) {
            return sendShortMessage(status, data1, data2);
        },
        &MidiController::popMessage,
        [](int milliseconds) { QThread::msleep(static_cast<unsigned long>(milliseconds)); });
    const bool upgraded = transfer.run(image, progress);
    // The last acknowledgement vouches for every block; the drain shows a
    // transfer that failed because the MIDI system stalled.
    return drainOutput() == 0 && upgraded;
}
