// MidiController::sendFirmware on an upgrade-mode link to a simulated
// keyboard on virtual MIDI ports: the messages as the port took them, the
// image as the keyboard rebuilt it, and answers arriving on their own thread.

#include "midi/midicontroller.h"
#include "virtualkeyboardrig.h"
#include "support/wirebytes.h"

#include <QElapsedTimer>
#include <QtTest>

Q_DECLARE_METATYPE(std::vector<int>)

namespace {
const std::string kPort = "Telvir Keyboard";

std::string padded(const std::string &image)
{
    return image + std::string((512 - image.size() % 512) % 512, char(0xFF));
}
} // namespace

class TestSendFirmware : public QObject
{
    Q_OBJECT

private:
    std::vector<int> progress;
    std::function<void(int)> recordProgress = [this](int percent) { progress.push_back(percent); };

private slots:
    void init() { progress.clear(); }

    void aOneByteImageIsProbedAnnouncedSentAndPadded()
    {
        VirtualKeyboardRig rig({kPort}, {kPort});
        KeyboardSimulator &keyboard = rig.attachSimulator(kPort, kPort, true);
        MidiController *link = MidiController::getInstance(true);
        QVERIFY(link);
        QCOMPARE(link->deviceName(), QString::fromStdString(kPort));

        QVERIFY(link->sendFirmware(wire("a5"), recordProgress));
        const std::vector<std::string> sent = rig.sent(kPort);
        QCOMPARE(int(sent.size()), 2 + 1 + 512);
        QCOMPARE(hexOf(sent[0] + sent[1]), QByteArray("9a 01 02 9a 7e 7d"));
        QCOMPARE(hexOf(sent[2]), QByteArray("9a 00 01"));
        QCOMPARE(hexOf(sent[3]), QByteArray("90 0a 05"));
        for (std::size_t i = 4; i < sent.size(); ++i)
            QCOMPARE(hexOf(sent[i]), QByteArray("90 0f 0f"));
        QCOMPARE(progress, std::vector<int>{100});
        QVERIFY(keyboard.firmwareComplete());
        QCOMPARE(keyboard.firmwareImage(), padded(wire("a5")));
        QVERIFY(keyboard.firmwareErrors().empty());
    }

    void staleAnswersAreSkippedAndProgressFollowsTheBlocks()
    {
        VirtualKeyboardRig rig({kPort}, {kPort});
        KeyboardSimulator &keyboard = rig.attachSimulator(kPort, kPort, true);
        MidiController *link = MidiController::getInstance(true);
        QVERIFY(link);
        // Answers left from an earlier transfer and a key on channel 11.
        rig.inject(kPort, wire("9a0105"));
        rig.inject(kPort, wire("9a0104"));
        rig.inject(kPort, wire("9a3c00"));
        keyboard.setUnrelatedTraffic(true);

        const std::string image = randomImage(3 * 512 + 7, 11);
        QElapsedTimer clock;
        clock.start();
        QVERIFY(link->sendFirmware(image, recordProgress));
        QVERIFY(clock.elapsed() >= 500); // a 100 ms wait after the announcement and after each block
        QCOMPARE(progress, (std::vector<int>{0, 25, 50, 100}));
        QCOMPARE(keyboard.firmwareImage(), padded(image));
        QVERIFY(keyboard.firmwareErrors().empty());
    }

    void aLateAcknowledgementFailsAndNothingMoreIsSent()
    {
        VirtualKeyboardRig rig({kPort}, {kPort});
        KeyboardSimulator &keyboard = rig.attachSimulator(kPort, kPort, true);
        MidiController *link = MidiController::getInstance(true);
        QVERIFY(link);
        rig.clearSent();
        // The answer to the second block, later than 300 ms after it left.
        keyboard.delayAcknowledgement(2, 700);

        QVERIFY(!link->sendFirmware(randomImage(4 * 512, 12), recordProgress));
        QCOMPARE(progress, (std::vector<int>{0, 25}));
        QCOMPARE(int(rig.sent(kPort).size()), 1 + 2 * 512);
        // The answer comes after all; the link stays silent.
        QTest::qWait(750);
        rig.waitForReplies();
        QCOMPARE(int(rig.sent(kPort).size()), 1 + 2 * 512);
        QVERIFY(!keyboard.firmwareComplete());
    }

    void aSecondUpdateReusesTheUpgradeLinkWithoutAProbe()
    {
        VirtualKeyboardRig rig({kPort}, {kPort});
        KeyboardSimulator &keyboard = rig.attachSimulator(kPort, kPort, true);
        MidiController *link = MidiController::getInstance(true);
        QVERIFY(link);
        QVERIFY(link->sendFirmware(randomImage(700, 13), recordProgress));

        rig.clearSent();
        QCOMPARE(MidiController::getInstance(true), link);
        const std::string second = randomImage(300, 14);
        QVERIFY(link->sendFirmware(second, recordProgress));
        const std::vector<std::string> sent = rig.sent(kPort);
        QCOMPARE(int(sent.size()), 1 + 512);
        QCOMPARE(hexOf(sent[0]), QByteArray("9a 00 01"));
        QCOMPARE(keyboard.firmwareImage(), padded(second));
        QVERIFY(keyboard.firmwareErrors().empty());
    }

    void aPortThatRefusesEveryMessageEndsInAFailedTransfer()
    {
        VirtualKeyboardRig rig({kPort}, {kPort});
        KeyboardSimulator &keyboard = rig.attachSimulator(kPort, kPort, true);
        MidiController *link = MidiController::getInstance(true);
        QVERIFY(link);
        rig.clearSent();
        keyboard.clearReceived();
        rig.refuseSends(kPort, VirtualKeyboardRig::kAlways);

        QVERIFY(!link->sendFirmware(randomImage(2000, 15), recordProgress));
        QVERIFY(progress.empty());
        QVERIFY(rig.sent(kPort).empty());
        QCOMPARE(keyboard.receivedCount(), 0);
    }
};

QTEST_GUILESS_MAIN(TestSendFirmware)
#include "tst_sendfirmware.moc"
