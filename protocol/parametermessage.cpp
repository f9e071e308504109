#include "protocol/parametermessage.h"

#include "protocol/parameterformat.h"
#include "protocol/wirevalues.h"

#include <algorithm>

namespace {
// The header and the four fields that requests and sets share; each field
// is kept to 7 bits (see toDataByte). Built in place: a read or a write
// sends hundreds of these back to back.
template <std::size_t Length>
std::array<char, Length> withHeader(int command, int slot, int selector, int number)
{
    static_assert(Length > kNumberByte + 1, "the fields and F7 must fit");
    std::array<char, Length> message;
    std::copy(kParamHeader.begin(), kParamHeader.end(), message.begin());
    message[kCommandByte] = static_cast<char>(toDataByte(command));
    message[kSlotByte] = static_cast<char>(toDataByte(slot));
    message[kSelectorByte] = static_cast<char>(toDataByte(selector));
    message[kNumberByte] = static_cast<char>(toDataByte(number));
    message[Length - 1] = static_cast<char>(kEndOfExclusive);
    return message;
}

int signedByte(char byte)
{
    return static_cast<signed char>(byte);
}
} // namespace

ParameterRequestBytes parameterRequestBytes(int command, int slot, int selector, int number)
{
    return withHeader<kRequestLength>(command, slot, selector, number);
}

std::string parameterRequestMessage(int command, int slot, int selector, int number)
{
    const ParameterRequestBytes message = parameterRequestBytes(command, slot, selector, number);
    return std::string(message.begin(), message.end());
}

ParameterSetBytes parameterSetBytes(int command, int slot, int selector, int number, int value)
{
    ParameterSetBytes message = withHeader<kSetLength>(command, slot, selector, number);
    message[kValueByte] = static_cast<char>(toDataByte(value));
    return message;
}

std::string parameterSetMessage(int command, int slot, int selector, int number, int value)
{
    const ParameterSetBytes message = parameterSetBytes(command, slot, selector, number, value);
    return std::string(message.begin(), message.end());
}

bool parseParameterReply(const std::string &message, int *selector, int *number, int *value)
{
    if (message.compare(0, kParamHeader.size(), kParamHeader) != 0)
        return false;
    if (message.size() != static_cast<std::size_t>(kReplyLength))
        return false;
    if (static_cast<unsigned char>(message[kReplyLength - 1]) != kEndOfExclusive)
        return false;
    *selector = signedByte(message[kSelectorByte]);
    *number = signedByte(message[kNumberByte]);
    *value = signedByte(message[kValueByte]);
    return true;
}
