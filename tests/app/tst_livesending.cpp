// "Live": changes of the window's record reach the keyboard's workArea as
// they are made, as the set messages a whole write sends for them, and
// only then; against a simulated keyboard on in-process ports.

#include "dialoganswerer.h"
#include "editorprobe.h"
#include "linkedwindow.h"
#include "virtualkeyboardrig.h"

#include "app/editorpreferences.h"
#include "app/livesender.h"
#include "midi/midicontroller.h"
#include "model/controlfields.h"
#include "support/wirebytes.h"

#include <QCheckBox>
#include <QLabel>
#include <QLoggingCategory>
#include <QSettings>
#include <QTimer>
#include <QUndoStack>
#include <QtTest>

#include <memory>

namespace {
const std::string kKeyboard = "Telvir Keyboard";
constexpr int kCutoff = 1;
constexpr int kCutoffId = 0x01;

const ControlField &controlField(const char *name)
{
    for (const ControlField &field : kControlFields) {
        if (qstrcmp(field.field, name) == 0)
            return field;
    }
    throw std::runtime_error(name);
}

QList<QByteArray> hexList(const std::vector<std::string> &messages)
{
    QList<QByteArray> list;
    for (const std::string &message : messages)
        list << hexOf(message);
    return list;
}

LiveSender &liveSender(const MainWindow &window)
{
    return *widgetOf<LiveSender>(window, "liveSender");
}

QCheckBox *liveBox(const MainWindow &window)
{
    return widgetOf<QCheckBox>(window, "liveBox");
}
} // namespace

class TestLiveSending : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QLoggingCategory::setFilterRules("telvir.midi.debug=false");
        // The test's own settings folder outlives a run: start as on a first start.
        QSettings(QStringLiteral("Telvir"), QStringLiteral("Telvir Editor")).clear();
    }

    void liveIsOffAtFirstStartAndRemembered()
    {
        VirtualKeyboardRig rig({kKeyboard}, {kKeyboard});
        rig.attachSimulator(kKeyboard, kKeyboard);
        {
            const std::unique_ptr<MainWindow> window = linkedWindow();
            QVERIFY(window);
            QVERIFY(!liveBox(*window)->isChecked());
            QVERIFY(!liveSender(*window).isOn());
            liveBox(*window)->setChecked(true);
        }
        const std::unique_ptr<MainWindow> again = linkedWindow();
        QVERIFY(again);
        QVERIFY(liveBox(*again)->isChecked());
        QVERIFY(liveSender(*again).isOn());
    }

    void oneFieldChangeSendsThatControlsSetMessagesAndUndoTheRestoredOnes()
    {
        EditorPreferences::setLiveSending(true);
        VirtualKeyboardRig rig({kKeyboard}, {kKeyboard});
        KeyboardSimulator &keyboard = rig.attachSimulator(kKeyboard, kKeyboard);
        const std::unique_ptr<MainWindow> window = linkedWindow();
        QVERIFY(window);
        LiveSender &live = liveSender(*window);
        keyboard.clearReceived();

        window->editControlField(kCutoff, controlField("ccNumber"), 80);
        QTRY_VERIFY(live.isIdle());
        // Cutoff (identifier 01) in "Continuous" on the global channel, to
        // memory 0: value, mode, channel, number, min, max, option.
        const QList<QByteArray> withNumber80 = {
            "f0 00 20 6b 7f 42 02 00 00 01 00 f7", "f0 00 20 6b 7f 42 02 00 01 01 01 f7",
            "f0 00 20 6b 7f 42 02 00 02 01 41 f7", "f0 00 20 6b 7f 42 02 00 03 01 50 f7",
            "f0 00 20 6b 7f 42 02 00 04 01 00 f7", "f0 00 20 6b 7f 42 02 00 05 01 7f f7",
            "f0 00 20 6b 7f 42 02 00 06 01 00 f7",
        };
        QCOMPARE(hexList(keyboard.received()), withNumber80);
        QCOMPARE(keyboard.value(0, 3, kCutoffId), 80);
        QCOMPARE(keyboard.value(1, 3, kCutoffId), 74);
        // On the keyboard now, so not counted as a change not sent.
        QCOMPARE(window->changesNotSent(), 0);

        keyboard.clearReceived();
        window->findChild<QUndoStack *>()->undo();
        QTRY_VERIFY(live.isIdle());
        QList<QByteArray> withNumber74 = withNumber80;
        withNumber74[3] = "f0 00 20 6b 7f 42 02 00 03 01 4a f7";
        QCOMPARE(hexList(keyboard.received()), withNumber74);
        QCOMPARE(keyboard.value(0, 3, kCutoffId), 74);

        // A global parameter goes alone.
        keyboard.clearReceived();
        field(*window, "globalChannel")->setCurrentIndex(2);
        QTRY_VERIFY(live.isIdle());
        QCOMPARE(hexList(keyboard.received()), QList<QByteArray>({"f0 00 20 6b 7f 42 02 00 40 06 02 f7"}));
        QCOMPARE(window->changesNotSent(), 0);
    }

    void liveIsCheckedOnceTheUserPausesAndWhatWasLostGoesAgain()
    {
        EditorPreferences::setLiveSending(true);
        VirtualKeyboardRig rig({kKeyboard}, {kKeyboard});
        KeyboardSimulator &keyboard = rig.attachSimulator(kKeyboard, kKeyboard);
        const std::unique_ptr<MainWindow> window = linkedWindow();
        QVERIFY(window);
        LiveSender &live = liveSender(*window);
        keyboard.clearReceived();
        // Of each batch of Cutoff's seven, the number is the 4th: lost in
        // the first and the fifth; the other losses carry values it holds.
        keyboard.setLoseSetEvery(4);
        for (int number = 80; number <= 84; ++number) {
            window->editControlField(kCutoff, controlField("ccNumber"), number);
            QTRY_VERIFY(live.isIdle());
        }
        QCOMPARE(keyboard.value(0, 3, kCutoffId), 83);
        // Nothing is asked while the user is at it.
        for (const std::string &message : keyboard.received())
            QCOMPARE(int(static_cast<unsigned char>(message[6])), 0x02);
        QCOMPARE(keyboard.receivedCount(), 5 * 7);

        QTRY_VERIFY_WITH_TIMEOUT(live.isChecked(), 10000);
        QCOMPARE(keyboard.value(0, 3, kCutoffId), 84);
        // Cutoff's seven asked back, its number sent again (lost once more)
        // and asked again, twice.
        const QList<QByteArray> afterEdits = hexList(keyboard.received()).mid(5 * 7);
        QCOMPARE(afterEdits.mid(0, 7),
                 QList<QByteArray>({"f0 00 20 6b 7f 42 01 00 00 01 f7", "f0 00 20 6b 7f 42 01 00 01 01 f7",
                                    "f0 00 20 6b 7f 42 01 00 02 01 f7", "f0 00 20 6b 7f 42 01 00 03 01 f7",
                                    "f0 00 20 6b 7f 42 01 00 04 01 f7", "f0 00 20 6b 7f 42 01 00 05 01 f7",
                                    "f0 00 20 6b 7f 42 01 00 06 01 f7"}));
        QCOMPARE(afterEdits.mid(7), QList<QByteArray>({"f0 00 20 6b 7f 42 02 00 03 01 54 f7",
                                                       "f0 00 20 6b 7f 42 01 00 03 01 f7",
                                                       "f0 00 20 6b 7f 42 02 00 03 01 54 f7",
                                                       "f0 00 20 6b 7f 42 01 00 03 01 f7"}));
        QCOMPARE(window->changesNotSent(), 0);
    }

    void liveOffOrNoLinkSendsNothingAndNoBacklogLater()
    {
        EditorPreferences::setLiveSending(false);
        VirtualKeyboardRig rig({kKeyboard}, {kKeyboard});
        KeyboardSimulator &keyboard = rig.attachSimulator(kKeyboard, kKeyboard);
        const std::unique_ptr<MainWindow> window = linkedWindow();
        QVERIFY(window);
        keyboard.clearReceived();
        window->editControlField(kCutoff, controlField("val"), 5);
        QTest::qWait(200);
        QCOMPARE(keyboard.receivedCount(), 0);
        QCOMPARE(window->changesNotSent(), 1);

        // Live on, but the keyboard went: nothing, now or once it is back.
        liveBox(*window)->setChecked(true);
        MidiController::releaseInstance();
        window->editControlField(kCutoff, controlField("val"), 6);
        QTRY_VERIFY(liveSender(*window).isIdle());
        QTest::qWait(200);
        QCOMPARE(keyboard.receivedCount(), 0);
        QVERIFY(MidiController::getInstance(false));
        keyboard.clearReceived();
        window->editControlField(0, controlField("val"), 9); // "Volume", identifier 30
        QTRY_VERIFY(liveSender(*window).isIdle());
        QTRY_COMPARE(keyboard.value(0, 0, 0x30), 9);
        for (const std::string &message : keyboard.received())
            QCOMPARE(int(static_cast<unsigned char>(message[9])), 0x30);
        QCOMPARE(keyboard.value(0, 0, kCutoffId), 0);
    }

    void aFloodOfChangesEndsWithTheLastValueOnTheKeyboard()
    {
        EditorPreferences::setLiveSending(true);
        VirtualKeyboardRig rig({kKeyboard}, {kKeyboard});
        KeyboardSimulator &keyboard = rig.attachSimulator(kKeyboard, kKeyboard);
        const std::unique_ptr<MainWindow> window = linkedWindow();
        QVERIFY(window);
        keyboard.clearReceived();
        int last = 0;
        for (int change = 0; change < 1000; ++change) {
            last = (change * 7) % 128;
            window->editControlField(kCutoff, controlField("val"), last);
            // A held key lets the window run its events now and then.
            if (change % 50 == 0)
                QCoreApplication::processEvents();
        }
        QCOMPARE(last, 81);
        QTRY_VERIFY(liveSender(*window).isIdle());
        QCOMPARE(keyboard.value(0, 0, kCutoffId), 81);
        QCOMPARE(window->changesNotSent(), 0);
        // Whole controls only, and nothing but Cutoff's.
        QCOMPARE(keyboard.receivedCount() % 7, 0);
        for (const std::string &message : keyboard.received())
            QCOMPARE(int(static_cast<unsigned char>(message[9])), kCutoffId);
    }

    void nothingGoesWhileACommandTalksToTheKeyboard()
    {
        EditorPreferences::setLiveSending(true);
        VirtualKeyboardRig rig({kKeyboard}, {kKeyboard});
        KeyboardSimulator &keyboard = rig.attachSimulator(kKeyboard, kKeyboard);
        const std::unique_ptr<MainWindow> window = linkedWindow();
        QVERIFY(window);
        keyboard.clearReceived();
        // Made while "Read" runs; the read then takes the keyboard's values,
        // so afterwards nothing differs and nothing is sent at all.
        bool editedWhileBusy = false;
        QTimer::singleShot(0, window.get(), [&] {
            editedWhileBusy = window->isKeyboardBusy();
            window->editControlField(kCutoff, controlField("val"), 99);
        });
        DialogAnswerer answerer;
        answerer.pressInMessageBox();
        window->readFromKeyboard();
        QVERIFY(editedWhileBusy);
        QTRY_VERIFY(liveSender(*window).isIdle());
        for (const std::string &message : keyboard.received())
            QCOMPARE(int(static_cast<unsigned char>(message[6])), 0x01); // requests only
        QCOMPARE(int(window->editedSettings().controls[kCutoff].val), 0);
        QCOMPARE(window->changesNotSent(), 0);
    }

    void aRefusedMessageLeavesItsChangeNotSent()
    {
        EditorPreferences::setLiveSending(true);
        VirtualKeyboardRig rig({kKeyboard}, {kKeyboard});
        KeyboardSimulator &keyboard = rig.attachSimulator(kKeyboard, kKeyboard);
        const std::unique_ptr<MainWindow> window = linkedWindow();
        QVERIFY(window);
        rig.refuseSends(kKeyboard, 1);
        window->editControlField(kCutoff, controlField("val"), 33);
        window->editControlField(0, controlField("val"), 44);
        QTRY_VERIFY(liveSender(*window).isIdle());
        // One batch in a write's order: Volume's first message was refused,
        // the rest of it and all of Cutoff's went out.
        QCOMPARE(keyboard.value(0, 0, 0x30), 0);
        QCOMPARE(keyboard.value(0, 1, 0x30), 1);
        QCOMPARE(keyboard.value(0, 0, kCutoffId), 33);
        QCOMPARE(window->changesNotSent(), 1);
    }

    void aNumberOfZeroNeverGoesOutAndStaysNotSentThroughLiveSendAndRead()
    {
        EditorPreferences::setLiveSending(true);
        VirtualKeyboardRig rig({kKeyboard}, {kKeyboard});
        KeyboardSimulator &keyboard = rig.attachSimulator(kKeyboard, kKeyboard);
        const std::unique_ptr<MainWindow> window = linkedWindow();
        QVERIFY(window);
        keyboard.clearReceived();

        window->editControlField(kCutoff, controlField("ccNumber"), 0);
        QTRY_VERIFY(liveSender(*window).isIdle());
        // Cutoff's set messages without its number: value, mode, channel,
        // min, max, option.
        QCOMPARE(hexList(keyboard.received()), QList<QByteArray>({
            "f0 00 20 6b 7f 42 02 00 00 01 00 f7", "f0 00 20 6b 7f 42 02 00 01 01 01 f7",
            "f0 00 20 6b 7f 42 02 00 02 01 41 f7", "f0 00 20 6b 7f 42 02 00 04 01 00 f7",
            "f0 00 20 6b 7f 42 02 00 05 01 7f f7", "f0 00 20 6b 7f 42 02 00 06 01 00 f7",
        }));
        QCOMPARE(keyboard.value(0, 3, kCutoffId), 74);
        QCOMPARE(window->changesNotSent(), 1);
        QVERIFY(widgetOf<QLabel>(*window, "statusLine")->text().contains(", 1 change not sent"));

        // A whole write sends the same: 257 messages, the number left out.
        keyboard.clearReceived();
        {
            DialogAnswerer answerer;
            answerer.pressInMessageBox();
            window->sendToKeyboard();
            QCOMPARE(answerer.messages, QStringList({"OK: Successfully sent to device 'Telvir Keyboard' !"}));
        }
        QTRY_VERIFY(liveSender(*window).isIdle());
        // Each asked back once, the check's request for it.
        int sets = 0;
        for (const std::string &message : keyboard.received())
            sets += message[6] == 0x02 ? 1 : 0;
        QCOMPARE(sets, 257);
        QCOMPARE(keyboard.receivedCount(), 2 * 257);
        QCOMPARE(keyboard.value(0, 3, kCutoffId), 74);
        QCOMPARE(window->changesNotSent(), 1);

        // A read does not ask for a number the record says is 0: the
        // keyboard's 74 is still what is known of it.
        {
            DialogAnswerer answerer;
            answerer.pressInMessageBox();
            window->readFromKeyboard();
            QCOMPARE(answerer.messages, QStringList({"OK: Successfully recv 257 settings."}));
        }
        QCOMPARE(int(window->editedSettings().controls[kCutoff].ccNumber), 0);
        QCOMPARE(window->changesNotSent(), 1);

        // Any other number goes, and is on the keyboard.
        keyboard.clearReceived();
        Settings withNumber = window->editedSettings();
        withNumber.controls[kCutoff].ccNumber = 75;
        window->replaceSettings(withNumber, QStringLiteral("Number 75"));
        QTRY_VERIFY(liveSender(*window).isIdle());
        QVERIFY(hexList(keyboard.received()).contains("f0 00 20 6b 7f 42 02 00 03 01 4b f7"));
        QCOMPARE(keyboard.value(0, 3, kCutoffId), 75);
        QCOMPARE(window->changesNotSent(), 0);
    }
};

QTEST_MAIN(TestLiveSending)
#include "tst_livesending.moc"
