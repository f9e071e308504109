// One round of handshakes among all ports: which pair links, how many
// handshakes each port gets, what is not taken for a keyboard, every
// keyboard found, the Note-Offs of the upgrade search, the remembered pair
// tried alone, and a search cancelled from another thread.

#include "midi/canceltoken.h"
#include "midi/midicontroller.h"
#include "midi/rememberedports.h"
#include "midi/searchorder.h"
#include "virtualkeyboardrig.h"

#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QtTest>

#include <algorithm>
#include <thread>

namespace {
const std::string kKeyboard = "Telvir Keyboard";
const std::string kHandshake("\xF0\x7E\x7F\x0A\x0B\xF7", 6);
const std::string kUpgradeFirst("\x9A\x01\x02", 3);
const std::string kUpgradeSecond("\x9A\x7E\x7D", 3);
const std::string kReleaseFirst("\x8A\x01\x00", 3);
const std::string kReleaseSecond("\x8A\x7E\x00", 3);

std::vector<std::string> numbered(const std::string &prefix, int count)
{
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i)
        names.push_back(prefix + (i < 10 ? " 0" : " ") + std::to_string(i));
    return names;
}

int countOf(const std::vector<std::string> &messages, const std::string &message)
{
    return int(std::count(messages.begin(), messages.end(), message));
}

QString pairs(const std::vector<PortNumbers> &numbers)
{
    QStringList text;
    for (const PortNumbers &pair : numbers)
        text << QStringLiteral("%1%2").arg(pair.first).arg(pair.second);
    return text.join(' ');
}
} // namespace

class TestLinkSearch : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLoggingCategory::setFilterRules("telvir.midi.debug=false"); }

    void rememberedPairsCountWhenListedAndDeviceNamesPair()
    {
        // A remembered pair counts only when both its ports are listed now,
        // once, in the order given.
        QCOMPARE(pairs(listedPairs({"A:out", "B:out"}, {"B:in", "A:in"},
                                   {{"Gone", "A:in"}, {"B:out", "A:in"}, {"A:out", "B:in"}, {"B:out", "A:in"}})),
                 QString("11 00"));
        // ALSA's "client:port" names and JACK clients that differ only by a
        // direction; the loopback "Midi Through" never counts as a device.
        QVERIFY(sameDevice("Telvir:Telvir MIDI 1 24:0", "Telvir In:capture"));
        QVERIFY(sameDevice("Synth:out", "Synth:in"));
        QVERIFY(sameDevice("Telvir Keyboard:MIDI In", "Telvir Keyboard Out:MIDI Out"));
        QVERIFY(!sameDevice("Midi Through:Port-0 14:0", "Midi Through:Port-0 14:0"));
        QVERIFY(!sameDevice("Out 11", "In 05"));
    }

    void amongSixteenPortsOneRoundFindsTheKeyboardAndNothingElse()
    {
        // Names that tell nothing of one device; an echo and a device that
        // answers one byte too many among them.
        const std::vector<std::string> outputs = numbered("Out", 16);
        const std::vector<std::string> inputs = numbered("In", 16);
        VirtualKeyboardRig rig(outputs, inputs);
        rig.attachSimulator("Out 11", "In 05");
        rig.attachEcho("Out 02", "In 02");
        rig.attachSimulator("Out 07", "In 09").setHandshakeReply(KeyboardSimulator::HandshakeReply::ExtraByte);

        MidiController *link = MidiController::getInstance(false);
        QVERIFY(link);
        QCOMPARE(link->portPair(), (PortPair{"Out 11", "In 05"}));
        QCOMPARE(link->foundKeyboards(), std::vector<PortPair>({{"Out 11", "In 05"}}));
        for (const std::string &output : outputs) {
            const std::vector<std::string> sent = rig.sent(output);
            QVERIFY2(countOf(sent, kHandshake) == int(sent.size()), output.c_str());
            if (output != "Out 11")
                QVERIFY2(sent.size() >= 1 && sent.size() <= 3, (output + ": " + std::to_string(sent.size())).c_str());
        }
        // The link's own input stays open, no other.
        for (const std::string &input : inputs)
            QCOMPARE(rig.isInputOpen(input), input == "In 05");

        // Without the keyboard, neither the echo nor the wrong answer links,
        // and the search ends after the one round.
        MidiController::releaseInstance();
        rig.unplug("Out 11", "In 05");
        rig.clearSent();
        QVERIFY(!MidiController::getInstance(false));
        for (const std::string &output : outputs) {
            if (output != "Out 11")
                QCOMPARE(int(rig.sent(output).size()), 1);
        }
        for (const std::string &input : inputs)
            QVERIFY(!rig.isInputOpen(input));
    }

    void everyKeyboardIsFoundAndTheRememberedOneLinked()
    {
        VirtualKeyboardRig rig({"Synth", "Left", "Right"}, {"Right In", "Synth", "Left In"});
        rig.attachSimulator("Left", "Left In");
        rig.attachSimulator("Right", "Right In");
        const std::vector<PortPair> both{{"Left", "Left In"}, {"Right", "Right In"}};

        // Nothing remembered: the first listed.
        MidiController *link = MidiController::getInstance(false);
        QVERIFY(link);
        QCOMPARE(link->portPair(), both[0]);
        QCOMPARE(link->foundKeyboards(), both);

        MidiController::releaseInstance();
        LinkSearch search;
        search.preferred = {both[1]};
        search.everyKeyboard = true;
        link = MidiController::getInstance(false, search);
        QVERIFY(link);
        QCOMPARE(link->portPair(), both[1]);
        QCOMPARE(link->foundKeyboards(), both);
    }

    void theUpgradeSearchLeavesNoHeldNote()
    {
        const std::vector<std::string> others{"Synth", "Drums", "Loop"};
        VirtualKeyboardRig rig({"Synth", "Drums", "Loop", kKeyboard}, {"Synth", "Loop", "Pads", kKeyboard});
        // A loopback sends the probe back: its copy of 9A 01 02 is no answer.
        rig.attachEcho("Loop", "Loop");
        rig.attachSimulator(kKeyboard, kKeyboard, true);
        // The keyboard's own pair names one device: nothing is remembered,
        // so the round and the halving both run.
        for (bool keyboardThere : {true, false}) {
            if (!keyboardThere)
                rig.unplug(kKeyboard, kKeyboard);
            rig.clearSent();
            MidiController *link = MidiController::getInstance(true);
            QCOMPARE(link != nullptr, keyboardThere);
            if (link)
                QCOMPARE(link->portPair(), (PortPair{kKeyboard, kKeyboard}));
            for (const std::string &output : others) {
                const std::vector<std::string> sent = rig.sent(output);
                QVERIFY(countOf(sent, kUpgradeFirst) >= 1);
                QCOMPARE(countOf(sent, kReleaseFirst), countOf(sent, kUpgradeFirst));
                QCOMPARE(countOf(sent, kReleaseSecond), countOf(sent, kUpgradeSecond));
                // Every release after the last Note-On.
                const auto lastNoteOn = std::find(sent.rbegin(), sent.rend(), kUpgradeSecond);
                const auto firstRelease = std::find(sent.begin(), sent.end(), kReleaseFirst);
                QVERIFY(firstRelease - sent.begin() > sent.rend() - lastNoteOn - 1);
            }
            if (keyboardThere)
                QCOMPARE(countOf(rig.sent(kKeyboard), kReleaseFirst), 0);
            MidiController::releaseInstance();
        }
    }

    void aPreferredPairIsTriedFirstAndTheDecoysGetNoHandshake()
    {
        VirtualKeyboardRig rig({"Synth", "Mixer", "Telvir Out"}, {"Synth", "Mixer", "Telvir In"});
        rig.attachSimulator("Telvir Out", "Telvir In");
        QVERIFY(MidiController::getInstance(false));
        const PortPair linked = MidiController::getInstance(false)->portPair();
        QCOMPARE(linked, (PortPair{"Telvir Out", "Telvir In"}));
        // The caller remembers the pair, not the search.
        QVERIFY(!RememberedPorts::lastLinked());

        MidiController::releaseInstance();
        rig.clearSent();
        LinkSearch search;
        search.preferred = {PortPair{"Gone", "Synth"}, linked};
        QVERIFY(MidiController::getInstance(false, search));
        QCOMPARE(int(rig.sent("Telvir Out").size()), 1);
        QVERIFY(rig.sent("Synth").empty());
        QVERIFY(rig.sent("Mixer").empty());
    }

    void onlyTheGivenPairIsTried()
    {
        VirtualKeyboardRig rig({"Synth", kKeyboard}, {kKeyboard, "Synth"});
        rig.attachSimulator(kKeyboard, kKeyboard);
        LinkSearch search;
        search.onlyPair = PortPair{"Synth", "Synth"};
        QVERIFY(!MidiController::getInstance(false, search));
        QCOMPARE(int(rig.sent("Synth").size()), 1);
        QVERIFY(rig.sent(kKeyboard).empty());
    }

    void anAnswerEndsTheWaitAndEveryStepIsReported()
    {
        VirtualKeyboardRig rig({"Synth", kKeyboard}, {kKeyboard});
        rig.attachSimulator(kKeyboard, kKeyboard).setHandshakeDelayMs(100);
        QStringList steps;
        LinkSearch search;
        search.onStep = [&steps](const SearchStep &step) {
            steps << QStringLiteral("%1 %2/%3 %4").arg(int(step.kind)).arg(step.outputs).arg(step.inputs)
                         .arg(QString::fromStdString(step.pair.output));
        };
        QElapsedTimer clock;
        clock.start();
        QVERIFY(MidiController::getInstance(false, search));
        // The round to both outputs, then the output of the same device as
        // the answering input, asked alone; its answer after 100 ms ends
        // each 600 ms wait.
        QCOMPARE(steps, QStringList({"1 2/1 ", "2 2/1 Telvir Keyboard"}));
        QCOMPARE(int(rig.sent("Synth").size()), 1);
        QVERIFY2(clock.elapsed() < 900, qPrintable(QString::number(clock.elapsed())));
    }

    void anAnswerLateForItsHalfIsNotTakenForTheNextOnes()
    {
        // The keyboard answers the round at once, then slower than the
        // halving's short waits (a loaded machine): its answer to the half
        // that holds its output lands while the next half, of one output,
        // is asked. That output must not be linked.
        VirtualKeyboardRig rig({"Out 00", "Out 01", "Out 02", "Out 03"}, {"In 00"});
        KeyboardSimulator &keyboard = rig.attachSimulator("Out 00", "In 00");
        LinkSearch search;
        search.onStep = [&keyboard](const SearchStep &step) {
            if (step.kind == SearchStep::Kind::Output)
                keyboard.setHandshakeDelayMs(100);
        };
        MidiController *link = MidiController::getInstance(false, search);
        QVERIFY(link);
        QCOMPARE(link->portPair(), (PortPair{"Out 00", "In 00"}));
    }

    void aCancelledSearchFindsNothingAndClosesItsPorts()
    {
        VirtualKeyboardRig rig({"Synth", "Mixer"}, {"Synth", "Mixer"});
        CancelToken cancel;
        LinkSearch search;
        search.cancel = &cancel;
        int steps = 0;
        search.onStep = [&](const SearchStep &) {
            ++steps;
            cancel.cancel();
        };
        QVERIFY(!MidiController::getInstance(false, search));
        QCOMPARE(steps, 1);
        QVERIFY(!rig.isInputOpen("Synth"));
        QVERIFY(!rig.isInputOpen("Mixer"));
        // Cancelled before the round's handshake.
        QCOMPARE(int(rig.sent("Synth").size() + rig.sent("Mixer").size()), 0);

        // A cancel from another thread wakes a waiting search at once.
        CancelToken later;
        search.cancel = &later;
        search.onStep = nullptr;
        QElapsedTimer clock;
        clock.start();
        std::thread canceller([&later] {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            later.cancel();
        });
        QVERIFY(!MidiController::getInstance(false, search));
        canceller.join();
        QVERIFY2(clock.elapsed() < 900, qPrintable(QString::number(clock.elapsed())));
    }
};

QTEST_GUILESS_MAIN(TestLinkSearch)
#include "tst_linksearch.moc"
