#pragma once

#include "virtualkeyboardrig.h"

#include <QTimer>

#include <memory>

// For widget tests that are not about the keyboard: while it lives the MIDI
// system has no ports at all, so every main window starts without a link at
// once, and the one box that start-up then shows ("Could not connect to
// midi deivce.") is accepted. Any other dialog is left to the test.
class NoKeyboard
{
public:
    NoKeyboard();
    ~NoKeyboard();

    // How many connection failures were answered so far.
    int failuresAnswered() const { return answered; }

private:
    void poll();

    std::unique_ptr<VirtualKeyboardRig> rig;
    QTimer timer;
    int answered = 0;
};
