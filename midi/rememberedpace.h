#pragma once

// The pause between messages that a keyboard turned out to need, kept for
// its port pair in the same store as the remembered ports, so that the
// editor and the command line start the next time at the pace that
// worked, instead of losing messages again first.

#include "midi/portpair.h"

class RememberedPace
{
public:
    // Milliseconds; 0 when none is kept for the pair.
    static int of(const PortPair &pair);
    // The pace to use: the larger of the one chosen and the one kept.
    static int effective(const PortPair &pair, int chosenMs);
    // Keeps `paceMs` for the pair when it is slower than the one kept.
    static void learn(const PortPair &pair, int paceMs);
    // Every kept pace forgotten.
    static void forget();
};
