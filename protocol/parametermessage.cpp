#include "protocol/parametermessage.h"

#include "protocol/parameterformat.h"
#include "protocol/wirevalues.h"

namespace {
// The bytes after the header; each is kept to 7 bits (see toDataByte).
std::string withHeader(std::initializer_list<int> fields)
{
    std::string message = kParamHeader;
    for (int field : fields)
        message.push_back(static_cast<char>(toDataByte(field)));
    message.push_back(static_cast<char>(kEndOfExclusive));
    return message;
}

int signedByte(char byte)
{
    return static_cast<signed char>(byte);
}
} // namespace

std::string parameterRequestMessage(int command, int slot, int selector, int number)
{
    return withHeader({command, slot, selector, number});
}

std::string parameterSetMessage(int command, int slot, int selector, int number, int value)
{
    return withHeader({command, slot, selector, number, value});
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
