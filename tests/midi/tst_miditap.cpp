// The tap on the link: every message to and from the keyboard reaches it,
// in order and marked with its direction, while the input queue keeps
// getting only what the protocol's readers expect; a reader that lags
// loses copies, never blocks a sender.

#include "virtualkeyboardrig.h"

#include "midi/midicontroller.h"
#include "midi/miditap.h"
#include "support/wirebytes.h"

#include <QLoggingCategory>
#include <QtTest>

#include <atomic>
#include <set>
#include <thread>

namespace {
const std::string kKeyboard = "Telvir Keyboard";

struct Seen
{
    QList<QByteArray> in;
    QList<QByteArray> out;
    QList<QByteArray> refused;
};

Seen drainAll()
{
    std::vector<TappedMessage> messages;
    MidiTap::drain(messages, MidiTap::kCapacity);
    Seen seen;
    for (const TappedMessage &message : messages) {
        const QByteArray bytes = hexOf(message.bytes());
        if (message.refused)
            seen.refused << bytes;
        else if (message.direction == TappedMessage::Direction::In)
            seen.in << bytes;
        else
            seen.out << bytes;
    }
    return seen;
}
} // namespace

class TestMidiTap : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QLoggingCategory::setFilterRules("telvir.midi.debug=false");
    }

    void cleanup()
    {
        MidiTap::setEnabled(false);
        drainAll();
    }

    void everyMessageOfTheLinkIsTappedWhileTheQueueKeepsItsOwn()
    {
        VirtualKeyboardRig rig({kKeyboard}, {kKeyboard});
        rig.attachSimulator(kKeyboard, kKeyboard);
        MidiTap::setEnabled(true);
        MidiController *link = MidiController::getInstance(false);
        QVERIFY(link);
        Seen search = drainAll();
        QCOMPARE(search.out, QList<QByteArray>({"f0 7e 7f 0a 0b f7"}));
        QCOMPARE(search.in, QList<QByteArray>({"f0 7e 0a 01 03 00 01 f7"}));

        // Played by the keyboard: a knob, a pad, a pitch wheel, a program, and
        // the two kinds the input queue takes.
        for (const char *played : {"b04a40", "902464", "e0007f", "c105", "9a0102", "f07e0a01030001f7"})
            rig.inject(kKeyboard, wire(played));
        const Seen played = drainAll();
        QCOMPARE(played.in, QList<QByteArray>({"b0 4a 40", "90 24 64", "e0 00 7f", "c1 05", "9a 01 02",
                                               "f0 7e 0a 01 03 00 01 f7"}));
        QCOMPARE(MidiController::popMessage(), wire("9a0102"));
        QCOMPARE(MidiController::popMessage(), wire("f07e0a01030001f7"));
        QCOMPARE(MidiController::popMessage(), std::string());

        QCOMPARE(link->setParameter(0x02, 0, 3, 0x01, 74), 0);
        QCOMPARE(link->sendShortMessage(0x90, 0x01, 0x0A), 0);
        rig.refuseSends(kKeyboard, 1);
        QVERIFY(link->sendShortMessage(0xB0, 0x07, 0x64) != 0);
        const Seen sent = drainAll();
        QCOMPARE(sent.out, QList<QByteArray>({"f0 00 20 6b 7f 42 02 00 03 01 4a f7", "90 01 0a"}));
        QCOMPARE(sent.refused, QList<QByteArray>({"b0 07 64"}));

        // Off: not a copy more.
        MidiTap::setEnabled(false);
        rig.inject(kKeyboard, wire("b04a41"));
        QCOMPARE(link->sendShortMessage(0x90, 0x01, 0x0B), 0);
        QVERIFY(drainAll().in.isEmpty());
        MidiController::releaseInstance();
    }

    void aFullTapDropsAndCountsInsteadOfWaiting()
    {
        MidiTap::setEnabled(true);
        const std::uint64_t droppedBefore = MidiTap::dropped();
        const int extra = 100;
        for (int i = 0; i < int(MidiTap::kCapacity) + extra; ++i) {
            const char bytes[3] = {char(0xB0), char(i & 0x7F), 0};
            MidiTap::record(TappedMessage::Direction::In, bytes, 3);
        }
        QCOMPARE(MidiTap::dropped() - droppedBefore, std::uint64_t(extra));
        std::vector<TappedMessage> messages;
        QCOMPARE(MidiTap::drain(messages, MidiTap::kCapacity * 2), std::size_t(MidiTap::kCapacity));
        // The oldest are kept, in order; the tap takes new ones again.
        QCOMPARE(int(messages[1].start[1]), 1);
        MidiTap::record(TappedMessage::Direction::Out, "\xF8", 1);
        messages.clear();
        QCOMPARE(MidiTap::drain(messages, 10), std::size_t(1));
    }

    void aLongMessageKeepsItsStartAndLength()
    {
        MidiTap::setEnabled(true);
        std::string dump(300, '\x11');
        dump.front() = char(0xF0);
        dump.back() = char(0xF7);
        MidiTap::record(TappedMessage::Direction::In, dump.data(), dump.size());
        std::vector<TappedMessage> messages;
        QCOMPARE(MidiTap::drain(messages, 10), std::size_t(1));
        QCOMPARE(int(messages[0].length), 300);
        QVERIFY(messages[0].truncated());
        QCOMPARE(messages[0].bytes(), dump.substr(0, TappedMessage::kKeptBytes));
    }

    void sendersOnSeveralThreadsLoseNothingThatFits()
    {
        MidiTap::setEnabled(true);
        const std::uint64_t droppedBefore = MidiTap::dropped();
        constexpr int kThreads = 4;
        // Together less than the tap holds, so nothing may be dropped
        // however slowly the reader runs.
        constexpr int kEach = int(MidiTap::kCapacity) / kThreads - 1;
        std::atomic<int> running{kThreads};
        std::vector<std::thread> senders;
        for (int t = 0; t < kThreads; ++t) {
            senders.emplace_back([t, &running] {
                for (int i = 0; i < kEach; ++i) {
                    const char bytes[3] = {char(0x90 | t), char(i & 0x7F), char((i >> 7) & 0x7F)};
                    MidiTap::record(TappedMessage::Direction::Out, bytes, 3);
                }
                --running;
            });
        }
        std::vector<int> next(kThreads, 0);
        std::vector<TappedMessage> messages;
        bool inOrder = true;
        int total = 0;
        for (;;) {
            const bool sendersDone = running == 0;
            messages.clear();
            MidiTap::drain(messages, MidiTap::kCapacity);
            for (const TappedMessage &message : messages) {
                const int thread = static_cast<unsigned char>(message.start[0]) & 0x0F;
                const int number = message.start[1] | (message.start[2] << 7);
                inOrder = inOrder && number == next[std::size_t(thread)];
                next[std::size_t(thread)] = number + 1;
            }
            total += int(messages.size());
            if (sendersDone && messages.empty())
                break;
        }
        for (std::thread &sender : senders)
            sender.join();
        QVERIFY(inOrder);
        QCOMPARE(total, kThreads * kEach);
        QCOMPARE(MidiTap::dropped(), droppedBefore);
    }
};

QTEST_GUILESS_MAIN(TestMidiTap)
#include "tst_miditap.moc"
