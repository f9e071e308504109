// Setting::transfer: one control's parameter messages over the live link.

#include "model/setting.h"

#include "midi/midicontroller.h"
#include "protocol/parameterformat.h"
#include "protocol/parameterexchange.h"
#include "protocol/parametermap.h"

#include <QtGlobal>

MessageCounts Setting::transfer(int index, int slot, bool request) const
{
    MessageCounts counts;
    // Reading and writing make sure of the link before they get here.
    MidiController *link = MidiController::getInstance(false);
    Q_ASSERT_X(link, "Setting::transfer", "mc");
    if (!link)
        return counts;
    return transfer(*link, index, slot, request);
}

MessageCounts Setting::transfer(MidiController &link, int index, int slot, bool request) const
{
    MessageCounts counts;
    for (const ParameterValue &parameter : controlParameters(*this, index, request)) {
        const int result = request
            ? link.requestParameter(kRequestCommand, slot, parameter.selector, parameter.number)
            : link.setParameter(kSetCommand, slot, parameter.selector, parameter.number, parameter.value);
        if (!ParameterExchange::countResult(counts, result))
            break;
    }
    return counts;
}
