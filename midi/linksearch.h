#pragma once

// How one search for the keyboard runs: which pairs it may try, what it
// tells while it goes, and what stops it.

#include "midi/portpair.h"

#include <functional>
#include <optional>
#include <vector>

class CancelToken;

// The pair about to be tried: number 1..count of this search.
struct PairAttempt
{
    PortPair pair;
    int number = 0;
    int count = 0;
};

struct LinkSearch
{
    // Only this pair is tried, whatever else is listed or preferred.
    std::optional<PortPair> onlyPair;
    // Tried first, in this order, where they are listed (the pair chosen by
    // hand and the one that linked last, as the caller remembers them).
    std::vector<PortPair> preferred;
    // Only the pairs it accepts are tried (all when empty).
    std::function<bool(const PortPair &)> acceptPair;
    // Called on the searching thread before each pair.
    std::function<void(const PairAttempt &)> onAttempt;
    // A cancelled search ends as one that found nothing.
    const CancelToken *cancel = nullptr;
};
