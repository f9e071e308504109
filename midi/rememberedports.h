#pragma once

// The port pairs a search tries before all others, kept in the user's
// settings so that the editor and the command line find the keyboard at
// once the next time: the pair the user chose, and the pair that answered
// last.

#include "midi/portpair.h"

#include <optional>
#include <vector>

class RememberedPorts
{
public:
    static std::optional<PortPair> lastLinked();
    static void setLastLinked(const PortPair &pair);

    // The pair chosen by hand; none means "Automatic".
    static std::optional<PortPair> chosen();
    static void setChosen(const std::optional<PortPair> &pair);

    // The pairs a search tries first: the chosen one, then the last linked.
    static std::vector<PortPair> preferred();
    // Both pairs forgotten.
    static void forget();
};
