// The simulated keyboard answers as the real one does; the other tests
// trust it, so its own answers are pinned here byte for byte.

#include "keyboardsimulator.h"
#include "support/wirebytes.h"

#include <QtTest>

namespace {
std::string dataMessage(unsigned char byte)
{
    return std::string{char(0x90), char(byte >> 4), char(byte & 0x0F)};
}
} // namespace

class TestKeyboardSimulator : public QObject
{
    Q_OBJECT

private slots:
    void answersTheHandshakeExactlyOrWithTheChosenFault()
    {
        KeyboardSimulator keyboard;
        auto replies = keyboard.receive(wire("f07e7f0a0bf7"));
        QCOMPARE(int(replies.size()), 1);
        QCOMPARE(hexOf(replies[0].bytes), QByteArray("f0 7e 0a 01 03 00 01 f7"));

        keyboard.setHandshakeReply(KeyboardSimulator::HandshakeReply::ExtraByte);
        QCOMPARE(int(keyboard.receive(wire("f07e7f0a0bf7"))[0].bytes.size()), 9);
        keyboard.setHandshakeReply(KeyboardSimulator::HandshakeReply::MissingByte);
        QCOMPARE(int(keyboard.receive(wire("f07e7f0a0bf7"))[0].bytes.size()), 7);

        keyboard.setHandshakeDelayMs(700);
        keyboard.setHandshakeReply(KeyboardSimulator::HandshakeReply::Exact);
        QCOMPARE(keyboard.receive(wire("f07e7f0a0bf7"))[0].delayMs, 700);

        keyboard.setSilent(true);
        QVERIFY(keyboard.receive(wire("f07e7f0a0bf7")).empty());
        QCOMPARE(keyboard.receivedCount(), 5);
    }

    void aNormalKeyboardIgnoresTheUpgradeProbe()
    {
        KeyboardSimulator keyboard;
        QVERIFY(keyboard.receive(wire("9a0102")).empty());
        QVERIFY(keyboard.receive(wire("9a7e7d")).empty());
    }

    void answersRequestsFromItsMemoryAndStoresSets()
    {
        KeyboardSimulator keyboard;
        auto replies = keyboard.receive(wire("f000206b7f4201004006f7"));
        QCOMPARE(int(replies.size()), 1);
        QCOMPARE(hexOf(replies[0].bytes), QByteArray("f0 00 20 6b 7f 42 00 00 40 06 00 f7"));

        QVERIFY(keyboard.receive(wire("f000206b7f420202010101f7")).empty());
        QCOMPARE(keyboard.value(2, 1, 0x01), 1);
        QCOMPARE(keyboard.value(0, 1, 0x01), 1); // factory: Cutoff is Continuous
        keyboard.receive(wire("f000206b7f420202010104f7"));
        QCOMPARE(keyboard.value(2, 1, 0x01), 4);
        QCOMPARE(keyboard.value(0, 1, 0x01), 1);

        // Pad #9 answers its factory channel (65 = global), number and mode.
        QCOMPARE(hexOf(keyboard.receive(wire("f000206b7f4201000278f7"))[0].bytes),
                 QByteArray("f0 00 20 6b 7f 42 00 00 02 78 41 f7"));
        QCOMPARE(keyboard.value(0, 3, 0x78), 22);
        QCOMPARE(keyboard.value(0, 1, 0x78), 8);
        QCOMPARE(keyboard.value(0, 0x40, 2), 1);
        QCOMPARE(keyboard.parameterCount(0), 6 + 37 * 7);
        QCOMPARE(keyboard.value(9, 1, 0x01), -1);
    }

    void parameterFaults()
    {
        KeyboardSimulator keyboard;
        const std::string request = wire("f000206b7f4201004006f7");
        keyboard.setDuplicateReplies(true);
        QCOMPARE(int(keyboard.receive(request).size()), 2);
        keyboard.setDuplicateReplies(false);

        keyboard.setParameterReplyLimit(2);
        QCOMPARE(int(keyboard.receive(request).size()), 1);
        QCOMPARE(int(keyboard.receive(request).size()), 1);
        QCOMPARE(int(keyboard.receive(request).size()), 0);
        keyboard.setParameterReplyLimit(-1);

        keyboard.setAnswerParameters(false);
        QVERIFY(keyboard.receive(request).empty());
        QCOMPARE(int(keyboard.receive(wire("f07e7f0a0bf7")).size()), 1);
        keyboard.setAnswerParameters(true);

        keyboard.setUnrelatedTraffic(true);
        const auto replies = keyboard.receive(request);
        QVERIFY(replies.size() > 1);
        QCOMPARE(hexOf(replies.back().bytes), QByteArray("f0 00 20 6b 7f 42 00 00 40 06 00 f7"));
    }

    void aSlowKeyboardLosesWhatComesTooSoonOrEveryNth()
    {
        KeyboardSimulator keyboard;
        const std::string request = wire("f000206b7f4201004006f7");
        const auto setChannel = [](int channel) {
            return std::string{char(0xF0), 0x00, 0x20, 0x6B, 0x7F, 0x42, 0x02, 0x00, 0x40, 0x06, char(channel),
                               char(0xF7)};
        };
        // One message a millisecond, room for one: the second of two back
        // to back is lost, sets and requests alike; one that waits is taken.
        keyboard.setTakeInterval(1000, 1);
        keyboard.receive(setChannel(3));
        keyboard.receive(setChannel(4));
        QCOMPARE(keyboard.value(0, 0x40, 6), 3);
        QVERIFY(keyboard.receive(request).empty());
        QCOMPARE(keyboard.lostCount(), 2);
        QTest::qWait(3);
        QCOMPARE(int(keyboard.receive(request).size()), 1);
        keyboard.setTakeInterval(0);

        // Every third set, every second request.
        keyboard.setLoseSetEvery(3);
        keyboard.setLoseRequestEvery(2);
        for (int channel = 5; channel <= 7; ++channel)
            keyboard.receive(setChannel(channel));
        QCOMPARE(keyboard.value(0, 0x40, 6), 6);
        QCOMPARE(int(keyboard.receive(request).size()), 1);
        QVERIFY(keyboard.receive(request).empty());
        QCOMPARE(keyboard.lostCount(), 4);
    }

    void upgradeModeAnswersTheProbeAndRebuildsTheImage()
    {
        KeyboardSimulator keyboard(true);
        QVERIFY(keyboard.receive(wire("f07e7f0a0bf7")).empty());
        keyboard.receive(wire("9a0102"));
        auto replies = keyboard.receive(wire("9a7e7d"));
        QCOMPARE(int(replies.size()), 1);
        QCOMPARE(hexOf(replies[0].bytes), QByteArray("9a 01 02"));

        // Two blocks: 513 image bytes and 511 fillers.
        replies = keyboard.receive(wire("9a0002"));
        QCOMPARE(hexOf(replies.at(0).bytes), QByteArray("9a 01 03"));
        QCOMPARE(keyboard.announcedBlocks(), 2);
        std::string image;
        for (int i = 0; i < 513; ++i)
            image.push_back(char(i * 37));
        for (int i = 0; i < 512; ++i)
            QCOMPARE(int(keyboard.receive(dataMessage(image[i])).size()), i == 511 ? 1 : 0);
        QVERIFY(!keyboard.firmwareComplete());
        keyboard.receive(dataMessage(image[512]));
        for (int i = 0; i < 510; ++i)
            QVERIFY(keyboard.receive(wire("900f0f")).empty());
        replies = keyboard.receive(wire("900f0f"));
        QCOMPARE(hexOf(replies.at(0).bytes), QByteArray("9a 01 05"));
        QVERIFY(keyboard.firmwareComplete());
        QCOMPARE(keyboard.firmwareImage(), image + std::string(511, char(0xFF)));
        QVERIFY(keyboard.firmwareErrors().empty());
    }

    void upgradeAcknowledgementsCanBeDroppedOrDelayed()
    {
        KeyboardSimulator keyboard(true);
        keyboard.dropAcknowledgement(0);
        QVERIFY(keyboard.receive(wire("9a0001")).empty());
        keyboard.delayAcknowledgement(1, 250);
        keyboard.receive(wire("9a0001"));
        for (int i = 0; i < 511; ++i)
            keyboard.receive(wire("900a05"));
        const auto replies = keyboard.receive(wire("900a05"));
        QCOMPARE(hexOf(replies.at(0).bytes), QByteArray("9a 01 05"));
        QCOMPARE(replies.at(0).delayMs, 250);
        QCOMPARE(keyboard.firmwareImage(), std::string(512, char(0xA5)));
    }

    void upgradeModeReportsBrokenTransfers()
    {
        KeyboardSimulator keyboard(true);
        keyboard.receive(wire("9a0001"));
        keyboard.receive(wire("901005"));
        QCOMPARE(int(keyboard.firmwareErrors().size()), 1);
        keyboard.receive(wire("900000"));
        keyboard.receive(wire("9a0001"));
        QCOMPARE(int(keyboard.firmwareErrors().size()), 2);
    }
};

QTEST_APPLESS_MAIN(TestKeyboardSimulator)
#include "tst_keyboardsimulator.moc"
