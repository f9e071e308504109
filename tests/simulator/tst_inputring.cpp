// The simulator's input ring: what JACK's process cycle hands to the
// simulator's thread arrives whole and in order, a full ring counts what
// it could not take instead of blocking, and a reader without input gets
// nothing rather than a stale message.

#include "inputring.h"

#include <QtTest>

#include <string>
#include <thread>
#include <vector>

namespace {
constexpr std::chrono::milliseconds kNoWait {0};
constexpr std::chrono::milliseconds kReaderWait {5000};

std::vector<unsigned char> bytes(const std::string &text)
{
    return std::vector<unsigned char>(text.begin(), text.end());
}
} // namespace

class TestInputRing : public QObject
{
    Q_OBJECT

private slots:
    void aFirmwareImageArrivesWholeAndInOrderAcrossThreads()
    {
        // 100,000 firmware bytes as their 200,000 short messages, written
        // while the reader takes them.
        constexpr int kMessages = 200000;
        InputRing ring(1 << 21);
        std::thread writer([&ring] {
            for (int index = 0; index < kMessages; ++index) {
                const unsigned char message[3] = {0x90, static_cast<unsigned char>((index >> 4) & 0x0F),
                                                  static_cast<unsigned char>(index & 0x0F)};
                ring.push(message, sizeof message);
            }
        });
        int taken = 0;
        std::string message;
        while (taken < kMessages && ring.pop(message, kReaderWait)) {
            const std::string expected{char(0x90), char((taken >> 4) & 0x0F), char(taken & 0x0F)};
            if (message != expected)
                break;
            ++taken;
        }
        writer.join();
        QCOMPARE(taken, kMessages);
        QCOMPARE(ring.overflows(), std::uint64_t(0));
        QVERIFY(!ring.pop(message, kNoWait));
    }

    void aFullRingCountsWhatItDropsAndKeepsWhatItHolds()
    {
        // Room for two 3-byte messages with their 4-byte lengths (libjack
        // rounds the size up to a power of two and keeps one byte free).
        InputRing ring(16);
        const std::vector<unsigned char> first = bytes("\x9a\x01\x04");
        const std::vector<unsigned char> second = bytes("\x9a\x01\x05");
        ring.push(first.data(), first.size());
        ring.push(second.data(), second.size());
        ring.push(first.data(), first.size());
        ring.push(second.data(), second.size());
        QCOMPARE(ring.overflows(), std::uint64_t(2));

        std::string message;
        QVERIFY(ring.pop(message, kNoWait));
        QCOMPARE(message, std::string("\x9a\x01\x04"));
        QVERIFY(ring.pop(message, kNoWait));
        QCOMPARE(message, std::string("\x9a\x01\x05"));
        QVERIFY(!ring.pop(message, kNoWait));

        // Room again once read: a System Exclusive message of another length.
        const std::vector<unsigned char> request = bytes("\xf0\x7e\x7f\xf7");
        ring.push(request.data(), request.size());
        QVERIFY(ring.pop(message, kNoWait));
        QCOMPARE(message, std::string("\xf0\x7e\x7f\xf7"));
        QCOMPARE(ring.overflows(), std::uint64_t(2));
    }
};

QTEST_GUILESS_MAIN(TestInputRing)
#include "tst_inputring.moc"
