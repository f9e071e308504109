// The firmware block transfer against the simulated keyboard, on a clock of
// the test's own: messages reach the keyboard when the transfer drains, and
// answers become visible once the transfer has slept past their delay, so
// timing faults show without real waits.

#include "firmware/firmwaretransfer.h"
#include "firmware/firmwareprotocol.h"
#include "keyboardsimulator.h"
#include "support/wirebytes.h"

#include <QtTest>

#include <deque>

Q_DECLARE_METATYPE(std::vector<int>)

namespace {
// A keyboard in its upgrade mode behind a recording link. What the link
// sends reaches the keyboard when the link drains, which takes drainMs on
// the test's clock, as a MIDI server that runs late takes a block late.
struct ClockedKeyboard
{
    KeyboardSimulator keyboard{true};
    std::vector<std::string> sent;
    std::vector<std::string> inFlight; // queued, not yet left
    std::vector<std::string> answers;  // what the keyboard said, in order
    std::deque<std::string> queue;
    std::vector<std::pair<int, std::string>> pending; // (due time, message)
    std::vector<int> progress;
    int now = 0;
    int drainMs = 0;
    int drains = 0;
    int failingDrain = -1; // this drain (counted from 0) gives up on what it holds

    void advance(int milliseconds)
    {
        now += milliseconds;
        for (auto it = pending.begin(); it != pending.end();) {
            if (it->first <= now) {
                answers.push_back(it->second);
                queue.push_back(it->second);
                it = pending.erase(it);
            } else {
                ++it;
            }
        }
    }

    bool drain()
    {
        advance(drainMs);
        if (drains++ == failingDrain) {
            inFlight.clear();
            return false;
        }
        for (const std::string &message : inFlight) {
            for (const SimulatorReply &reply : keyboard.receive(message))
                pending.emplace_back(now + reply.delayMs, reply.bytes);
        }
        inFlight.clear();
        return true;
    }

    FirmwareTransfer transfer()
    {
        return FirmwareTransfer(
            [this](unsigned char status, unsigned char data1, unsigned char data2) {
                const std::string message{char(status), char(data1), char(data2)};
                sent.push_back(message);
                inFlight.push_back(message);
                return 0;
            },
            [this] { return drain(); },
            [this] {
                if (queue.empty())
                    return std::string();
                std::string message = queue.front();
                queue.pop_front();
                return message;
            },
            [this](int milliseconds) { advance(milliseconds); },
            [this] { return std::chrono::steady_clock::time_point(std::chrono::milliseconds(now)); });
    }

    bool send(const std::string &image)
    {
        return transfer().run(image, [this](int percent) { progress.push_back(percent); });
    }

    int sentCount() const { return int(sent.size()); }
};
} // namespace

class TestFirmwareTransfer : public QObject
{
    Q_OBJECT

private slots:
    void aOneByteImageIsOneDataMessageAnd511Fillers()
    {
        ClockedKeyboard link;
        QVERIFY(link.send(std::string(1, char(0x3C))));

        QCOMPARE(link.sentCount(), 1 + 512);
        QCOMPARE(hexOf(link.sent[0]), QByteArray("9a 00 01"));
        QCOMPARE(hexOf(link.sent[1]), QByteArray("90 03 0c"));
        for (int i = 2; i < link.sentCount(); ++i)
            QCOMPARE(hexOf(link.sent[i]), QByteArray("90 0f 0f"));
        QCOMPARE(int(link.answers.size()), 2);
        QCOMPARE(hexOf(link.answers[0]), QByteArray("9a 01 03"));
        QCOMPARE(hexOf(link.answers[1]), QByteArray("9a 01 05"));
        QCOMPARE(link.progress, std::vector<int>{100});
        // The announcement, then one wait after the only block.
        QCOMPARE(link.now, 200);
        QVERIFY(link.keyboard.firmwareComplete());
        QCOMPARE(link.keyboard.firmwareImage(), std::string(1, char(0x3C)) + std::string(511, char(0xFF)));
        QVERIFY(link.keyboard.firmwareErrors().empty());
    }

    void theImageBytesAreSplitIntoHalves()
    {
        ClockedKeyboard link;
        QVERIFY(link.send(wire("00a5ff")));
        QCOMPARE(hexOf(link.sent[1]), QByteArray("90 00 00"));
        QCOMPARE(hexOf(link.sent[2]), QByteArray("90 0a 05"));
        QCOMPARE(hexOf(link.sent[3]), QByteArray("90 0f 0f"));
    }

    void imagesArriveWholeAndPaddedToBlocks_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<QByteArray>("announcement");
        QTest::addColumn<QByteArray>("answers");
        QTest::addColumn<std::vector<int>>("progress");
        QTest::newRow("one block exactly") << 512 << QByteArray("9a 00 01")
                                           << QByteArray("9a 01 03 9a 01 05") << std::vector<int>{100};
        QTest::newRow("three blocks exactly") << 3 * 512 << QByteArray("9a 00 03")
                                              << QByteArray("9a 01 03 9a 01 04 9a 01 04 9a 01 05")
                                              << std::vector<int>{0, 33, 100};
        QTest::newRow("one byte into the second block") << 513 << QByteArray("9a 00 02")
                                                        << QByteArray("9a 01 03 9a 01 04 9a 01 05")
                                                        << std::vector<int>{0, 100};
        QTest::newRow("four blocks") << 3 * 512 + 100 << QByteArray("9a 00 04")
                                     << QByteArray("9a 01 03 9a 01 04 9a 01 04 9a 01 04 9a 01 05")
                                     << std::vector<int>{0, 25, 50, 100};
    }

    void imagesArriveWholeAndPaddedToBlocks()
    {
        QFETCH(int, size);
        QFETCH(QByteArray, announcement);
        QFETCH(QByteArray, answers);
        QFETCH(std::vector<int>, progress);

        ClockedKeyboard link;
        const std::string image = randomImage(std::size_t(size), quint32(size));
        QVERIFY(link.send(image));

        const int blocks = (size + 511) / 512;
        QCOMPARE(hexOf(link.sent[0]), announcement);
        QCOMPARE(link.sentCount(), 1 + blocks * 512);
        QCOMPARE(link.now, (blocks + 1) * 100);
        std::string said;
        for (const std::string &answer : link.answers)
            said += answer;
        QCOMPARE(hexOf(said), answers);
        QCOMPARE(link.progress, progress);
        QCOMPARE(link.keyboard.firmwareImage(), image + std::string(std::size_t(blocks * 512 - size), char(0xFF)));
        QVERIFY(link.keyboard.firmwareErrors().empty());
    }

    void theAnnouncementCarriesTheBlockCountHighPartFirst_data()
    {
        QTest::addColumn<int>("blocks");
        QTest::addColumn<QByteArray>("announcement");
        QTest::newRow("15") << 15 << QByteArray("9a 00 0f");
        QTest::newRow("16") << 16 << QByteArray("9a 01 00");
        QTest::newRow("300") << 300 << QByteArray("9a 12 0c");
        QTest::newRow("2047") << 2047 << QByteArray("9a 7f 0f");
    }

    void theAnnouncementCarriesTheBlockCountHighPartFirst()
    {
        QFETCH(int, blocks);
        QFETCH(QByteArray, announcement);
        // Without the keyboard's answer the transfer ends after the
        // announcement, which is all this looks at.
        ClockedKeyboard link;
        link.keyboard.dropAcknowledgement(0);
        QVERIFY(!link.send(std::string(std::size_t(blocks) * 512, char(0x11))));
        QCOMPARE(link.sentCount(), 1);
        QCOMPARE(hexOf(link.sent[0]), announcement);
        QCOMPARE(link.keyboard.announcedBlocks(), blocks);
    }

    void imagesTheKeyboardCannotTakeAreRefusedBeforeAnythingIsSent()
    {
        ClockedKeyboard link;
        QVERIFY(!link.send(std::string()));
        QVERIFY(!link.send(std::string(FirmwareProtocol::kMaxImageSize + 1, char(0))));
        QCOMPARE(link.sentCount(), 0);
        QVERIFY(link.progress.empty());
        QCOMPARE(link.now, 0);
        QCOMPARE(FirmwareProtocol::kMaxImageSize, std::size_t(1048064));
        QVERIFY(FirmwareProtocol::fitsKeyboard(1048064));
    }

    void staleAndForeignMessagesBeforeAnAcknowledgementAreSkipped()
    {
        ClockedKeyboard link;
        // Left over from an earlier, broken transfer.
        link.queue = {wire("9a0105"), wire("9a0104"), wire("f07e0a01030001f7"), wire("9a3c00")};
        // And traffic in front of every answer.
        link.keyboard.setUnrelatedTraffic(true);
        const std::string image = randomImage(1200, 7);
        QVERIFY(link.send(image));
        QCOMPARE(link.keyboard.firmwareImage().substr(0, image.size()), image);
        QVERIFY(link.queue.empty());
    }

    void aMissingOrLateAcknowledgementStopsTheTransferAtOnce_data()
    {
        QTest::addColumn<int>("acknowledgement");
        QTest::addColumn<int>("delayMs"); // -1: never comes
        QTest::addColumn<int>("sentCount");
        QTest::addColumn<std::vector<int>>("progress");
        QTest::addColumn<int>("endsAtMs");
        // Each answer is looked for until 300 ms after its messages left.
        QTest::newRow("size never acknowledged") << 0 << -1 << 1 << std::vector<int>{} << 300;
        QTest::newRow("size acknowledged too late") << 0 << 301 << 1 << std::vector<int>{} << 300;
        QTest::newRow("second block acknowledged too late")
            << 2 << 301 << 1 + 2 * 512 << std::vector<int>{0, 25} << 100 + 100 + 300;
        QTest::newRow("end never acknowledged") << 4 << -1 << 1 + 4 * 512 << std::vector<int>{0, 25, 50} << 700;
        QTest::newRow("end acknowledged too late") << 4 << 400 << 1 + 4 * 512 << std::vector<int>{0, 25, 50} << 700;
    }

    void aMissingOrLateAcknowledgementStopsTheTransferAtOnce()
    {
        QFETCH(int, acknowledgement);
        QFETCH(int, delayMs);
        QFETCH(int, sentCount);
        QFETCH(std::vector<int>, progress);
        QFETCH(int, endsAtMs);

        ClockedKeyboard link;
        if (delayMs < 0)
            link.keyboard.dropAcknowledgement(acknowledgement);
        else
            link.keyboard.delayAcknowledgement(acknowledgement, delayMs);
        QVERIFY(!link.send(randomImage(4 * 512, 4)));
        QCOMPARE(link.sentCount(), sentCount);
        QCOMPARE(link.progress, progress);
        QCOMPARE(link.now, endsAtMs);
    }

    void anAnswerUpToThreeTimesTheWaitAfterTheBlockLeftCounts()
    {
        ClockedKeyboard link;
        link.keyboard.delayAcknowledgement(0, 100);
        link.keyboard.delayAcknowledgement(1, 250);
        link.keyboard.delayAcknowledgement(2, 300);
        const std::string image = randomImage(1000, 3);
        QVERIFY(link.send(image));
        QCOMPARE(link.now, 100 + 250 + 300);
        QCOMPARE(link.keyboard.firmwareImage().substr(0, image.size()), image);
    }

    void theWaitStartsWhenTheBlockHasLeft()
    {
        // A server that takes each block 250 ms after it was queued, and a
        // keyboard that answers 200 ms after it has the block: 450 ms after
        // the block was queued, but within the wait counted from its leaving.
        ClockedKeyboard link;
        link.drainMs = 250;
        for (int acknowledgement = 0; acknowledgement < 4; ++acknowledgement)
            link.keyboard.delayAcknowledgement(acknowledgement, 200);
        const std::string image = randomImage(3 * 512, 5);
        QVERIFY(link.send(image));
        QCOMPARE(link.now, 4 * (250 + 200));
        QCOMPARE(link.progress, (std::vector<int>{0, 33, 100}));
        QVERIFY(link.keyboard.firmwareComplete());
        QCOMPARE(link.keyboard.firmwareImage(), image);
    }

    void aBlockThatCannotLeaveEndsTheTransferWithoutWaiting()
    {
        ClockedKeyboard link;
        link.failingDrain = 2; // the second block's
        QVERIFY(!link.send(randomImage(4 * 512, 6)));
        QCOMPARE(link.sentCount(), 1 + 2 * 512);
        QCOMPARE(link.progress, (std::vector<int>{0, 25}));
        QCOMPARE(link.now, 200);
        QCOMPARE(link.keyboard.firmwareImage().size(), std::size_t(512));
        QVERIFY(!link.keyboard.firmwareComplete());
    }
};

QTEST_GUILESS_MAIN(TestFirmwareTransfer)
#include "tst_firmwaretransfer.moc"
