// The editor's own port code against the simulator program on a private
// JACK server: discovery among the system's ports in both modes, and the
// round trip of a System Exclusive request and a channel-11 Note-On.

#include "jackkeyboardfixture.h"
#include "midi/midicontroller.h"
#include "support/wirebytes.h"

#include <QLoggingCategory>
#include <QtTest>

namespace {
// The next queued message, waiting up to a second for one.
QByteArray nextMessage()
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 1000) {
        const std::string message = MidiController::popMessage();
        if (!message.empty())
            return hexOf(message);
        QThread::msleep(5);
    }
    return QByteArray();
}

int sendLong(MidiController *link, const std::string &message)
{
    return link->sendLongMessage(message.data(), int(message.size()));
}
} // namespace

class TestJackLoopback : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QLoggingCategory::setFilterRules("telvir.midi.debug=false");
    }

    void withoutAServerThereAreNoPortsAndNoError()
    {
        // Neither the ALSA sequencer (none on a build machine) nor JACK can
        // start: no ports, no exception, no link.
        const QByteArray server = qgetenv("JACK_DEFAULT_SERVER");
        qputenv("JACK_DEFAULT_SERVER", "telvir-nobody-here");
        const UINT outputs = midiOutGetNumDevs();
        const UINT inputs = midiInGetNumDevs();
        MidiController *link = MidiController::getInstance(false);
        if (server.isEmpty())
            qunsetenv("JACK_DEFAULT_SERVER");
        else
            qputenv("JACK_DEFAULT_SERVER", server);
        if (QFile::exists("/dev/snd/seq"))
            QSKIP("this machine has an ALSA sequencer");
        QCOMPARE(outputs, 0u);
        QCOMPARE(inputs, 0u);
        QVERIFY(!link);
    }

    void aNormalKeyboardIsFoundAndAnswersRequests()
    {
        JackKeyboardFixture jack;
        QVERIFY2(jack.start(), qPrintable(jack.error()));

        MidiController *link = MidiController::getInstance(false);
        QVERIFY2(link, qPrintable(jack.simulatorOutput()));
        QCOMPARE(link->deviceName(), JackKeyboardFixture::keyboardInputPort());

        // Global channel of the work area: factory value 0.
        QCOMPARE(sendLong(link, wire("f000206b7f42 01 00 40 06 f7")), 0);
        QCOMPARE(nextMessage(), QByteArray("f0 00 20 6b 7f 42 00 00 40 06 00 f7"));
        // Set it, then read it back.
        QCOMPARE(sendLong(link, wire("f000206b7f42 02 00 40 06 05 f7")), 0);
        QCOMPARE(sendLong(link, wire("f000206b7f42 01 00 40 06 f7")), 0);
        QCOMPARE(nextMessage(), QByteArray("f0 00 20 6b 7f 42 00 00 40 06 05 f7"));

        // This keyboard is not in upgrade mode: nothing answers the Note-Ons.
        QVERIFY(!MidiController::getInstance(true));
    }

    void aKeyboardInUpgradeModeIsFoundAndAcknowledgesTheSize()
    {
        JackKeyboardFixture jack;
        QVERIFY2(jack.start({"--upgrade"}), qPrintable(jack.error()));

        MidiController *link = MidiController::getInstance(true);
        QVERIFY2(link, qPrintable(jack.simulatorOutput()));
        QCOMPARE(link->deviceName(), JackKeyboardFixture::keyboardInputPort());

        // Announcing one block is answered with 9A 01 03.
        QCOMPARE(link->sendShortMessage(0x9A, 0x00, 0x01), 0);
        QCOMPARE(nextMessage(), QByteArray("9a 01 03"));
    }

    void aSilentKeyboardIsNotFound()
    {
        JackKeyboardFixture jack;
        QVERIFY2(jack.start({"--silent"}), qPrintable(jack.error()));
        QVERIFY(!MidiController::getInstance(false));
    }
};

QTEST_GUILESS_MAIN(TestJackLoopback)
#include "tst_jackloopback.moc"
