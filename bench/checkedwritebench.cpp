#include "checkedwritebench.h"

#include "benchtimer.h"
#include "commands/keyboardcommand.h"
#include "jackkeyboardfixture.h"
#include "keyboardsimulator.h"
#include "midi/midicontroller.h"
#include "midi/rememberedpace.h"
#include "model/settings.h"
#include "protocol/parameterexchange.h"
#include "virtualkeyboardrig.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {
constexpr int kRounds = 30;
constexpr double kRatioTarget = 1.2;

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The values a write of `settings` leaves in the keyboard's memory 0
// differ from what it held: a lost message shows.
Settings written()
{
    Settings settings;
    settings.knobMode = 1;
    settings.globalChannel = 9;
    for (int index = 0; index < kControlCount; ++index) {
        settings.controls[index].val = std::uint8_t(90 - index);
        settings.controls[index].lsb = std::uint8_t(index);
    }
    return settings;
}

// Alternating rounds, so that a slow moment of the machine hits both.
void compare(const char *where, MidiController &link)
{
    const Settings settings = written();
    std::vector<double> checked;
    std::vector<double> plain;
    bool allThere = true;
    for (int round = 0; round < kRounds + 2; ++round) {
        BenchTimer plainTimer;
        WriteReport report;
        settings.send(link, 0, WriteParts::all(), report);
        Settings read;
        read.recv(link, 0, nullptr, nullptr);
        const double plainMs = plainTimer.elapsedMs();
        BenchTimer checkedTimer;
        allThere = KeyboardCommand::write(link, settings, 0, &report).kind == KeyboardOutcome::Kind::Sent && allThere;
        const double checkedMs = checkedTimer.elapsedMs();
        if (round >= 2) { // warm-up
            plain.push_back(plainMs);
            checked.push_back(checkedMs);
        }
    }
    const double ratio = median(checked) / median(plain);
    std::printf("%-44s %11.3f ms  write + read %9.3f ms  ratio %.3f  (target <= %.2f) %s%s\n", where,
                median(checked), median(plain), ratio, kRatioTarget, ratio <= kRatioTarget ? "ok" : "MISSED",
                allThere ? "" : " NOT ALL CHECKED");
}

// Whether memory 0 of `keyboard` holds every value of `settings`.
bool holds(const KeyboardSimulator &keyboard, const Settings &settings)
{
    for (const ParameterValue &parameter : ParameterExchange::setsOf(settings, WriteParts::all())) {
        if (keyboard.value(0, parameter.selector, parameter.number) != parameter.value)
            return false;
    }
    return true;
}

void slowKeyboard()
{
    VirtualKeyboardRig rig({"Keyboard"}, {"Keyboard"});
    KeyboardSimulator &keyboard = rig.attachSimulator("Keyboard", "Keyboard");
    MidiController *link = MidiController::getInstance(false);
    if (!link) {
        std::printf("no keyboard for the slow write\n");
        return;
    }
    RememberedPace::forget();
    keyboard.setTakeInterval(1000, 1);
    for (const char *when : {"first", "next"}) {
        // The keyboard starts from its factory values each time.
        for (const ParameterValue &parameter : ParameterExchange::setsOf(Settings(), WriteParts::all()))
            keyboard.setValue(0, parameter.selector, parameter.number, parameter.value);
        const int lostBefore = keyboard.lostCount();
        const int pace = RememberedPace::effective(link->portPair(), 0);
        WriteReport report;
        BenchTimer timer;
        const KeyboardOutcome outcome = KeyboardCommand::write(*link, written(), 0, &report, pace);
        const double ms = timer.elapsedMs();
        RememberedPace::learn(link->portPair(), report.slowedPaceMs);
        const bool whole = outcome.kind == KeyboardOutcome::Kind::Sent && holds(keyboard, written());
        std::printf("%-44s %11.3f ms  started at %d ms, %d messages lost, %s%s\n",
                    (std::string("slow keyboard (1 message/ms), ") + when + " write").c_str(), ms, pace,
                    keyboard.lostCount() - lostBefore, whole ? "whole" : "NOT WHOLE",
                    report.slowedPaceMs > 0 ? (", pace kept: " + std::to_string(report.slowedPaceMs) + " ms").c_str()
                                            : "");
    }
    RememberedPace::forget();
    MidiController::releaseInstance();
}
} // namespace

void benchCheckedWrite(bool jack)
{
    RememberedPace::forget();
    {
        VirtualKeyboardRig rig({"Keyboard"}, {"Keyboard"});
        rig.attachSimulator("Keyboard", "Keyboard");
        if (MidiController *link = MidiController::getInstance(false))
            compare("checked write, virtual ports", *link);
        MidiController::releaseInstance();
    }
    slowKeyboard();
    if (!jack)
        return;
    JackKeyboardFixture fixture;
    if (!fixture.start()) {
        std::printf("no JACK keyboard: %s\n", qPrintable(fixture.error()));
        return;
    }
    if (MidiController *link = MidiController::getInstance(false))
        compare("checked write, JACK", *link);
    MidiController::releaseInstance();
}
