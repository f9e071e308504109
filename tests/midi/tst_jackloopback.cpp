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

// The number under which the port service lists the port, or -1.
UINT portNumber(bool output, const QString &name)
{
    const UINT count = output ? midiOutGetNumDevs() : midiInGetNumDevs();
    for (UINT port = 0; port < count; ++port) {
        MIDIOUTCAPSW outputCaps {};
        MIDIINCAPSW inputCaps {};
        if (output)
            midiOutGetDevCapsW(port, &outputCaps, sizeof outputCaps);
        else
            midiInGetDevCapsW(port, &inputCaps, sizeof inputCaps);
        if (QString::fromWCharArray(output ? outputCaps.szPname : inputCaps.szPname) == name)
            return port;
    }
    return UINT(-1);
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

    void connectionsAreConfirmedLiveOnlyWhileTheKeyboardIsThere()
    {
        // JACK vouches for a connection once a cycle ran with it, so a search
        // sends its handshake without the settle time.
        JackKeyboardFixture jack;
        QVERIFY2(jack.start(), qPrintable(jack.error()));
        HMIDIOUT output = nullptr;
        HMIDIIN input = nullptr;
        QCOMPARE(midiOutOpen(&output, portNumber(true, JackKeyboardFixture::keyboardInputPort()), 0, 0, CALLBACK_NULL),
                 MMSYSERR_NOERROR);
        QCOMPARE(midiInOpen(&input, portNumber(false, JackKeyboardFixture::keyboardOutputPort()), 0, 0, CALLBACK_NULL),
                 MMSYSERR_NOERROR);
        QVERIFY(midiConnectionConfirmed(output, input));

        // The keyboard's ports went with it: nothing left to vouch for.
        QVERIFY2(jack.restartSimulator({"--name", "Another Keyboard"}), qPrintable(jack.error()));
        QVERIFY(!midiConnectionConfirmed(output, input));
        QCOMPARE(midiInClose(input), MMSYSERR_NOERROR);
        QCOMPARE(midiOutClose(output), MMSYSERR_NOERROR);
        QVERIFY(!midiConnectionConfirmed(output, input));
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
