// The main window's contact with the keyboard: the connection and read at
// start-up, "Send to Keyboard", and the release of the link on close,
// against a simulated keyboard on in-process ports. Every message box is
// answered by DialogAnswerer, which also records its title and text.

#include "dialoganswerer.h"
#include "editorprobe.h"
#include "virtualkeyboardrig.h"

#include "midi/midicontroller.h"
#include "support/wirebytes.h"

#include <QApplication>
#include <QLabel>
#include <QLoggingCategory>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <QtTest>

namespace {
const std::string kKeyboard = "Telvir Keyboard";
const QString kConnected = QStringLiteral("OK: Successfully connect to device 'Telvir Keyboard' !");
const QString kNoConnection = QStringLiteral("Error: Could not connect to midi deivce.");

QStringList globalFields(const MainWindow &window)
{
    QStringList shown;
    for (const char *name : {"globalChannel", "octave", "padCurve", "accel", "knobMode", "velocityCurve"})
        shown << field(window, name)->currentText();
    return shown;
}

void checkAnswered(const DialogAnswerer &answerer, const QStringList &messages)
{
    QVERIFY2(answerer.problems.isEmpty(), qPrintable(answerer.problems.join(QStringLiteral("; "))));
    QCOMPARE(answerer.messages, messages);
    QVERIFY(answerer.allStepsTaken());
}

// Notes whether the wait cursor was still up while a message box waited
// for the user.
class CursorWatch
{
public:
    CursorWatch()
    {
        timer.setInterval(5);
        QObject::connect(&timer, &QTimer::timeout, [this] {
            if (QApplication::activeModalWidget() && QApplication::overrideCursor())
                waitCursorOverBox = true;
        });
        timer.start();
    }
    bool waitCursorOverBox = false;

private:
    QTimer timer;
};
} // namespace

class TestKeyboardContact : public QObject
{
    Q_OBJECT

private:
    static void clickSend(const MainWindow &window)
    {
        QTest::mouseClick(widgetOf<QPushButton>(window, "btnSend"), Qt::LeftButton);
    }

private slots:
    void initTestCase()
    {
        QLoggingCategory::setFilterRules("telvir.midi.debug=false\ndefault.debug=false");
    }

    void withoutAKeyboardStartUpShowsOneBoxAndTheFactorySettings()
    {
        VirtualKeyboardRig rig({kKeyboard}, {kKeyboard}); // a port, but nobody answers
        DialogAnswerer answerer;
        answerer.pressInMessageBox();
        MainWindow window;
        checkAnswered(answerer, {kNoConnection});
        QCOMPARE(globalFields(window), QStringList({"1", "0", "Linear", "Slow", "absolute", "Linear"}));
        QCOMPARE(imageOf(window.editedSettings()), imageOf(Settings()));
        QVERIFY(!QApplication::overrideCursor());
    }

    void withAKeyboardStartUpReadsWhatItHolds()
    {
        VirtualKeyboardRig rig({kKeyboard}, {kKeyboard});
        KeyboardSimulator &keyboard = rig.attachSimulator(kKeyboard, kKeyboard);
        keyboard.setValue(0, 0x40, 2, 0x7f); // relative
        keyboard.setValue(0, 0x40, 3, 0x42); // -2
        keyboard.setValue(0, 0x40, 6, 0x05); // channel 6
        keyboard.setValue(0, 0x41, 1, 0x03); // Full
        keyboard.setValue(0, 0x41, 3, 0x02); // Exponential
        keyboard.setValue(0, 0x41, 4, 0x01); // Medium
        keyboard.setValue(0, 1, 0x01, 0x04); // "Cutoff": NRPN / RPN
        keyboard.setValue(0, 6, 0x01, 0x01); //           RPN
        keyboard.setValue(0, 2, 0x01, 0x41); //           global channel

        CursorWatch cursor;
        DialogAnswerer answerer;
        answerer.pressInMessageBox();
        answerer.pressInMessageBox();
        MainWindow window;
        checkAnswered(answerer, {kConnected, "OK: Successfully recv 258 settings."});
        QCOMPARE(globalFields(window), QStringList({"6", "-2", "Exponential", "Medium", "relative", "Full"}));

        clickMarker(window, "pushButton_6");
        QCOMPARE(shownControl(window), QString("Cutoff"));
        QCOMPARE(field(window, "mode")->currentText(), QString("NRPN / RPN"));
        QCOMPARE(field(window, "modeOption")->currentText(), QString("RPN"));
        QCOMPARE(field(window, "channel")->currentText(), QString("Global"));
        QVERIFY(!cursor.waitCursorOverBox);
        QVERIFY(!QApplication::overrideCursor());
    }

    void aPortNameWithMarkupIsShownAsText()
    {
        const std::string markup = "<b>Evil</b>";
        VirtualKeyboardRig rig({markup}, {markup});
        rig.attachSimulator(markup, markup);
        DialogAnswerer answerer;
        answerer.pressInMessageBox();
        answerer.pressInMessageBox();
        MainWindow window;
        checkAnswered(answerer, {"OK: Successfully connect to device '<b>Evil</b>' !",
                                 "OK: Successfully recv 258 settings."});
        QCOMPARE(answerer.textFormats, QList<Qt::TextFormat>({Qt::PlainText, Qt::PlainText}));
        const auto *status = window.findChild<QLabel *>(QStringLiteral("statusLine"));
        QVERIFY2(status->text().contains(QLatin1String("'<b>Evil</b>'")), qPrintable(status->text()));
        QCOMPARE(status->textFormat(), Qt::PlainText);
        QVERIFY(status->toolTip().contains(QLatin1String("&lt;b&gt;Evil&lt;/b&gt;")));
    }

    void theCountShownIsWhatTheReadAccepted()
    {
        VirtualKeyboardRig rig({kKeyboard}, {kKeyboard});
        rig.attachSimulator(kKeyboard, kKeyboard).setParameterReplyLimit(43);
        DialogAnswerer answerer;
        answerer.pressInMessageBox();
        answerer.pressInMessageBox();
        MainWindow window;
        checkAnswered(answerer, {kConnected, "OK: Successfully recv 43 settings."});
    }

    void aKeyboardThatAnswersNoRequestGivesCouldNotRecv()
    {
        VirtualKeyboardRig rig({kKeyboard}, {kKeyboard});
        KeyboardSimulator &keyboard = rig.attachSimulator(kKeyboard, kKeyboard);
        keyboard.setAnswerParameters(false);
        keyboard.setValue(0, 0x40, 6, 0x05); // would show "6" if it were read
        DialogAnswerer answerer;
        answerer.pressInMessageBox();
        answerer.pressInMessageBox();
        MainWindow window;
        checkAnswered(answerer, {kConnected, "Error: Could not recv settings."});
        QCOMPARE(globalFields(window), QStringList({"1", "0", "Linear", "Slow", "absolute", "Linear"}));
        QCOMPARE(imageOf(window.editedSettings()), imageOf(Settings()));
    }

    void aKeyboardPluggedInAfterStartGetsTheRecordInTheChosenMemory()
    {
        VirtualKeyboardRig rig({kKeyboard}, {kKeyboard});
        auto starting = std::make_unique<DialogAnswerer>();
        starting->pressInMessageBox();
        MainWindow window;
        checkAnswered(*starting, {kNoConnection});
        starting.reset();

        KeyboardSimulator &keyboard = rig.attachSimulator(kKeyboard, kKeyboard);
        keyboard.setValue(3, 3, 0x30, 99);
        rig.clearSent();
        field(window, "globalChannel")->setCurrentIndex(3); // "4"
        field(window, "memId")->setCurrentIndex(3);          // "3"
        QCOMPARE(field(window, "memId")->currentText(), QString("3"));

        CursorWatch cursor;
        DialogAnswerer answerer;
        answerer.pressInMessageBox();
        clickSend(window);
        // A stored memory cannot be read back, and the box says so.
        checkAnswered(answerer, {"OK: Sent to memory 3 of device 'Telvir Keyboard'; a memory other than workArea "
                                 "cannot be read back, so the keyboard's copy was not checked."});
        QVERIFY(!cursor.waitCursorOverBox);

        const std::vector<std::string> sent = rig.sent(kKeyboard);
        QCOMPARE(int(sent.size()), 1 + 258);
        QCOMPARE(hexOf(sent[0]), QByteArray("f0 7e 7f 0a 0b f7"));
        QCOMPARE(hexOf(sent[3]), QByteArray("f0 00 20 6b 7f 42 02 03 40 06 03 f7"));
        for (std::size_t i = 1; i < sent.size(); ++i)
            QCOMPARE(int(static_cast<unsigned char>(sent[i][7])), 3);
        QCOMPARE(keyboard.value(3, 0x40, 6), 3);
        QCOMPARE(keyboard.value(0, 0x40, 6), 0);
        QCOMPARE(keyboard.value(3, 3, 0x30), 7);
        // Sending changes neither the record nor the fields.
        QCOMPARE(int(window.editedSettings().globalChannel), 3);
        QCOMPARE(field(window, "globalChannel")->currentText(), QString("4"));
    }

    void sendingWithoutAKeyboardSaysSo()
    {
        VirtualKeyboardRig rig({kKeyboard}, {kKeyboard});
        DialogAnswerer answerer;
        answerer.pressInMessageBox();
        answerer.pressInMessageBox();
        MainWindow window;
        clickSend(window);
        checkAnswered(answerer, {kNoConnection, kNoConnection});
        // One discovery at start and one for the send: two handshakes, nothing else.
        QCOMPARE(int(rig.sent(kKeyboard).size()), 2);
    }

    void refusedMessagesAreReportedWithTheirCount()
    {
        VirtualKeyboardRig rig({kKeyboard}, {kKeyboard});
        KeyboardSimulator &keyboard = rig.attachSimulator(kKeyboard, kKeyboard);
        DialogAnswerer answerer;
        answerer.pressInMessageBox();
        answerer.pressInMessageBox();
        answerer.pressInMessageBox();
        MainWindow window;
        keyboard.clearReceived();
        rig.refuseSends(kKeyboard, 2);
        clickSend(window);
        checkAnswered(answerer, {kConnected, "OK: Successfully recv 258 settings.",
                                 "Error: The port of device 'Telvir Keyboard' refused 2 of 258 messages. "
                                 "The keyboard may hold only part of these settings."});
        // The rest still went out.
        QCOMPARE(keyboard.receivedCount(), 256);
    }

    void aLongSearchShowsWhichPairItTriesAndCancelEndsIt()
    {
        // Four pairs that never answer: 3.6 s of search unless cancelled.
        VirtualKeyboardRig rig({"Synth", "Mixer"}, {"Synth", "Mixer"});
        DialogAnswerer answerer;
        answerer.pressInMessageBox();
        QString seen;
        bool commandsEnabled = true;
        QTimer watch;
        watch.setInterval(10);
        connect(&watch, &QTimer::timeout, [&] {
            auto *progress = qobject_cast<QProgressDialog *>(QApplication::activeModalWidget());
            if (!progress || !progress->isVisible())
                return;
            watch.stop();
            seen = progress->windowTitle() + ": " + progress->labelText();
            commandsEnabled = theMainWindow->centralWidget()->isEnabled();
            const auto buttons = progress->findChildren<QPushButton *>();
            QCOMPARE(buttons.size(), 1);
            QCOMPARE(buttons[0]->text(), QString("Cancel"));
            buttons[0]->click();
        });
        watch.start();
        MainWindow window;

        checkAnswered(answerer, {kNoConnection});
        QVERIFY2(QRegularExpression("^Connecting: Asking 2 outputs, listening on 2 inputs$")
                     .match(seen).hasMatch(),
                 qPrintable(seen));
        QVERIFY(!commandsEnabled);
        QVERIFY(window.centralWidget()->isEnabled());
        QVERIFY(rig.sent("Synth").size() + rig.sent("Mixer").size() <= 2);
        QVERIFY(!rig.isInputOpen("Synth") && !rig.isInputOpen("Mixer"));
    }

    void closingTheWindowReleasesTheLink()
    {
        VirtualKeyboardRig rig({kKeyboard}, {kKeyboard});
        rig.attachSimulator(kKeyboard, kKeyboard).setAnswerParameters(false);
        DialogAnswerer answerer;
        answerer.pressInMessageBox();
        answerer.pressInMessageBox();
        {
            MainWindow window;
            QVERIFY(rig.isInputOpen(kKeyboard));
        }
        QVERIFY(!rig.isInputOpen(kKeyboard));
        checkAnswered(answerer, {kConnected, "Error: Could not recv settings."});
    }
};

QTEST_MAIN(TestKeyboardContact)
#include "tst_keyboardcontact.moc"
