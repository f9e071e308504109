// Settings::send: writing the record into one of the keyboard's memories.

#include "model/settings.h"

#include "midi/midicontroller.h"
#include "protocol/parameterformat.h"
#include "protocol/parametermap.h"

#include <algorithm>
#include <vector>

namespace {
// Sends one parameter; the offset of its field goes to `taken` when the
// port took the message.
void sendParameter(MidiController &link, int slot, const ParameterValue &parameter, WriteReport &report,
                   std::vector<std::size_t> &taken)
{
    const std::size_t offset = std::size_t(parameterOffset(parameter.selector, parameter.number));
    const int result = link.setParameter(kSetCommand, slot, parameter.selector, parameter.number, parameter.value);
    report.tried.set(offset);
    ++report.counts.messages;
    if (result == 0)
        taken.push_back(offset);
    else
        ++report.counts.refused;
    // Each further message would wait out its own timeout.
    if (result == MIDIERR_NOTREADY)
        report.counts.stalled = true;
}
} // namespace

bool Settings::send(int slot, MessageCounts *counts) const
{
    WriteReport report;
    MidiController *link = MidiController::getInstance(false);
    const bool sent = link && send(*link, slot, WriteParts::all(), report);
    if (counts)
        *counts = report.counts;
    return sent;
}

bool Settings::send(MidiController &link, int slot, const WriteParts &parts, WriteReport &report) const
{
    report = WriteReport();
    // Nothing is acknowledged: each message waits only until the port has
    // taken it, and the whole write until the port has let all of them go.
    // A refused one is counted and the rest still go out, so that as much
    // of the record as possible reaches the keyboard. A port that stalls
    // ends the write as a whole, within one message's timeout.
    std::vector<std::size_t> taken;
    forEachWrittenParameter(*this, parts, [&](const ParameterValue &parameter) {
        sendParameter(link, slot, parameter, report, taken);
        return !report.counts.stalled;
    });
    // Sent is not yet out: a program may end right after this returns.
    // What never goes out counts as refused: the last ones taken.
    bool gone = false;
    const int unsent = link.drainOutput(&gone);
    report.counts.refused += unsent;
    taken.resize(taken.size() - std::min(taken.size(), std::size_t(unsent)));
    if (gone) {
        report.portGone = true;
        report.counts.refused = report.counts.messages;
        taken.clear();
    }
    for (std::size_t offset : taken)
        report.carried.set(offset);
    return report.counts.refused == 0;
}
