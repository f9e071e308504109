// Choosing a control on the picture and editing it: marker clicks, the pad
// bank, what each field shows and what each field stores in the record.

#include "editorprobe.h"
#include "nokeyboard.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

class TestControlEditor : public QObject
{
    Q_OBJECT

    // These tests are about the window itself; it starts without a keyboard.
    NoKeyboard noKeyboard;

private:
    // Chooses item `text` as a user would; the field reports the change.
    static void choose(SettingComboBox *box, const QString &text)
    {
        const int position = box->findText(text, Qt::MatchExactly);
        QVERIFY2(position >= 0, qPrintable(text + QStringLiteral(" is not offered")));
        box->setCurrentIndex(position);
    }

private slots:
    void markerClickShowsItsControlAndMovesTheHighlight()
    {
        MainWindow window;
        clickMarker(window, "pushButton_7");
        QCOMPARE(shownControl(window), QStringLiteral("Resonance"));
        QCOMPARE(window.currentControlIndex(), 2);
        QVERIFY(marker(window, "pushButton_7")->isSelected());

        clickMarker(window, "pushButton_33");
        QCOMPARE(shownControl(window), QStringLiteral("Substain"));
        QCOMPARE(window.currentControlIndex(), 36);
        QVERIFY(!marker(window, "pushButton_7")->isSelected());
        QVERIFY(marker(window, "pushButton_33")->isSelected());

        // Clicking the highlighted marker again keeps it highlighted.
        clickMarker(window, "pushButton_33");
        QVERIFY(marker(window, "pushButton_33")->isSelected());
        int highlighted = 0;
        for (DeviceWidget *found : window.findChildren<DeviceWidget *>())
            highlighted += found->isSelected() ? 1 : 0;
        QCOMPARE(highlighted, 1);
    }

    void everyMarkerStandsForItsControl()
    {
        const QList<QPair<const char *, QString>> markers = {
            {"pushButton_5", "Volume"},     {"pushButton_6", "Cutoff"},   {"pushButton_12", "Release"},
            {"pushButton_13", "Select"},    {"pushButton_16", "Delay"},   {"pushButton_20", "Params 4"},
            {"pushButton_21", "Pad #1"},    {"pushButton_28", "Pad #8"},  {"pushButton_29", "OCT -"},
            {"pushButton_30", "OCT +"},     {"pushButton_31", "Pitch"},   {"pushButton_32", "Mod"},
        };
        MainWindow window;
        for (const auto &entry : markers) {
            clickMarker(window, entry.first);
            QCOMPARE(shownControl(window), entry.second);
        }
    }

    void padBankBeforeAnySelectionDoesNothing()
    {
        MainWindow window;
        clickMarker(window, "padSwitch");
        QVERIFY(!marker(window, "padSwitch")->isSelected());
        QCOMPARE(window.currentControlIndex(), -1);
        QCOMPARE(shownControl(window), QString());
        QCOMPARE(field(window, "mode")->count(), 0);

        // The bank stayed low: the first pad click shows pad 1, not pad 9.
        clickMarker(window, "pushButton_21");
        QCOMPARE(shownControl(window), QStringLiteral("Pad #1"));
    }

    void padBankSwitchesPadThreeToPadElevenAndBack()
    {
        MainWindow window;
        clickMarker(window, "pushButton_23");
        QCOMPARE(shownControl(window), QStringLiteral("Pad #3"));
        QCOMPARE(field(window, "ccNumber")->currentText(), QStringLiteral("38"));
        QCOMPARE(field(window, "mode")->currentText(), QStringLiteral("Midi Note"));

        clickMarker(window, "padSwitch");
        QVERIFY(marker(window, "padSwitch")->isSelected());
        QVERIFY(marker(window, "pushButton_23")->isSelected());
        QCOMPARE(window.currentControlIndex(), 26);
        QCOMPARE(shownControl(window), QStringLiteral("Pad #11"));
        QCOMPARE(field(window, "ccNumber")->currentText(), QStringLiteral("24"));
        QCOMPARE(field(window, "mode")->currentText(), QStringLiteral("Switched"));
        QCOMPARE(field(window, "modeOption")->currentText(), QStringLiteral("gate"));

        // Edits now go to pad 11, not pad 3.
        choose(field(window, "val"), QStringLiteral("99"));
        QCOMPARE(int(window.editedSettings().controls[26].val), 99);
        QCOMPARE(int(window.editedSettings().controls[18].val), 0);

        clickMarker(window, "padSwitch");
        QVERIFY(!marker(window, "padSwitch")->isSelected());
        QCOMPARE(shownControl(window), QStringLiteral("Pad #3"));
        QCOMPARE(field(window, "val")->currentText(), QStringLiteral("0"));
    }

    void knobStaysShownWhileTheBankIsHigh()
    {
        MainWindow window;
        clickMarker(window, "pushButton_5");
        clickMarker(window, "padSwitch");
        QCOMPARE(shownControl(window), QStringLiteral("Volume"));
        QCOMPARE(window.currentControlIndex(), 0);
        QVERIFY(marker(window, "pushButton_5")->isSelected());

        clickMarker(window, "pushButton_21");
        QCOMPARE(shownControl(window), QStringLiteral("Pad #9"));
        QCOMPARE(window.currentControlIndex(), 24);
        QVERIFY(!marker(window, "pushButton_5")->isSelected());
        QVERIFY(marker(window, "padSwitch")->isSelected());
        QCOMPARE(field(window, "ccNumber")->currentText(), QStringLiteral("22"));
    }

    void octaveButtonHasNothingButChannelAndRange()
    {
        MainWindow window;
        clickMarker(window, "pushButton_29");
        QCOMPARE(shownControl(window), QStringLiteral("OCT -"));
        QCOMPARE(field(window, "channel")->currentText(), QStringLiteral("Global"));
        QCOMPARE(field(window, "channel")->count(), 17);
        QCOMPARE(field(window, "lsb")->currentText(), QStringLiteral("0"));
        QCOMPARE(field(window, "val")->currentText(), QStringLiteral("0"));
        QCOMPARE(field(window, "msb")->currentText(), QStringLiteral("127"));
        QCOMPARE(field(window, "msb")->count(), 128);
        for (const char *name : {"ccNumber", "mode", "modeOption"}) {
            QVERIFY2(!field(window, name)->isEnabled(), name);
            QCOMPARE(field(window, name)->count(), 0);
        }

        // A knob afterwards gets its fields back.
        clickMarker(window, "pushButton_6");
        for (const char *name : {"ccNumber", "mode", "modeOption"})
            QVERIFY2(field(window, name)->isEnabled(), name);
        QCOMPARE(field(window, "ccNumber")->currentText(), QStringLiteral("74"));
        QCOMPARE(itemsOf(field(window, "mode")), (QStringList{"Off - Disabled", "Continuous", "NRPN / RPN"}));
        QCOMPARE(itemsOf(field(window, "modeOption")),
                 (QStringList{"absolute", "relative #1", "relative #2", "relative #3"}));
    }

    void modeListsFollowTheKindOfControl()
    {
        MainWindow window;
        clickMarker(window, "pushButton_24");
        QCOMPARE(itemsOf(field(window, "mode")),
                 (QStringList{"Off - Disabled", "MMC", "Switched", "Midi Note", "Patch Chg"}));
        clickMarker(window, "pushButton_31");
        QCOMPARE(itemsOf(field(window, "mode")), (QStringList{"Off - Disabled", "Pitch Bend"}));
        QCOMPARE(field(window, "mode")->currentText(), QStringLiteral("Pitch Bend"));
        QCOMPARE(itemsOf(field(window, "modeOption")), (QStringList{"standard", "hold"}));
        QVERIFY(!field(window, "ccNumber")->isEnabled());
        clickMarker(window, "pushButton_32");
        QCOMPARE(itemsOf(field(window, "mode")),
                 (QStringList{"Off - Disabled", "Continuous", "NRPN / RPN", "Aftertouch"}));
        QCOMPARE(field(window, "mode")->currentText(), QStringLiteral("Aftertouch"));
        clickMarker(window, "pushButton_33");
        QCOMPARE(itemsOf(field(window, "mode")), (QStringList{"Off - Disabled", "Switched", "Midi Note"}));
        QCOMPARE(field(window, "ccNumber")->currentText(), QStringLiteral("64"));
    }

    void disallowedModeIsShownAndStoredAsOff()
    {
        MainWindow window;
        clickMarker(window, "pushButton_5");
        // Mode 7 "MMC" is a pad mode; a knob cannot have it (a file may say so).
        Settings fromFile = window.editedSettings();
        fromFile.controls[0].mode = 7;
        fromFile.controls[0].modeOption = 3;
        window.replaceSettings(fromFile, QStringLiteral("Load"));
        QCOMPARE(field(window, "mode")->currentText(), QStringLiteral("Off - Disabled"));
        QVERIFY(!field(window, "modeOption")->isEnabled());
        QCOMPARE(field(window, "modeOption")->count(), 0);
        QCOMPARE(int(window.editedSettings().controls[0].mode), 0);
        // Only the mode is corrected.
        QCOMPARE(int(window.editedSettings().controls[0].modeOption), 3);
    }

    void choosingAModeResetsItsOptionAndRefreshesTheOptions()
    {
        MainWindow window;
        clickMarker(window, "pushButton_6");
        choose(field(window, "modeOption"), QStringLiteral("relative #2"));
        QCOMPARE(int(window.editedSettings().controls[1].modeOption), 2);

        choose(field(window, "mode"), QStringLiteral("NRPN / RPN"));
        QCOMPARE(int(window.editedSettings().controls[1].mode), 4);
        QCOMPARE(int(window.editedSettings().controls[1].modeOption), 0);
        QCOMPARE(itemsOf(field(window, "modeOption")), (QStringList{"NRPN", "RPN"}));
        QCOMPARE(field(window, "modeOption")->currentText(), QStringLiteral("NRPN"));

        choose(field(window, "modeOption"), QStringLiteral("RPN"));
        QCOMPARE(int(window.editedSettings().controls[1].modeOption), 1);

        choose(field(window, "mode"), QStringLiteral("Off - Disabled"));
        QCOMPARE(int(window.editedSettings().controls[1].mode), 0);
        QCOMPARE(int(window.editedSettings().controls[1].modeOption), 0);
        QVERIFY(!field(window, "modeOption")->isEnabled());

        // On a pad the same position means another mode: position 1 is "MMC" (7).
        clickMarker(window, "pushButton_22");
        choose(field(window, "mode"), QStringLiteral("MMC"));
        QCOMPARE(int(window.editedSettings().controls[17].mode), 7);
    }

    void controlFieldsStoreTheirPositions()
    {
        MainWindow window;
        clickMarker(window, "pushButton_14");
        choose(field(window, "channel"), QStringLiteral("Global"));
        QCOMPARE(int(window.editedSettings().controls[9].channel), 16);
        choose(field(window, "channel"), QStringLiteral("3"));
        QCOMPARE(int(window.editedSettings().controls[9].channel), 2);
        choose(field(window, "lsb"), QStringLiteral("5"));
        choose(field(window, "msb"), QStringLiteral("100"));
        choose(field(window, "val"), QStringLiteral("64"));
        choose(field(window, "ccNumber"), QStringLiteral("127"));
        const Setting &lfoRate = window.editedSettings().controls[9];
        // channel, lsb, msb, ccNumber, val, mode, modeOption
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(&lfoRate), 7), QByteArray::fromHex("0205647f400100"));
    }

    void ccNumberZeroDisablesTheFieldTheNextTimeItIsShown()
    {
        MainWindow window;
        clickMarker(window, "pushButton_5");
        choose(field(window, "ccNumber"), QStringLiteral("0"));
        QCOMPARE(int(window.editedSettings().controls[0].ccNumber), 0);
        QVERIFY(field(window, "ccNumber")->isEnabled());

        clickMarker(window, "pushButton_6");
        clickMarker(window, "pushButton_5");
        QVERIFY(!field(window, "ccNumber")->isEnabled());
        QCOMPARE(field(window, "ccNumber")->count(), 0);
    }

    void globalFieldsStoreTheirPositions()
    {
        MainWindow window;
        choose(field(window, "globalChannel"), QStringLiteral("10"));
        choose(field(window, "octave"), QStringLiteral("-1"));
        choose(field(window, "padCurve"), QStringLiteral("Full"));
        choose(field(window, "accel"), QStringLiteral("Fast"));
        choose(field(window, "knobMode"), QStringLiteral("relative"));
        choose(field(window, "velocityCurve"), QStringLiteral("Logarithmic"));
        // globalChannel, padCurve, accel, velocityCurve, octave, knobMode
        QCOMPARE(imageOf(window.editedSettings()).left(6), QByteArray::fromHex("090302010501"));
        // No control was selected, so no control changed.
        QCOMPARE(imageOf(window.editedSettings()).mid(6), imageOf(Settings()).mid(6));
    }

    void sendToMemChangesNothing()
    {
        MainWindow window;
        clickMarker(window, "pushButton_5");
        const QByteArray before = imageOf(window.editedSettings());
        choose(field(window, "memId"), QStringLiteral("3"));
        QCOMPARE(field(window, "memId")->currentIndex(), 3);
        QCOMPARE(imageOf(window.editedSettings()), before);
        QCOMPARE(field(window, "lsb")->currentText(), QStringLiteral("0"));
    }

    void defaultValuesKeepSelectionAndBank()
    {
        MainWindow window;
        clickMarker(window, "pushButton_21");
        clickMarker(window, "padSwitch");
        QCOMPARE(shownControl(window), QStringLiteral("Pad #9"));
        choose(field(window, "channel"), QStringLiteral("3"));
        choose(field(window, "mode"), QStringLiteral("Patch Chg"));
        choose(field(window, "octave"), QStringLiteral("+4"));

        QTest::mouseClick(widgetOf<QPushButton>(window, "btnDefault"), Qt::LeftButton);
        QCOMPARE(imageOf(window.editedSettings()), imageOf(Settings()));
        QCOMPARE(shownControl(window), QStringLiteral("Pad #9"));
        QVERIFY(marker(window, "padSwitch")->isSelected());
        QVERIFY(marker(window, "pushButton_21")->isSelected());
        QCOMPARE(field(window, "channel")->currentText(), QStringLiteral("Global"));
        QCOMPARE(field(window, "mode")->currentText(), QStringLiteral("Switched"));
        QCOMPARE(field(window, "modeOption")->currentText(), QStringLiteral("gate"));
        QCOMPARE(field(window, "ccNumber")->currentText(), QStringLiteral("22"));
        QCOMPARE(field(window, "octave")->currentText(), QStringLiteral("0"));
    }

    void defaultValuesBeforeAnySelectionResetTheGlobals()
    {
        MainWindow window;
        choose(field(window, "accel"), QStringLiteral("Medium"));
        QTest::mouseClick(widgetOf<QPushButton>(window, "btnDefault"), Qt::LeftButton);
        QCOMPARE(field(window, "accel")->currentText(), QStringLiteral("Slow"));
        QCOMPARE(imageOf(window.editedSettings()), imageOf(Settings()));
        QCOMPARE(shownControl(window), QString());
        QCOMPARE(field(window, "lsb")->count(), 0);
    }

    void keyboardCommandsLeaveTheRecordAlone()
    {
        // Sending finds no keyboard here. The firmware command asks questions
        // first; tst_firmwareupdate answers them.
        MainWindow window;
        clickMarker(window, "pushButton_5");
        const QByteArray before = imageOf(window.editedSettings());
        QTest::mouseClick(widgetOf<QPushButton>(window, "btnSend"), Qt::LeftButton);
        QCOMPARE(imageOf(window.editedSettings()), before);
        QCOMPARE(shownControl(window), QStringLiteral("Volume"));
    }

    void clickOnThePictureOutsideTheMarkersDoesNothing()
    {
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        // The keybed, far from every marker.
        QTest::mouseClick(widgetOf<QLabel>(window, "label"), Qt::LeftButton, Qt::NoModifier, QPoint(400, 300));
        QCOMPARE(window.currentControlIndex(), -1);
        QCOMPARE(shownControl(window), QString());
    }
};

QTEST_MAIN(TestControlEditor)
#include "tst_controleditor.moc"
