#pragma once

// What a control sends when it is played, as its record in the settings
// says: the kind of MIDI message, its channel and its number. The editor's
// table of assignments, the search for clashes, the printed sheet and the
// window following the keyboard all ask the same question here.

#include "model/settings.h"

#include <QString>

enum class MessageKind {
    None,            // "Off - Disabled", or a mode the control cannot take
    ControlChange,   // "Continuous" and "Switched": controller `number`
    Note,            // "Midi Note": note `number`
    ProgramChange,   // "Patch Chg": program `number`
    PitchBend,       // "Pitch Bend"
    ChannelPressure, // "Aftertouch"
    Nrpn,            // "NRPN / RPN"
    Mmc,             // "MMC": System Exclusive, on no channel
};

struct ControlMessage
{
    MessageKind kind = MessageKind::None;
    int channel = 0; // 0..15 = channel 1..16; the global channel already applied
    int number = 0;  // controller, note or program; 0 where the kind has none

    bool operator==(const ControlMessage &other) const
    {
        return kind == other.kind && channel == other.channel && number == other.number;
    }
    bool operator!=(const ControlMessage &other) const { return !(*this == other); }
};

// The message control `controlIndex` sends with `settings`. A mode that the
// control's kind does not allow is shown, and so sent, as "Off - Disabled".
ControlMessage messageOf(const Settings &settings, int controlIndex);

// "C-2" for note 0, "C1" for note 36, "G8" for note 127.
QString noteName(int note);

// As the printed sheet writes it: "CC 74 ch 1", "Note C1", "Pitch Bend";
// empty for None.
QString describeMessage(const ControlMessage &message);
