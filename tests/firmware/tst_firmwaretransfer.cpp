// The firmware block transfer against the simulated keyboard, on a clock of
// the test's own: answers become visible once the transfer has slept past
// their delay, so timing faults show without real waits.

#include "firmware/firmwaretransfer.h"
#include "firmware/firmwareprotocol.h"
#include "keyboardsimulator.h"
#include "support/wirebytes.h"

#include <QtTest>

#include <deque>

Q_DECLARE_METATYPE(std::vector<int>)

namespace {
// A keyboard in its upgrade mode behind a recording link.
struct ClockedKeyboard
{
    KeyboardSimulator keyboard{true};
    std::vector<std::string> sent;
    std::vector<std::string> answers; // what the keyboard said, in order
    std::deque<std::string> queue;
    std::vector<std::pair<int, std::string>> pending; // (due time, message)
    std::vector<int> progress;
    int now = 0;

    FirmwareTransfer transfer()
    {
        return FirmwareTransfer(
            [this](unsigned char status, unsigned char data1, unsigned char data2) {
                const std::string message{char(status), char(data1), char(data2)};
                sent.push_back(message);
                for (const SimulatorReply &reply : keyboard.receive(message))
                    pending.emplace_back(now + reply.delayMs, reply.bytes);
                return 0;
            },
            [this] {
                if (queue.empty())
                    return std::string();
                std::string message = queue.front();
                queue.pop_front();
                return message;
            },
            [this](int milliseconds) {
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
            });
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
        QTest::newRow("size never acknowledged") << 0 << -1 << 1 << std::vector<int>{};
        QTest::newRow("size acknowledged late") << 0 << 150 << 1 << std::vector<int>{};
        QTest::newRow("second block acknowledged late") << 2 << 101 << 1 + 2 * 512 << std::vector<int>{0, 25};
        QTest::newRow("end never acknowledged") << 4 << -1 << 1 + 4 * 512 << std::vector<int>{0, 25, 50};
        QTest::newRow("end acknowledged late") << 4 << 400 << 1 + 4 * 512 << std::vector<int>{0, 25, 50};
    }

    void aMissingOrLateAcknowledgementStopsTheTransferAtOnce()
    {
        QFETCH(int, acknowledgement);
        QFETCH(int, delayMs);
        QFETCH(int, sentCount);
        QFETCH(std::vector<int>, progress);

        ClockedKeyboard link;
        if (delayMs < 0)
            link.keyboard.dropAcknowledgement(acknowledgement);
        else
            link.keyboard.delayAcknowledgement(acknowledgement, delayMs);
        QVERIFY(!link.send(randomImage(4 * 512, 4)));
        QCOMPARE(link.sentCount(), sentCount);
        QCOMPARE(link.progress, progress);
    }

    void anAnswerJustWithinTheWaitCounts()
    {
        ClockedKeyboard link;
        link.keyboard.delayAcknowledgement(0, 100);
        link.keyboard.delayAcknowledgement(1, 100);
        QVERIFY(link.send(randomImage(600, 3)));
    }
};

QTEST_GUILESS_MAIN(TestFirmwareTransfer)
#include "tst_firmwaretransfer.moc"
