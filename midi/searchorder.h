#pragma once

// The order in which a search tries the port pairs. Pairs that are likely
// the keyboard come first: the pairs given as preferred (chosen by hand,
// linked last), then pairs whose output and input belong to one device,
// then all others. Within each group, and when nothing is preferred and no
// names match, the order is outputs outer, inputs inner, lowest first.

#include "midi/portpair.h"

#include <string>
#include <utility>
#include <vector>

// (output number, input number)
using PortNumbers = std::pair<unsigned, unsigned>;

std::vector<PortNumbers> searchOrder(const std::vector<std::string> &outputs, const std::vector<std::string> &inputs,
                                     const std::vector<PortPair> &preferred);

// Whether the two port names look like the two directions of one device:
// the same name, or the same client or device part ("Client:port").
bool sameDevice(const std::string &output, const std::string &input);
