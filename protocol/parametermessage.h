#pragma once

// Building the editor's request and set messages and recognising the
// keyboard's replies; see parameterformat.h for the layout.

#include "protocol/parameterformat.h"

#include <array>
#include <string>

using ParameterRequestBytes = std::array<char, kRequestLength>;
using ParameterSetBytes = std::array<char, kSetLength>;

// kParamHeader + command + slot + selector + number + F7.
ParameterRequestBytes parameterRequestBytes(int command, int slot, int selector, int number);
std::string parameterRequestMessage(int command, int slot, int selector, int number);

// kParamHeader + command + slot + selector + number + value + F7.
ParameterSetBytes parameterSetBytes(int command, int slot, int selector, int number, int value);
std::string parameterSetMessage(int command, int slot, int selector, int number, int value);

// Recognises a 12-byte reply with the parameter header and F7 at its end and
// gives its selector, number and value, each read as a signed byte. The
// outputs are written only when it returns true.
bool parseParameterReply(const std::string &message, int *selector, int *number, int *value);
