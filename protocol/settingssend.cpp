// Settings::send: writing the record into one of the keyboard's memories.

#include "model/settings.h"

#include "midi/midicontroller.h"
#include "protocol/parameterformat.h"
#include "protocol/parameterexchange.h"

#include <algorithm>
#include <vector>

bool Settings::send(int slot, MessageCounts *counts) const
{
    WriteReport report;
    MidiController *link = MidiController::getInstance(false);
    const bool sent = link && send(*link, slot, WriteParts::all(), report);
    if (counts)
        *counts = report.counts;
    return sent;
}

bool Settings::send(MidiController &link, int slot, const WriteParts &parts, WriteReport &report, int paceMs) const
{
    report = WriteReport();
    // Nothing is acknowledged: each message waits only until the port has
    // taken it, and the whole write until the port has let all of them go.
    // A refused one is counted and the rest still go out, so that as much
    // of the record as possible reaches the keyboard. A port that stalls
    // ends the write as a whole, within one message's timeout.
    const std::vector<ParameterValue> sets = ParameterExchange::setsOf(*this, parts);
    std::vector<std::size_t> positions;
    report.counts = ParameterExchange::sendSets(link, slot, sets, paceMs, &positions);
    for (std::size_t position = 0; position < std::size_t(report.counts.messages); ++position)
        report.tried.set(ParameterExchange::fieldOffset(sets[position].selector, sets[position].number));
    std::vector<std::size_t> taken;
    for (std::size_t position : positions)
        taken.push_back(ParameterExchange::fieldOffset(sets[position].selector, sets[position].number));
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
