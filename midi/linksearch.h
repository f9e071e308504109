#pragma once

// How one search for the keyboard runs: which ports it may use, what it
// tells while it goes, and what stops it.

#include "midi/portpair.h"

#include <functional>
#include <optional>
#include <vector>

class CancelToken;

// What the search does next, as told to whoever shows its progress.
struct SearchStep
{
    enum class Kind {
        Pair,   // `pair` alone: the pair named or remembered
        Round,  // the handshake to `outputs` outputs at once, `inputs` inputs listening
        Output, // the keyboard answered on `pair.input`; `outputs` outputs may have reached it
    };
    Kind kind = Kind::Pair;
    PortPair pair;
    int outputs = 0;
    int inputs = 0;
};

struct LinkSearch
{
    // Only this pair is tried, whatever else is listed or preferred.
    std::optional<PortPair> onlyPair;
    // Tried alone first, in this order, where they are listed (the pair
    // chosen by hand and the one that linked last, as the caller remembers
    // them); among several keyboards found, the one linked.
    std::vector<PortPair> preferred;
    // Only the pairs it accepts are tried (all when empty).
    std::function<bool(const PortPair &)> acceptPair;
    // Every keyboard that answers is wanted: the preferred pairs are not
    // tried alone, and the round waits the whole answer time.
    bool everyKeyboard = false;
    // Called on the searching thread before each step.
    std::function<void(const SearchStep &)> onStep;
    // A cancelled search ends as one that found nothing.
    const CancelToken *cancel = nullptr;
};
