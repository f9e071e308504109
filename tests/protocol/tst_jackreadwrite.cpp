// The whole road of the settings on a real MIDI system: the simulator
// program on a private JACK server holds a configuration of its own in
// memory 0, the editor reads it and writes it into memory 5, and memory 5
// then answers every parameter exactly as memory 0 does.

#include "jackkeyboardfixture.h"
#include "commands/keyboardcommand.h"
#include "midi/midicontroller.h"
#include "model/settings.h"
#include "support/wirebytes.h"

#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QThread>
#include <QtTest>

#include <map>
#include <utility>

namespace {
const int kIds[37] = {
    0x30, 0x01, 0x02, 0x09, 0x0b, 0x0c, 0x0d, 0x0e, 0x33, 0x03, 0x04, 0x0a, 0x05, 0x06, 0x07, 0x08,
    0x70, 0x71, 0x72, 0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79, 0x7a, 0x7b, 0x7c, 0x7d, 0x7e, 0x7f,
    0x10, 0x11, 0x41, 0x40, 0x50,
};

int sendLong(MidiController *link, const std::string &message)
{
    return link->sendLongMessage(message.data(), int(message.size()));
}

std::string setMessage(int slot, int selector, int number, int value)
{
    return wire(QString::asprintf("f000206b7f42 02 %02x %02x %02x %02x f7", slot, selector, number, value).toLatin1());
}

std::string requestMessage(int slot, int selector, int number)
{
    return wire(QString::asprintf("f000206b7f42 01 %02x %02x %02x f7", slot, selector, number).toLatin1());
}

using Address = std::pair<int, int>;

// Memory 0 of the simulator as this test configures it: different from the
// factory state in every parameter the editor reads for a factory record.
std::map<Address, int> configuration()
{
    std::map<Address, int> values = {
        {{0x40, 2}, 0x7f}, // relative
        {{0x40, 3}, 0x42}, // -2
        {{0x40, 6}, 0x09}, // channel 10
        {{0x41, 1}, 0x01},
        {{0x41, 3}, 0x02},
        {{0x41, 4}, 0x02},
    };
    for (int index = 0; index < 37; ++index) {
        const int id = kIds[index];
        values[{0, id}] = index + 1;
        values[{2, id}] = index % 16;
        values[{4, id}] = index + 2;
        values[{5, id}] = 120 - index;
        if (index == 32 || index == 33)
            continue; // octave buttons: no modes, no number
        if (index != 34)
            values[{3, id}] = 90 - index; // "Pitch" has no number to read
    }
    // Modes that have options, with an option other than the factory one.
    for (int index = 0; index < 16; ++index) {
        values[{1, kIds[index]}] = index % 2 ? 0x04 : 0x01; // NRPN / RPN or Continuous
        values[{6, kIds[index]}] = 1;
    }
    for (int index = 16; index < 32; ++index) {
        values[{1, kIds[index]}] = index % 2 ? 0x08 : 0x09; // Switched or Midi Note
        values[{6, kIds[index]}] = 0;
    }
    values[{1, 0x41}] = 0x0c; values[{6, 0x41}] = 1; // "Pitch": Pitch Bend, hold
    values[{1, 0x40}] = 0x04; values[{6, 0x40}] = 1; // "Mod": NRPN / RPN, RPN
    values[{1, 0x50}] = 0x09; values[{6, 0x50}] = 0; // "Substain": Midi Note, toggle
    return values;
}

// Asks memory `slot` for every address and collects the answers by address,
// waiting up to five seconds for all of them.
std::map<Address, int> readBack(MidiController *link, int slot, const std::map<Address, int> &addresses)
{
    for (const auto &entry : addresses)
        sendLong(link, requestMessage(slot, entry.first.first, entry.first.second));
    std::map<Address, int> answers;
    QElapsedTimer timer;
    timer.start();
    while (answers.size() < addresses.size() && timer.elapsed() < 5000) {
        const std::string message = MidiController::popMessage();
        if (message.empty()) {
            QThread::msleep(5);
            continue;
        }
        if (message.size() == 12 && static_cast<unsigned char>(message[7]) == slot)
            answers[{message[8], message[9]}] = static_cast<unsigned char>(message[10]);
    }
    return answers;
}
} // namespace

class TestJackReadWrite : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QLoggingCategory::setFilterRules("telvir.midi.debug=false\ndefault.debug=false");
    }

    void memoryZeroIsReadAndWrittenIntoMemoryFive()
    {
        JackKeyboardFixture jack;
        QVERIFY2(jack.start(), qPrintable(jack.error()));
        MidiController *link = MidiController::getInstance(false);
        QVERIFY2(link, qPrintable(jack.simulatorOutput()));

        const std::map<Address, int> served = configuration();
        QCOMPARE(int(served.size()), 258);
        for (const auto &[address, value] : served)
            QCOMPARE(sendLong(link, setMessage(0, address.first, address.second, value)), 0);

        Settings settings;
        QCOMPARE(settings.recv(), 258);
        // globalChannel, padCurve, accel, velocityCurve, octave, knobMode
        QCOMPARE(QByteArray(settings.image(), 6).toHex(' '), QByteArray("09 02 02 01 06 01"));
        const Setting &cutoff = settings.controls[1];
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(&cutoff), 7).toHex(' '),
                 QByteArray("01 03 77 59 02 04 01")); // channel lsb msb ccNumber val mode modeOption
        QCOMPARE(int(settings.controls[33].channel), 1);
        QCOMPARE(int(settings.controls[34].mode), 12);

        MessageCounts counts;
        QVERIFY(settings.send(5, &counts));
        QCOMPARE(counts.messages, 258);
        QCOMPARE(counts.refused, 0);

        const std::map<Address, int> memoryFive = readBack(link, 5, served);
        QCOMPARE(int(memoryFive.size()), 258);
        for (const auto &[address, value] : served)
            QVERIFY2(memoryFive.at(address) == value,
                     qPrintable(QString::asprintf("memory 5 holds %02x at %02x.%02x, memory 0 served %02x",
                                                  memoryFive.at(address), address.first, address.second, value)));
        // Memory 0 itself was not touched by the write.
        QCOMPARE(readBack(link, 0, served), served);
    }

    void aWriteIntoAKeyboardThatLeftOrCameBackUnlinkedPutsNothingOnIt()
    {
        JackKeyboardFixture jack;
        QVERIFY2(jack.start(), qPrintable(jack.error()));
        MidiController *link = MidiController::getInstance(false);
        QVERIFY2(link, qPrintable(jack.simulatorOutput()));
        const Settings factory;
        WriteReport report;
        QCOMPARE(KeyboardCommand::write(*link, factory, 0, &report).kind, KeyboardOutcome::Kind::Sent);
        QCOMPARE(int(report.carried.count()), 258);
        QCOMPARE(report.tried, report.carried);

        // The server drops the keyboard's ports with its program; what the
        // editor's port then sends goes nowhere.
        jack.stopSimulator();
        QTRY_VERIFY_WITH_TIMEOUT(KeyboardCommand::write(*link, factory, 0, &report).kind
                                     == KeyboardOutcome::Kind::NoKeyboard,
                                 5000);
        QVERIFY(report.portGone);
        QVERIFY(report.carried.none());
        QCOMPARE(int(report.tried.count()), 258);

        // A keyboard of the same name that came back is not on this link.
        QVERIFY2(jack.plugSimulatorIn(), qPrintable(jack.error()));
        QCOMPARE(KeyboardCommand::write(*link, factory, 0, &report).kind, KeyboardOutcome::Kind::NoKeyboard);
        QVERIFY(report.carried.none());
        MidiController::releaseInstance();
        link = MidiController::getInstance(false);
        QVERIFY(link);
        QCOMPARE(KeyboardCommand::write(*link, factory, 0, &report).kind, KeyboardOutcome::Kind::Sent);
        QCOMPARE(int(report.carried.count()), 258);
    }
};

QTEST_GUILESS_MAIN(TestJackReadWrite)
#include "tst_jackreadwrite.moc"
