// The order of a search, the pair remembered from the last link, answers
// that end a pair's wait early, and a search cancelled from another thread.

#include "midi/canceltoken.h"
#include "midi/midicontroller.h"
#include "midi/rememberedports.h"
#include "midi/searchorder.h"
#include "virtualkeyboardrig.h"

#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QtTest>

#include <thread>

namespace {
const std::string kKeyboard = "Telvir Keyboard";

QString orderOf(const std::vector<std::string> &outputs, const std::vector<std::string> &inputs,
                const std::vector<PortPair> &preferred)
{
    QStringList pairs;
    for (const PortNumbers &pair : searchOrder(outputs, inputs, preferred))
        pairs << QStringLiteral("%1%2").arg(pair.first).arg(pair.second);
    return pairs.join(' ');
}
} // namespace

class TestLinkSearch : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLoggingCategory::setFilterRules("telvir.midi.debug=false"); }

    void pairsAreTriedPreferredThenSameDeviceThenInPortOrder()
    {
        // Nothing preferred, no names alike: outputs outer, inputs inner.
        QCOMPARE(orderOf({"Synth", "Telvir Out"}, {"Telvir In A", "Telvir In B"}, {}), QString("00 01 10 11"));
        // ALSA's "client:port" names and JACK clients that differ only by a
        // direction; the loopback "Midi Through" never counts as a device.
        QCOMPARE(orderOf({"Midi Through:Port-0 14:0", "Synth:out", "Telvir:Telvir MIDI 1 24:0"},
                         {"Midi Through:Port-0 14:0", "Telvir In:capture", "Synth:in"}, {}),
                 QString("12 21 00 01 02 10 11 20 22"));
        // A remembered pair comes first, the same-device pairs next; a
        // remembered pair whose ports are not listed is passed over.
        QCOMPARE(orderOf({"A:out", "B:out"}, {"B:in", "A:in"}, {{"Gone", "A:in"}, {"B:out", "A:in"}}),
                 QString("11 01 10 00"));
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

    void anAnswerEndsThePairsWaitAndEveryPairIsReported()
    {
        VirtualKeyboardRig rig({"Synth", kKeyboard}, {kKeyboard});
        rig.attachSimulator(kKeyboard, kKeyboard).setHandshakeDelayMs(100);
        QStringList attempts;
        LinkSearch search;
        search.onAttempt = [&attempts](const PairAttempt &attempt) {
            attempts << QStringLiteral("%1/%2 %3").arg(attempt.number).arg(attempt.count)
                            .arg(QString::fromStdString(attempt.pair.output));
        };
        QElapsedTimer clock;
        clock.start();
        QVERIFY(MidiController::getInstance(false, search));
        // Same device first: the keyboard's pair is the first one tried, and
        // its answer after 100 ms ends the 600 ms wait.
        QCOMPARE(attempts, QStringList({"1/2 Telvir Keyboard"}));
        QVERIFY2(clock.elapsed() < 900, qPrintable(QString::number(clock.elapsed())));
    }

    void aCancelledSearchFindsNothingAndClosesItsPorts()
    {
        VirtualKeyboardRig rig({"Synth", "Mixer"}, {"Synth", "Mixer"});
        CancelToken cancel;
        LinkSearch search;
        search.cancel = &cancel;
        int attempts = 0;
        search.onAttempt = [&](const PairAttempt &) {
            if (++attempts == 2)
                cancel.cancel();
        };
        QVERIFY(!MidiController::getInstance(false, search));
        QCOMPARE(attempts, 2);
        QVERIFY(!rig.isInputOpen("Synth"));
        QVERIFY(!rig.isInputOpen("Mixer"));
        // The second pair was cancelled before its handshake.
        QCOMPARE(int(rig.sent("Synth").size() + rig.sent("Mixer").size()), 1);

        // A cancel from another thread wakes a waiting search at once.
        CancelToken later;
        search.cancel = &later;
        search.onAttempt = nullptr;
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
