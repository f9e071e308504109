// Settings::recv: reading the keyboard's memory 0 into the record.

#include "model/settings.h"

#include "midi/canceltoken.h"
#include "midi/midicontroller.h"
#include "protocol/parameterexchange.h"
#include "protocol/parameterformat.h"
#include "protocol/parametermap.h"
#include "protocol/parametermessage.h"

#include <QLoggingCategory>

#include <vector>

namespace {
Q_LOGGING_CATEGORY(lcProtocol, "telvir.protocol", QtWarningMsg)
} // namespace

int Settings::recv(const CancelToken *cancel, ReadReport *report)
{
    MidiController *link = MidiController::getInstance(false);
    if (!link)
        return 0;
    return recv(*link, 0, cancel, report);
}

int Settings::recv(MidiController &link, int paceMs, const CancelToken *cancel, ReadReport *report)
{
    // One entry for each request, ticked off by its reply: the global
    // parameters, then each control's in the order of a transfer.
    std::vector<ParameterAddress> addresses;
    for (const ParameterValue &parameter : globalParameters(*this))
        addresses.emplace_back(parameter.selector, parameter.number);
    for (int index = 0; index < kControlCount; ++index) {
        for (const ParameterValue &parameter : controlParameters(controls[index], index, true))
            addresses.emplace_back(parameter.selector, parameter.number);
    }
    const int requested = int(addresses.size());
    SettingsFields asked;
    for (const ParameterAddress &address : addresses)
        asked.set(ParameterExchange::fieldOffset(address.first, address.second));

    // Every reply counts, awaited or not (the same one twice, twice).
    int accepted = 0;
    const auto store = [this, &accepted](int selector, int number, int value) {
        if (storeParameterReply(*this, selector, number, value))
            ++accepted;
        return true;
    };
    std::vector<ParameterAddress> awaited = addresses;
    int pace = paceMs;
    int slowedPace = 0;
    double firstLoss = 0;
    double slowerLoss = -1;
    for (int round = 0; round <= ParameterExchange::kRounds; ++round) {
        if (round > 0) {
            // Asked again only of a keyboard that answers, for what it
            // did not answer; a refused request gets no reply either.
            pace = ParameterExchange::slowerPace(pace);
            qCDebug(lcProtocol, "asking again for %d settings, %d ms apart", int(awaited.size()), pace);
        }
        const MessageCounts counts = ParameterExchange::sendRequests(link, awaited, pace);
        qCDebug(lcProtocol, "waiting for incoming settings");
        const std::size_t missingBefore = awaited.size();
        ParameterExchange::awaitReplies(awaited, counts.refused == 0, store, cancel);
        const double lost = missingBefore > 0 ? double(awaited.size()) / double(missingBefore) : 0;
        if (round == 0)
            firstLoss = lost;
        else if (round == 1)
            slowerLoss = lost;
        if (awaited.empty()) {
            if (round > 0 && ParameterExchange::slowingHelped(firstLoss, slowerLoss))
                slowedPace = pace;
            break;
        }
        // A port that stalls would make each further request wait out
        // its own timeout; a keyboard that answered nothing this round
        // will not answer the next either.
        if (counts.stalled || awaited.size() == missingBefore || (cancel && cancel->cancelled()))
            break;
    }
    if (report) {
        report->requested = requested;
        report->unanswered.clear();
        report->asked = asked;
        report->slowedPaceMs = slowedPace;
        for (const ParameterAddress &address : awaited)
            report->unanswered.push_back(ParameterExchange::fieldOffset(address.first, address.second));
    }
    return accepted;
}

int storeQueuedReplies(Settings &settings, const std::function<void(int selector, int number)> &onReply)
{
    int accepted = 0;
    for (std::string message = MidiController::popMessage(); !message.empty();
         message = MidiController::popMessage()) {
        int selector = 0;
        int number = 0;
        int value = 0;
        if (!parseParameterReply(message, &selector, &number, &value))
            continue;
        if (onReply)
            onReply(selector, number);
        if (storeParameterReply(settings, selector, number, value))
            ++accepted;
    }
    return accepted;
}
