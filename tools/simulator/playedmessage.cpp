#include "playedmessage.h"

#include <cctype>
#include <cstdio>
#include <sstream>

namespace {
bool hexDigit(char c, int *value)
{
    if (c >= '0' && c <= '9')
        *value = c - '0';
    else if (c >= 'a' && c <= 'f')
        *value = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        *value = c - 'A' + 10;
    else
        return false;
    return true;
}

// Bytes of a short message, status included, by its status.
std::size_t shortMessageLength(unsigned char status)
{
    switch (status & 0xF0) {
    case 0xC0: // Program Change
    case 0xD0: // Channel Pressure
        return 2;
    case 0xF0:
        return status == 0xF2 ? 3 : (status == 0xF1 || status == 0xF3) ? 2 : 1;
    default:
        return 3;
    }
}

constexpr unsigned char kStatusBit = 0x80;
constexpr unsigned char kStartOfExclusive = 0xF0;
constexpr unsigned char kEndOfExclusive = 0xF7;
} // namespace

PlayedMessage::Line PlayedMessage::parse(const std::string &line, std::string *bytes, std::string *error)
{
    std::istringstream words(line);
    std::string word;
    std::string message;
    while (words >> word) {
        if (word[0] == '#')
            break;
        int high = 0;
        int low = 0;
        if (word.size() != 2 || !hexDigit(word[0], &high) || !hexDigit(word[1], &low)) {
            *error = "not a byte in hexadecimal: \"" + word + "\"";
            return Line::Invalid;
        }
        message.push_back(static_cast<char>(high * 16 + low));
    }
    if (message.empty())
        return Line::Nothing;

    // A port passes on what it is given; the keyboard would not send a
    // message that breaks MIDI's own rules, so neither does the simulator.
    const auto byteAt = [&message](std::size_t index) { return static_cast<unsigned char>(message[index]); };
    if (!(byteAt(0) & kStatusBit)) {
        *error = "the first byte is not a status byte";
        return Line::Invalid;
    }
    if (byteAt(0) == kStartOfExclusive) {
        if (byteAt(message.size() - 1) != kEndOfExclusive) {
            *error = "a System Exclusive message must end with F7";
            return Line::Invalid;
        }
        for (std::size_t i = 1; i + 1 < message.size(); ++i) {
            if (byteAt(i) & kStatusBit) {
                *error = "a status byte inside a System Exclusive message";
                return Line::Invalid;
            }
        }
    } else {
        for (std::size_t i = 1; i < message.size(); ++i) {
            if (byteAt(i) & kStatusBit) {
                *error = "one message per line: a second status byte";
                return Line::Invalid;
            }
        }
        if (message.size() != shortMessageLength(byteAt(0))) {
            char text[80];
            std::snprintf(text, sizeof text, "a short message with status %02X has %zu bytes", byteAt(0),
                          shortMessageLength(byteAt(0)));
            *error = text;
            return Line::Invalid;
        }
    }
    *bytes = message;
    return Line::Message;
}
