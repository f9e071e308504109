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
    // taken it. A refused one is counted and the rest still go out, so
    // that as much of the record as possible reaches the keyboard.
    for (const ParameterValue &parameter : globalParameters(*this)) {
        ++total.messages;
        if (link->setParameter(kSetCommand, slot, parameter.selector, parameter.number, parameter.value) != 0)
            ++total.refused;
    }
    for (int index = 0; index < kControlCount; ++index) {
        const MessageCounts control = controls[index].transfer(index, slot, false);
        total.messages += control.messages;
        total.refused += control.refused;
    }
    if (counts)
        *counts = total;
    return total.refused == 0;
}
