#pragma once

// Choices of the user that the editor keeps across starts, in the same
// store as the remembered ports.

#include "commands/keyboardoutcome.h"

#include <QString>
#include <vector>

class EditorPreferences
{
public:
    // "Follow the keyboard" in the MIDI monitor; on at the first start.
    static bool followKeyboard();
    static void setFollowKeyboard(bool on);
    // "Live"; off at the first start.
    static bool liveSending();
    static void setLiveSending(bool on);
    // The pause between two messages to the keyboard, in milliseconds, for
    // keyboards slower than the port; 0 (the first start) sends back to back.
    static int messagePaceMs();
    static void setMessagePaceMs(int milliseconds);

    // The success boxes that "Don't show this again" can silence, and
    // whether each is silenced. Failures always show.
    static std::vector<KeyboardOutcome::Kind> silenceableBoxes();
    // Whether the box of `kind` is one of them (a write into memories 1-8
    // shares the box of a write).
    static bool maySilenceBox(KeyboardOutcome::Kind kind);
    static bool isBoxSilenced(KeyboardOutcome::Kind kind);
    static void setBoxSilenced(KeyboardOutcome::Kind kind, bool silenced);
};
