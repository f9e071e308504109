// ".syx" files: their bytes, round trips through them and what a write
// leaves out, captures of a read answered by the simulated keyboard, and
// files that are refused at the offset of their first wrong byte.

#include "keyboardsimulator.h"
#include "model/settingsdocument.h"
#include "model/settingsfile.h"
#include "protocol/parametermap.h"
#include "protocol/parametermessage.h"
#include "protocol/sysexfile.h"
#include "support/testfiles.h"
#include "support/wirebytes.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {
// "Pad #3" is control 18, identifier 0x72; "Cutoff" is control 1, 0x01.
constexpr int kPad3 = 18;
constexpr int kCutoff = 1;

QByteArray imageOf(const Settings &settings)
{
    return QByteArray(settings.image(), int(Settings::kImageSize));
}

// Every field in range, so that each goes over the wire as it is.
Settings editedSettings()
{
    Settings settings;
    settings.globalChannel = 9;
    settings.octave = 6;
    settings.knobMode = 1;
    settings.accel = 2;
    settings.controls[3].channel = 2;
    settings.controls[kPad3].mode = 8;
    settings.controls[kPad3].ccNumber = 48;
    settings.controls[kPad3].lsb = 5;
    settings.controls[36].ccNumber = 66;
    return settings;
}

QByteArray reply(const char *hex)
{
    return QByteArray::fromHex("f0 00 20 6b 7f 42 00 00") + QByteArray::fromHex(hex) + QByteArray::fromHex("f7");
}
} // namespace

class TestSysexFile : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;

private slots:
    void initTestCase() { QVERIFY(dir.isValid()); }

    void theFileHoldsTheSetMessagesOfAWriteBackToBack()
    {
        const QByteArray bytes = SysexFile::messages(Settings(), 3);
        QCOMPARE(bytes.size(), 258 * 12);
        // Knob mode first, "Substain"'s mode option last; memory 3 in each.
        QCOMPARE(bytes.left(12).toHex(' '), QByteArray("f0 00 20 6b 7f 42 02 03 40 02 01 f7"));
        QCOMPARE(bytes.right(12).toHex(' '), QByteArray("f0 00 20 6b 7f 42 02 03 06 50 01 f7"));
        for (int offset = 0; offset < bytes.size(); offset += 12)
            QCOMPARE(bytes.mid(offset, 8).toHex(' '), QByteArray("f0 00 20 6b 7f 42 02 03"));
    }

    void aTelvirFileComesBackWholeThroughSysex()
    {
        const QString telvir = dir.filePath("edited.telvir");
        const QString sysex = dir.filePath("edited.syx");
        const QString back = dir.filePath("back.telvir");
        QVERIFY(SettingsFile::save(telvir, editedSettings()));
        Settings settings;
        QVERIFY(SettingsDocument::load(telvir, &settings));
        QVERIFY(SettingsDocument::save(sysex, settings));
        QString error;
        QString note;
        QVERIFY2(SettingsDocument::load(sysex, &settings, &error, &note), qPrintable(error));
        QVERIFY(SettingsDocument::save(back, settings));
        QCOMPARE(readAll(back), readAll(telvir));
        // A number of 0 is never written: these three hold the factory 0.
        QCOMPARE(note, QStringLiteral("The file does not carry 3 settings; they are the factory settings: "
                                      "OCT - CC Number, OCT + CC Number, Pitch CC Number"));
    }

    void whatAWriteLeavesOutComesFromTheFactorySettings()
    {
        Settings settings = editedSettings();
        settings.controls[kCutoff].ccNumber = 0;   // not written: the factory 74 comes back
        settings.controls[kPad3].mode = 0;         // "Off - Disabled": no option written
        settings.controls[kPad3].modeOption = 0;   // the only option it can hold
        settings.controls[33].mode = 3;            // "OCT +" has no modes on the wire
        settings.octave = 9;                       // beyond "-4": sent as 0
        settings.controls[2].msb = 200;            // sent as 127
        SysexFile::Content content;
        QString error;
        QVERIFY2(SysexFile::parse(SysexFile::messages(settings, 0), &content, &error), qPrintable(error));
        QCOMPARE(content.memory, std::optional<int>(0));

        Settings expected = settings;
        expected.controls[kCutoff].ccNumber = 74;
        expected.controls[33].mode = 0;
        expected.octave = 0;
        expected.controls[2].msb = 127;
        QCOMPARE(imageOf(content.settings), imageOf(expected));
        QCOMPARE(content.notCarried, QStringList({"Cutoff CC Number", "OCT - CC Number", "OCT + CC Number",
                                                  "Pitch CC Number"}));
    }

    void aCapturedReadGivesTheKeyboardsMemory()
    {
        // The keyboard holds edited settings; a read of it, as a MIDI
        // monitor on its output would record the replies.
        KeyboardSimulator keyboard;
        const Settings held = editedSettings();
        for (const QByteArray &message : QList<QByteArray>{SysexFile::messages(held, 0)}) {
            for (int offset = 0; offset < message.size(); offset += 12)
                keyboard.receive(message.mid(offset, 12).toStdString());
        }
        QByteArray capture;
        const Settings asked; // a reader starts from the factory settings
        const auto ask = [&](const ParameterValue &parameter) {
            const std::string request = parameterRequestMessage(1, 0, parameter.selector, parameter.number);
            for (const SimulatorReply &answer : keyboard.receive(request))
                capture += QByteArray::fromStdString(answer.bytes);
        };
        for (const ParameterValue &parameter : globalParameters(asked))
            ask(parameter);
        for (int index = 0; index < kControlCount; ++index) {
            for (const ParameterValue &parameter : controlParameters(asked.controls[index], index, true))
                ask(parameter);
        }
        QCOMPARE(capture.size(), 258 * 12);

        SysexFile::Content content;
        QString error;
        QVERIFY2(SysexFile::parse(capture, &content, &error), qPrintable(error));
        QCOMPARE(content.memory, std::nullopt);
        QCOMPARE(imageOf(content.settings), imageOf(held));
        QCOMPARE(content.notCarried.size(), 3);

        // A short capture names what it lacks; the rest is factory.
        QVERIFY(SysexFile::parse(reply("40 06 03") + reply("03 72 30"), &content, &error));
        Settings expected;
        expected.globalChannel = 3;
        expected.controls[kPad3].ccNumber = 0x30;
        QCOMPARE(imageOf(content.settings), imageOf(expected));
        QCOMPARE(content.notCarried.size(), 6 + 35 * 7 + 2 * 5 - 2);
        QVERIFY(SysexFile::notCarriedText(content.notCarried)
                    .startsWith(QStringLiteral("The file does not carry 259 settings; they are the factory "
                                               "settings: Octave, Pad Vel Curve, Knob Accel, ")));
        QVERIFY(SysexFile::notCarriedText(content.notCarried).endsWith(QStringLiteral(", ...")));
    }

    void foreignOrBrokenFilesAreRefusedAtTheirFirstWrongByte_data()
    {
        const QByteArray set = QByteArray::fromHex("f0 00 20 6b 7f 42 02 00 01 72 09 f7");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("error");
        const QString wrong = QStringLiteral("Not a settings file of this keyboard: unexpected byte 0x%1 at offset %2.");
        QTest::newRow("another maker") << set + QByteArray::fromHex("f0 00 20 6c 7f 42 02 00 01 72 09 f7")
                                       << wrong.arg("6C").arg(15);
        QTest::newRow("a byte between messages") << set + QByteArray("A") + set << wrong.arg("41").arg(12);
        QTest::newRow("a status byte inside") << set + QByteArray::fromHex("f0 00 20 6b 7f 42 02 00 01 90 09 f7")
                                              << wrong.arg("90").arg(21);
        QTest::newRow("F0 without F7") << QByteArray::fromHex("f0 00 20 6b 7f 42 02 00 01 72") + set
                                       << wrong.arg("F0").arg(10);
        QTest::newRow("a request") << QByteArray::fromHex("f0 00 20 6b 7f 42 01 00 40 06 f7") + set
                                   << wrong.arg("F7").arg(10);
        QTest::newRow("memory 9") << QByteArray::fromHex("f0 00 20 6b 7f 42 02 09 40 06 00 f7")
                                  << wrong.arg("09").arg(7);
        QTest::newRow("sub-parameter 7") << set + QByteArray::fromHex("f0 00 20 6b 7f 42 02 00 07 72 00 f7")
                                         << wrong.arg("07").arg(20);
        QTest::newRow("no such control") << QByteArray::fromHex("f0 00 20 6b 7f 42 02 00 01 22 00 f7")
                                         << wrong.arg("22").arg(9);
        QTest::newRow("truncated") << set + set.left(7)
                                   << QStringLiteral("Not a settings file of this keyboard: it ends inside the "
                                                     "message that starts at offset 12.");
        QTest::newRow("empty") << QByteArray()
                               << QStringLiteral("Not a settings file of this keyboard: it holds no messages.");
        QTest::newRow("two memories") << set + QByteArray::fromHex("f0 00 20 6b 7f 42 02 05 01 72 09 f7")
                                      << QStringLiteral("The file holds set messages for memory workArea and, at "
                                                        "offset 12, for memory 5; it must hold those of one "
                                                        "memory only.");
        QTest::newRow("sets and replies") << set + reply("40 06 03")
                                          << QStringLiteral("The file mixes set messages with the keyboard's "
                                                            "replies (at offset 12); it must hold only one of the "
                                                            "two.");
    }

    void foreignOrBrokenFilesAreRefusedAtTheirFirstWrongByte()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, error);
        // Loaded through its name as the editor and telvir do.
        const QString path = writeTestFile(dir, "refused.syx", bytes);
        Settings settings = editedSettings();
        QString said;
        QVERIFY(!SettingsDocument::load(path, &settings, &said));
        QCOMPARE(said, error);
        QCOMPARE(imageOf(settings), imageOf(editedSettings()));
    }

    void aHugeFileIsRefusedWithoutReadingIt()
    {
        // A megabyte of valid messages: too much for one memory.
        QByteArray bytes;
        while (bytes.size() < 1024 * 1024)
            bytes += SysexFile::messages(Settings(), 0);
        const QString path = writeTestFile(dir, "huge.syx", bytes);
        Settings settings;
        QString error;
        QVERIFY(!SettingsDocument::load(path, &settings, &error));
        QCOMPARE(error, QStringLiteral("Not a settings file of this keyboard: it is larger than 65536 bytes."));
        // The largest file taken is still read whole.
        const QByteArray largest = bytes.left(int(SysexFile::kMaxSize / 12 * 12));
        SysexFile::Content content;
        QVERIFY2(SysexFile::parse(largest, &content, &error), qPrintable(error));
        QCOMPARE(imageOf(content.settings), imageOf(Settings()));
    }

    void aFileWithoutAKnownExtensionIsToldByItsFirstByte()
    {
        const QString path = writeTestFile(dir, "no-extension", SysexFile::messages(editedSettings(), 0));
        Settings settings;
        QString error;
        QVERIFY2(SettingsDocument::load(path, &settings, &error), qPrintable(error));
        QCOMPARE(imageOf(settings), imageOf(editedSettings()));
    }
};

QTEST_MAIN(TestSysexFile)
#include "tst_sysexfile.moc"
