#pragma once

// The editor on a musician's JACK server: 64 frames a period, real-time
// scheduling where the system allows it, and late clients counted as
// xruns. For as long as asked, the simulated keyboard floods the editor
// with a knob's sweep (3,000 messages a second) while the monitor's tap
// takes every copy, Live edits go out every 30 ms, and the settings are
// read over and over, all at once. The real-server test checks the counts;
// telvir-bench prints the callback's longest run beside the period.

#include <QString>
#include <QStringList>

#include <chrono>

struct RealtimeSoakResult
{
    QString error; // empty when the run got going
    int framesPerPeriod = 0;
    int sampleRate = 0;
    long long played = 0;       // the simulator's messages of the flood
    long long tapped = 0;       // of them, copies the monitor's tap took
    long long tapDropped = 0;   // copies the tap dropped: its reader lagged
    int edits = 0;
    int editsRefused = 0;
    int reads = 0;
    int readsFailed = 0;
    QString readFailure;        // the first failed read's outcome
    QStringList editorXruns;    // the server's xrun lines naming the editor's client
    QStringList otherXruns;     // and those naming another client
    std::chrono::nanoseconds longestCycle {0};
    QString serverOutput;
};

class RealtimeSoak
{
public:
    static constexpr int kFramesPerPeriod = 64;
    static constexpr int kSampleRate = 48000;
    static constexpr int kFloodRate = 3000;

    static RealtimeSoakResult run(std::chrono::seconds duration);
};
