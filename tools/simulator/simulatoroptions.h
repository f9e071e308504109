#pragma once

// What the simulator program is told on its command line: where its ports
// are, and which of the keyboard's faults to show.

#include "keyboardsimulator.h"

#include <QStringList>

#include <string>
#include <utility>
#include <vector>

struct SimulatorOptions
{
    std::string name = "Telvir Keyboard"; // JACK client / ALSA port name
    // The client that the keyboard's output port belongs to; by default the
    // name with " Out", which the editor takes for the same device.
    std::string outputName;
    std::string api;                      // "alsa", "jack" or empty: the first that starts
    std::string jackServer;               // JACK server name, empty: JACK_DEFAULT_SERVER or the default
    bool verbose = false;                 // print every message in and out
    // With verbose: each line gives the steady clock's nanoseconds first,
    // for timing against another process on the same machine.
    bool timestamps = false;

    // Raw messages to send on the output port, one hexadecimal line each
    // ("-": standard input, sent as each line comes).
    std::string playFile;
    int playRate = 1000;                  // messages per second
    bool playAfterLink = false;           // start once a handshake was answered
    int playDelayMs = 0;                  // and this long after that

    bool upgradeMode = false;
    bool silent = false;
    int handshakeDelayMs = 0;
    KeyboardSimulator::HandshakeReply handshakeReply = KeyboardSimulator::HandshakeReply::Exact;
    bool unrelatedTraffic = false;
    bool answerParameters = true;
    int parameterReplyLimit = -1;
    bool duplicateReplies = false;
    int takeIntervalUs = 0;
    int takeRoom = 1;
    int loseSetEvery = 0;
    int loseRequestEvery = 0;
    std::vector<int> droppedAcknowledgements;
    std::vector<std::pair<int, int>> delayedAcknowledgements; // index, delay in ms

    // False with a message for the user when the arguments make no sense.
    bool parse(const QStringList &arguments, QString &error);
    void applyTo(KeyboardSimulator &keyboard) const;
};
