#pragma once

// Port pairs by number: the remembered pairs that are listed now, and
// whether an output and an input look like the two directions of one
// device, whose pair a search asks first.

#include "midi/portpair.h"

#include <string>
#include <utility>
#include <vector>

// (output number, input number)
using PortNumbers = std::pair<unsigned, unsigned>;

// The given pairs whose two ports are listed now, in the given order, by
// their numbers; with two ports of one name, the first listed stands for it.
std::vector<PortNumbers> listedPairs(const std::vector<std::string> &outputs, const std::vector<std::string> &inputs,
                                     const std::vector<PortPair> &pairs);

// Whether the two port names look like the two directions of one device:
// the same name, or the same client or device part ("Client:port").
bool sameDevice(const std::string &output, const std::string &input);
