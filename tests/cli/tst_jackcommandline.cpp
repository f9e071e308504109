// The telvir program as a user runs it, one process per command, against
// the simulator program on a private JACK server: what the keyboard
// received is counted in the simulator's log.

#include "jackkeyboardfixture.h"
#include "pipewireserver.h"
#include "model/settings.h"
#include "model/settingsfile.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {
const QString kHandshakeSeen = QStringLiteral("in:  F0 7E 7F 0A 0B F7");
const QString kSetSeen = QStringLiteral("in:  F0 00 20 6B 7F 42 02 ");
constexpr int kSetMessagesPerWrite = 258;
constexpr int kRunMs = 30000;

struct Run
{
    int exitCode = -1;
    QString out;
    QString err;
    qint64 elapsedMs = 0;
};

Run telvir(const QStringList &arguments)
{
    QProcess process;
    QElapsedTimer timer;
    timer.start();
    process.start(TELVIR_PROGRAM, arguments);
    Run run;
    if (!process.waitForFinished(kRunMs)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.elapsedMs = timer.elapsed();
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

// Differs from the factory settings in every setting a read asks for.
Settings nonFactory()
{
    Settings settings;
    settings.knobMode = 1;
    settings.octave = 7;
    settings.globalChannel = 11;
    settings.velocityCurve = 2;
    settings.padCurve = 3;
    settings.accel = 1;
    for (int index = 0; index < kControlCount; ++index) {
        Setting &control = settings.controls[index];
        control.val = std::uint8_t(100 - index);
        control.channel = std::uint8_t(index % 16);
        control.lsb = std::uint8_t(index);
        control.msb = std::uint8_t(127 - index);
    }
    return settings;
}
} // namespace

class JackCommandLineTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // The pace a lossy keyboard taught one command stays with the test.
        QVERIFY(config_.isValid());
        qputenv("XDG_CONFIG_HOME", config_.path().toLocal8Bit());
    }

    void init()
    {
        QVERIFY(dir_.isValid());
        file_ = dir_.filePath("good.telvir");
        QVERIFY(SettingsFile::save(file_, Settings()));
    }

    void everyWriteReachesTheKeyboardBeforeTheProgramEnds()
    {
        JackKeyboardFixture jack;
        QVERIFY2(jack.start({"--verbose"}), qPrintable(jack.error()));
        for (int write = 1; write <= 20; ++write) {
            const Run run = telvir({"write", file_});
            QCOMPARE(run.exitCode, 0);
            QCOMPARE(run.out, QString("Sent %1 messages to memory workArea of '%2'\n")
                                  .arg(kSetMessagesPerWrite)
                                  .arg(JackKeyboardFixture::keyboardInputPort()));
            // The log may trail the ended program by a moment; a message
            // that was lost never comes.
            QTRY_COMPARE_WITH_TIMEOUT(jack.simulatorOutput().count(kSetSeen), write * kSetMessagesPerWrite, 5000);
            QVERIFY2(jack.simulatorOutput().count(kHandshakeSeen) >= write, qPrintable(QString::number(write)));
        }
    }

    void aStoppedKeyboardCannotTrapAWrite()
    {
        JackKeyboardFixture jack;
        QVERIFY2(jack.start(), qPrintable(jack.error()));
        jack.pauseSimulator();
        const Run stalled = telvir({"write", file_});
        jack.resumeSimulator();
        QCOMPARE(stalled.exitCode, 1);
        // jackd2 waits for every client in each cycle, so a stopped one
        // stalls the whole server; PipeWire leaves a client that does not
        // take up its new connections out of the cycle, and the keyboard
        // simply does not answer.
        QCOMPARE(stalled.err, PipeWireServer::chosen() ? QString("telvir: Could not connect to midi deivce.\n")
                                                       : QString("telvir: The JACK server does not respond.\n"));
        QVERIFY2(stalled.elapsedMs < 5000, qPrintable(QString::number(stalled.elapsedMs)));

        // Once the keyboard goes on, so does the next command.
        const Run again = telvir({"write", file_});
        QCOMPARE(again.exitCode, 0);
    }

    void twoKeyboardsAreListedAndWrittenAndOneThatWentAwayIsNamed()
    {
        // Known fault: on PipeWire a port of the editor's client that the
        // search connected to one keyboard still reaches it after it was
        // opened for the other (the first keyboard got both writes), and the
        // check that the port reaches its keyboard then fails both writes.
        if (PipeWireServer::chosen())
            QSKIP("two keyboards over PipeWire's JACK: the first gets the second's write as well");
        JackKeyboardFixture jack;
        QVERIFY2(jack.start({"--verbose"}), qPrintable(jack.error()));
        // The second keyboard answers late, so that its cable can come out
        // while telvir waits for it, after the first was written.
        QVERIFY2(jack.addSimulator({"--name", "Second Keyboard", "--verbose", "--handshake-delay", "300"}),
                 qPrintable(jack.error()));
        const QString second = QStringLiteral("Second Keyboard:MIDI In");

        const Run found = telvir({"ports", "--find"});
        QCOMPARE(found.exitCode, 0);
        const QStringList keyboards = found.out.split('\n').filter(QRegularExpression("^keyboard: "));
        QCOMPARE(keyboards.size(), 2);
        QVERIFY2(keyboards[0].contains("'" + JackKeyboardFixture::keyboardInputPort() + "'"), qPrintable(found.out));
        QVERIFY2(keyboards[1].contains("'" + second + "'"), qPrintable(found.out));

        const Run written = telvir({"write", file_, "--all"});
        QCOMPARE(written.err, QString());
        QCOMPARE(written.exitCode, 0);
        QCOMPARE(written.out, QString("Sent %1 messages to memory workArea of '%2'\n"
                                      "Sent %1 messages to memory workArea of '%3'\n")
                                  .arg(kSetMessagesPerWrite)
                                  .arg(JackKeyboardFixture::keyboardInputPort(), second));
        QTRY_COMPARE_WITH_TIMEOUT(jack.simulatorOutput().count(kSetSeen), kSetMessagesPerWrite, 5000);
        QTRY_COMPARE_WITH_TIMEOUT(jack.addedSimulatorOutput(0).count(kSetSeen), kSetMessagesPerWrite, 5000);

        // Once the first keyboard has its settings, the second goes away.
        const int handshakesBefore = jack.addedSimulatorOutput(0).count(kHandshakeSeen);
        QProcess process;
        process.start(TELVIR_PROGRAM, {"write", file_, "--all"});
        QTRY_VERIFY_WITH_TIMEOUT(jack.simulatorOutput().count(kSetSeen) == 2 * kSetMessagesPerWrite, kRunMs);
        jack.stopAddedSimulator(0);
        QVERIFY(process.waitForFinished(kRunMs));
        QCOMPARE(process.exitCode(), 1);
        QCOMPARE(QString::fromLocal8Bit(process.readAllStandardOutput()),
                 QString("Sent %1 messages to memory workArea of '%2'\n")
                     .arg(kSetMessagesPerWrite)
                     .arg(JackKeyboardFixture::keyboardInputPort()));
        const QString err = QString::fromLocal8Bit(process.readAllStandardError());
        QCOMPARE(err.count('\n'), 1);
        QVERIFY2(err.startsWith("telvir: keyboard on output '" + second + "', input 'Second Keyboard Out:MIDI Out': "),
                 qPrintable(err));
        QVERIFY(handshakesBefore >= 2);
    }

    void aKeyboardThatLosesMessagesEndsWithTheWholeFile()
    {
        JackKeyboardFixture jack;
        QVERIFY2(jack.start({"--lose-set-every", "7"}), qPrintable(jack.error()));
        const QString written = dir_.filePath("studio.telvir");
        QVERIFY(SettingsFile::save(written, nonFactory()));
        const Run write = telvir({"write", written});
        QCOMPARE(write.err, QString());
        QCOMPARE(write.exitCode, 0);

        // Read back by a command of its own: what the keyboard holds now.
        const QString read = dir_.filePath("read.telvir");
        const Run back = telvir({"read", read});
        QCOMPARE(back.exitCode, 0);
        Settings held;
        QVERIFY(SettingsFile::load(read, &held));
        QCOMPARE(QByteArray(held.image(), int(Settings::kImageSize)),
                 QByteArray(nonFactory().image(), int(Settings::kImageSize)));
    }

    void aKeyboardThatLeavesRequestsUnansweredIsReadWhole()
    {
        JackKeyboardFixture jack;
        QVERIFY2(jack.start({"--lose-request-every", "9"}), qPrintable(jack.error()));
        const QString read = dir_.filePath("backup.telvir");
        const Run back = telvir({"read", read});
        QCOMPARE(back.err, QString());
        QCOMPARE(back.exitCode, 0);
        QVERIFY2(back.out.startsWith("Read 258 settings from "), qPrintable(back.out));
        Settings held;
        QVERIFY(SettingsFile::load(read, &held));
        QCOMPARE(QByteArray(held.image(), int(Settings::kImageSize)),
                 QByteArray(Settings().image(), int(Settings::kImageSize)));
    }

    void aKeyboardTooSlowForTheRoundsIsReportedAsSuch()
    {
        JackKeyboardFixture jack;
        QVERIFY2(jack.start({"--lose-set-every", "2"}), qPrintable(jack.error()));
        const QString written = dir_.filePath("studio.telvir");
        QVERIFY(SettingsFile::save(written, nonFactory()));
        const Run write = telvir({"write", written, "--pace", "1"});
        QCOMPARE(write.exitCode, 1);
        QCOMPARE(write.out, QString());
        QVERIFY2(QRegularExpression("^telvir: [1-9][0-9]* settings did not reach the keyboard: .* and [0-9]+ more\\.\n$")
                     .match(write.err)
                     .hasMatch(),
                 qPrintable(write.err));
        QCOMPARE(write.err.count('\n'), 1);
    }

private:
    QTemporaryDir config_;
    QTemporaryDir dir_;
    QString file_;
};

QTEST_GUILESS_MAIN(JackCommandLineTest)
#include "tst_jackcommandline.moc"
