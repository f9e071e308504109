// A firmware image through the editor's own port code and a real MIDI
// system: the simulator program, in its upgrade mode on a private JACK
// server, logs every message it receives, and the image is rebuilt from
// that log, or reports the image it took by its SHA-256. Another program
// listening to the editor's output must never change what the keyboard
// takes.

#include "commands/keyboardcommand.h"
#include "commands/keyboardoutcome.h"
#include "jackkeyboardfixture.h"
#include "midi/midicontroller.h"
#include "pipewireserver.h"
#include "support/wirebytes.h"

#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QRandomGenerator>
#include <QtTest>

#include <algorithm>
#include <thread>

namespace {
// The lines "in:  90 0A 05 " of the simulator's log, in order, as bytes.
std::string receivedData(const QString &log, QStringList *controlMessages)
{
    std::string data;
    for (const QString &line : log.split('\n')) {
        if (!line.startsWith(QLatin1String("in:")))
            continue;
        const QStringList bytes = line.mid(3).split(' ', Qt::SkipEmptyParts);
        if (bytes.size() == 3 && bytes[0] == QLatin1String("90"))
            data.push_back(char(bytes[1].toInt(nullptr, 16) << 4 | bytes[2].toInt(nullptr, 16)));
        else
            *controlMessages << bytes.join(' ');
    }
    return data;
}

const QString kEditorOutput = "Telvir Editor:out";
const QString kListenerInput = "telvir-listener:MIDI In";

// Another program's JACK client with PipeWire's default, which turns a
// Note-On with velocity 0 into a Note-Off for it: a second, silent
// simulator told so explicitly, as a user's PIPEWIRE_PROPS would.
bool startListener(QProcess &listener)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("PIPEWIRE_PROPS", "{ jack.fix-midi-events = true }");
    listener.setProcessEnvironment(environment);
    listener.setProcessChannelMode(QProcess::MergedChannels);
    listener.start(TELVIR_SIMULATOR_PROGRAM,
                   {"--api", "jack", "--jack-server", qEnvironmentVariable("JACK_DEFAULT_SERVER"), "--name",
                    "telvir-listener", "--output-name", "telvir-listener-out", "--silent"});
    QElapsedTimer clock;
    clock.start();
    QByteArray output;
    while (!output.contains("ready") && clock.elapsed() < 10000 && listener.waitForReadyRead(1000))
        output += listener.readAll();
    return output.contains("ready");
}

bool connectListener(bool connect)
{
    return QProcess::execute(connect ? "jack_connect" : "jack_disconnect", {kEditorOutput, kListenerInput}) == 0;
}

void stopListener(QProcess &listener)
{
    listener.terminate();
    if (!listener.waitForFinished(5000)) {
        listener.kill();
        listener.waitForFinished();
    }
}
} // namespace

class TestJackFirmware : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QLoggingCategory::setFilterRules("telvir.midi.debug=false");
    }

    void aRandomImageOf100KBArrivesByteForByte()
    {
        JackKeyboardFixture jack;
        QVERIFY2(jack.start({"--upgrade", "--verbose"}), qPrintable(jack.error()));
        MidiController *link = MidiController::getInstance(true);
        QVERIFY2(link, qPrintable(jack.simulatorOutput().right(2000)));

        // 195 whole blocks and 160 bytes of a last one.
        const std::string image = randomImage(100000, 100);
        std::vector<int> progress;
        const bool sent = link->sendFirmware(image, [&progress](int percent) { progress.push_back(percent); });
        const QString log = jack.simulatorOutput();
        QVERIFY2(sent, qPrintable(log.right(2000)));
        QCOMPARE(int(progress.size()), 195 + 1);
        QCOMPARE(progress.back(), 100);

        QStringList controlMessages;
        const std::string received = receivedData(log, &controlMessages);
        QCOMPARE(received.size(), std::size_t(196 * 512));
        const auto firstDifference = std::mismatch(image.begin(), image.end(), received.begin());
        const int offset = int(firstDifference.first - image.begin());
        QVERIFY2(firstDifference.first == image.end(),
                 qPrintable(QString("first difference at byte %1: sent %2, received %3")
                                .arg(offset)
                                .arg(QString::fromLatin1(QByteArray::fromStdString(image.substr(std::size_t(offset), 8)).toHex(' ')))
                                .arg(QString::fromLatin1(QByteArray::fromStdString(received.substr(std::size_t(offset), 8)).toHex(' ')))));
        QCOMPARE(received.substr(image.size()), std::string(196 * 512 - image.size(), char(0xFF)));
        // The probe and the announcement of 196 = 0xC4 blocks.
        QCOMPARE(controlMessages, (QStringList{"9A 01 02", "9A 7E 7D", "9A 0C 04"}));
        QVERIFY(log.contains(QLatin1String("out: 9A 01 05")));
    }

    void anotherProgramListeningToTheEditorNeverChangesTheImage()
    {
        JackKeyboardFixture jack;
        QVERIFY2(jack.start({"--upgrade"}), qPrintable(jack.error()));
        MidiController *link = MidiController::getInstance(true);
        QVERIFY2(link, qPrintable(jack.simulatorOutput().right(2000)));
        QProcess listener;
        QVERIFY(startListener(listener));
        QVERIFY(connectListener(true));

        // 20 blocks; about one byte in sixteen goes out as 90 0h 00.
        const std::string image = randomImage(20 * 512, 200);
        const QString imageLine = QString("firmware image: 10240 bytes, sha256 %1")
                                      .arg(QString::fromLatin1(QCryptographicHash::hash(QByteArray::fromStdString(image),
                                                                                        QCryptographicHash::Sha256)
                                                                   .toHex()));
        KeyboardOutcome outcome = KeyboardCommand::upgrade(*link, image, [](int) {});
        if (!PipeWireServer::chosen()) {
            // jackd2 hands every reader the bytes as they were sent: the
            // listener is no reason to refuse. (Two simulators in a
            // ThreadSanitizer build on a loaded machine may still miss an
            // answer's 300 ms; a success must then be the whole image.)
            QVERIFY(link->outputRewritingListeners().empty());
            QVERIFY2(outcome.kind != KeyboardOutcome::Kind::FirmwareOutputShared, qPrintable(outcomeMessage(outcome)));
            if (outcome.succeeded())
                QVERIFY2(jack.simulatorOutput().contains(imageLine), qPrintable(jack.simulatorOutput().right(2000)));
            stopListener(listener);
            return;
        }
        // PipeWire: refused before anything is sent, saying who listens.
        QCOMPARE(outcomeMessage(outcome),
                 QString("Could not upgrade firmware: telvir-listener:MIDI In listens to the editor's MIDI output, and "
                         "PipeWire may change the firmware's bytes for the keyboard as well. Disconnect it from the "
                         "editor, then try again."));
        QCOMPARE(outcomeTitle(outcome), QString("Error"));
        QVERIFY(!jack.simulatorOutput().contains("firmware"));

        // Once it is disconnected, the same keyboard, still in its upgrade
        // mode, takes the image whole.
        QVERIFY(connectListener(false));
        outcome = KeyboardCommand::upgrade(*link, image, [](int) {});
        QVERIFY2(outcome.succeeded(), qPrintable(outcomeMessage(outcome)));
        QVERIFY2(jack.simulatorOutput().contains(imageLine), qPrintable(jack.simulatorOutput().right(2000)));

        // A listener that comes during an update ends it at that block,
        // with the same text; the keyboard never completes that image.
        const std::string second = randomImage(40 * 512, 201);
        std::thread connecter([] {
            QThread::msleep(1500);
            connectListener(true);
        });
        outcome = KeyboardCommand::upgrade(*link, second, [](int) {});
        connecter.join();
        QCOMPARE(outcome.kind, KeyboardOutcome::Kind::FirmwareOutputShared);
        QCOMPARE(outcome.listeners, QStringList{kListenerInput});
        QCOMPARE(jack.simulatorOutput().count("firmware image:"), 1);
        stopListener(listener);
    }
};

QTEST_GUILESS_MAIN(TestJackFirmware)
#include "tst_jackfirmware.moc"
