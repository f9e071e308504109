// Any bytes arriving on the keyboard's input port, through the port
// service's parser and input buffers into the editor's queue. Only Note-Ons
// on channel 11 and System Exclusive pieces of at most one buffer may come
// out, and the link must keep working.

#include "keyboardsimulator.h"
#include "midi/midicontroller.h"
#include "virtualkeyboardrig.h"

#include <QLoggingCategory>

#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {
const char *const kPort = "Telvir Keyboard";

// One live link for the whole run: discovery costs most of a second.
VirtualKeyboardRig &rig()
{
    static std::unique_ptr<VirtualKeyboardRig> rig = [] {
        QLoggingCategory::setFilterRules("*.debug=false");
        auto made = std::make_unique<VirtualKeyboardRig>(std::vector<std::string>{kPort},
                                                         std::vector<std::string>{kPort});
        made->attachSimulator(kPort, kPort);
        if (!MidiController::getInstance(false))
            std::abort();
        return made;
    }();
    return *rig;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    VirtualKeyboardRig &keyboards = rig();
    keyboards.inject(kPort, std::string(reinterpret_cast<const char *>(data), size));
    for (std::string message = MidiController::popMessage(); !message.empty();
         message = MidiController::popMessage()) {
        const auto status = static_cast<unsigned char>(message[0]);
        const bool noteOn = message.size() == 3 && status == 0x9A;
        const bool sysexPiece = message.size() <= std::size_t(kInputBufferSize);
        if (!noteOn && !sysexPiece)
            std::abort();
        if (noteOn && (static_cast<unsigned char>(message[1]) > 0x7F || static_cast<unsigned char>(message[2]) > 0x7F))
            std::abort();
    }
    return 0;
}
