// Measures the editor's own overhead on top of the keyboard protocol's fixed
// waits, over in-process virtual ports, and prints each result as a ratio to
// its floor:
//   discovery with the keyboard on the 8th of 3 x 3 port pairs: 8 x 900 ms
//   a factory read: 1000 ms
//   a factory write of 258 messages: the same messages sent straight
//     through the port backend in a plain loop
//   a firmware transfer of 256 KB: (n + 1) x 100 ms
//
// and start-up to the first painted window with no MIDI ports, with its peak
// memory, against a bare Qt window built the same way (bench-startup-*).
//
// Usage: telvir-bench [--quick] [--startup-only]
//   --quick: 16 KB of firmware instead of 256 KB

#include "benchtimer.h"
#include "keyboardsimulator.h"
#include "midi/midibackend.h"
#include "midi/midicontroller.h"
#include "model/settings.h"
#include "virtualkeyboardrig.h"

#include <QCoreApplication>
#include <QDir>
#include <QLoggingCategory>

#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include <algorithm>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

extern char **environ;

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
struct StartupRun
{
    double ms = 0;
    long peakKb = 0;
};

// Runs a probe to its first painted window: wall time and peak resident memory.
StartupRun runProbe(const std::string &path)
{
    StartupRun run;
    char *arguments[] = {const_cast<char *>(path.c_str()), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    BenchTimer timer;
    pid_t child = 0;
    if (posix_spawn(&child, path.c_str(), &actions, nullptr, arguments, environ) != 0) {
        posix_spawn_file_actions_destroy(&actions);
        return run;
    }
    int status = 0;
    struct rusage usage {};
    wait4(child, &status, 0, &usage);
    run.ms = timer.elapsedMs();
    run.peakKb = usage.ru_maxrss;
    posix_spawn_file_actions_destroy(&actions);
    return run;
}

void benchStartup()
{
    // No MIDI ports: no JACK server under this name, and no ALSA sequencer here.
    qputenv("JACK_DEFAULT_SERVER", "telvir-bench-no-server");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::string folder = QCoreApplication::applicationDirPath().toStdString();
    constexpr int kRuns = 21;
    std::vector<double> editorMs, bareMs;
    long editorKb = 0, bareKb = 0;
    for (int run = 0; run < kRuns; ++run) {
        const StartupRun editor = runProbe(folder + "/bench-startup-editor");
        const StartupRun bare = runProbe(folder + "/bench-startup-bare");
        editorMs.push_back(editor.ms);
        bareMs.push_back(bare.ms);
        editorKb = std::max(editorKb, editor.peakKb);
        bareKb = std::max(bareKb, bare.peakKb);
    }
    std::sort(editorMs.begin(), editorMs.end());
    std::sort(bareMs.begin(), bareMs.end());
    std::printf("Start-up to the first painted window, median of %d runs (%s):\n", kRuns,
                qgetenv("QT_QPA_PLATFORM").constData());
    report("start-up, editor vs bare window", editorMs[kRuns / 2], bareMs[kRuns / 2], 1.3);
    const double extraMb = (editorKb - bareKb) / 1024.0;
    std::printf("%-44s %10.1f MB  bare %8.1f MB  above bare %.1f MB  (target <= 10) %s\n", "peak memory",
                editorKb / 1024.0, bareKb / 1024.0, extraMb, extraMb <= 10 ? "ok" : "MISSED");
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    // The hex dump of every received buffer is a debug line; keep it out.
    QLoggingCategory::setFilterRules("*.debug=false");
    bool quick = false, startupOnly = false;
    for (int i = 1; i < argc; ++i) {
        quick = quick || std::strcmp(argv[i], "--quick") == 0;
        startupOnly = startupOnly || std::strcmp(argv[i], "--startup-only") == 0;
    }

    if (!startupOnly) {
        std::printf("Over in-process virtual ports:\n");
        benchDiscovery();
        benchReadAndWrite();
        benchFirmware(quick ? 16 * 1024 : 256 * 1024);
    }
    benchStartup();
    return 0;
}
