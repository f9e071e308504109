#pragma once

// The port pairs a search tries before all others, kept in the user's
// settings so that the editor and the command line find the keyboard at
// once the next time: the pair the user chose, and the pair that answered
// last.

#include "midi/portpair.h"

#include <optional>

class RememberedPorts
{
public:
    static std::optional<PortPair> lastLinked();
    static void setLastLinked(const PortPair &pair);

    // The pair chosen by hand; none means "Automatic".
    static std::optional<PortPair> chosen();
    static void setChosen(const std::optional<PortPair> &pair);

    // Both pairs forgotten.
    static void forget();
};
