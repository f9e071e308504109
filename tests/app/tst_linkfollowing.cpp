// The main window following the keyboard as it is plugged in and out: the
// status line, the search in the background, commands that end when the
// keyboard goes, a port that stalls, "Read" and a chosen pair of ports.

#include "dialoganswerer.h"
#include "editorprobe.h"
#include "linkedwindow.h"
#include "virtualkeyboardrig.h"

#include "midi/midicontroller.h"
#include "midi/rememberedports.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLoggingCategory>
#include <QtTest>

namespace {
const std::string kKeyboard = "Telvir Keyboard";
const QString kConnected = QStringLiteral("OK: Successfully connect to device 'Telvir Keyboard' !");
const QString kNoConnection = QStringLiteral("Error: Could not connect to midi deivce.");

QString statusOf(const MainWindow &window)
{
    return widgetOf<QLabel>(window, "statusLine")->text();
}

void checkAnswered(const DialogAnswerer &answerer, const QStringList &messages)
{
    QVERIFY2(answerer.problems.isEmpty(), qPrintable(answerer.problems.join(QStringLiteral("; "))));
    QCOMPARE(answerer.messages, messages);
    QVERIFY(answerer.allStepsTaken());
}
} // namespace

class TestLinkFollowing : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLoggingCategory::setFilterRules("telvir.*.debug=false\ndefault.debug=false"); }

    void aKeyboardPluggedInIsLinkedWithoutAClickAndUnpluggingReleasesIt()
    {
        VirtualKeyboardRig rig({"Synth"}, {"Synth"});
        DialogAnswerer answerer;
        answerer.pressInMessageBox();
        MainWindow window;
        QCOMPARE(statusOf(window), QString("No keyboard connected"));
        field(window, "padCurve")->setCurrentIndex(2);
        const QByteArray edited = imageOf(window.editedSettings());

        rig.attachSimulator(kKeyboard, kKeyboard).setValue(0, 0x41, 3, 0x01);
        rig.plugIn(kKeyboard, kKeyboard);
        QTRY_COMPARE_WITH_TIMEOUT(statusOf(window), QString("Connected to 'Telvir Keyboard'"), 5000);
        // The edits stay; no box. Only ports of a pair with a new port
        // took part: the synth's output once more, for the new input, in
        // the one round.
        QCOMPARE(imageOf(window.editedSettings()), edited);
        QCOMPARE(int(rig.sent("Synth").size()), 2);
        checkAnswered(answerer, {kNoConnection});

        rig.unplug(kKeyboard, kKeyboard);
        QTRY_COMPARE_WITH_TIMEOUT(statusOf(window), QString("No keyboard connected"), 5000);
        QVERIFY(!rig.isInputOpen(kKeyboard));
    }

    void aWriteWhoseKeyboardGoesEndsWithTheFailureBox()
    {
        VirtualKeyboardRig rig({kKeyboard}, {kKeyboard});
        rig.attachSimulator(kKeyboard, kKeyboard);
        DialogAnswerer answerer;
        answerer.pressInMessageBox();
        answerer.pressInMessageBox();
        answerer.pressInMessageBox();
        MainWindow window;
        rig.unplugAfter(kKeyboard, kKeyboard, 20);
        QElapsedTimer clock;
        clock.start();
        window.sendToKeyboard();
        QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
        checkAnswered(answerer, {kConnected, "OK: Successfully recv 258 settings.", kNoConnection});
        QCOMPARE(statusOf(window), QString("No keyboard connected"));
        QVERIFY(!rig.isInputOpen(kKeyboard));
    }

    void aSearchOrAReadWhoseKeyboardGoesEndsWithItsFailureBox()
    {
        // The keyboard's cable comes out with the handshake, so the search
        // stops after its one round instead of going on.
        VirtualKeyboardRig rig({kKeyboard, "Synth"}, {kKeyboard, "Synth"});
        rig.attachSimulator(kKeyboard, kKeyboard);
        rig.unplugAfter(kKeyboard, kKeyboard, 1);
        DialogAnswerer answerer;
        answerer.pressInMessageBox();
        MainWindow window;
        checkAnswered(answerer, {kNoConnection});
        // The round's one, and at most one more for each change of the port
        // list that the watcher sees while the box is up (the keyboard's
        // going, on a slow build).
        QVERIFY2(rig.sent("Synth").size() <= 3, qPrintable(QString::number(rig.sent("Synth").size())));
        QCOMPARE(statusOf(window), QString("No keyboard connected"));

        // Plugged in again; then out during the read that "Read" starts.
        rig.plugIn(kKeyboard, kKeyboard);
        QTRY_COMPARE_WITH_TIMEOUT(statusOf(window), QString("Connected to 'Telvir Keyboard'"), 5000);
        field(window, "padCurve")->setCurrentIndex(2);
        const QByteArray edited = imageOf(window.editedSettings());
        rig.unplugAfter(kKeyboard, kKeyboard, 20);
        answerer.pressInMessageBox();
        menuItem(window, "menuKeyboard", QStringLiteral("Read"))->trigger();
        checkAnswered(answerer, {kNoConnection, "Error: Could not recv settings."});
        QCOMPARE(imageOf(window.editedSettings()), edited);
        QCOMPARE(statusOf(window), QString("No keyboard connected"));
        QVERIFY(!rig.isInputOpen(kKeyboard));
    }

    void aPortThatStallsEndsTheWholeWriteAndTheLink()
    {
        VirtualKeyboardRig rig({kKeyboard}, {kKeyboard});
        rig.attachSimulator(kKeyboard, kKeyboard);
        DialogAnswerer answerer;
        answerer.pressInMessageBox();
        answerer.pressInMessageBox();
        answerer.pressInMessageBox();
        MainWindow window;
        rig.clearSent();
        rig.setLongMessagesNeverFinish(kKeyboard, true);
        QElapsedTimer clock;
        clock.start();
        window.sendToKeyboard();
        // One message's timeout (3 s), not one for each of the 258.
        QVERIFY2(clock.elapsed() < 6000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(int(rig.sent(kKeyboard).size()), 1);
        checkAnswered(answerer, {kConnected, "OK: Successfully recv 258 settings.",
                                 "Error: The port of device 'Telvir Keyboard' stopped taking messages after 0 of "
                                 "them went out. The keyboard may hold only part of these settings."});
        QCOMPARE(statusOf(window), QString("No keyboard connected"));
    }

    void readReplacesTheSettingsOnlyWhenAnyCame()
    {
        VirtualKeyboardRig rig({kKeyboard}, {kKeyboard});
        KeyboardSimulator &keyboard = rig.attachSimulator(kKeyboard, kKeyboard);
        keyboard.setAnswerParameters(false);
        keyboard.setValue(0, 0x41, 4, 0x02); // "Fast"
        DialogAnswerer answerer;
        for (int box = 0; box < 4; ++box)
            answerer.pressInMessageBox();
        MainWindow window;
        menuItem(window, "menuKeyboard", QStringLiteral("Read"))->trigger();
        QCOMPARE(imageOf(window.editedSettings()), imageOf(Settings()));

        keyboard.setAnswerParameters(true);
        menuItem(window, "menuKeyboard", QStringLiteral("Read"))->trigger();
        checkAnswered(answerer, {kConnected, "Error: Could not recv settings.", "Error: Could not recv settings.",
                                 "OK: Successfully recv 258 settings."});
        QCOMPARE(field(window, "accel")->currentText(), QString("Fast"));
    }

    void aChosenPairIsTheOnlyPairTriedAndIsRemembered()
    {
        VirtualKeyboardRig rig({"Synth", kKeyboard}, {kKeyboard, "Synth"});
        rig.attachSimulator(kKeyboard, kKeyboard);
        DialogAnswerer answerer;
        answerer.pressInMessageBox();
        answerer.pressInMessageBox();
        answerer.pressInMessageBox();
        MainWindow window;
        rig.clearSent();

        const PortPair synth{"Synth", "Synth"};
        window.linkChosenPorts(synth);
        checkAnswered(answerer, {kConnected, "OK: Successfully recv 258 settings.",
                                 "Error: The keyboard did not answer on output 'Synth' with input 'Synth'."});
        QCOMPARE(int(rig.sent("Synth").size()), 1);
        QVERIFY(rig.sent(kKeyboard).empty());
        QCOMPARE(RememberedPorts::chosen(), std::optional<PortPair>(synth));
        QCOMPARE(statusOf(window), QString("No keyboard connected"));
    }

    void portsListsEveryKeyboardFoundToPickFrom()
    {
        VirtualKeyboardRig rig({"Left", "Synth", "Right"}, {"Right In", "Left In", "Synth"});
        rig.attachSimulator("Left", "Left In");
        rig.attachSimulator("Right", "Right In");
        const std::unique_ptr<MainWindow> window = linkedWindow();
        QVERIFY(window);
        QCOMPARE(statusOf(*window), QString("Connected to 'Left'"));

        // "Ports...": the second keyboard picked from those found; any
        // message box after it is noted and closed.
        QStringList listed;
        QStringList boxes;
        QTimer user;
        user.setInterval(10);
        connect(&user, &QTimer::timeout, [&] {
            QWidget *modal = QApplication::activeModalWidget();
            if (auto *box = qobject_cast<QMessageBox *>(modal)) {
                boxes << box->text();
                box->accept();
            } else if (auto *dialog = qobject_cast<QDialog *>(modal); dialog && listed.isEmpty()) {
                auto *found = dialog->findChild<QComboBox *>("foundKeyboard");
                for (int item = 0; item < found->count(); ++item)
                    listed << found->itemText(item);
                found->setCurrentIndex(1);
                emit found->activated(1);
                dialog->accept();
            }
        });
        user.start();
        menuItem(*window, "menuKeyboard", QStringLiteral("Ports..."))->trigger();
        QCOMPARE(listed, QStringList({"Output 'Left', input 'Left In'", "Output 'Right', input 'Right In'"}));
        QTRY_COMPARE_WITH_TIMEOUT(statusOf(*window), QString("Connected to 'Right'"), 5000);
        QCOMPARE(boxes, QStringList());
        QCOMPARE(RememberedPorts::chosen(), std::optional<PortPair>(PortPair{"Right", "Right In"}));
    }
};

QTEST_MAIN(TestLinkFollowing)
#include "tst_linkfollowing.moc"
