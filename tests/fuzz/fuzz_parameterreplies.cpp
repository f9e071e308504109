// Whatever the input queue holds when the settings are read: each message
// is a length byte and that many bytes. The read must accept at most one
// reply per message, empty the queue, keep the global fields in their
// ranges, and a record built from any bytes must go out as 7-bit data.

#include "midi/midicontroller.h"
#include "model/settings.h"
#include "protocol/parametermap.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <mutex>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    int messages = 0;
    {
        std::lock_guard<std::mutex> lock(queueMutex);
        inputQueue.clear();
        for (std::size_t at = 0; at < size;) {
            const std::size_t length = data[at++];
            const std::size_t taken = length < size - at ? length : size - at;
            if (taken > 0) {
                inputQueue.emplace_back(reinterpret_cast<const char *>(data + at), taken);
                ++messages;
            }
            at += taken;
        }
    }

    Settings settings;
    const int accepted = storeQueuedReplies(settings);
    if (accepted < 0 || accepted > messages || !MidiController::popMessage().empty())
        std::abort();
    if (settings.globalChannel > 15 || settings.padCurve > 3 || settings.accel > 2
        || settings.velocityCurve > 3 || settings.octave > 8 || settings.knobMode > 1)
        std::abort();

    // The same bytes as a record loaded from a file: every value sent is a
    // MIDI data byte.
    if (size >= Settings::kImageSize) {
        const Settings loaded = Settings::fromBytes(reinterpret_cast<const char *>(data));
        for (const ParameterValue &parameter : globalParameters(loaded))
            if (parameter.value < 0 || parameter.value > 0x7F)
                std::abort();
        for (int index = 0; index < kControlCount; ++index)
            for (bool request : {true, false})
                for (const ParameterValue &parameter : controlParameters(loaded.controls[index], index, request))
                    if (parameter.value < 0 || parameter.value > 0x7F || parameter.selector > 0x7F
                        || parameter.number > 0x7F)
                        std::abort();
    }
    return 0;
}
