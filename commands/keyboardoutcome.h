#pragma once

// What a command to the keyboard came to, and the one text the user reads
// about it: the editor shows it in its box, telvir prints it.

#include "midi/portpair.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

struct KeyboardOutcome
{
    Q_DECLARE_TR_FUNCTIONS(KeyboardOutcome)

public:
    enum class Kind {
        Linked,                // a keyboard answered the handshake
        NoKeyboard,            // no pair answered, or the link went away
        ChosenPairSilent,      // the pair the user named did not answer
        ServerNotResponding,   // the MIDI server stalled
        SettingsRead,          // `count` of the `total` settings requested came back
        NoReplies,             // the keyboard sent none of its settings
        Sent,                  // all `total` messages went out (into memory 0: and are on the keyboard)
        SentUnchecked,         // all went out into memory `count`, which cannot be read back
        NotReceived,           // `count` of the `total` settings written are not on the keyboard
        Unconfirmed,           // all went out, and the keyboard answered none of the check's requests
        PortRefused,           // the port refused `total` - `count` of `total`
        PortStalled,           // the port stopped after `count` went out
        FirmwareTooLarge,      // more than a size announcement can carry
        FirmwareUnreadable,
        FirmwareEmpty,
        NoKeyboardInUpgradeMode,
        FirmwareFailed,        // an acknowledgement did not come
        FirmwareOutputShared,  // `listeners` may have the image's bytes rewritten
        FirmwareUpgraded,
    };

    Kind kind = Kind::NoKeyboard;
    QString deviceName;
    PortPair pair; // the pair named, for ChosenPairSilent
    QStringList listeners;
    QStringList missing; // the settings named, for NotReceived
    int count = 0;
    int total = 0;

    bool succeeded() const
    {
        return kind == Kind::Linked || kind == Kind::SettingsRead || kind == Kind::Sent
               || kind == Kind::SentUnchecked || kind == Kind::FirmwareUpgraded;
    }
};

// The text of the outcome, as the editor's box shows it.
QString outcomeMessage(const KeyboardOutcome &outcome);
// The box's title: "OK" for a success, else "Error".
QString outcomeTitle(const KeyboardOutcome &outcome);
