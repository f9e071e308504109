#pragma once

// What a MIDI message to or from the keyboard means, in words, for the
// MIDI monitor: channel messages with their channel, note names and
// values; the keyboard's handshakes; its parameter messages by control and
// field ("set Pad #3 / Pad #11, Mode = Switched, memory workArea", "reply
// Cutoff, CC Number = 74"), in the user's language where musicians have
// words of their own.

#include <QCoreApplication>
#include <QString>

#include <string>

struct Settings;

class MessageDecoder
{
    Q_DECLARE_TR_FUNCTIONS(MessageDecoder)

public:
    // `fromKeyboard` tells a reply from a set. A parameter's value is named
    // as the editor shows it with `context` around it (the names of a mode
    // option depend on the control's mode in the record).
    static QString describe(const std::string &bytes, bool fromKeyboard, const Settings &context);

    // "Pad #3 / Pad #11" for either pad of that marker, else the label.
    static QString controlName(int controlIndex);
};
