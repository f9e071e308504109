// The telvir program run in-process: its files, its exit status and its
// one-line errors, and its read, write and firmware commands against
// simulated keyboards on in-process ports. Expected bytes are written out
// from the keyboard's tables below.

#include "cli/commandline.h"
#include "cli/progressreport.h"
#include "midi/midicontroller.h"
#include "midi/midistreamparser.h"
#include "midi/rememberedports.h"
#include "model/controlcatalogue.h"
#include "model/settingsdocument.h"
#include "protocol/parametermap.h"
#include "virtualkeyboardrig.h"
#include "support/testfiles.h"
#include "support/wirebytes.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLoggingCategory>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {
const std::string kKeyboard = "Telvir Keyboard";

struct Outcome
{
    int status;
    QString out;
    QString err;
};

Outcome telvir(const QStringList &arguments, bool errorIsTerminal = false)
{
    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    const int status = CommandLine(outStream, errStream, errorIsTerminal).run(arguments);
    outStream.flush();
    errStream.flush();
    return {status, out, err};
}

// The factory settings file, from the keyboard's tables: "TELVIR00", six
// global zeros, then channel, lsb, msb, number, value, mode, option of
// each control.
QByteArray factoryFile()
{
    const int numbers[37] = {7, 74, 71, 93, 73, 75, 79, 72, 114, 76, 77, 91, 18, 19, 16, 17,
                             36, 37, 38, 39, 40, 41, 42, 43, 22, 23, 24, 25, 26, 27, 28, 29,
                             0, 0, 0, 1, 64};
    QByteArray file("TELVIR00");
    file.append(6, '\0');
    for (int index = 0; index < 37; ++index) {
        int mode = index < 16 ? 1 : index < 24 ? 9 : index < 32 ? 8 : QList<int>{0, 0, 12, 14, 8}[index - 32];
        int option = (index >= 16 && index < 32) || index == 36 ? 1 : 0;
        file.append(char(16)).append(char(0)).append(char(127)).append(char(numbers[index]));
        file.append(char(0)).append(char(mode)).append(char(option));
    }
    return file;
}

// "Pad #3" (index 18) starts at this offset of a settings file.
constexpr int kPad3 = 8 + 6 + 7 * 18;

// Raw bytes into a keyboard, as a SysEx sender plays a file to it: split
// into messages by the port's own parser.
class RawInput : public MidiStreamParser::Handler
{
public:
    explicit RawInput(KeyboardSimulator &keyboard) : keyboard_(keyboard) {}
    void play(const QByteArray &bytes)
    {
        MidiStreamParser parser;
        parser.feed(reinterpret_cast<const unsigned char *>(bytes.constData()), std::size_t(bytes.size()), *this);
    }
    void shortMessage(DWORD) override {}
    void sysexByte(unsigned char byte) override { message_ += char(byte); }
    void sysexEnd() override
    {
        keyboard_.receive(message_);
        message_.clear();
    }
    void sysexBroken() override { message_.clear(); }

private:
    KeyboardSimulator &keyboard_;
    std::string message_;
};

// Every parameter of every memory, as (slot, selector, number) = value.
QMap<QString, int> memoriesOf(const KeyboardSimulator &keyboard)
{
    QMap<QString, int> values;
    const auto add = [&](int slot, int selector, int number) {
        values.insert(QStringLiteral("%1 %2 %3").arg(slot).arg(selector).arg(number),
                      keyboard.value(slot, selector, number));
    };
    for (int slot = 0; slot < KeyboardSimulator::kMemoryCount; ++slot) {
        for (const GlobalParameterWire &global : kGlobalParameterWires)
            add(slot, global.selector, global.number);
        for (int index = 0; index < kControlCount; ++index) {
            for (int sub = 0; sub < 7; ++sub)
                add(slot, sub, kControlIds[index]);
        }
    }
    return values;
}

// The line of `memories` output for one memory.
QString memoryLine(const QString &memories, const QString &memory)
{
    for (const QString &line : memories.split(QLatin1Char('\n'))) {
        if (line.section(QLatin1Char(' '), 0, 0) == memory)
            return line;
    }
    return QString();
}

QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QList<QByteArray> hexList(const std::vector<std::string> &messages)
{
    QList<QByteArray> list;
    for (const std::string &message : messages)
        list << hexOf(message);
    return list;
}
} // namespace

class TestCommandLine : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    QTemporaryDir configDir;

    QString path(const QString &name) const { return dir.filePath(name); }

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid() && configDir.isValid());
        // The remembered ports live in QSettings: never the user's own.
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(configDir.path()));
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, configDir.path());
        QVERIFY(QSettings("Telvir", "Telvir Editor").fileName().startsWith(configDir.path()));
    }

    void versionHelpAndBadUsage()
    {
        QCOMPARE(telvir({"--version"}).out, QStringLiteral("telvir " TELVIR_VERSION "\n"));
        const Outcome help = telvir({"--help"});
        QCOMPARE(help.status, 0);
        for (const char *command : {"ports", "read", "write", "firmware", "show", "convert", "diff"})
            QVERIFY2(help.out.contains(QStringLiteral("\n  %1 ").arg(command)), command);

        const QList<QPair<QStringList, QString>> bad = {
            {{}, "telvir: no command given (see telvir --help)\n"},
            {{"backup"}, "telvir: unknown command 'backup' (see telvir --help)\n"},
            {{"show"}, "telvir: usage: telvir show FILE [--json] (see telvir --help)\n"},
            {{"diff", "a.json", "b.json", "--json"}, "telvir: diff takes no --json (see telvir --help)\n"},
            {{"write", "a.telvir", "--memory", "9"}, "telvir: --memory takes workArea or 1..8, not '9' (see telvir --help)\n"},
            {{"read", "a.telvir", "--pace", "fast"}, "telvir: --pace takes a number of milliseconds from 0 to 1000, not 'fast' (see telvir --help)\n"},
            {{"firmware", "a.bin", "--pace", "5"}, "telvir: firmware takes no --pace (see telvir --help)\n"},
            {{"show", "--colour", "a"}, "telvir: Unknown option 'colour'. (see telvir --help)\n"},
            {{"read", "a.telvir", "--ports", "0"}, "telvir: --ports takes an output and an input port, once: --ports OUT IN (see telvir --help)\n"},
            {{"show", "a.telvir", "--ports", "0", "0"}, "telvir: show takes no --ports (see telvir --help)\n"},
        };
        for (const auto &usage : bad) {
            const Outcome outcome = telvir(usage.first);
            QCOMPARE(outcome.status, 2);
            QCOMPARE(outcome.err, usage.second);
            QVERIFY(outcome.out.isEmpty());
        }
    }

    void showPrintsEverySettingByName()
    {
        QByteArray file = factoryFile();
        file[8 + 2] = 2;            // accel: Fast
        file[kPad3] = 40;           // a channel no item shows
        const QString telvirFile = writeTestFile(dir, "show.telvir", file);
        const Outcome shown = telvir({"show", telvirFile});
        QCOMPARE(shown.status, 0);
        const QStringList lines = shown.out.split('\n');
        QCOMPARE(lines.mid(0, 7), QStringList({"Channel: 1", "Octave: 0", "Pad Vel Curve: Linear", "Knob Accel: Fast",
                                               "Knob Mode: absolute", "Velocity curve: Linear", ""}));
        QCOMPARE(lines[7].simplified(),
                 QStringLiteral("Control Channel CC Number Mode Mode Option Min / LSB Max / MSB Value"));
        QCOMPARE(lines.size(), 7 + 1 + 37 + 1);
        QCOMPARE(lines[8].simplified(), QStringLiteral("Volume Global 7 Continuous absolute 0 127 0"));
        QCOMPARE(lines[8 + 18].simplified(), QStringLiteral("Pad #3 40 38 Midi Note gate 0 127 0"));
        QCOMPARE(lines[8 + 36].simplified(), QStringLiteral("Substain Global 64 Switched gate 0 127 0"));

        const Outcome json = telvir({"show", telvirFile, "--json"});
        QVERIFY(json.out.contains("\"accel\": \"Fast\""));
        QVERIFY(json.out.contains("\"channel\": 40"));
    }

    void convertKeepsEveryByteAndRefusesBadDocuments()
    {
        QByteArray file = factoryFile();
        for (int offset = 8; offset < file.size(); offset += 5)
            file[offset] = char(0xF0 + offset % 16); // out of every range
        const QString original = writeTestFile(dir, "original.telvir", file);
        QCOMPARE(telvir({"convert", original, path("document.json")}).status, 0);
        QCOMPARE(telvir({"convert", path("document.json"), path("back.telvir")}).status, 0);
        QCOMPARE(readAll(path("back.telvir")), file);

        // A misspelt mode: one line naming the field, and nothing written,
        // not even over a file that is already there.
        QByteArray json = readAll(path("document.json"));
        const QByteArray misspelt = QByteArray(json).replace("\"Aftertouch\"", "\"Afterpressure\"");
        QVERIFY(misspelt != json);
        const QString bad = writeTestFile(dir, "bad.json", misspelt);
        const QString existing = writeTestFile(dir, "existing.telvir", "kept");
        const Outcome refused = telvir({"convert", bad, existing});
        QCOMPARE(refused.status, 1);
        QCOMPARE(refused.err, QStringLiteral("telvir: %1: control \"Mod\", field \"mode\": \"Afterpressure\" is none of "
                                             "\"Off - Disabled\", \"Continuous\", \"NRPN / RPN\", \"Aftertouch\"\n")
                                  .arg(QDir::toNativeSeparators(bad)));
        QCOMPARE(readAll(existing), QByteArray("kept"));
        const Outcome syntax = telvir({"convert", writeTestFile(dir, "syntax.json", "{\n\"format\": \n}"), path("new.telvir")});
        QCOMPARE(syntax.status, 1);
        QVERIFY2(syntax.err.contains(": line 3: "), qPrintable(syntax.err));
        QVERIFY(!QFile::exists(path("new.telvir")));
    }

    void diffListsAChangedPadLikeDiff()
    {
        const QString factory = writeTestFile(dir, "factory.telvir", factoryFile());
        QByteArray changed = factoryFile();
        changed[kPad3] = 4;          // channel 5
        changed[kPad3 + 5] = 11;     // "Patch Chg"
        changed[kPad3 + 6] = 0;      // which has no options: a number
        const QString pad = writeTestFile(dir, "pad.telvir", changed);
        QCOMPARE(telvir({"convert", pad, path("pad.json")}).status, 0);

        const Outcome same = telvir({"diff", factory, factory});
        QCOMPARE(same.status, 0);
        QVERIFY(same.out.isEmpty());
        const Outcome different = telvir({"diff", factory, path("pad.json")});
        QCOMPARE(different.status, 1);
        QCOMPARE(different.out, QStringLiteral("Pad #3, Channel: Global -> 5\n"
                                               "Pad #3, Mode: Midi Note -> Patch Chg\n"
                                               "Pad #3, Mode Option: gate -> 0\n"));
        const Outcome trouble = telvir({"diff", factory, path("missing.telvir")});
        QCOMPARE(trouble.status, 2);
        QVERIFY(trouble.err.startsWith("telvir: ") && trouble.err.count('\n') == 1);
    }

    void readSavesTheKeyboardsSettings()
    {
        VirtualKeyboardRig rig({kKeyboard}, {kKeyboard});
        KeyboardSimulator &keyboard = rig.attachSimulator(kKeyboard, kKeyboard);
        keyboard.setValue(0, 0x41, 4, 0x02); // accel Fast
        keyboard.setValue(0, 0x40, 3, 0x43); // octave -3, code 7
        keyboard.setValue(0, 2, 0x72, 0x05); // "Pad #3" channel 6
        keyboard.setValue(0, 1, 0x72, 0x08); //          "Switched"

        const Outcome read = telvir({"read", path("read.telvir")});
        QCOMPARE(read.err, QString());
        QCOMPARE(read.status, 0);
        QCOMPARE(read.out, QStringLiteral("Read 258 settings from 'Telvir Keyboard' into %1\n")
                               .arg(QDir::toNativeSeparators(path("read.telvir"))));
        QByteArray expected = factoryFile();
        expected[8 + 2] = 2;
        expected[8 + 4] = 7;
        expected[kPad3] = 5;
        expected[kPad3 + 5] = 8;
        QCOMPARE(readAll(path("read.telvir")), expected);

        const QList<QByteArray> sent = hexList(rig.sent(kKeyboard));
        QCOMPARE(sent.size(), 1 + 258);
        QCOMPARE(sent[0], QByteArray("f0 7e 7f 0a 0b f7"));
        QCOMPARE(sent[1], QByteArray("f0 00 20 6b 7f 42 01 00 40 02 f7"));
        QCOMPARE(sent.last(), QByteArray("f0 00 20 6b 7f 42 01 00 06 50 f7"));
        // The command closed the link behind it.
        QVERIFY(!rig.isInputOpen(kKeyboard));
    }

    void aReadWithRepliesMissingLeavesTheBackupAsItWas()
    {
        VirtualKeyboardRig rig({kKeyboard}, {kKeyboard});
        rig.attachSimulator(kKeyboard, kKeyboard).setParameterReplyLimit(100);
        QByteArray backup = factoryFile();
        backup[8 + 2] = 1; // a backup that differs from what a read would make
        const QString file = writeTestFile(dir, "backup.telvir", backup);

        const Outcome read = telvir({"read", file});
        QCOMPARE(read.status, 1);
        QCOMPARE(read.out, QString());
        QCOMPARE(read.err, QStringLiteral("telvir: Read only 100 of 258 settings; %1 was not written.\n")
                               .arg(QDir::toNativeSeparators(file)));
        QCOMPARE(readAll(file), backup);
    }

    void writeSendsADocumentToMemoryFour()
    {
        VirtualKeyboardRig rig({kKeyboard}, {kKeyboard});
        KeyboardSimulator &keyboard = rig.attachSimulator(kKeyboard, kKeyboard);
        QByteArray file = factoryFile();
        file[8 + 5] = 1;         // knobMode relative
        file[kPad3 + 3] = 0x30;  // note 48
        const QString telvirFile = writeTestFile(dir, "write.telvir", file);
        QCOMPARE(telvir({"convert", telvirFile, path("write.json")}).status, 0);

        const Outcome written = telvir({"write", path("write.json"), "--memory", "4"});
        QCOMPARE(written.err, QString());
        QCOMPARE(written.status, 0);
        QCOMPARE(written.out, QStringLiteral("Sent to memory 4 of device 'Telvir Keyboard'; a memory other than workArea cannot be read back, so the keyboard's copy was not checked.\n"));

        const QList<QByteArray> sent = hexList(rig.sent(kKeyboard));
        QCOMPARE(sent.size(), 1 + 258);
        QCOMPARE(sent[1], QByteArray("f0 00 20 6b 7f 42 02 04 40 02 7f f7"));
        QVERIFY(sent.contains("f0 00 20 6b 7f 42 02 04 03 72 30 f7"));
        for (const QByteArray &message : sent.mid(1))
            QCOMPARE(message.mid(0, 24), QByteArray("f0 00 20 6b 7f 42 02 04 "));
        rig.waitForReplies();
        QCOMPARE(keyboard.value(4, 3, 0x72), 0x30);
        QCOMPARE(keyboard.value(0, 3, 0x72), 0x26);
    }

    void aNumberOfZeroIsNotWrittenAndTheWriteSaysSo()
    {
        VirtualKeyboardRig rig({kKeyboard}, {kKeyboard});
        KeyboardSimulator &keyboard = rig.attachSimulator(kKeyboard, kKeyboard);
        QByteArray file = factoryFile();
        file[8 + 6 + 7 * 1 + 3] = 0; // Cutoff without a number
        const QString settingsFile = writeTestFile(dir, "nonumber.telvir", file);

        const Outcome written = telvir({"write", settingsFile});
        QCOMPARE(written.status, 0);
        QCOMPARE(written.out, QStringLiteral("Sent 257 messages to memory workArea of 'Telvir Keyboard'\n"));
        QCOMPARE(written.err, QStringLiteral("telvir: not sent: a CC Number / Note of 0 is never written, "
                                             "so the keyboard keeps its own for Cutoff\n"));
        QVERIFY(!hexList(rig.sent(kKeyboard)).contains("f0 00 20 6b 7f 42 02 00 03 01 00 f7"));

        // Read back by another run: the keyboard kept its number.
        rig.waitForReplies();
        QCOMPARE(telvir({"read", path("back.json")}).status, 0);
        Settings back;
        QString error;
        QVERIFY2(SettingsDocument::load(path("back.json"), &back, &error), qPrintable(error));
        QCOMPARE(int(back.controls[1].ccNumber), 74);
        QCOMPARE(keyboard.value(0, 3, 0x01), 74);
    }

    void anExportReplayedByteForByteLeavesWhatAWriteLeaves()
    {
        VirtualKeyboardRig rig({kKeyboard}, {kKeyboard});
        KeyboardSimulator &written = rig.attachSimulator(kKeyboard, kKeyboard);
        QByteArray file = factoryFile();
        file[8 + 4] = 6;         // octave "-2"
        file[kPad3 + 0] = 3;     // channel 4
        file[kPad3 + 3] = 0x30;  // note 48
        const QString settingsFile = writeTestFile(dir, "replayed.telvir", file);
        QCOMPARE(telvir({"write", settingsFile, "--memory", "3"}).status, 0);
        rig.waitForReplies();

        const Outcome exported = telvir({"export", settingsFile, path("replayed.syx"), "--memory", "3"});
        QCOMPARE(exported.err, QString());
        QCOMPARE(exported.status, 0);
        const QByteArray sysex = readAll(path("replayed.syx"));
        // The write's messages after its handshake, and nothing else.
        QByteArray sent;
        for (const std::string &message : rig.sent(kKeyboard))
            sent += QByteArray::fromStdString(message);
        QCOMPARE(sysex, sent.mid(int(rig.sent(kKeyboard).front().size())));

        KeyboardSimulator replayed;
        RawInput(replayed).play(sysex);
        QCOMPARE(replayed.value(3, 3, 0x72), 0x30);
        QCOMPARE(replayed.value(3, 0x40, 3), 0x42);
        QCOMPARE(memoriesOf(replayed), memoriesOf(written));

        // Back to a settings file: the three numbers of 0 are not carried.
        const Outcome back = telvir({"convert", path("replayed.syx"), path("back.telvir")});
        QCOMPARE(back.status, 0);
        QCOMPARE(back.err, QStringLiteral("telvir: The file does not carry 3 settings; they are the factory "
                                          "settings: OCT - CC Number, OCT + CC Number, Pitch CC Number\n"));
        QCOMPARE(readAll(path("back.telvir")), file);

        // A file of two memories is refused, and nothing is written.
        const QString mixed = writeTestFile(dir, "mixed.syx", sysex.left(24) + sysex.mid(24).replace("\x42\x02\x03", "\x42\x02\x04"));
        const Outcome refused = telvir({"convert", mixed, path("mixed.telvir")});
        QCOMPARE(refused.status, 1);
        QCOMPARE(refused.err, QStringLiteral("telvir: %1: The file holds set messages for memory 3 and, at offset "
                                             "24, for memory 4; it must hold those of one memory only.\n")
                                  .arg(QDir::toNativeSeparators(mixed)));
        QVERIFY(!QFile::exists(path("mixed.telvir")));
        QCOMPARE(telvir({"export", settingsFile, path("replayed.json")}).status, 2);
        QVERIFY(!QFile::exists(path("replayed.json")));
    }

    void portsOptionTriesExactlyThatPair()
    {
        VirtualKeyboardRig rig({"Synth", kKeyboard}, {"Synth In", kKeyboard});
        rig.attachSimulator(kKeyboard, kKeyboard);
        const QString settingsFile = writeTestFile(dir, "ports.telvir", factoryFile());

        // By number and by name; the synth is never asked.
        QCOMPARE(telvir({"write", settingsFile, "--ports", "1", "Telvir Keyboard"}).status, 0);
        QVERIFY(rig.sent("Synth").empty());
        // The pair that answered is remembered, in this test's settings.
        QVERIFY(RememberedPorts::lastLinked() == PortPair({kKeyboard, kKeyboard}));

        rig.clearSent();
        const Outcome other = telvir({"read", path("synth.telvir"), "--ports", "Synth", "0"});
        QCOMPARE(other.status, 1);
        QCOMPARE(other.err, QStringLiteral("telvir: The keyboard did not answer on output 'Synth' with input 'Synth In'.\n"));
        QCOMPARE(hexList(rig.sent("Synth")), QList<QByteArray>({"f0 7e 7f 0a 0b f7"}));
        QVERIFY(rig.sent(kKeyboard).empty());
        QVERIFY(!QFile::exists(path("synth.telvir")));

        const Outcome missing = telvir({"write", settingsFile, "--ports", "Telvir Keyboard", "7"});
        QCOMPARE(missing.status, 1);
        QCOMPARE(missing.err, QStringLiteral("telvir: there is no MIDI input port '7' (telvir ports lists them)\n"));
        QVERIFY(rig.sent(kKeyboard).empty());

        QCOMPARE(telvir({"ports", "--find"}).out,
                 QStringLiteral("output 0: Synth\noutput 1: Telvir Keyboard\ninput 0: Synth In\ninput 1: Telvir Keyboard\n"
                                "keyboard: output 1 'Telvir Keyboard', input 1 'Telvir Keyboard'\n"));
    }

    void allWritesEveryKeyboardAndNamesTheOneThatWentAway()
    {
        VirtualKeyboardRig rig({"Left", "Synth", "Right"}, {"Right In", "Left In", "Synth"});
        KeyboardSimulator &left = rig.attachSimulator("Left", "Left In");
        KeyboardSimulator &right = rig.attachSimulator("Right", "Right In");
        QByteArray file = factoryFile();
        file[kPad3 + 3] = 0x30; // note 48
        const QString settingsFile = writeTestFile(dir, "all.telvir", file);

        QCOMPARE(telvir({"ports", "--find"}).out,
                 QStringLiteral("output 0: Left\noutput 1: Synth\noutput 2: Right\n"
                                "input 0: Right In\ninput 1: Left In\ninput 2: Synth\n"
                                "keyboard: output 0 'Left', input 1 'Left In'\n"
                                "keyboard: output 2 'Right', input 0 'Right In'\n"));

        Outcome written = telvir({"write", settingsFile, "--all", "--memory", "2"});
        QCOMPARE(written.err, QString());
        QCOMPARE(written.status, 0);
        QCOMPARE(written.out, QStringLiteral("Sent to memory 2 of device 'Left'; a memory other than workArea cannot be read back, so the keyboard's copy was not checked.\n"
                                             "Sent to memory 2 of device 'Right'; a memory other than workArea cannot be read back, so the keyboard's copy was not checked.\n"));
        rig.waitForReplies();
        QCOMPARE(left.value(2, 3, 0x72), 0x30);
        QCOMPARE(right.value(2, 3, 0x72), 0x30);

        // The second keyboard's cable comes out in the middle of its write.
        file[kPad3 + 3] = 0x31;
        writeTestFile(dir, "all.telvir", file);
        rig.unplugAfter("Right", "Right In", 100);
        written = telvir({"write", settingsFile, "--all", "--memory", "2"});
        QCOMPARE(written.status, 1);
        QCOMPARE(written.out, QStringLiteral("Sent to memory 2 of device 'Left'; a memory other than workArea cannot be read back, so the keyboard's copy was not checked.\n"));
        QCOMPARE(written.err.count('\n'), 1);
        QVERIFY2(written.err.startsWith("telvir: keyboard on output 'Right', input 'Right In': "),
                 qPrintable(written.err));
        rig.waitForReplies();
        QCOMPARE(left.value(2, 3, 0x72), 0x31);

        QCOMPARE(telvir({"write", settingsFile, "--all", "--ports", "0", "1"}).status, 2);
    }

    void twoKeyboardsEachKeepTheirOwnMemoryThree()
    {
        QTemporaryDir data;
        qputenv("XDG_DATA_HOME", QFile::encodeName(data.path()));
        VirtualKeyboardRig rig({"Left", "Right"}, {"Left In", "Right In"});
        rig.attachSimulator("Left", "Left In");
        rig.attachSimulator("Right", "Right In");
        QByteArray file = factoryFile();
        file[kPad3 + 3] = 0x30;
        const QString a = writeTestFile(dir, "left.telvir", file);
        file[kPad3 + 3] = 0x31;
        writeTestFile(dir, "right.telvir", file);
        QCOMPARE(telvir({"write", a, "--memory", "3", "--ports", "Left", "Left In"}).status, 0);
        QCOMPARE(telvir({"write", path("right.telvir"), "--memory", "3", "--ports", "Right", "Right In"}).status, 0);

        const Outcome ofLeft = telvir({"memories", "--keyboard", "Left"});
        QCOMPARE(ofLeft.err, QString());
        QVERIFY2(ofLeft.out.startsWith("keyboard: output 'Left', input 'Left In'\n"), qPrintable(ofLeft.out));
        QVERIFY2(memoryLine(ofLeft.out, "3").endsWith("  left.telvir"), qPrintable(ofLeft.out));
        QVERIFY2(memoryLine(telvir({"memories", "--keyboard", "Right In"}).out, "3").endsWith("  right.telvir"),
                 qPrintable(ofLeft.out));
        // Without --keyboard: the one the search finds, the last linked first.
        const Outcome found = telvir({"memories"});
        QVERIFY2(found.out.startsWith("keyboard: output 'Right', input 'Right In'\n"), qPrintable(found.out));
        QVERIFY2(memoryLine(found.out, "3").endsWith("  right.telvir"), qPrintable(found.out));
        QCOMPARE(telvir({"recall", "3", path("back.telvir"), "--keyboard", "Left"}).status, 0);
        QCOMPARE(bytesOf(path("back.telvir")), bytesOf(a));

        const Outcome unnamed = telvir({"memories", "--keyboard", ""});
        QVERIFY2(unnamed.out.startsWith("keyboard: a keyboard not named\n"), qPrintable(unnamed.out));
        QCOMPARE(memoryLine(unnamed.out, "3"), QString("3         not known"));
        QCOMPARE(telvir({"memories", "--keyboard", "Nobody"}).err,
                 QString("telvir: No keyboard named 'Nobody' was written to from here.\n"));
        const Outcome both = telvir({"memories", "--keyboard", "in"});
        QCOMPARE(both.status, 1);
        QVERIFY2(both.err.startsWith("telvir: 'in' names more than one keyboard: "), qPrintable(both.err));
    }

    void aSetupKeepsItsFirstNameAndTravelsInABackup()
    {
        QTemporaryDir data;
        qputenv("XDG_DATA_HOME", QFile::encodeName(data.path()));
        VirtualKeyboardRig rig({kKeyboard}, {kKeyboard});
        rig.attachSimulator(kKeyboard, kKeyboard);
        QByteArray file = factoryFile();
        file[kPad3 + 3] = 0x32;
        const QString source = writeTestFile(dir, "source.telvir", file);
        QCOMPARE(telvir({"convert", source, path("x.json")}).status, 0);
        QCOMPARE(telvir({"write", path("x.json"), "--memory", "3"}).status, 0);
        QCOMPARE(telvir({"convert", path("x.json"), path("a.telvir")}).status, 0);
        QCOMPARE(telvir({"convert", path("a.telvir"), path("y.telvir")}).status, 0);
        QCOMPARE(telvir({"library", "export", "x.json", path("x2.json")}).out,
                 "Wrote 'x.json' into " + path("x2.json") + "\n");

        const QJsonObject listed =
            QJsonDocument::fromJson(telvir({"library", "--json"}).out.toUtf8()).object()["setups"].toArray()[0].toObject();
        QCOMPARE(listed["name"].toString(), QString("x.json"));
        QCOMPARE(listed["files"].toArray().toVariantList(), QVariantList({"x2.json", "y.telvir", "a.telvir", "x.json"}));
        const QString identifier = listed["identifier"].toString();
        QVERIFY2(QRegularExpression("^[0-9a-f]{8}$").match(identifier).hasMatch(), qPrintable(identifier));
        QCOMPARE(telvir({"library", "export", identifier, path("z.telvir")}).status, 0);
        QCOMPARE(bytesOf(path("z.telvir")), bytesOf(source));
        QCOMPARE(telvir({"recall", identifier, path("r.telvir")}).status, 0);
        QCOMPARE(bytesOf(path("r.telvir")), bytesOf(source));

        // The whole library into a file, never over one, and into another
        // computer's library twice.
        const QString backup = path("names-backup.sqlite");
        QFile::remove(backup);
        const Outcome backedUp = telvir({"library", "backup", backup});
        QCOMPARE(backedUp.err, QString());
        QCOMPARE(backedUp.out, "Backed up the library into " + backup + ": 1 setups and 7 events.\n");
        QCOMPARE(telvir({"library", "backup", backup}).err,
                 "telvir: " + backup + " exists already; a backup never replaces a file.\n");
        QTemporaryDir elsewhere;
        qputenv("XDG_DATA_HOME", QFile::encodeName(elsewhere.path()));
        QCOMPARE(telvir({"library", "restore", backup}).out,
                 "Restored " + backup + ": 1 setups and 7 events added; 0 setups and 0 events were in the library already.\n");
        QCOMPARE(telvir({"library", "restore", backup}).out,
                 "Restored " + backup + ": 0 setups and 0 events added; 1 setups and 7 events were in the library already.\n");
        QVERIFY2(memoryLine(telvir({"memories"}).out, "3").endsWith("  x.json"), qPrintable(telvir({"memories"}).out));
        QCOMPARE(telvir({"library", "export", "x.json", path("again.telvir")}).status, 0);
        QCOMPARE(bytesOf(path("again.telvir")), bytesOf(source));
    }

    void firmwareGoesToAKeyboardInUpgradeMode()
    {
        VirtualKeyboardRig rig({kKeyboard}, {kKeyboard});
        KeyboardSimulator &keyboard = rig.attachSimulator(kKeyboard, kKeyboard, true);
        const std::string image = randomImage(1500, 14);
        const QString firmwareFile = writeTestFile(dir, "firmware.bin", QByteArray::fromStdString(image));

        const Outcome upgraded = telvir({"firmware", firmwareFile});
        QCOMPARE(upgraded.status, 0);
        QCOMPARE(upgraded.out, QStringLiteral("Upgraded the firmware of 'Telvir Keyboard' with 1500 bytes from %1\n")
                                   .arg(QDir::toNativeSeparators(firmwareFile)));
        // Not a terminal: one line per tenth, none skipped.
        QStringList lines;
        for (int percent = 0; percent <= 100; percent += 10)
            lines << QStringLiteral("firmware %1 %").arg(percent);
        QCOMPARE(upgraded.err, lines.join('\n') + '\n');
        QCOMPARE(keyboard.announcedBlocks(), 3);
        QVERIFY(keyboard.firmwareComplete());
        QCOMPARE(keyboard.firmwareImage(), image + std::string(36, '\xFF'));
        // Probe, announcement of 3 blocks, then the first byte in halves.
        const auto first = static_cast<unsigned char>(image[0]);
        QCOMPARE(hexList(rig.sent(kKeyboard)).mid(0, 4),
                 QList<QByteArray>({"9a 01 02", "9a 7e 7d", "9a 00 03",
                                    QString::asprintf("90 %02x %02x", first >> 4, first & 0x0F).toLatin1()}));

        const Outcome empty = telvir({"firmware", writeTestFile(dir, "empty.bin", QByteArray())});
        QCOMPARE(empty.status, 1);
        QCOMPARE(empty.err, QStringLiteral("telvir: Could not upgrade firmware: %1 is empty.\n")
                                .arg(QDir::toNativeSeparators(dir.filePath("empty.bin"))));
    }

    void progressOnATerminalRedrawsOneLine()
    {
        QString text;
        QTextStream stream(&text);
        ProgressReport progress(stream, true);
        for (int percent : {0, 25, 25, 100})
            progress.report(percent);
        progress.finish();
        QCOMPARE(text.count('\r'), 3);
        QCOMPARE(text.count('\n'), 1);
        QVERIFY(text.endsWith("firmware [########################################] 100 %\n"));
    }

#ifdef Q_OS_UNIX
    void pathsThatAreNoFilesAreNamedInOneLine()
    {
        const QString pipe = path("pipe.telvir");
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        const QString good = writeTestFile(dir, "good.telvir", factoryFile());
        const QList<QPair<QStringList, QString>> cases = {
            {{"show", path("missing.telvir")}, QString("telvir: %1: The file does not exist\n").arg(path("missing.telvir"))},
            {{"show", ""}, QString("telvir: \"\": No file name was given\n")},
            {{"show", dir.path()}, QString("telvir: %1: This is a folder, not a file\n").arg(dir.path())},
            {{"show", pipe}, QString("telvir: %1: This is a named pipe, not a file\n").arg(pipe)},
            {{"convert", good, pipe},
             QString("telvir: could not write %1: This is a named pipe, not a file; it was left as it is\n").arg(pipe)},
        };
        // Qt warns of an empty file name on its own line unless nothing opens it.
        static QStringList qtMessages;
        qtMessages.clear();
        const QtMessageHandler previous = qInstallMessageHandler(
            [](QtMsgType, const QMessageLogContext &, const QString &text) { qtMessages << text; });
        QList<Outcome> outcomes;
        for (const auto &command : cases)
            outcomes << telvir(command.first);
        qInstallMessageHandler(previous);
        QCOMPARE(qtMessages, QStringList());
        for (int index = 0; index < cases.size(); ++index) {
            QCOMPARE(outcomes[index].status, 1);
            QCOMPARE(outcomes[index].err, cases[index].second);
        }
        QVERIFY(QFileInfo(pipe).exists() && !QFileInfo(pipe).isFile());
    }
#endif

    void withoutAKeyboardEachCommandFailsInOneLine()
    {
        VirtualKeyboardRig rig({kKeyboard}, {kKeyboard}); // ports, but nobody answers
        const QString settingsFile = writeTestFile(dir, "nokeyboard.telvir", factoryFile());
        const QString firmwareFile = writeTestFile(dir, "nokeyboard.bin", "image");
        const QList<QPair<QStringList, QString>> cases = {
            {{"read", path("never.telvir")}, "telvir: Could not connect to midi deivce.\n"},
            {{"ports", "--find"}, "telvir: Could not connect to midi deivce.\n"},
            {{"write", settingsFile}, "telvir: Could not connect to midi deivce.\n"},
            {{"firmware", firmwareFile}, "telvir: Could not connect to device.\n"},
        };
        for (const auto &command : cases) {
            const Outcome outcome = telvir(command.first);
            QCOMPARE(outcome.status, 1);
            QCOMPARE(outcome.err, command.second);
        }
        QVERIFY(!QFile::exists(path("never.telvir")));
        QCOMPARE(telvir({"ports"}).out, QStringLiteral("output 0: Telvir Keyboard\ninput 0: Telvir Keyboard\n"));

        // A keyboard that answers the handshake and nothing else.
        rig.attachSimulator(kKeyboard, kKeyboard).setAnswerParameters(false);
        const Outcome silent = telvir({"read", path("never.telvir")});
        QCOMPARE(silent.status, 1);
        QVERIFY2(silent.err.startsWith("telvir: Could not recv settings. 'Telvir Keyboard' sent no replies"),
                 qPrintable(silent.err));
        QVERIFY(!QFile::exists(path("never.telvir")));
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
