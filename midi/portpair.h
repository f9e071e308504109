#pragma once

// One output and one input port, by the names the port service reports for
// them. Names, not numbers, because numbers change whenever a device comes
// or goes, and a pair is remembered from one run to the next.

#include <string>

struct PortPair
{
    std::string output;
    std::string input;

    bool operator==(const PortPair &other) const { return output == other.output && input == other.input; }
    bool operator!=(const PortPair &other) const { return !(*this == other); }
};
