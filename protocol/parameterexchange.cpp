#include "protocol/parameterexchange.h"

#include "midi/canceltoken.h"
#include "midi/midicontroller.h"
#include "protocol/parameterformat.h"
#include "protocol/parametermap.h"
#include "protocol/parametermessage.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace {
// The keyboard answers at its own pace and says nothing when it is done:
// a wait ends when every request has had its reply, or after this.
constexpr std::chrono::milliseconds kReplyWait{1000};

// At least the pace between any two messages, even after a sleep that
// overslept: a slow keyboard loses what comes too close, and catching up
// would send a burst. The first message waits too: the one before it may
// have gone out just now, in a call of its own.
class Pacer
{
public:
    explicit Pacer(int paceMs) : pace_(std::clamp(paceMs, 0, ParameterExchange::kMaxPaceMs)) {}

    void beforeMessage()
    {
        if (pace_.count() == 0)
            return;
        std::this_thread::sleep_until(due_);
        due_ = std::chrono::steady_clock::now() + pace_;
    }

private:
    std::chrono::milliseconds pace_;
    std::chrono::steady_clock::time_point due_ = std::chrono::steady_clock::now() + pace_;
};
} // namespace

int ParameterExchange::slowerPace(int paceMs)
{
    return std::min(kMaxPaceMs, std::max(kSlowerPaceFloorMs, paceMs * 2));
}

bool ParameterExchange::slowingHelped(double firstLoss, double slowerLoss)
{
    return slowerLoss < 0 || slowerLoss <= firstLoss / 2;
}

bool ParameterExchange::countResult(MessageCounts &counts, int result)
{
    ++counts.messages;
    if (result != 0)
        ++counts.refused;
    if (result != MIDIERR_NOTREADY)
        return true;
    counts.stalled = true;
    return false;
}

MessageCounts ParameterExchange::sendSets(MidiController &link, int slot, const std::vector<ParameterValue> &parameters,
                                          int paceMs, std::vector<std::size_t> *taken)
{
    MessageCounts counts;
    Pacer pacer(paceMs);
    for (std::size_t position = 0; position < parameters.size(); ++position) {
        const ParameterValue &parameter = parameters[position];
        pacer.beforeMessage();
        const int result = link.setParameter(kSetCommand, slot, parameter.selector, parameter.number, parameter.value);
        if (result == 0 && taken)
            taken->push_back(position);
        if (!countResult(counts, result))
            break;
    }
    return counts;
}

MessageCounts ParameterExchange::sendRequests(MidiController &link, const std::vector<ParameterAddress> &addresses,
                                              int paceMs)
{
    MessageCounts counts;
    Pacer pacer(paceMs);
    for (const ParameterAddress &address : addresses) {
        pacer.beforeMessage();
        const int result = link.requestParameter(kRequestCommand, kWorkAreaSlot, address.first, address.second);
        if (!countResult(counts, result))
            break;
    }
    return counts;
}

int ParameterExchange::awaitReplies(std::vector<ParameterAddress> &awaited, bool allAsked,
                                    const std::function<bool(int, int, int)> &onReply, const CancelToken *cancel)
{
    int replies = 0;
    const auto takeQueued = [&] {
        for (std::string message = MidiController::popMessage(); !message.empty();
             message = MidiController::popMessage()) {
            int selector = 0;
            int number = 0;
            int value = 0;
            if (!parseParameterReply(message, &selector, &number, &value))
                continue;
            ++replies;
            if (!onReply(selector, number, value))
                continue;
            const auto entry = std::find(awaited.begin(), awaited.end(), ParameterAddress(selector, number));
            if (entry != awaited.end())
                awaited.erase(entry);
        }
    };
    const auto deadline = std::chrono::steady_clock::now() + kReplyWait;
    const auto holdsMessages = [](const std::deque<std::string> &queue) { return !queue.empty(); };
    for (;;) {
        takeQueued();
        if (allAsked && awaited.empty())
            break;
        const auto left = deadline - std::chrono::steady_clock::now();
        if (left.count() <= 0 || !MidiController::waitForMessages(left, holdsMessages, cancel)) {
            // What came in the last moment still counts.
            takeQueued();
            break;
        }
    }
    return replies;
}

std::vector<ParameterValue> ParameterExchange::setsOf(const Settings &settings, const WriteParts &parts)
{
    std::vector<ParameterValue> sets;
    forEachWrittenParameter(settings, parts, [&sets](const ParameterValue &parameter) {
        sets.push_back(parameter);
        return true;
    });
    return sets;
}

std::size_t ParameterExchange::fieldOffset(int selector, int number)
{
    return std::size_t(parameterOffset(selector, number));
}
