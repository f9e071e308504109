// The simulator program's command line: each switch reaches the keyboard,
// and nonsense is refused with a message instead of being ignored.

#include "playedmessage.h"
#include "simulatoroptions.h"
#include "support/wirebytes.h"

#include <QtTest>

class TestSimulatorOptions : public QObject
{
    Q_OBJECT

private slots:
    void switchesReachTheKeyboard()
    {
        SimulatorOptions options;
        QString error;
        QVERIFY2(options.parse({"sim", "--name", "Bench Keyboard", "--output-name", "Bench Sender", "--api", "jack",
                                "--jack-server", "x", "--handshake-reply", "missing-byte", "--handshake-delay", "650",
                                "--drop-ack", "0", "--delay-ack", "2:300"},
                               error),
                 qPrintable(error));
        QCOMPARE(options.name, std::string("Bench Keyboard"));
        QCOMPARE(options.outputName, std::string("Bench Sender"));
        QCOMPARE(options.api, std::string("jack"));
        QCOMPARE(options.jackServer, std::string("x"));

        KeyboardSimulator keyboard;
        options.applyTo(keyboard);
        const std::vector<SimulatorReply> replies = keyboard.receive(wire("f07e7f0a0bf7"));
        QCOMPARE(int(replies.size()), 1);
        QCOMPARE(QByteArray::fromStdString(replies[0].bytes).toHex(' '), QByteArray("f0 7e 0a 01 03 00 f7"));
        QCOMPARE(replies[0].delayMs, 650);

        // In upgrade mode the size announcement's acknowledgement (0) is dropped.
        SimulatorOptions upgrade;
        QVERIFY(upgrade.parse({"sim", "--upgrade", "--drop-ack", "0"}, error));
        KeyboardSimulator upgraded;
        upgrade.applyTo(upgraded);
        QVERIFY(upgraded.receive(wire("9a0001")).empty());
    }

    void silenceAndDefaults()
    {
        SimulatorOptions options;
        QString error;
        QVERIFY(options.parse({"sim", "--silent"}, error));
        QCOMPARE(options.name, std::string("Telvir Keyboard"));
        QCOMPARE(options.outputName, std::string("Telvir Keyboard Out"));
        QVERIFY(options.api.empty());
        KeyboardSimulator keyboard;
        options.applyTo(keyboard);
        QVERIFY(keyboard.receive(wire("f07e7f0a0bf7")).empty());
    }

    void playOptions()
    {
        SimulatorOptions options;
        QString error;
        QVERIFY(options.parse({"sim", "--play", "-"}, error));
        QCOMPARE(options.playFile, std::string("-"));
        QCOMPARE(options.playRate, 1000);
        QVERIFY(!options.playAfterLink);
        SimulatorOptions paced;
        QVERIFY(paced.parse({"sim", "--play", "knobs.txt", "--play-rate", "3000", "--play-after-link"}, error));
        QCOMPARE(paced.playFile, std::string("knobs.txt"));
        QCOMPARE(paced.playRate, 3000);
        QVERIFY(paced.playAfterLink);
    }

    void playedLinesAreRawMessages()
    {
        std::string bytes;
        std::string error;
        QCOMPARE(PlayedMessage::parse("B0 4A 40", &bytes, &error), PlayedMessage::Line::Message);
        QCOMPARE(QByteArray::fromStdString(bytes).toHex(' '), QByteArray("b0 4a 40"));
        QCOMPARE(PlayedMessage::parse("  e0 00 7f  # pitch up", &bytes, &error), PlayedMessage::Line::Message);
        QCOMPARE(QByteArray::fromStdString(bytes).toHex(' '), QByteArray("e0 00 7f"));
        QCOMPARE(PlayedMessage::parse("f0 7e 7f 0a 0b f7", &bytes, &error), PlayedMessage::Line::Message);
        QCOMPARE(int(bytes.size()), 6);
        QCOMPARE(PlayedMessage::parse("", &bytes, &error), PlayedMessage::Line::Nothing);
        QCOMPARE(PlayedMessage::parse("# a knob turned up", &bytes, &error), PlayedMessage::Line::Nothing);

        QCOMPARE(PlayedMessage::parse("c1 05", &bytes, &error), PlayedMessage::Line::Message);
        QCOMPARE(PlayedMessage::parse("f8", &bytes, &error), PlayedMessage::Line::Message);
        const char *const invalid[] = {"B0 4A4", "4A 40",    "B0 4A 40 41", "B0 4A", "C1 05 06",
                                       "B0 90 40", "F0 01 02", "F0 81 F7",  "zz"};
        for (const char *line : invalid) {
            bytes = "untouched";
            error.clear();
            QCOMPARE(PlayedMessage::parse(line, &bytes, &error), PlayedMessage::Line::Invalid);
            QVERIFY2(!error.empty(), line);
            QCOMPARE(bytes, std::string("untouched"));
        }
    }

    void nonsenseIsRefused_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("unknown option") << QStringList{"sim", "--loud"};
        QTest::newRow("unknown system") << QStringList{"sim", "--api", "coremidi"};
        QTest::newRow("negative delay") << QStringList{"sim", "--handshake-delay", "-5"};
        QTest::newRow("bad reply kind") << QStringList{"sim", "--handshake-reply", "long"};
        QTest::newRow("bad delayed ack") << QStringList{"sim", "--delay-ack", "3"};
        QTest::newRow("empty name") << QStringList{"sim", "--name", ""};
        QTest::newRow("output named as the input") << QStringList{"sim", "--name", "K", "--output-name", "K"};
        QTest::newRow("stray argument") << QStringList{"sim", "extra"};
        QTest::newRow("play without a file") << QStringList{"sim", "--play", ""};
        QTest::newRow("rate of zero") << QStringList{"sim", "--play", "-", "--play-rate", "0"};
        QTest::newRow("rate without play") << QStringList{"sim", "--play-rate", "100"};
    }

    void nonsenseIsRefused()
    {
        QFETCH(QStringList, arguments);
        SimulatorOptions options;
        QString error;
        QVERIFY(!options.parse(arguments, error));
        QVERIFY(!error.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestSimulatorOptions)
#include "tst_simulatoroptions.moc"
