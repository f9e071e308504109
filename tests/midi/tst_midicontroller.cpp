// The live link over in-process ports: discovery with its fixed waits and
// handshakes, the input queue fed by the callback, and output. Each
// discovery costs 900 ms per port pair, so the tests keep port lists short.

#include "midi/midicontroller.h"
#include "virtualkeyboardrig.h"
#include "support/wirebytes.h"

#include <QLoggingCategory>
#include <QtTest>

#include <cstring>

namespace {
const std::string kKeyboard = "Telvir Keyboard";

QList<QByteArray> hexList(const std::vector<std::string> &messages)
{
    QList<QByteArray> list;
    for (const std::string &message : messages)
        list << hexOf(message);
    return list;
}

int queuedCount()
{
    std::lock_guard<std::mutex> lock(queueMutex);
    return int(inputQueue.size());
}

QByteArray newestQueued()
{
    std::lock_guard<std::mutex> lock(queueMutex);
    return inputQueue.empty() ? QByteArray() : hexOf(inputQueue.back());
}

std::vector<std::string> drainQueue()
{
    std::vector<std::string> messages;
    for (std::string message = MidiController::popMessage(); !message.empty(); message = MidiController::popMessage())
        messages.push_back(message);
    return messages;
}
} // namespace

class TestMidiController : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // The hex dump of every System Exclusive buffer would drown the output.
        QLoggingCategory::setFilterRules("telvir.midi.debug=false");
    }

    void theSameLinkIsReturnedTwiceWithoutANewProbe()
    {
        VirtualKeyboardRig rig({kKeyboard}, {kKeyboard});
        rig.attachSimulator(kKeyboard, kKeyboard);

        MidiController *link = MidiController::getInstance(false);
        QVERIFY(link);
        QVERIFY(!link->upgradeMode());
        QCOMPARE(link->deviceName(), QString("Telvir Keyboard"));
        QCOMPARE(hexList(rig.sent(kKeyboard)), QList<QByteArray>{"f0 7e 7f 0a 0b f7"});

        QCOMPARE(MidiController::getInstance(false), link);
        QCOMPARE(int(rig.sent(kKeyboard).size()), 1);
    }

    void upgradeModeDropsTheNormalLinkAndFindsNoNormalKeyboard()
    {
        VirtualKeyboardRig rig({kKeyboard}, {kKeyboard});
        rig.attachSimulator(kKeyboard, kKeyboard);
        QVERIFY(MidiController::getInstance(false));
        rig.clearSent();

        QVERIFY(!MidiController::getInstance(true));
        // Nothing answered: the probe's two notes are released again.
        QCOMPARE(hexList(rig.sent(kKeyboard)), (QList<QByteArray>{"9a 01 02", "9a 7e 7d", "8a 01 00", "8a 7e 00"}));
        QVERIFY(!rig.isInputOpen(kKeyboard));

        // With no link at all, the next normal request searches again.
        rig.clearSent();
        QVERIFY(MidiController::getInstance(false));
        QCOMPARE(hexList(rig.sent(kKeyboard)), QList<QByteArray>{"f0 7e 7f 0a 0b f7"});
    }

    void aKeyboardInUpgradeModeAnswersTheNoteOnProbe()
    {
        VirtualKeyboardRig rig({kKeyboard}, {kKeyboard});
        rig.attachSimulator(kKeyboard, kKeyboard, true);
        MidiController *link = MidiController::getInstance(true);
        QVERIFY(link);
        QVERIFY(link->upgradeMode());
        QCOMPARE(hexList(rig.sent(kKeyboard)), (QList<QByteArray>{"9a 01 02", "9a 7e 7d"}));
        // The answer itself is not left in the queue for the transfer.
        QCOMPARE(queuedCount(), 0);
    }

    void aReplyLaterThanTheWaitsIsMissed_data()
    {
        QTest::addColumn<int>("delayMs");
        QTest::addColumn<bool>("found");
        QTest::newRow("450 ms") << 450 << true;
        QTest::newRow("750 ms") << 750 << false;
    }

    void aReplyLaterThanTheWaitsIsMissed()
    {
        QFETCH(int, delayMs);
        QFETCH(bool, found);
        VirtualKeyboardRig rig({kKeyboard}, {kKeyboard});
        rig.attachSimulator(kKeyboard, kKeyboard).setHandshakeDelayMs(delayMs);
        QCOMPARE(MidiController::getInstance(false) != nullptr, found);
    }

    void aReplyWithOneByteMoreOrLessDoesNotMatch_data()
    {
        QTest::addColumn<int>("reply");
        QTest::newRow("extra byte") << int(KeyboardSimulator::HandshakeReply::ExtraByte);
        QTest::newRow("missing byte") << int(KeyboardSimulator::HandshakeReply::MissingByte);
    }

    void aReplyWithOneByteMoreOrLessDoesNotMatch()
    {
        QFETCH(int, reply);
        VirtualKeyboardRig rig({kKeyboard}, {kKeyboard});
        rig.attachSimulator(kKeyboard, kKeyboard).setHandshakeReply(KeyboardSimulator::HandshakeReply(reply));
        QVERIFY(!MidiController::getInstance(false));
        QVERIFY(!rig.isInputOpen(kKeyboard));
    }

    void otherTrafficDuringTheProbeIsDroppedAndTheAnswerFound()
    {
        VirtualKeyboardRig rig({kKeyboard}, {kKeyboard});
        rig.attachSimulator(kKeyboard, kKeyboard).setUnrelatedTraffic(true);
        QVERIFY(MidiController::getInstance(false));
        QCOMPARE(queuedCount(), 0);
    }

    void theLowestOutputPortWinsThenTheLowestInputPort()
    {
        VirtualKeyboardRig rig({"Synth", "Telvir Out", "Other Keyboard"}, {"Telvir In A", "Telvir In B"});
        KeyboardSimulator &laterInput = rig.attachSimulator("Telvir Out", "Telvir In B");
        KeyboardSimulator &winner = rig.attachSimulator("Telvir Out", "Telvir In A");
        KeyboardSimulator &laterOutput = rig.attachSimulator("Other Keyboard", "Telvir In A");

        MidiController *link = MidiController::getInstance(false);
        QVERIFY(link);
        // The output port's name, not the input port's.
        QCOMPARE(link->deviceName(), QString("Telvir Out"));
        QVERIFY(rig.isInputOpen("Telvir In A"));
        QVERIFY(!rig.isInputOpen("Telvir In B"));
        // Each input's output is the first found by halves: the second
        // keyboard on input A is heard in the round only.
        QCOMPARE(link->foundKeyboards(),
                 std::vector<PortPair>({{"Telvir Out", "Telvir In A"}, {"Telvir Out", "Telvir In B"}}));
        QCOMPARE(laterOutput.receivedCount(), 1);
        QCOMPARE(winner.receivedCount(), laterInput.receivedCount());
        // The round, then the first half for each input.
        QCOMPARE(int(rig.sent("Synth").size()), 3);
    }

    void aFailedDiscoveryLeavesNoLinkAndTheNextCallSearchesAgain()
    {
        VirtualKeyboardRig rig({kKeyboard}, {kKeyboard});
        KeyboardSimulator &keyboard = rig.attachSimulator(kKeyboard, kKeyboard);
        keyboard.setSilent(true);
        QVERIFY(!MidiController::getInstance(false));
        QVERIFY(!rig.isInputOpen(kKeyboard));
        QCOMPARE(int(rig.sent(kKeyboard).size()), 1);

        keyboard.setSilent(false);
        QVERIFY(MidiController::getInstance(false));
        QCOMPARE(int(rig.sent(kKeyboard).size()), 2);
    }

    void aRefusedProbeSkipsThePair()
    {
        VirtualKeyboardRig rig({kKeyboard}, {kKeyboard});
        rig.attachSimulator(kKeyboard, kKeyboard);
        rig.refuseSends(kKeyboard, 1);
        QVERIFY(!MidiController::getInstance(false));
        QVERIFY(rig.sent(kKeyboard).empty());
    }

    void withoutPortsNothingIsFound()
    {
        VirtualKeyboardRig rig({}, {});
        QElapsedTimer timer;
        timer.start();
        QVERIFY(!MidiController::getInstance(false));
        QVERIFY(timer.elapsed() < 300);
    }

    void theCallbackQueuesKeyboardNoteOnsAndSystemExclusiveBuffers()
    {
        VirtualKeyboardRig rig({kKeyboard}, {kKeyboard});
        rig.attachSimulator(kKeyboard, kKeyboard);
        MidiController *link = MidiController::getInstance(false);
        QVERIFY(link);

        rig.inject(kKeyboard, wire("9a3c40" "903c40" "b00764" "9a3c00" "8a3c40" "f8"));
        std::string sysex = wire("f0");
        for (int i = 0; i < 598; ++i)
            sysex += char(i % 128);
        sysex += wire("f7");
        rig.inject(kKeyboard, sysex);
        rig.inject(kKeyboard, wire("f000206b7f42000040015af7"));
        QTRY_COMPARE(queuedCount(), 5);

        const std::vector<std::string> messages = drainQueue();
        QCOMPARE(hexOf(messages[0]), QByteArray("9a 3c 40"));
        QCOMPARE(hexOf(messages[1]), QByteArray("9a 3c 00"));
        // 600 bytes come as one full buffer and the rest; nothing joins them.
        QCOMPARE(int(messages[2].size()), 512);
        QCOMPARE(int(messages[3].size()), 88);
        QCOMPARE(messages[2] + messages[3], sysex);
        QCOMPARE(hexOf(messages[4]), QByteArray("f0 00 20 6b 7f 42 00 00 40 01 5a f7"));
        QCOMPARE(MidiController::popMessage(), std::string());

        // The buffers keep coming back: far more messages than buffers.
        for (int i = 0; i < 600; ++i)
            rig.inject(kKeyboard, wire("f07e0a0103000102f7").substr(0, 8) + char(i % 128) + wire("f7"));
        QTRY_COMPARE(queuedCount(), 600);
        QCOMPARE(hexOf(drainQueue().back()), QByteArray("f0 7e 0a 01 03 00 01 02 57 f7"));
    }

    void aBufferHandedBackEmptyAddsNoEntry()
    {
        VirtualKeyboardRig rig({kKeyboard}, {kKeyboard});
        rig.attachSimulator(kKeyboard, kKeyboard);
        MidiController *link = MidiController::getInstance(false);
        QVERIFY(link);

        char block[512];
        MIDIHDR header{};
        header.lpData = block;
        header.dwBufferLength = sizeof block;
        header.dwFlags = MHDR_DONE;
        MidiController::midiInProc(nullptr, MIM_LONGDATA, reinterpret_cast<DWORD_PTR>(link),
                                   reinterpret_cast<DWORD_PTR>(&header), 0);
        QCOMPARE(queuedCount(), 0);
        header.dwBytesRecorded = 3;
        std::memcpy(block, "\xF0\x01\xF7", 3);
        MidiController::midiInProc(nullptr, MIM_LONGDATA, reinterpret_cast<DWORD_PTR>(link),
                                   reinterpret_cast<DWORD_PTR>(&header), 0);
        QCOMPARE(hexOf(MidiController::popMessage()), QByteArray("f0 01 f7"));
    }

    void closingTheInputEmptiesTheQueue()
    {
        VirtualKeyboardRig rig({kKeyboard}, {kKeyboard});
        rig.attachSimulator(kKeyboard, kKeyboard);
        MidiController *link = MidiController::getInstance(false);
        QVERIFY(link);
        rig.inject(kKeyboard, wire("9a0103" "f07e0a0103000102f7" "f00102"));
        QTRY_COMPARE(queuedCount(), 2);

        link->closeInput();
        QCOMPARE(queuedCount(), 0);
        QVERIFY(!rig.isInputOpen(kKeyboard));
        link->closeInput(); // a second close is harmless
        rig.inject(kKeyboard, wire("9a0103"));
        QTest::qWait(50);
        QCOMPARE(queuedCount(), 0);
    }

    void aFloodWhileNobodyReadsKeepsOnlyTheNewestEntries()
    {
        VirtualKeyboardRig rig({kKeyboard}, {kKeyboard});
        rig.attachSimulator(kKeyboard, kKeyboard);
        QVERIFY(MidiController::getInstance(false));

        const int total = 70000;
        std::string flood;
        for (int i = 0; i < total; ++i) {
            flood += char(0x9A);
            flood += char((i >> 7) & 0x7F);
            flood += char(i & 0x7F);
        }
        rig.inject(kKeyboard, flood);
        // 69999 = 546 * 128 + 111: the last Note-On is 9A 22 6F.
        QTRY_COMPARE_WITH_TIMEOUT(newestQueued(), QByteArray("9a 22 6f"), 10000);
        QCOMPARE(queuedCount(), 65536);
        const int firstKept = total - 65536;
        QCOMPARE(MidiController::popMessage(),
                 (std::string{char(0x9A), char((firstKept >> 7) & 0x7F), char(firstKept & 0x7F)}));
    }

    void outputSendsExactBytesAndReportsRefusals()
    {
        VirtualKeyboardRig rig({kKeyboard}, {kKeyboard});
        rig.attachSimulator(kKeyboard, kKeyboard);
        MidiController *link = MidiController::getInstance(false);
        QVERIFY(link);
        rig.clearSent();

        const std::string request = wire("f000206b7f4201004001f7");
        QCOMPARE(link->sendLongMessage(request.data(), int(request.size())), 0);
        QCOMPARE(link->sendShortMessage(0x9A, 0x7E, 0x7D), 0);
        QCOMPARE(hexList(rig.sent(kKeyboard)),
                 (QList<QByteArray>{"f0 00 20 6b 7f 42 01 00 40 01 f7", "9a 7e 7d"}));

        rig.refuseSends(kKeyboard, 1, MIDIERR_NOTREADY);
        QCOMPARE(link->sendLongMessage(request.data(), int(request.size())), int(MIDIERR_NOTREADY));
        QCOMPARE(link->sendLongMessage(request.data(), int(request.size())), 0);
        rig.refuseSends(kKeyboard, 1, MMSYSERR_ERROR);
        QCOMPARE(link->sendShortMessage(0x9A, 0x01, 0x02), int(MMSYSERR_ERROR));
        QCOMPARE(link->sendShortMessage(0x9A, 0x01, 0x02), 0);
        QCOMPARE(int(rig.sent(kKeyboard).size()), 4);
    }

    void messagesOfEveryLengthGoOutWholeAndLeaveTheCallersBytesAlone()
    {
        VirtualKeyboardRig rig({kKeyboard}, {kKeyboard});
        rig.attachSimulator(kKeyboard, kKeyboard);
        MidiController *link = MidiController::getInstance(false);
        QVERIFY(link);
        rig.clearSent();

        // Short, much longer, then short again: each goes out with exactly
        // its own bytes, nothing left over from the message before.
        const std::string shortRequest = wire("f000206b7f4201004001f7");
        std::string longMessage(300, '\0');
        longMessage.front() = char(0xF0);
        for (std::size_t i = 1; i + 1 < longMessage.size(); ++i)
            longMessage[i] = char(i % 0x80);
        longMessage.back() = char(0xF7);
        const std::string longCopy = longMessage;
        const std::string shortSet = wire("f000206b7f420202010101f7");

        QCOMPARE(link->sendLongMessage(shortRequest.data(), int(shortRequest.size())), 0);
        QCOMPARE(link->sendLongMessage(longMessage.data(), int(longMessage.size())), 0);
        QCOMPARE(link->sendLongMessage(shortSet.data(), int(shortSet.size())), 0);
        QCOMPARE(longMessage, longCopy);

        const std::vector<std::string> sent = rig.sent(kKeyboard);
        QCOMPARE(int(sent.size()), 3);
        QCOMPARE(hexOf(sent[0]), QByteArray("f0 00 20 6b 7f 42 01 00 40 01 f7"));
        QCOMPARE(int(sent[1].size()), 300);
        QCOMPARE(hexOf(sent[1].substr(0, 4)), QByteArray("f0 01 02 03"));
        QCOMPARE(hexOf(sent[1].substr(126, 4)), QByteArray("7e 7f 00 01"));
        QCOMPARE(hexOf(sent[1].substr(296)), QByteArray("28 29 2a f7"));
        QCOMPARE(hexOf(sent[2]), QByteArray("f0 00 20 6b 7f 42 02 02 01 01 01 f7"));

        // Nothing the port cannot take: refused before a header is made.
        QCOMPARE(link->sendLongMessage(nullptr, 11), int(MMSYSERR_INVALPARAM));
        QCOMPARE(link->sendLongMessage(shortSet.data(), 0), int(MMSYSERR_INVALPARAM));
        QCOMPARE(int(rig.sent(kKeyboard).size()), 3);
    }

    void aSendThatNeverFinishesGivesUpWithAnError()
    {
        VirtualKeyboardRig rig({kKeyboard}, {kKeyboard});
        rig.attachSimulator(kKeyboard, kKeyboard);
        MidiController *link = MidiController::getInstance(false);
        QVERIFY(link);

        rig.setLongMessagesNeverFinish(kKeyboard, true);
        const std::string request = wire("f000206b7f4201004001f7");
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(link->sendLongMessage(request.data(), int(request.size())), int(MIDIERR_NOTREADY));
        QVERIFY(timer.elapsed() >= 2000);
        QVERIFY(timer.elapsed() < 10000);

        rig.setLongMessagesNeverFinish(kKeyboard, false);
        QCOMPARE(link->sendLongMessage(request.data(), int(request.size())), 0);
    }
};

QTEST_GUILESS_MAIN(TestMidiController)
#include "tst_midicontroller.moc"
