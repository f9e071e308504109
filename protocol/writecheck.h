#pragma once

// Whether a write into the keyboard's work area arrived: its values are
// asked back, compared with what was sent, and what differs or did not
// answer is sent again, each round slower, a few rounds at most. Only
// memory 0 can be read back; the stored memories 1..8 cannot be checked.

#include "protocol/parameterexchange.h"

#include <vector>

struct WriteCheckResult
{
    // Not shown to be on the keyboard after the last round.
    std::vector<ParameterValue> missing;
    // The pace at which the keyboard took everything, when the check had
    // to go slower than `paceMs`; 0 otherwise.
    int slowedPaceMs = 0;
    int rounds = 0;       // rounds of sending again
    int sentAgain = 0;    // set messages of those rounds
    bool stalled = false; // the port stopped taking messages
    // Not one value came back: whether the write arrived is not known.
    bool unanswered = false;
};

class WriteCheck
{
public:
    // `written`: the set messages into memory 0 that went out, in order.
    static WriteCheckResult run(MidiController &link, const std::vector<ParameterValue> &written, int paceMs,
                                const CancelToken *cancel = nullptr);
};
