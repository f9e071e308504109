#include "protocol/writecheck.h"

#include "midi/canceltoken.h"
#include "midi/midicontroller.h"
#include "protocol/parameterformat.h"
#include "protocol/wirevalues.h"

#include <QLoggingCategory>

#include <algorithm>
#include <map>

namespace {
Q_LOGGING_CATEGORY(lcCheck, "telvir.protocol", QtWarningMsg)
} // namespace

WriteCheckResult WriteCheck::run(MidiController &link, const std::vector<ParameterValue> &written, int paceMs,
                                 const CancelToken *cancel)
{
    WriteCheckResult result;
    // Answers left from before would be taken for the keyboard's values now.
    while (!MidiController::popMessage().empty()) {
    }
    std::vector<ParameterValue> pending = written;
    int pace = paceMs;
    bool askedAgain = false;
    bool answered = false;
    // How much the first pass lost, and the first round that went slower.
    double firstLoss = 0;
    double slowerLoss = -1;
    for (int round = 0;; ++round) {
        std::vector<ParameterAddress> awaited;
        std::map<ParameterAddress, int> expected;
        for (const ParameterValue &parameter : pending) {
            awaited.emplace_back(parameter.selector, parameter.number);
            // The set message carried the value as a data byte.
            expected[awaited.back()] = toDataByte(parameter.value);
        }
        const MessageCounts asked = ParameterExchange::sendRequests(link, awaited, pace);
        std::map<ParameterAddress, int> heldNow;
        ParameterExchange::awaitReplies(
            awaited, asked.refused == 0,
            [&](int selector, int number, int value) {
                const ParameterAddress address(selector, number);
                if (!expected.count(address))
                    return false;
                heldNow[address] = value;
                return true;
            },
            cancel);
        std::vector<ParameterValue> differing;
        for (const ParameterValue &parameter : pending) {
            const ParameterAddress address(parameter.selector, parameter.number);
            const auto held = heldNow.find(address);
            if (held == heldNow.end() || held->second != expected[address])
                differing.push_back(parameter);
        }
        qCDebug(lcCheck, "check round %d at %d ms: %d of %d settings not on the keyboard", round, pace,
                int(differing.size()), int(pending.size()));
        const double lost = double(differing.size()) / double(pending.size());
        pending = differing;
        if (pending.empty()) {
            if (pace > paceMs && ParameterExchange::slowingHelped(firstLoss, slowerLoss))
                result.slowedPaceMs = pace;
            break;
        }
        if (asked.stalled) {
            result.stalled = true;
            break;
        }
        // A keyboard flooded by the write may drop the requests as well:
        // when none came back, it is asked once more, slower, before
        // anything is sent again. One that answers none of them still
        // cannot be checked, and sending again would tell nothing more.
        if (heldNow.empty() && !answered) {
            if (askedAgain) {
                result.unanswered = true;
                break;
            }
            askedAgain = true;
            pace = ParameterExchange::slowerPace(pace);
            --round;
            continue;
        }
        answered = true;
        if (round == 0)
            firstLoss = lost;
        else if (round == 1)
            slowerLoss = lost;
        if (round == ParameterExchange::kRounds || (cancel && cancel->cancelled()))
            break;
        // Lost messages: the keyboard is slower than they came. After the
        // slower asking again, that pace is tried first.
        if (round > 0 || !askedAgain)
            pace = ParameterExchange::slowerPace(pace);
        const MessageCounts again = ParameterExchange::sendSets(link, kWorkAreaSlot, pending, pace);
        ++result.rounds;
        result.sentAgain += again.messages;
        if (again.stalled) {
            result.stalled = true;
            break;
        }
    }
    result.missing = pending;
    return result;
}
