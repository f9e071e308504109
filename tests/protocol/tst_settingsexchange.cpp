// Reading and writing whole settings records against a simulated keyboard on
// in-process ports. The expected messages are written out from the keyboard's
// tables below, byte for byte. A read that misses a reply waits its full
// second, so each test keeps to one or two reads.

#include "commands/keyboardcommand.h"
#include "midi/midicontroller.h"
#include "midi/rememberedpace.h"
#include "model/keyboardcopy.h"
#include "model/settings.h"
#include "protocol/parametermessage.h"
#include "virtualkeyboardrig.h"
#include "support/wirebytes.h"

#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QtTest>

namespace {
const std::string kKeyboard = "Telvir Keyboard";
const char kHandshake[] = "f0 7e 7f 0a 0b f7";

// The keyboard's identifiers and factory state by control index.
const int kIds[37] = {
    0x30, 0x01, 0x02, 0x09, 0x0b, 0x0c, 0x0d, 0x0e, 0x33, 0x03, 0x04, 0x0a, 0x05, 0x06, 0x07, 0x08,
    0x70, 0x71, 0x72, 0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79, 0x7a, 0x7b, 0x7c, 0x7d, 0x7e, 0x7f,
    0x10, 0x11, 0x41, 0x40, 0x50,
};
const int kNumbers[37] = {
    0x07, 0x4a, 0x47, 0x5d, 0x49, 0x4b, 0x4f, 0x48, 0x72, 0x4c, 0x4d, 0x5b, 0x12, 0x13, 0x10, 0x11,
    0x24, 0x25, 0x26, 0x27, 0x28, 0x29, 0x2a, 0x2b, 0x16, 0x17, 0x18, 0x19, 0x1a, 0x1b, 0x1c, 0x1d,
    0x00, 0x00, 0x00, 0x01, 0x40,
};
int factoryMode(int index)
{
    if (index < 16) return 0x01;
    if (index < 24) return 0x09;
    if (index < 32) return 0x08;
    const int modes[5] = {0x00, 0x00, 0x0c, 0x0e, 0x08};
    return modes[index - 32];
}
int factoryOption(int index)
{
    return index >= 16 && index < 32 ? 1 : index == 36 ? 1 : 0;
}
// Sub-parameters exchanged for a factory record: the octave buttons have no
// modes and no number, "Pitch" has no number.
QList<int> factorySubParameters(int index)
{
    if (index == 32 || index == 33)
        return {0, 2, 4, 5};
    if (index == 34)
        return {0, 1, 2, 4, 5, 6};
    return {0, 1, 2, 3, 4, 5, 6};
}

QList<QByteArray> hexList(const std::vector<std::string> &messages)
{
    QList<QByteArray> list;
    for (const std::string &message : messages)
        list << hexOf(message);
    return list;
}

QByteArray request(int selector, int number)
{
    return QString::asprintf("f0 00 20 6b 7f 42 01 00 %02x %02x f7", selector, number).toLatin1();
}

QByteArray set(int slot, int selector, int number, int value)
{
    return QString::asprintf("f0 00 20 6b 7f 42 02 %02x %02x %02x %02x f7", slot, selector, number, value).toLatin1();
}

struct GlobalValue
{
    int group;
    int number;
    int factoryWire;
};
const GlobalValue kGlobals[6] = {{0x40, 2, 0x01}, {0x40, 3, 0x00}, {0x40, 6, 0x00},
                                 {0x41, 1, 0x00}, {0x41, 3, 0x00}, {0x41, 4, 0x00}};

QList<QByteArray> factoryReadRequests()
{
    QList<QByteArray> requests;
    for (const GlobalValue &global : kGlobals)
        requests << request(global.group, global.number);
    for (int index = 0; index < 37; ++index)
        for (int sub : factorySubParameters(index))
            requests << request(sub, kIds[index]);
    return requests;
}

QList<QByteArray> factoryWrite(int slot)
{
    QList<QByteArray> sets;
    for (const GlobalValue &global : kGlobals)
        sets << set(slot, global.group, global.number, global.factoryWire);
    for (int index = 0; index < 37; ++index) {
        const int values[7] = {0x00, factoryMode(index), 0x41, kNumbers[index], 0x00, 0x7f, factoryOption(index)};
        for (int sub : factorySubParameters(index))
            sets << set(slot, sub, kIds[index], values[sub]);
    }
    return sets;
}

// What the editor sent after the handshake.
std::vector<std::string> parameterMessages(const VirtualKeyboardRig &rig)
{
    std::vector<std::string> messages = rig.sent(kKeyboard);
    if (!messages.empty() && hexOf(messages.front()) == kHandshake)
        messages.erase(messages.begin());
    return messages;
}

// Every `every`th of `messages`, counting from `counted` already seen.
QList<QByteArray> everyNth(const QList<QByteArray> &messages, int every, int counted)
{
    QList<QByteArray> picked;
    for (int position = 0; position < messages.size(); ++position) {
        if ((counted + position + 1) % every == 0)
            picked << messages[position];
    }
    return picked;
}

// The request that asks back what `setMessage` set in memory 0.
QByteArray askedBack(const QByteArray &setMessage)
{
    QByteArray asked = setMessage;
    asked.replace(18, 2, "01");               // set -> request
    asked.remove(30, 3);                      // the value goes
    return asked;
}

QList<QByteArray> askedBack(const QList<QByteArray> &sets)
{
    QList<QByteArray> requests;
    for (const QByteArray &message : sets)
        requests << askedBack(message);
    return requests;
}

QByteArray imageOf(const Settings &settings)
{
    return QByteArray(settings.image(), int(Settings::kImageSize));
}

// A keyboard memory that differs from the factory state in every field the
// editor reads, in wire values.
void fillNonFactory(KeyboardSimulator &keyboard, int slot)
{
    keyboard.setValue(slot, 0x40, 2, 0x7f); // relative
    keyboard.setValue(slot, 0x40, 3, 0x43); // -3
    keyboard.setValue(slot, 0x40, 6, 0x0b); // channel 12
    keyboard.setValue(slot, 0x41, 1, 0x02);
    keyboard.setValue(slot, 0x41, 3, 0x03);
    keyboard.setValue(slot, 0x41, 4, 0x01);
    for (int index = 0; index < 37; ++index) {
        keyboard.setValue(slot, 0, kIds[index], 100 - index);
        keyboard.setValue(slot, 2, kIds[index], index % 16);
        keyboard.setValue(slot, 4, kIds[index], index);
        keyboard.setValue(slot, 5, kIds[index], 127 - index);
    }
    keyboard.setValue(slot, 1, 0x01, 0x04);  // "Cutoff": NRPN / RPN
    keyboard.setValue(slot, 6, 0x01, 0x01);  //          RPN
    keyboard.setValue(slot, 3, 0x01, 0x63);
    keyboard.setValue(slot, 1, 0x70, 0x0b);  // "Pad #1": Patch Chg
}
} // namespace

class TestSettingsExchange : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QLoggingCategory::setFilterRules("telvir.midi.debug=false\ndefault.debug=false");
    }

    void theGlobalChannelRequestAndItsReply()
    {
        VirtualKeyboardRig rig({kKeyboard}, {kKeyboard});
        rig.attachSimulator(kKeyboard, kKeyboard).setValue(0, 0x40, 6, 3);
        MidiController *link = MidiController::getInstance(false);
        QVERIFY(link);

        QCOMPARE(link->requestParameter(1, 0, 0x40, 6), 0);
        QCOMPARE(hexList(parameterMessages(rig)), QList<QByteArray>{"f0 00 20 6b 7f 42 01 00 40 06 f7"});
        rig.waitForReplies();
        const std::string reply = MidiController::popMessage();
        QCOMPARE(hexOf(reply), QByteArray("f0 00 20 6b 7f 42 00 00 40 06 03 f7"));
        int selector = 0, number = 0, value = 0;
        QVERIFY(parseParameterReply(reply, &selector, &number, &value));
        QCOMPARE(selector, 0x40);
        QCOMPARE(number, 6);
        QCOMPARE(value, 3);
    }

    void settingCutoffsModeInMemoryTwo()
    {
        VirtualKeyboardRig rig({kKeyboard}, {kKeyboard});
        KeyboardSimulator &keyboard = rig.attachSimulator(kKeyboard, kKeyboard);
        keyboard.setValue(2, 1, 0x01, 4);
        MidiController *link = MidiController::getInstance(false);
        QVERIFY(link);

        QCOMPARE(link->setParameter(2, 2, 1, 0x01, 1), 0);
        QCOMPARE(hexList(parameterMessages(rig)), QList<QByteArray>{"f0 00 20 6b 7f 42 02 02 01 01 01 f7"});
        QCOMPARE(keyboard.value(2, 1, 0x01), 1);
        QCOMPARE(keyboard.value(0, 1, 0x01), 1);
    }

    void aFactoryReadAsksForTwoHundredFiftyEightParametersInOrder()
    {
        VirtualKeyboardRig rig({kKeyboard}, {kKeyboard});
        KeyboardSimulator &keyboard = rig.attachSimulator(kKeyboard, kKeyboard);
        fillNonFactory(keyboard, 0);
        QVERIFY(MidiController::getInstance(false));

        Settings settings;
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(settings.recv(), 258);
        // The last reply ends the read, long before its second is up.
        QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));

        const QList<QByteArray> expected = factoryReadRequests();
        QCOMPARE(expected.size(), 258);
        QCOMPARE(hexList(parameterMessages(rig)), expected);

        // Converted from the wire: 0x7F is relative, 0x43 is code 7 (-3).
        QCOMPARE(imageOf(settings).left(6).toHex(' '), QByteArray("0b 03 01 02 07 01"));
        const Setting &cutoff = settings.controls[1];
        QCOMPARE(int(cutoff.val), 99);
        QCOMPARE(int(cutoff.mode), 4);
        QCOMPARE(int(cutoff.channel), 1);
        QCOMPARE(int(cutoff.ccNumber), 0x63);
        QCOMPARE(int(cutoff.lsb), 1);
        QCOMPARE(int(cutoff.msb), 126);
        QCOMPARE(int(cutoff.modeOption), 1);
        QCOMPARE(int(settings.controls[16].mode), 11);
        QCOMPARE(int(settings.controls[32].channel), 0);
        QCOMPARE(int(settings.controls[36].val), 64);
        QCOMPARE(int(settings.controls[36].lsb), 36);
    }

    void aFactoryWriteSendsWhatTheRecordHoldsIntoTheChosenMemory_data()
    {
        QTest::addColumn<int>("slot");
        QTest::newRow("workArea") << 0;
        QTest::newRow("3") << 3;
        QTest::newRow("8") << 8;
    }

    void aFactoryWriteSendsWhatTheRecordHoldsIntoTheChosenMemory()
    {
        QFETCH(int, slot);
        VirtualKeyboardRig rig({kKeyboard}, {kKeyboard});
        KeyboardSimulator &keyboard = rig.attachSimulator(kKeyboard, kKeyboard);
        fillNonFactory(keyboard, slot);

        const Settings factory;
        MessageCounts counts;
        QVERIFY(factory.send(slot, &counts));
        QCOMPARE(counts.messages, 258);
        QCOMPARE(counts.refused, 0);

        const QList<QByteArray> expected = factoryWrite(slot);
        QCOMPARE(expected.size(), 258);
        const std::vector<std::string> sent = parameterMessages(rig);
        QCOMPARE(hexList(sent), expected);
        for (const std::string &m : sent)
            QCOMPARE(int(static_cast<unsigned char>(m[7])), slot);

        QCOMPARE(keyboard.value(slot, 0x40, 2), 0x01);
        QCOMPARE(keyboard.value(slot, 0x40, 3), 0x00);
        QCOMPARE(keyboard.value(slot, 2, 0x30), 0x41);
        QCOMPARE(keyboard.value(slot, 0, 0x30), 0);
        QCOMPARE(keyboard.value(slot, 6, 0x01), 0);
        // Nothing was asked of the keyboard, nothing read back.
        QCOMPARE(keyboard.receivedCount(), 1 + 258);
    }

    void conversionsBothWaysThroughTheKeyboard()
    {
        VirtualKeyboardRig rig({kKeyboard}, {kKeyboard});
        KeyboardSimulator &keyboard = rig.attachSimulator(kKeyboard, kKeyboard);
        keyboard.setValue(0, 0x40, 2, 0x40);  // not relative: absolute
        keyboard.setValue(0, 0x40, 3, 0x45);  // code 9 does not exist
        keyboard.setValue(0, 0x40, 6, 16);    // channel 17 does not exist
        keyboard.setValue(0, 0x41, 4, 3);     // no fourth acceleration
        keyboard.setValue(0, 0x41, 1, 3);
        keyboard.setValue(0, 2, 0x70, 65);    // "Pad #1" follows the global channel
        keyboard.setValue(0, 2, 0x71, 16);    // "Pad #2" stores 16 as well
        keyboard.setValue(0, 2, 0x72, 9);
        QVERIFY(MidiController::getInstance(false));

        Settings settings;
        settings.knobMode = 1;
        settings.octave = 4;
        settings.globalChannel = 5;
        settings.accel = 2;
        settings.controls[18].channel = 16;
        QCOMPARE(settings.recv(), 258);
        QCOMPARE(int(settings.knobMode), 0);
        QCOMPARE(int(settings.octave), 0);
        QCOMPARE(int(settings.globalChannel), 0);
        QCOMPARE(int(settings.accel), 0);
        QCOMPARE(int(settings.velocityCurve), 3);
        QCOMPARE(int(settings.controls[16].channel), 16);
        QCOMPARE(int(settings.controls[17].channel), 16);
        QCOMPARE(int(settings.controls[18].channel), 9);

        settings.knobMode = 1;
        settings.octave = 8;
        settings.globalChannel = 15;
        settings.accel = 2;
        settings.controls[18].channel = 16;
        rig.clearSent();
        QVERIFY(settings.send(5));
        const QList<QByteArray> sent = hexList(rig.sent(kKeyboard));
        QCOMPARE(sent.mid(0, 6), QList<QByteArray>({
                     "f0 00 20 6b 7f 42 02 05 40 02 7f f7", "f0 00 20 6b 7f 42 02 05 40 03 44 f7",
                     "f0 00 20 6b 7f 42 02 05 40 06 0f f7", "f0 00 20 6b 7f 42 02 05 41 01 03 f7",
                     "f0 00 20 6b 7f 42 02 05 41 03 00 f7", "f0 00 20 6b 7f 42 02 05 41 04 02 f7"}));
        QVERIFY(sent.contains("f0 00 20 6b 7f 42 02 05 02 72 41 f7"));
        QCOMPARE(keyboard.value(5, 0x40, 2), 0x7f);
        QCOMPARE(keyboard.value(5, 0x40, 3), 0x44);
        QCOMPARE(keyboard.value(5, 2, 0x72), 65);
        QCOMPARE(keyboard.value(5, 2, 0x70), 65);
    }

    void aModeWithoutOptionsIsAskedForButNotWritten()
    {
        VirtualKeyboardRig rig({kKeyboard}, {kKeyboard});
        KeyboardSimulator &keyboard = rig.attachSimulator(kKeyboard, kKeyboard);
        keyboard.setValue(1, 6, 0x30, 3);
        Settings settings;
        settings.controls[0].mode = 0;      // "Volume": Off - Disabled
        settings.controls[16].mode = 11;    // "Pad #1": Patch Chg, no options either
        settings.controls[33].ccNumber = 5; // "OCT +" with a number
        QVERIFY(settings.send(1));
        const QList<QByteArray> sent = hexList(parameterMessages(rig));
        QCOMPARE(sent.size(), 258 - 2 + 1);
        QCOMPARE(sent.mid(6, 6), QList<QByteArray>({
                     "f0 00 20 6b 7f 42 02 01 00 30 00 f7", "f0 00 20 6b 7f 42 02 01 01 30 00 f7",
                     "f0 00 20 6b 7f 42 02 01 02 30 41 f7", "f0 00 20 6b 7f 42 02 01 03 30 07 f7",
                     "f0 00 20 6b 7f 42 02 01 04 30 00 f7", "f0 00 20 6b 7f 42 02 01 05 30 7f f7"}));
        QVERIFY(!sent.contains("f0 00 20 6b 7f 42 02 01 06 70 01 f7"));
        QVERIFY(sent.contains("f0 00 20 6b 7f 42 02 01 03 11 05 f7"));
        QVERIFY(!sent.contains("f0 00 20 6b 7f 42 02 01 01 11 00 f7"));
        QCOMPARE(keyboard.value(1, 6, 0x30), 3); // untouched

        rig.clearSent();
        QCOMPARE(settings.recv(), 258 + 1);
        const QList<QByteArray> requests = hexList(parameterMessages(rig));
        QVERIFY(requests.contains("f0 00 20 6b 7f 42 01 00 06 30 f7"));
        QVERIFY(requests.contains("f0 00 20 6b 7f 42 01 00 06 70 f7"));
        QVERIFY(requests.contains("f0 00 20 6b 7f 42 01 00 03 11 f7"));
        QVERIFY(!requests.contains("f0 00 20 6b 7f 42 01 00 06 11 f7"));
        QVERIFY(!requests.contains("f0 00 20 6b 7f 42 01 00 03 41 f7"));
    }

    void aSilentKeyboardGivesNothingAndChangesNothing()
    {
        VirtualKeyboardRig rig({kKeyboard}, {kKeyboard});
        KeyboardSimulator &keyboard = rig.attachSimulator(kKeyboard, kKeyboard);
        keyboard.setAnswerParameters(false); // answers the handshake only
        QVERIFY(MidiController::getInstance(false));

        Settings settings;
        settings.octave = 6;
        settings.controls[4].val = 55;
        const QByteArray before = imageOf(settings);
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(settings.recv(), 0);
        QVERIFY(clock.elapsed() >= 1000);
        QCOMPARE(imageOf(settings), before);
        QCOMPARE(int(parameterMessages(rig).size()), 258);
    }

    void withoutAKeyboardNothingIsSent()
    {
        VirtualKeyboardRig rig({kKeyboard}, {kKeyboard}); // ports, but nobody answers
        Settings settings;
        const QByteArray before = imageOf(settings);
        QCOMPARE(settings.recv(), 0);
        QCOMPARE(imageOf(settings), before);
        MessageCounts counts{7, 7};
        QVERIFY(!settings.send(0, &counts));
        QCOMPARE(counts.messages, 0);
        QCOMPARE(counts.refused, 0);
        // Only the handshakes of the two discoveries went out.
        QCOMPARE(hexList(rig.sent(kKeyboard)), QList<QByteArray>({kHandshake, kHandshake}));
    }

    void aPartialAnswerChangesOnlyTheFieldsThatCame()
    {
        VirtualKeyboardRig rig({kKeyboard}, {kKeyboard});
        KeyboardSimulator &keyboard = rig.attachSimulator(kKeyboard, kKeyboard);
        fillNonFactory(keyboard, 0);
        QVERIFY(MidiController::getInstance(false));
        keyboard.setParameterReplyLimit(43);

        Settings settings;
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(settings.recv(), 43);
        // Still waiting for the missing replies until the second is up.
        QVERIFY(clock.elapsed() >= 1000);
        // 6 globals, 5 whole knobs, then value and mode of "Decay".
        QCOMPARE(int(settings.knobMode), 1);
        QCOMPARE(int(settings.controls[4].msb), 123);
        QCOMPARE(int(settings.controls[5].val), 95);
        QCOMPARE(int(settings.controls[5].channel), 16);
        QCOMPARE(int(settings.controls[6].val), 0);
    }

    void foreignAndOddRepliesAreCountedAsReadAndNoMore()
    {
        VirtualKeyboardRig rig({kKeyboard}, {kKeyboard});
        KeyboardSimulator &keyboard = rig.attachSimulator(kKeyboard, kKeyboard);
        keyboard.setUnrelatedTraffic(true); // Note-Ons, a CC, foreign System Exclusive
        QVERIFY(MidiController::getInstance(false));

        rig.inject(kKeyboard, wire("f000206b7f420000400509f7"));   // unlisted global: counted
        rig.inject(kKeyboard, wire("f000206b7f420000412209f7"));   // unlisted curve: counted
        rig.inject(kKeyboard, wire("f000206b7f420000002209f7"));   // no control 0x22
        rig.inject(kKeyboard, wire("f000206b7f420000073009f7"));   // selector 7
        rig.inject(kKeyboard, wire("f000206b7f42000000300900f7")); // 13 bytes
        rig.inject(kKeyboard, wire("f000206c7f420000003009f7"));   // another manufacturer
        rig.inject(kKeyboard, wire("9a3c40"));                     // Note-On on channel 11
        Settings settings;
        QCOMPARE(settings.recv(), 258 + 2);
        QCOMPARE(int(settings.controls[0].val), 0);
    }

    void aDuplicatedReplyCountsTwice()
    {
        VirtualKeyboardRig rig({kKeyboard}, {kKeyboard});
        KeyboardSimulator &keyboard = rig.attachSimulator(kKeyboard, kKeyboard);
        keyboard.setDuplicateReplies(true);
        fillNonFactory(keyboard, 0);
        QVERIFY(MidiController::getInstance(false));
        Settings settings;
        // Every reply comes twice, each pair in order. The read ends with
        // the last request's first reply, so only that one's twin may still
        // be on its way.
        const int accepted = settings.recv();
        QVERIFY2(accepted == 2 * 258 || accepted == 2 * 258 - 1, qPrintable(QString::number(accepted)));
        QCOMPARE(int(settings.controls[1].mode), 4);
    }

    void aRecordOfAnyBytesGoesOutInSevenBits()
    {
        VirtualKeyboardRig rig({kKeyboard}, {kKeyboard});
        KeyboardSimulator &keyboard = rig.attachSimulator(kKeyboard, kKeyboard);
        const QByteArray noise(int(Settings::kImageSize), char(0xff));
        const Settings settings = Settings::fromBytes(noise.constData());
        QVERIFY(settings.send(7));

        const std::vector<std::string> sent = parameterMessages(rig);
        // Mode 255 has no options, so none is sent: 6 messages per control,
        // 5 for the octave buttons, which have no mode.
        QCOMPARE(int(sent.size()), 6 + 35 * 6 + 2 * 5);
        for (const std::string &m : sent) {
            QCOMPARE(int(m.size()), 12);
            for (std::size_t i = 1; i + 1 < m.size(); ++i)
                QVERIFY2(static_cast<unsigned char>(m[i]) < 0x80, hexOf(m).constData());
        }
        QCOMPARE(hexList(sent).mid(0, 8), QList<QByteArray>({
                     "f0 00 20 6b 7f 42 02 07 40 02 01 f7", "f0 00 20 6b 7f 42 02 07 40 03 00 f7",
                     "f0 00 20 6b 7f 42 02 07 40 06 00 f7", "f0 00 20 6b 7f 42 02 07 41 01 00 f7",
                     "f0 00 20 6b 7f 42 02 07 41 03 00 f7", "f0 00 20 6b 7f 42 02 07 41 04 00 f7",
                     "f0 00 20 6b 7f 42 02 07 00 30 7f f7", "f0 00 20 6b 7f 42 02 07 01 30 7f f7"}));
        QCOMPARE(keyboard.value(7, 0x40, 3), 0);
        QCOMPARE(keyboard.value(7, 4, 0x50), 0x7f);
    }

    void aRefusedMessageDoesNotStopTheRestButFailsTheWrite()
    {
        VirtualKeyboardRig rig({kKeyboard}, {kKeyboard});
        KeyboardSimulator &keyboard = rig.attachSimulator(kKeyboard, kKeyboard);
        QVERIFY(MidiController::getInstance(false));
        keyboard.clearReceived();
        rig.refuseSends(kKeyboard, 3);

        Settings settings;
        settings.knobMode = 1;
        settings.controls[0].val = 9;
        MessageCounts counts;
        QVERIFY(!settings.send(4, &counts));
        QCOMPARE(counts.messages, 258);
        QCOMPARE(counts.refused, 3);
        QCOMPARE(keyboard.receivedCount(), 255);
        QCOMPARE(keyboard.value(4, 0, 0x30), 9);
        QCOMPARE(keyboard.value(4, 0x40, 2), 0x01); // refused: still absolute
        QCOMPARE(keyboard.value(4, 0x41, 1), 0x00);

        rig.refuseSends(kKeyboard, 0);
        QVERIFY(settings.send(4, &counts));
        QCOMPARE(counts.refused, 0);
    }

    void aCheckedWriteAsksBackAndSendsAgainOnlyWhatTheKeyboardLost()
    {
        VirtualKeyboardRig rig({kKeyboard}, {kKeyboard});
        KeyboardSimulator &keyboard = rig.attachSimulator(kKeyboard, kKeyboard);
        fillNonFactory(keyboard, 0);
        MidiController *link = MidiController::getInstance(false);
        QVERIFY(link);
        keyboard.setLoseSetEvery(7);

        WriteReport report;
        const KeyboardOutcome outcome = KeyboardCommand::write(*link, Settings(), 0, &report);
        QCOMPARE(outcome.kind, KeyboardOutcome::Kind::Sent);
        QCOMPARE(outcome.total, 258);
        QCOMPARE(outcomeMessage(outcome), QString("Successfully sent to device 'Telvir Keyboard' !"));

        // The write as ever, every value asked back, the 36 lost sent again
        // and asked back, then the 6 of those lost again.
        const QList<QByteArray> write = factoryWrite(0);
        const QList<QByteArray> firstLoss = everyNth(write, 7, 0);
        QCOMPARE(firstLoss.size(), 36);
        const QList<QByteArray> secondLoss = everyNth(firstLoss, 7, 258);
        QCOMPARE(secondLoss.size(), 6);
        const QList<QByteArray> expected = write + factoryReadRequests() + firstLoss + askedBack(firstLoss)
                                           + secondLoss + askedBack(secondLoss);
        QCOMPARE(hexList(parameterMessages(rig)), expected);
        for (const QByteArray &message : write) {
            const QList<QByteArray> bytes = message.split(' ');
            QCOMPARE(keyboard.value(0, bytes[8].toInt(nullptr, 16), bytes[9].toInt(nullptr, 16)),
                     bytes[10].toInt(nullptr, 16));
        }
        // It loses a share at any pace: going slower is not what helped,
        // and no pace is kept for it.
        QCOMPARE(report.slowedPaceMs, 0);
        QVERIFY(report.unverified.none());
        QCOMPARE(report.carried, report.tried);
    }

    void aKeyboardThatLosesTooMuchIsToldByNameAndCountedNotSent()
    {
        VirtualKeyboardRig rig({kKeyboard}, {kKeyboard});
        KeyboardSimulator &keyboard = rig.attachSimulator(kKeyboard, kKeyboard);
        fillNonFactory(keyboard, 0);
        MidiController *link = MidiController::getInstance(false);
        QVERIFY(link);
        keyboard.setLoseSetEvery(2);

        WriteReport report;
        const KeyboardOutcome outcome = KeyboardCommand::write(*link, Settings(), 0, &report);
        // 129 lost, then 64, 32 and 16 of what three rounds sent again; 6
        // of the 16 carried values the keyboard held already.
        QCOMPARE(outcome.kind, KeyboardOutcome::Kind::NotReceived);
        QCOMPARE(outcome.count, 10);
        QVERIFY(!outcome.succeeded());
        const QString message = outcomeMessage(outcome);
        QVERIFY2(message.startsWith("10 settings did not reach the keyboard: ") && message.endsWith(" and 5 more."),
                 qPrintable(message));
        QCOMPARE(int(report.unverified.count()), 10);
        QCOMPARE(report.slowedPaceMs, 0);
        QCOMPARE(report.carried | report.unverified, report.tried);

        // Those 10 stay not sent.
        KeyboardCopy copy;
        copy.setSent(Settings(), report);
        QCOMPARE(copy.changesNotSent(Settings()), 10);
    }

    void aWriteIntoAStoredMemoryIsSaidToBeUnchecked()
    {
        VirtualKeyboardRig rig({kKeyboard}, {kKeyboard});
        rig.attachSimulator(kKeyboard, kKeyboard);
        MidiController *link = MidiController::getInstance(false);
        QVERIFY(link);

        const KeyboardOutcome outcome = KeyboardCommand::write(*link, Settings(), 3);
        QCOMPARE(outcome.kind, KeyboardOutcome::Kind::SentUnchecked);
        QVERIFY(outcome.succeeded());
        QCOMPARE(outcomeMessage(outcome), QString("Sent to memory 3 of device 'Telvir Keyboard'; a memory other than "
                                                  "workArea cannot be read back, so the keyboard's copy was not "
                                                  "checked."));
        QCOMPARE(hexList(parameterMessages(rig)), factoryWrite(3));
    }

    void aReadAsksAgainForWhatDidNotAnswerEachRoundSlower()
    {
        VirtualKeyboardRig rig({kKeyboard}, {kKeyboard});
        KeyboardSimulator &keyboard = rig.attachSimulator(kKeyboard, kKeyboard);
        fillNonFactory(keyboard, 0);
        MidiController *link = MidiController::getInstance(false);
        QVERIFY(link);
        keyboard.setLoseRequestEvery(9);

        Settings settings;
        ReadReport report;
        const KeyboardOutcome outcome = KeyboardCommand::read(*link, settings, &report);
        QCOMPARE(outcome.kind, KeyboardOutcome::Kind::SettingsRead);
        QCOMPARE(outcome.count, 258);
        QVERIFY(report.unanswered.empty());
        // 28 unanswered, then 3 of those, then 1; the third round got it.
        const QList<QByteArray> first = factoryReadRequests();
        const QList<QByteArray> second = everyNth(first, 9, 0);
        const QList<QByteArray> third = everyNth(second, 9, 258);
        const QList<QByteArray> fourth = everyNth(third, 9, 258 + 28);
        QCOMPARE(fourth.size(), 1);
        QCOMPARE(hexList(parameterMessages(rig)), first + second + third + fourth);
        QCOMPARE(report.slowedPaceMs, 0);
        QCOMPARE(int(settings.controls[1].ccNumber), 0x63);
    }

    void aKeyboardSlowerThanItsPortIsWrittenWholeAndItsPaceKept()
    {
        VirtualKeyboardRig rig({kKeyboard}, {kKeyboard});
        KeyboardSimulator &keyboard = rig.attachSimulator(kKeyboard, kKeyboard);
        fillNonFactory(keyboard, 0);
        MidiController *link = MidiController::getInstance(false);
        QVERIFY(link);
        RememberedPace::forget();
        // One message a millisecond, and no room for a second.
        keyboard.setTakeInterval(1000, 1);

        WriteReport report;
        QCOMPARE(KeyboardCommand::write(*link, Settings(), 0, &report).kind, KeyboardOutcome::Kind::Sent);
        QVERIFY(keyboard.lostCount() > 0);
        QVERIFY(report.slowedPaceMs >= 2);
        RememberedPace::learn(link->portPair(), report.slowedPaceMs);
        QCOMPARE(RememberedPace::of(link->portPair()), report.slowedPaceMs);

        // At the pace kept, nothing is lost and nothing sent again.
        fillNonFactory(keyboard, 0);
        rig.clearSent();
        const int lost = keyboard.lostCount();
        const int pace = RememberedPace::effective(link->portPair(), 0);
        QCOMPARE(KeyboardCommand::write(*link, Settings(), 0, &report, pace).kind, KeyboardOutcome::Kind::Sent);
        QCOMPARE(keyboard.lostCount(), lost);
        QCOMPARE(hexList(rig.sent(kKeyboard)), factoryWrite(0) + factoryReadRequests());
        RememberedPace::forget();
    }
};

QTEST_GUILESS_MAIN(TestSettingsExchange)
#include "tst_settingsexchange.moc"
