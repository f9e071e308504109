// Measures the editor's own overhead on top of the keyboard protocol's fixed
// waits, over in-process virtual ports, and prints each result as a ratio to
// its floor:
//   discovery with the keyboard on the 8th of 3 x 3 port pairs: 8 x 900 ms
//   a factory read: 1000 ms
//   a factory write of 258 messages: the same messages sent straight
//     through the port backend in a plain loop
//   a firmware transfer of 256 KB: (n + 1) x 100 ms
//
// Usage: telvir-bench [--quick]   (--quick: 16 KB of firmware instead of 256 KB)

#include "benchtimer.h"
#include "keyboardsimulator.h"
#include "midi/midibackend.h"
#include "midi/midicontroller.h"
#include "model/settings.h"
#include "virtualkeyboardrig.h"

#include <QCoreApplication>
#include <QLoggingCategory>

#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {
void report(const char *what, double measuredMs, double floorMs, double target)
{
    const double ratio = measuredMs / floorMs;
    std::printf("%-44s %10.1f ms  floor %10.1f ms  ratio %.3f  (target <= %.2f) %s\n", what, measuredMs,
                floorMs, ratio, target, ratio <= target ? "ok" : "MISSED");
}

const std::vector<std::string> kPorts = {"Port A", "Port B", "Port C"};

void benchDiscovery()
{
    VirtualKeyboardRig rig(kPorts, kPorts);
    rig.attachSimulator("Port C", "Port B"); // output 2, input 1: the 8th pair
    BenchTimer timer;
    MidiController *link = MidiController::getInstance(false);
    const double ms = timer.elapsedMs();
    if (!link) {
        std::printf("discovery found no keyboard\n");
        return;
    }
    report("discovery, keyboard on pair 8 of 3 x 3", ms, 8 * 900.0, 1.02);
}

// The messages of a factory write, as the editor sends them.
std::vector<std::string> recordFactoryWrite()
{
    VirtualKeyboardRig rig({"Keyboard"}, {"Keyboard"});
    rig.attachSimulator("Keyboard", "Keyboard");
    Settings().send(0);
    return rig.sent("Keyboard");
}

void benchReadAndWrite()
{
    VirtualKeyboardRig rig({"Keyboard"}, {"Keyboard"});
    rig.attachSimulator("Keyboard", "Keyboard");
    if (!MidiController::getInstance(false)) {
        std::printf("no keyboard for the read\n");
        return;
    }
    Settings settings;
    BenchTimer readTimer;
    const int count = settings.recv();
    const double readMs = readTimer.elapsedMs();
    report(qPrintable(QString("factory read (%1 replies)").arg(count)), readMs, 1000.0, 1.02);

    const Settings factory;
    MessageCounts counts;
    BenchTimer writeTimer;
    factory.send(0, &counts);
    const double writeMs = writeTimer.elapsedMs();
    MidiController::releaseInstance();

    // The same messages through the backend itself, without the editor.
    const std::vector<std::string> messages = recordFactoryWrite();
    VirtualKeyboardRig plainRig({"Keyboard"}, {"Keyboard"});
    plainRig.attachSimulator("Keyboard", "Keyboard");
    MMRESULT result = 0;
    auto output = currentMidiBackend()->openOutput(0, result);
    BenchTimer plainTimer;
    for (const std::string &message : messages) {
        bool finished = true;
        output->send(message, finished);
    }
    const double plainMs = plainTimer.elapsedMs();
    report(qPrintable(QString("factory write (%1 messages) vs plain loop").arg(counts.messages)), writeMs,
           plainMs, 1.5);
}

void benchFirmware(int bytes)
{
    VirtualKeyboardRig rig({"Keyboard"}, {"Keyboard"});
    KeyboardSimulator &keyboard = rig.attachSimulator("Keyboard", "Keyboard", true);
    MidiController *link = MidiController::getInstance(true);
    if (!link) {
        std::printf("no keyboard in upgrade mode\n");
        return;
    }
    std::string image(std::size_t(bytes), '\0');
    std::mt19937 random(7);
    for (char &byte : image)
        byte = char(random());
    const int blocks = (bytes + 511) / 512;
    BenchTimer timer;
    const bool ok = link->sendFirmware(image, [](int) {});
    const double ms = timer.elapsedMs();
    const bool intact = keyboard.firmwareImage().compare(0, image.size(), image) == 0;
    report(qPrintable(QString("firmware %1 KB (%2 blocks)%3").arg(bytes / 1024).arg(blocks)
                          .arg(ok && intact ? "" : " FAILED")),
           ms, (blocks + 1) * 100.0, 1.02);
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    // The hex dump of every received buffer is a debug line; keep it out.
    QLoggingCategory::setFilterRules("*.debug=false");
    const bool quick = argc > 1 && std::strcmp(argv[1], "--quick") == 0;

    std::printf("Over in-process virtual ports:\n");
    benchDiscovery();
    benchReadAndWrite();
    benchFirmware(quick ? 16 * 1024 : 256 * 1024);
    return 0;
}
