// The keyboard commands that the editor and telvir share: what each one
// comes to against simulated keyboards on in-process ports, and the one
// text the user reads for it.

#include "commands/keyboardcommand.h"
#include "midi/midicontroller.h"
#include "midi/rememberedports.h"
#include "model/settings.h"
#include "virtualkeyboardrig.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {
const std::string kKeyboard = "Telvir Keyboard";
using Kind = KeyboardOutcome::Kind;
} // namespace

class TestKeyboardCommand : public QObject
{
    Q_OBJECT

private slots:
    void findSaysWhichKeyboardOrWhyNone()
    {
        VirtualKeyboardRig rig({"Synth", kKeyboard}, {"Synth", kKeyboard});
        MidiController *link = nullptr;
        KeyboardOutcome outcome = KeyboardCommand::find(false, {}, &link);
        QVERIFY(!link);
        QCOMPARE(outcomeMessage(outcome), QStringLiteral("Could not connect to midi deivce."));
        QCOMPARE(outcomeTitle(outcome), QStringLiteral("Error"));
        outcome = KeyboardCommand::find(true, {}, &link);
        QCOMPARE(outcomeMessage(outcome), QStringLiteral("Could not connect to device."));

        rig.attachSimulator(kKeyboard, kKeyboard);
        LinkSearch chosen;
        chosen.onlyPair = PortPair{"Synth", "Synth"};
        outcome = KeyboardCommand::find(false, chosen, &link);
        QVERIFY(!link);
        QCOMPARE(outcomeMessage(outcome),
                 QStringLiteral("The keyboard did not answer on output 'Synth' with input 'Synth'."));

        outcome = KeyboardCommand::find(false, {}, &link);
        QVERIFY(link);
        QCOMPARE(outcome.kind, Kind::Linked);
        QCOMPARE(outcomeMessage(outcome), QStringLiteral("Successfully connect to device 'Telvir Keyboard' !"));
        QCOMPARE(outcomeTitle(outcome), QStringLiteral("OK"));
        // Finding stores nothing: remembering is the caller's.
        QVERIFY(!RememberedPorts::lastLinked());
        MidiController::releaseInstance();
    }

    void readCountsWhatCameAndNamesWhatDidNot()
    {
        VirtualKeyboardRig rig({kKeyboard}, {kKeyboard});
        KeyboardSimulator &keyboard = rig.attachSimulator(kKeyboard, kKeyboard);
        MidiController *link = nullptr;
        KeyboardCommand::find(false, {}, &link);
        QVERIFY(link);

        Settings settings;
        ReadReport report;
        KeyboardOutcome outcome = KeyboardCommand::read(*link, settings, &report);
        QCOMPARE(outcome.kind, Kind::SettingsRead);
        QCOMPARE(outcomeMessage(outcome), QStringLiteral("Successfully recv 258 settings."));
        QCOMPARE(outcomeTitle(outcome), QStringLiteral("OK"));
        QCOMPARE(report.requested, 258);
        QVERIFY(report.unanswered.empty());

        // The first 100 requests are the six globals and the first controls:
        // the last control left unanswered is "Substain", whose value is the
        // record's last field but six.
        keyboard.setParameterReplyLimit(100);
        outcome = KeyboardCommand::read(*link, settings, &report);
        QCOMPARE(outcome.count, 100);
        QCOMPARE(outcome.total, 258);
        QCOMPARE(int(report.unanswered.size()), 158);
        QVERIFY(std::count(report.unanswered.begin(), report.unanswered.end(), Settings::kImageSize - 7) == 1);
        QVERIFY(std::count(report.unanswered.begin(), report.unanswered.end(), std::size_t(0)) == 0);

        keyboard.setAnswerParameters(false);
        outcome = KeyboardCommand::read(*link, settings, &report);
        QCOMPARE(outcomeMessage(outcome), QStringLiteral("Could not recv settings."));
        QCOMPARE(outcomeTitle(outcome), QStringLiteral("Error"));
        MidiController::releaseInstance();
    }

    void writeSaysHowManyWentOutOrWhereItStopped()
    {
        VirtualKeyboardRig rig({kKeyboard}, {kKeyboard});
        rig.attachSimulator(kKeyboard, kKeyboard);
        MidiController *link = nullptr;
        KeyboardCommand::find(false, {}, &link);
        QVERIFY(link);

        // Into memory 0: sent, asked back and found there.
        KeyboardOutcome outcome = KeyboardCommand::write(*link, Settings(), 0);
        QCOMPARE(outcome.kind, Kind::Sent);
        QCOMPARE(outcome.total, 258);
        QCOMPARE(outcomeMessage(outcome), QStringLiteral("Successfully sent to device 'Telvir Keyboard' !"));

        rig.refuseSends(kKeyboard, 2);
        outcome = KeyboardCommand::write(*link, Settings(), 0);
        QCOMPARE(outcomeMessage(outcome),
                 QStringLiteral("The port of device 'Telvir Keyboard' refused 2 of 258 messages. "
                                "The keyboard may hold only part of these settings."));
        MidiController::releaseInstance();
    }

    void firmwareFilesAreRefusedBeforeAnythingIsSent()
    {
        QTemporaryDir dir;
        std::string image;
        const QString empty = dir.filePath("empty.bin");
        QFile(empty).open(QIODevice::WriteOnly);
        std::optional<KeyboardOutcome> refusal = KeyboardCommand::readFirmware(empty, &image);
        QVERIFY(refusal);
        QCOMPARE(refusal->kind, Kind::FirmwareEmpty);
        QCOMPARE(outcomeMessage(*refusal), QStringLiteral("Could not upgrade firmware."));
        refusal = KeyboardCommand::readFirmware(dir.filePath("missing.bin"), &image);
        QCOMPARE(refusal->kind, Kind::FirmwareUnreadable);

        QFile large(dir.filePath("large.bin"));
        QVERIFY(large.open(QIODevice::WriteOnly));
        large.write(QByteArray(2047 * 512 + 1, '\x11'));
        large.close();
        refusal = KeyboardCommand::readFirmware(large.fileName(), &image);
        QCOMPARE(outcomeMessage(*refusal), QStringLiteral("Could not upgrade firmware: the file is too large for the "
                                                          "keyboard (at most 1048064 bytes)."));
        QVERIFY(image.empty());
    }

    void memoriesAreNamedAsTheEditorNamesThem()
    {
        QCOMPARE(KeyboardCommand::memoryName(0), QStringLiteral("workArea"));
        QCOMPARE(KeyboardCommand::memorySlot(QStringLiteral("8")), std::optional<int>(8));
        QVERIFY(!KeyboardCommand::memorySlot(QStringLiteral("9")));
        for (const char *workArea : {"workArea", "workarea", "WorkArea", "WORKAREA", "0"})
            QCOMPARE(KeyboardCommand::memorySlot(QLatin1String(workArea)), std::optional<int>(0));
        for (const char *wrong : {"", "-1", "08", " 1", "work", "workArea1"})
            QVERIFY2(!KeyboardCommand::memorySlot(QLatin1String(wrong)), wrong);
    }
};

QTEST_GUILESS_MAIN(TestKeyboardCommand)
#include "tst_keyboardcommand.moc"
