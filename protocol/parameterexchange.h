#pragma once

// Parameter messages over the live link at a pace, and the keyboard's
// answers to them. A keyboard may be slower than its port: it loses what
// comes faster than it can take, so a pause between messages, and rounds
// that ask again and send again what did not arrive, get settings through
// where back-to-back messages would not.

#include "model/settings.h"
#include "protocol/parameterlist.h"

#include <functional>
#include <utility>
#include <vector>

class CancelToken;
class MidiController;

using ParameterAddress = std::pair<int, int>; // selector, number

class ParameterExchange
{
public:
    // Rounds of asking again for answers that did not come, and of sending
    // again what the keyboard does not hold, after the first pass.
    static constexpr int kRounds = 3;
    // Each round after a loss goes at least this much slower, doubling.
    static constexpr int kSlowerPaceFloorMs = 2;
    // The longest pause between messages anyone may ask for.
    static constexpr int kMaxPaceMs = 1000;

    // The pace of the next round after messages were lost.
    static int slowerPace(int paceMs);
    // Whether going slower is what got the messages through: the first
    // slower round (`slowerLoss`, -1 when there was none) lost at most half
    // the share the first pass lost. A keyboard that loses a share of its
    // messages at any pace must not teach a slower and slower pace.
    static bool slowingHelped(double firstLoss, double slowerLoss);

    // Counts one message's result code; false once the port stalled, after
    // which each further message would only wait out its own timeout.
    static bool countResult(MessageCounts &counts, int result);

    // Set messages into memory `slot`, `paceMs` apart, until the port
    // stalls; `taken`, when given, gets the positions in `parameters` of
    // those the port took.
    static MessageCounts sendSets(MidiController &link, int slot, const std::vector<ParameterValue> &parameters,
                                  int paceMs, std::vector<std::size_t> *taken = nullptr);
    // Requests of memory 0, `paceMs` apart, until the port stalls.
    static MessageCounts sendRequests(MidiController &link, const std::vector<ParameterAddress> &addresses,
                                      int paceMs);

    // Takes the replies that come within the keyboard's answer time,
    // handing each to `onReply`, which ticks it off `awaited` when it
    // returns true; ends early once `awaited` is empty (when `allAsked`).
    // Returns how many replies `onReply` was given.
    static int awaitReplies(std::vector<ParameterAddress> &awaited, bool allAsked,
                            const std::function<bool(int selector, int number, int value)> &onReply,
                            const CancelToken *cancel);

    // Every parameter a write of `parts` of `settings` sends, in order.
    static std::vector<ParameterValue> setsOf(const Settings &settings, const WriteParts &parts);
    // Where in a record's image the parameter lives.
    static std::size_t fieldOffset(int selector, int number);
};
