// Settings::recv: reading the keyboard's memory 0 into the record.

#include "model/settings.h"

#include "midi/midicontroller.h"
#include "protocol/parameterformat.h"
#include "protocol/parametermap.h"
#include "protocol/parametermessage.h"

#include <QLoggingCategory>

#include <algorithm>
#include <chrono>
#include <utility>
#include <vector>

namespace {
Q_LOGGING_CATEGORY(lcProtocol, "telvir.protocol", QtWarningMsg)

// The keyboard answers at its own pace and says nothing when it is done:
// the read ends when every request has had its reply, or after this.
constexpr std::chrono::milliseconds kReplyWait{1000};

using ParameterAddress = std::pair<int, int>; // selector, number
} // namespace

int Settings::recv(const CancelToken *cancel, ReadReport *report)
{
    MidiController *link = MidiController::getInstance(false);
    if (!link)
        return 0;

    // One entry for each request, ticked off by its reply. A request the
    // port refused gets no reply, so the read then waits its full time.
    std::vector<ParameterAddress> awaited;
    bool everyRequestSent = true;
    // A port that stalls gets no more requests: each would wait out its
    // own timeout.
    bool stalled = false;
    for (const ParameterValue &parameter : globalParameters(*this)) {
        awaited.emplace_back(parameter.selector, parameter.number);
        const int result = link->requestParameter(kRequestCommand, kWorkAreaSlot, parameter.selector, parameter.number);
        everyRequestSent = everyRequestSent && result == 0;
        if (result == MIDIERR_NOTREADY) {
            stalled = true;
            break;
        }
    }
    for (int index = 0; index < kControlCount && !stalled; ++index) {
        for (const ParameterValue &parameter : controlParameters(controls[index], index, true))
            awaited.emplace_back(parameter.selector, parameter.number);
        const MessageCounts counts = controls[index].transfer(index, kWorkAreaSlot, true);
        everyRequestSent = everyRequestSent && counts.refused == 0;
        stalled = counts.stalled;
    }

    const int requested = int(awaited.size());
    SettingsFields asked;
    for (const ParameterAddress &address : awaited) {
        if (const std::uint8_t *field = parameterField(*this, address.first, address.second))
            asked.set(std::size_t(field - reinterpret_cast<const std::uint8_t *>(this)));
    }
    qCDebug(lcProtocol, "waiting for incoming settings");
    const auto tickOff = [&awaited](int selector, int number) {
        const auto entry = std::find(awaited.begin(), awaited.end(), ParameterAddress(selector, number));
        if (entry != awaited.end())
            awaited.erase(entry);
    };
    const auto deadline = std::chrono::steady_clock::now() + kReplyWait;
    const auto holdsMessages = [](const std::deque<std::string> &queue) { return !queue.empty(); };
    int accepted = 0;
    for (;;) {
        accepted += storeQueuedReplies(*this, tickOff);
        if (everyRequestSent && awaited.empty())
            break;
        const auto left = deadline - std::chrono::steady_clock::now();
        if (left.count() <= 0 || !MidiController::waitForMessages(left, holdsMessages, cancel)) {
            // What came in the last moment still counts.
            accepted += storeQueuedReplies(*this, tickOff);
            break;
        }
    }
    if (report) {
        report->requested = requested;
        report->unanswered.clear();
        report->asked = asked;
        const auto *start = reinterpret_cast<const std::uint8_t *>(this);
        for (const ParameterAddress &address : awaited) {
            if (const std::uint8_t *field = parameterField(*this, address.first, address.second))
                report->unanswered.push_back(std::size_t(field - start));
        }
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
