// The editor's window over a real MIDI system: the simulator program on a
// private JACK server, what it received counted in its log. A send is done
// when the keyboard has it, also when the window closes at once; a keyboard
// that stops (SIGSTOP) stalls the server, and the window says so in time
// and finds the keyboard again once it goes on.

#include "dialoganswerer.h"
#include "editorprobe.h"
#include "jackkeyboardfixture.h"

#include "app/editorpreferences.h"
#include "app/livesender.h"
#include "model/controlfields.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QLoggingCategory>
#include <QPushButton>
#include <QtTest>

#include <memory>

namespace {
const QString kSetSeen = QStringLiteral("in:  F0 00 20 6B 7F 42 02 ");
const QString kDevice = JackKeyboardFixture::keyboardInputPort();

void checkAnswered(const DialogAnswerer &answerer, const QStringList &messages)
{
    QVERIFY2(answerer.problems.isEmpty(), qPrintable(answerer.problems.join(QStringLiteral("; "))));
    QCOMPARE(answerer.messages, messages);
    QVERIFY(answerer.allStepsTaken());
}

QString statusOf(const MainWindow &window)
{
    return widgetOf<QLabel>(window, "statusLine")->text();
}

// A window that found the keyboard and read it at start-up.
std::unique_ptr<MainWindow> linkedWindow()
{
    DialogAnswerer starting;
    starting.pressInMessageBox();
    starting.pressInMessageBox();
    auto window = std::make_unique<MainWindow>();
    [&] {
        checkAnswered(starting, {QString("OK: Successfully connect to device '%1' !").arg(kDevice),
                                 "OK: Successfully recv 258 settings."});
    }();
    return window;
}

void clickSend(const MainWindow &window)
{
    QTest::mouseClick(widgetOf<QPushButton>(window, "btnSend"), Qt::LeftButton);
}
} // namespace

class JackEditorTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLoggingCategory::setFilterRules("telvir.*.debug=false"); }

    void aSendReachesTheKeyboardWhenTheWindowClosesRightAfter()
    {
        JackKeyboardFixture jack;
        QVERIFY2(jack.start({"--verbose"}), qPrintable(jack.error()));
        std::unique_ptr<MainWindow> window = linkedWindow();
        QVERIFY(!QTest::currentTestFailed());
        QCOMPARE(jack.simulatorOutput().count(kSetSeen), 0);

        DialogAnswerer answerer;
        answerer.pressInMessageBox();
        clickSend(*window);
        checkAnswered(answerer, {QString("OK: Successfully sent to device '%1' !").arg(kDevice)});
        QVERIFY(window->close());
        window.reset();
        QTRY_COMPARE_WITH_TIMEOUT(jack.simulatorOutput().count(kSetSeen), 258, 5000);
    }

    void aStoppedKeyboardGivesTheSendItsBoxInTime()
    {
        JackKeyboardFixture jack;
        QVERIFY2(jack.start(), qPrintable(jack.error()));
        std::unique_ptr<MainWindow> window = linkedWindow();
        QVERIFY(!QTest::currentTestFailed());
        QCOMPARE(statusOf(*window), QString("Connected to '%1'").arg(kDevice));

        jack.pauseSimulator();
        {
            DialogAnswerer answerer;
            answerer.pressInMessageBox();
            QElapsedTimer timer;
            timer.start();
            clickSend(*window);
            const qint64 elapsed = timer.elapsed();
            jack.resumeSimulator();
            checkAnswered(answerer, {"Error: The JACK server does not respond."});
            QVERIFY2(elapsed < 4000, qPrintable(QString::number(elapsed)));
            QCOMPARE(statusOf(*window), QString("No keyboard connected"));
        }

        // The link comes back with the server's answers, and takes sends.
        QTRY_COMPARE_WITH_TIMEOUT(statusOf(*window), QString("Connected to '%1'").arg(kDevice), 20000);
        DialogAnswerer again;
        again.pressInMessageBox();
        clickSend(*window);
        checkAnswered(again, {QString("OK: Successfully sent to device '%1' !").arg(kDevice)});
    }

    void aKeyboardKilledAndRestartedDuringLiveEditsLeavesTheCountTrueAndTheGuardAsking()
    {
        EditorPreferences::setLiveSending(true);
        JackKeyboardFixture jack;
        QVERIFY2(jack.start(), qPrintable(jack.error()));
        std::unique_ptr<MainWindow> window = linkedWindow();
        QVERIFY(!QTest::currentTestFailed());
        auto *live = window->findChild<LiveSender *>(QStringLiteral("liveSender"));
        QVERIFY(live && live->isOn());
        const Settings onNewKeyboard = *window->keyboardRecord();
        const ControlField &value = *controlField(QStringLiteral("val"));

        window->editControlField(1, value, 10);
        QTRY_VERIFY(live->isIdle());
        QCOMPARE(window->changesNotSent(), 0);

        // Killed in the middle of the edits: what went after it is not on
        // any keyboard, and nothing is known of it once it is gone.
        jack.stopSimulator();
        window->editControlField(1, value, 20);
        window->editControlField(2, value, 30);
        QTRY_COMPARE_WITH_TIMEOUT(statusOf(*window), QString("No keyboard connected"), 5000);
        QTRY_VERIFY(live->isIdle());
        QCOMPARE(window->changesNotSent(), -1);
        const QStringList guard = {"Unsaved changes: Save the settings to a file before closing?"};
        {
            DialogAnswerer answerer;
            answerer.pressInMessageBox(QMessageBox::Cancel);
            QVERIFY(!window->close());
            checkAnswered(answerer, guard);
        }

        // Back with its factory settings: read again, the window's record
        // untouched, and every edit since the start counted.
        QVERIFY2(jack.plugSimulatorIn(), qPrintable(jack.error()));
        QTRY_COMPARE_WITH_TIMEOUT(window->changesNotSent(), 2, 20000);
        QCOMPARE(int(window->editedSettings().controls[1].val), 20);
        QCOMPARE(int(window->editedSettings().controls[2].val), 30);
        QCOMPARE(window->editedSettings().differencesFrom(onNewKeyboard), 2);
        QCOMPARE(statusOf(*window), QString("Connected to '%1', 2 changes not sent").arg(kDevice));
        {
            DialogAnswerer answerer;
            answerer.pressInMessageBox(QMessageBox::Discard);
            QVERIFY(window->close());
            checkAnswered(answerer, guard);
        }
        EditorPreferences::setLiveSending(false);
    }
};

QTEST_MAIN(JackEditorTest)
#include "tst_jackeditor.moc"
