// Settings::send: writing the record into one of the keyboard's memories.

#include "model/settings.h"

#include "midi/midicontroller.h"
#include "protocol/parameterformat.h"
#include "protocol/parametermap.h"

bool Settings::send(int slot, MessageCounts *counts) const
{
    MessageCounts total;
    MidiController *link = MidiController::getInstance(false);
    if (!link) {
        if (counts)
            *counts = total;
        return false;
    }

    // Nothing is acknowledged: each message waits only until the port has
    // taken it, and the whole write until the port has let all of them go. A refused one is counted and the rest still go out, so
    // that as much of the record as possible reaches the keyboard.
    // A port that stalls ends the write as a whole, within one message's
    // timeout.
    for (std::size_t position = 0; position < kGlobalParameterWires.size() && !total.stalled; ++position) {
        const MessageCounts global = sendGlobal(*link, static_cast<int>(position), slot);
        total.messages += global.messages;
        total.refused += global.refused;
        total.stalled = global.stalled;
    }
    for (int index = 0; index < kControlCount && !total.stalled; ++index) {
        const MessageCounts control = controls[index].transfer(index, slot, false);
        total.messages += control.messages;
        total.refused += control.refused;
        total.stalled = control.stalled;
    }
    // Sent is not yet out: a program may end right after this returns.
    // What never goes out counts as refused.
    total.refused += link->drainOutput();
    if (counts)
        *counts = total;
    return total.refused == 0;
}

MessageCounts Settings::sendGlobal(MidiController &link, int position, int slot) const
{
    MessageCounts counts;
    const ParameterValue parameter = globalParameter(*this, position);
    const int result = link.setParameter(kSetCommand, slot, parameter.selector, parameter.number, parameter.value);
    counts.messages = 1;
    counts.refused = result != 0 ? 1 : 0;
    counts.stalled = result == MIDIERR_NOTREADY;
    return counts;
}
