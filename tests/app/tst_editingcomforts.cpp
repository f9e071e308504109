// Undo and redo, the count of changes not on the keyboard, the question on
// closing with unsaved edits, and the markers without a mouse.

#include "dialoganswerer.h"
#include "editorprobe.h"
#include "nokeyboard.h"
#include "support/testfiles.h"
#include "virtualkeyboardrig.h"

#include <QApplication>
#include <QLabel>
#include <QLoggingCategory>
#include <QSet>
#include <QSettings>
#include <QtTest>

namespace {
const std::string kKeyboard = "Telvir Keyboard";
const QString kQuestion = QStringLiteral("Unsaved changes: Save the settings to a file before closing?");

// Row by row, left to right.
const QStringList kPictureOrder = {
    "pushButton_33", "pushButton_5",  "pushButton_6",  "pushButton_7",  "pushButton_8",  "pushButton_9",
    "pushButton_10", "pushButton_11", "pushButton_12", "pushButton_13", "pushButton_14", "pushButton_15",
    "pushButton_16", "pushButton_17", "pushButton_18", "pushButton_19", "pushButton_20", "padSwitch",
    "pushButton_29", "pushButton_30", "pushButton_21", "pushButton_22", "pushButton_23", "pushButton_24",
    "pushButton_25", "pushButton_26", "pushButton_27", "pushButton_28", "pushButton_31", "pushButton_32",
};

void showActive(MainWindow &window)
{
    window.show();
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));
}

// The shortcuts belong to the window, which a message box that just closed
// may have left inactive.
void press(MainWindow &window, const char *keys)
{
    QApplication::setActiveWindow(&window);
    QTest::keySequence(&window, QKeySequence(QLatin1String(keys)));
}

QByteArray recordOf(const MainWindow &window)
{
    return imageOf(window.editedSettings());
}

// The marker that has the focus after `key` on marker `from`.
QString focusAfter(const MainWindow &window, const QString &from, Qt::Key key)
{
    marker(window, qPrintable(from))->setFocus(Qt::TabFocusReason);
    QTest::keyClick(QApplication::focusWidget(), key);
    return QApplication::focusWidget()->objectName();
}

void checkAnswered(const DialogAnswerer &answerer, const QStringList &messages)
{
    QVERIFY2(answerer.problems.isEmpty(), qPrintable(answerer.problems.join(QStringLiteral("; "))));
    QCOMPARE(answerer.messages, messages);
    QVERIFY(answerer.allStepsTaken());
}
} // namespace

class TestEditingComforts : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        // Windows are closed on purpose here; that must not end the test.
        QApplication::setQuitOnLastWindowClosed(false);
        QLoggingCategory::setFilterRules("telvir.midi.debug=false\ndefault.debug=false");
    }

    void everyChangeIsOneStepOfTheWholeRecord()
    {
        NoKeyboard noKeyboard;
        MainWindow window;
        showActive(window);
        clickMarker(window, "pushButton_23");
        clickMarker(window, "padSwitch"); // "Pad #11"
        field(window, "octave")->setCurrentIndex(6);
        field(window, "val")->setCurrentIndex(42);
        const QByteArray edited = recordOf(window);

        window.resetSettings();
        window.resetSettings(); // changes nothing, so no step
        // As while the keyboard is talked to: the form and the menus.
        window.centralWidget()->setEnabled(false);
        window.menuBar()->setEnabled(false);
        press(window, "Ctrl+Z");
        QCOMPARE(recordOf(window), imageOf(Settings()));
        window.centralWidget()->setEnabled(true);
        window.menuBar()->setEnabled(true);
        press(window, "Ctrl+Z");
        QCOMPARE(recordOf(window), edited);
        QCOMPARE(shownControl(window), QStringLiteral("Pad #11"));
        QCOMPARE(field(window, "val")->currentText(), QStringLiteral("42"));
        press(window, "Ctrl+Shift+Z");
        QCOMPARE(recordOf(window), imageOf(Settings()));
        press(window, "Ctrl+Z");
        press(window, "Ctrl+Y");
        QCOMPARE(recordOf(window), imageOf(Settings()));
        press(window, "Ctrl+Z");
        press(window, "Ctrl+Z");
        QCOMPARE(int(window.editedSettings().controls[26].val), 0);
        QCOMPARE(int(window.editedSettings().octave), 6);

        // A new mode and the option it resets are one step.
        clickMarker(window, "pushButton_6");
        field(window, "modeOption")->setCurrentIndex(2);
        field(window, "mode")->setCurrentIndex(2);
        press(window, "Ctrl+Z");
        QCOMPARE(field(window, "modeOption")->currentText(), QStringLiteral("relative #2"));

        // Cutoff in a pad's mode is shown, and so stored, as "Off - Disabled";
        // loading the file again then changes nothing and makes no step.
        QByteArray image = imageOf(Settings());
        image[0] = 7;
        image[6 + 7 * 1 + 5] = 9;
        const QString path = writeTestFile(dir, "odd.telvir", QByteArray("TELVIR00") + image);
        const QByteArray beforeLoad = recordOf(window);
        QVERIFY(window.loadSettingsFile(path));
        image[6 + 7 * 1 + 5] = 0;
        QCOMPARE(recordOf(window), image);
        QVERIFY(window.loadSettingsFile(path));
        press(window, "Ctrl+Z");
        QCOMPARE(recordOf(window), beforeLoad);
    }

    void changesNotSentCountFromTheLastReadOrSend()
    {
        {
            NoKeyboard noKeyboard;
            MainWindow window;
            field(window, "accel")->setCurrentIndex(2);
            QCOMPARE(window.changesNotSent(), -1);
            QCOMPARE(window.changesNotSentText(), QString());
        }
        VirtualKeyboardRig rig({kKeyboard}, {kKeyboard});
        rig.attachSimulator(kKeyboard, kKeyboard).setValue(0, 0x40, 6, 0x05);
        auto answerer = std::make_unique<DialogAnswerer>();
        answerer->pressInMessageBox();
        answerer->pressInMessageBox();
        MainWindow window;
        showActive(window);
        const auto *statusLine = widgetOf<QLabel>(window, "statusLine");
        QCOMPARE(window.changesNotSent(), 0);

        clickMarker(window, "pushButton_5");
        field(window, "lsb")->setCurrentIndex(3);
        field(window, "padCurve")->setCurrentIndex(1);
        QCOMPARE(window.changesNotSent(), 2);
        QCOMPARE(statusLine->text(), QStringLiteral("Connected to 'Telvir Keyboard', 2 changes not sent"));
        answerer->pressInMessageBox();
        window.sendToKeyboard();
        QCOMPARE(window.changesNotSent(), 0);
        QCOMPARE(statusLine->text(), QStringLiteral("Connected to 'Telvir Keyboard'"));

        rig.clearSent();
        press(window, "Ctrl+Z");
        QCOMPARE(statusLine->text(), QStringLiteral("Connected to 'Telvir Keyboard', 1 change not sent"));
        QVERIFY(rig.sent(kKeyboard).empty()); // undo only changes the window

        // Not what was read at start, but what the keyboard holds: no question.
        press(window, "Ctrl+Shift+Z");
        QVERIFY(window.close());
        checkAnswered(*answerer, {"OK: Successfully connect to device 'Telvir Keyboard' !",
                                  "OK: Successfully recv 258 settings.",
                                  "OK: Successfully sent to device 'Telvir Keyboard' !"});
    }

    void settingsAReadMissedCountAsNotOnTheKeyboard()
    {
        VirtualKeyboardRig rig({kKeyboard}, {kKeyboard});
        KeyboardSimulator &keyboard = rig.attachSimulator(kKeyboard, kKeyboard);
        keyboard.setParameterReplyLimit(100);
        DialogAnswerer answerer;
        answerer.pressInMessageBox();
        answerer.pressInMessageBox();
        answerer.pressInMessageBox();
        MainWindow window;
        showActive(window);
        const auto *statusLine = widgetOf<QLabel>(window, "statusLine");
        // Whole in the tooltip; the line itself may shorten the port's name
        // in this test's large font.
        QCOMPARE(statusLine->toolTip(), QStringLiteral("Connected to 'Telvir Keyboard'; Read 100 of 258 settings, "
                                                       "158 changes not sent"));
        QVERIFY2(statusLine->text().endsWith(QLatin1String("; Read 100 of 258 settings, 158 changes not sent")),
                 qPrintable(statusLine->text()));
        // However long the line, the window keeps its size.
        QCOMPARE(window.size(), formSizeWithMenus(window));
        // A whole write puts every setting on the keyboard, and the keyboard
        // now answers the check's requests.
        keyboard.setParameterReplyLimit(-1);
        window.sendToKeyboard();
        QCOMPARE(statusLine->text(), QStringLiteral("Connected to 'Telvir Keyboard'"));
        checkAnswered(answerer, {"OK: Successfully connect to device 'Telvir Keyboard' !",
                                 "OK: Successfully recv 100 settings.",
                                 "OK: Successfully sent to device 'Telvir Keyboard' !"});
    }

    void successBoxesCanBeToldToStayAwayButFailuresAlwaysShow()
    {
        {
            VirtualKeyboardRig rig({kKeyboard}, {kKeyboard});
            rig.attachSimulator(kKeyboard, kKeyboard);
            DialogAnswerer answerer;
            answerer.tickAndPressInMessageBox();
            answerer.pressInMessageBox();
            MainWindow window;
            checkAnswered(answerer, {"OK: Successfully connect to device 'Telvir Keyboard' !",
                                     "OK: Successfully recv 258 settings."});
            QCOMPARE(answerer.withCheckBox.size(), 2);
        }
        {
            // The next start: the connection goes without a word.
            VirtualKeyboardRig rig({kKeyboard}, {kKeyboard});
            rig.attachSimulator(kKeyboard, kKeyboard);
            DialogAnswerer answerer;
            answerer.tickAndPressInMessageBox();
            MainWindow window;
            checkAnswered(answerer, {"OK: Successfully recv 258 settings."});
        }
        VirtualKeyboardRig rig({kKeyboard}, {kKeyboard}); // nobody answers
        DialogAnswerer answerer;
        answerer.pressInMessageBox();
        MainWindow window;
        checkAnswered(answerer, {"Error: Could not connect to midi deivce."});
        QVERIFY(answerer.withCheckBox.isEmpty());
        QSettings(QStringLiteral("Telvir"), QStringLiteral("Telvir Editor")).remove(QStringLiteral("quietBoxes"));
    }

    void closingAsksOnlyWhileEditsWouldBeLost()
    {
        NoKeyboard noKeyboard;
        MainWindow window;
        DialogAnswerer answerer;
        showActive(window);
        QVERIFY(window.close()); // unchanged since the start

        showActive(window);
        field(window, "octave")->setCurrentIndex(3);
        answerer.pressInMessageBox(QMessageBox::Cancel);
        QVERIFY(!window.close());
        answerer.pressInMessageBox(QMessageBox::Save);
        answerer.cancelFileDialog();
        QVERIFY(!window.close());
        answerer.chooseFile(dir.filePath("saved.telvir"));
        window.saveToFile();
        QVERIFY(window.close()); // the file holds the edits

        showActive(window);
        field(window, "octave")->setCurrentIndex(4);
        answerer.pressInMessageBox(QMessageBox::Save);
        answerer.chooseFile(dir.filePath("saved-on-close.telvir"));
        QVERIFY(window.close());
        QCOMPARE(readAll(dir.filePath("saved-on-close.telvir")).mid(8), recordOf(window));

        showActive(window);
        field(window, "octave")->setCurrentIndex(5);
        answerer.pressInMessageBox(QMessageBox::Discard);
        QVERIFY(window.close());
        checkAnswered(answerer, {kQuestion, kQuestion, kQuestion, kQuestion});
    }

    void markersWorkWithoutAMouse()
    {
        NoKeyboard noKeyboard;
        MainWindow window;
        showActive(window);
        QStringList tabbed{"pushButton_33"};
        for (int step = 1; step < kPictureOrder.size(); ++step)
            tabbed << focusAfter(window, tabbed.last(), Qt::Key_Tab);
        QCOMPARE(tabbed, kPictureOrder);

        QCOMPARE(focusAfter(window, "pushButton_5", Qt::Key_Right), QStringLiteral("pushButton_6"));
        QCOMPARE(focusAfter(window, "pushButton_5", Qt::Key_Down), QStringLiteral("pushButton_13"));
        QCOMPARE(focusAfter(window, "pushButton_21", Qt::Key_Left), QStringLiteral("pushButton_30"));
        QSet<QString> reached{"pushButton_5"};
        for (QStringList next{"pushButton_5"}; !next.isEmpty();) {
            const QString from = next.takeFirst();
            for (Qt::Key arrow : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down}) {
                const QString to = focusAfter(window, from, arrow);
                if (!reached.contains(to))
                    next << to;
                reached << to;
            }
        }
        QCOMPARE(reached, QSet<QString>(kPictureOrder.begin(), kPictureOrder.end()));

        focusAfter(window, "pushButton_23", Qt::Key_Space);
        QCOMPARE(shownControl(window), QStringLiteral("Pad #3"));
        focusAfter(window, "padSwitch", Qt::Key_Enter);
        QCOMPARE(shownControl(window), QStringLiteral("Pad #11"));
        focusAfter(window, "pushButton_6", Qt::Key_Return);
        QCOMPARE(shownControl(window), QStringLiteral("Cutoff"));
        QVERIFY(marker(window, "pushButton_6")->isSelected() && !marker(window, "pushButton_23")->isSelected());
    }

    void markersAndFieldsAreNamedForScreenReaders()
    {
        NoKeyboard noKeyboard;
        MainWindow window;
        QStringList names;
        for (const QString &name : kPictureOrder)
            names << marker(window, qPrintable(name))->accessibleName();
        for (const char *name : {"globalChannel", "octave", "padCurve", "accel", "knobMode", "velocityCurve",
                                 "ccNumber", "mode", "lsb", "channel", "val", "modeOption", "msb", "memId"})
            names << field(window, name)->accessibleName();
        QCOMPARE(names.join(QStringLiteral("|")),
                 QStringLiteral("Substain|Volume|Cutoff|Resonance|Chorus|Attack|Decay|Sustain|Release|Select|"
                                "LFO Rate|LFO Amount|Delay|Params 1|Params 2|Params 3|Params 4|Pad Bank|OCT -|"
                                "OCT +|Pad #1 / Pad #9|Pad #2 / Pad #10|Pad #3 / Pad #11|Pad #4 / Pad #12|"
                                "Pad #5 / Pad #13|Pad #6 / Pad #14|Pad #7 / Pad #15|Pad #8 / Pad #16|Pitch|Mod|"
                                "Channel|Octave|Pad Vel Curve|Knob Accel|Knob Mode|Velocity curve|"
                                "CC Number|Mode|Min / LSB|Channel|Value|Mode Option|Max / MSB|Send to Mem"));

        // Tooltips follow the record and the pad bank.
        QCOMPARE(marker(window, "pushButton_31")->toolTip(), QStringLiteral("Pitch: channel Global, mode Pitch Bend"));
        QCOMPARE(marker(window, "pushButton_29")->toolTip(), QStringLiteral("OCT -: channel Global"));
        clickMarker(window, "pushButton_6");
        field(window, "channel")->setCurrentIndex(2);
        QCOMPARE(marker(window, "pushButton_6")->toolTip(), QStringLiteral("Cutoff: CC 74, channel 3, mode Continuous"));
        clickMarker(window, "padSwitch");
        QCOMPARE(marker(window, "pushButton_23")->toolTip(), QStringLiteral("Pad #11: CC 24, channel Global, mode Switched"));
    }
};

QTEST_MAIN(TestEditingComforts)
#include "tst_editingcomforts.moc"
