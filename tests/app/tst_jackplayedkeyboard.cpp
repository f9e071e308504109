// The keyboard played over a real MIDI system: the simulator program on a
// private JACK server plays a file of raw messages once the editor has
// linked, and the editor's window follows the knob it turns and its
// monitor shows what came, while Live puts a change into the simulator's
// memory 0 across the two processes.

#include "dialoganswerer.h"
#include "editorprobe.h"
#include "jackkeyboardfixture.h"

#include "app/editorpreferences.h"
#include "app/midimonitor.h"
#include "app/monitorlinemodel.h"
#include "model/controlfields.h"

#include <QCheckBox>
#include <QLoggingCategory>
#include <QTemporaryDir>
#include <QTextStream>
#include <QToolButton>
#include <QtTest>

#include <memory>

namespace {
// Long enough for the editor's start-up read, which following waits out.
const char *const kPlayDelayMs = "1000";
constexpr int kWaitMs = 10000;
} // namespace

class TestJackPlayedKeyboard : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QLoggingCategory::setFilterRules("telvir.midi.debug=false");
        EditorPreferences::setFollowKeyboard(true);
        EditorPreferences::setLiveSending(false);
    }

    void aKnobTurnedOnTheSimulatorSelectsItsMarkerAndShowsInTheMonitor()
    {
        QTemporaryDir folder;
        const QString playFile = folder.filePath("knob.txt");
        {
            QFile file(playFile);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QTextStream lines(&file);
            lines << "# Resonance turned up, then a line the simulator refuses\n";
            for (int value = 0x40; value < 0x50; ++value)
                lines << "B0 47 " << QString::number(value, 16) << "\n";
            lines << "B0 47\n";
        }
        JackKeyboardFixture jack;
        QVERIFY2(jack.start({"--play", playFile, "--play-rate", "20", "--play-after-link", "--play-delay",
                             kPlayDelayMs}),
                 qPrintable(jack.error()));

        DialogAnswerer answerer;
        answerer.pressInMessageBox();
        answerer.pressInMessageBox();
        MainWindow window;
        QCOMPARE(answerer.messages.size(), 2);
        menuItem(window, "menuView", QStringLiteral("MIDI Monitor"))->trigger();
        const MidiMonitor &monitor = *widgetOf<MidiMonitor>(window, "midiMonitor");

        QTRY_COMPARE_WITH_TIMEOUT(shownControl(window), QString("Resonance"), kWaitMs);
        // The line it refused is not played.
        QTRY_VERIFY_WITH_TIMEOUT(jack.simulatorOutput().contains("played: 16 messages"), kWaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(!monitor.lines().lines().empty()
                                     && monitor.lines().lines().back().meaning
                                         == "Control Change ch 1, CC 71, value 79 -> Resonance",
                                 kWaitMs);

        // Live across the processes: the simulator answers a read of memory 0
        // with the value just changed.
        widgetOf<QCheckBox>(window, "liveBox")->setChecked(true);
        window.editControlField(2, kControlFields[6], 55); // Resonance, "Value"
        QCOMPARE(QLatin1String(kControlFields[6].field), QLatin1String("val"));
        QTRY_VERIFY_WITH_TIMEOUT(!monitor.lines().lines().empty()
                                     && monitor.lines().lines().back().meaning
                                         == "set Resonance, Mode Option = absolute, memory workArea",
                                 kWaitMs);
        Settings read;
        QVERIFY(read.recv() > 0);
        QCOMPARE(int(read.controls[2].val), 55);
    }
};

QTEST_MAIN(TestJackPlayedKeyboard)
#include "tst_jackplayedkeyboard.moc"
