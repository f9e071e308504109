#pragma once

// One line of a file that the simulator plays: a raw MIDI message as
// hexadecimal bytes ("B0 4A 40", "f0 7e 7f 0a 0b f7"). A '#' starts a
// comment; blank lines and comments carry no message.

#include <string>

class PlayedMessage
{
public:
    enum class Line { Message, Nothing, Invalid };

    // Reads `line`; for a message, `bytes` gets its bytes, for an invalid
    // line `error` says what is wrong with it.
    static Line parse(const std::string &line, std::string *bytes, std::string *error);
};
