#pragma once

// Which control of the record a message from the keyboard comes from, so
// that touching a knob finds its marker: a Control Change matches controls
// in "Continuous" or "Switched" with that number and channel (the global
// channel applied), a Note On controls in "Midi Note" with that note, a
// Pitch Bend the control in "Pitch Bend".

#include "model/settings.h"

#include <QCoreApplication>
#include <QString>

#include <string>
#include <vector>

class KeyboardFollower
{
    Q_DECLARE_TR_FUNCTIONS(KeyboardFollower)

public:
    struct Match
    {
        // The message is one that finds its control.
        bool follows = false;
        // The control indexes whose settings produce it.
        std::vector<int> controls;
    };

    static Match match(const Settings &settings, const std::string &bytes);
    // What the monitor adds to the message's line: "-> Cutoff",
    // "-> no control sends this", "-> clash: Volume, Cutoff".
    static QString describe(const Match &match);
};
