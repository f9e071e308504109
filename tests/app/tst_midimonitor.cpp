// The MIDI monitor and following the keyboard: both directions of a read
// and a write and what the keyboard plays appear decoded; a touched
// control selects its marker unless its assignment is not unique; the
// lines are kept, paused, cleared and saved as a user would.

#include "dialoganswerer.h"
#include "editorprobe.h"
#include "linkedwindow.h"
#include "virtualkeyboardrig.h"

#include "app/editorpreferences.h"
#include "app/midimonitor.h"
#include "app/monitorlinemodel.h"
#include "midi/midicontroller.h"
#include "midi/miditap.h"
#include "model/controlfields.h"
#include "support/wirebytes.h"

#include <QCheckBox>
#include <QFile>
#include <QLoggingCategory>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <memory>

namespace {
const std::string kKeyboard = "Telvir Keyboard";

MidiMonitor &monitorOf(const MainWindow &window)
{
    return *widgetOf<MidiMonitor>(window, "midiMonitor");
}

MidiMonitor &openMonitor(const MainWindow &window)
{
    menuItem(window, "menuView", QStringLiteral("MIDI Monitor"))->trigger();
    return monitorOf(window);
}

int linesWith(const MidiMonitor &monitor, bool in, const QString &start)
{
    int count = 0;
    for (const MonitorLine &line : monitor.lines().lines())
        count += line.in == in && line.meaning.startsWith(start) ? 1 : 0;
    return count;
}

QString lastMeaning(const MidiMonitor &monitor)
{
    const auto &lines = monitor.lines().lines();
    return lines.empty() ? QString() : lines.back().meaning;
}

template <typename Widget>
Widget *childOf(const QWidget &parent, const char *name)
{
    auto *child = parent.findChild<Widget *>(QLatin1String(name));
    if (!child)
        throw std::runtime_error(std::string("no widget named ") + name);
    return child;
}

const ControlField &ccNumberField()
{
    return kControlFields[1];
}
} // namespace

class TestMidiMonitor : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QLoggingCategory::setFilterRules("telvir.midi.debug=false");
        QCOMPARE(QLatin1String(ccNumberField().field), QLatin1String("ccNumber"));
    }

    void init()
    {
        EditorPreferences::setFollowKeyboard(true);
    }

    void aReadAndAWriteShowBothDirectionsDecoded()
    {
        VirtualKeyboardRig rig({kKeyboard}, {kKeyboard});
        rig.attachSimulator(kKeyboard, kKeyboard);
        const std::unique_ptr<MainWindow> window = linkedWindow();
        QVERIFY(window);
        MidiMonitor &monitor = openMonitor(*window);
        QVERIFY(monitor.isVisible());
        QCOMPARE(monitor.windowTitle(), QString("MIDI Monitor"));
        QVERIFY(!monitor.isModal());

        DialogAnswerer answerer;
        answerer.pressInMessageBox();
        window->readFromKeyboard();
        QTRY_COMPARE(linesWith(monitor, true, "reply "), 258);
        QCOMPARE(linesWith(monitor, false, "request "), 258);
        QCOMPARE(linesWith(monitor, false, "request Cutoff, CC Number, memory workArea"), 1);
        QCOMPARE(linesWith(monitor, true, "reply Cutoff, CC Number = 74"), 1);
        QCOMPARE(linesWith(monitor, true, "reply Pad #3 / Pad #11, Mode = Switched"), 1);

        answerer.pressInMessageBox();
        QTest::mouseClick(widgetOf<QPushButton>(*window, "btnSend"), Qt::LeftButton);
        QTRY_COMPARE(linesWith(monitor, false, "set "), 258);
        QCOMPARE(linesWith(monitor, false, "set Pad #3 / Pad #11, Mode = Switched, memory workArea"), 1);
        QCOMPARE(linesWith(monitor, false, "set global Knob Mode = absolute, memory workArea"), 1);
        // Then every value is asked back and comes back.
        QTRY_COMPARE(linesWith(monitor, true, "reply "), 2 * 258);
        QCOMPARE(linesWith(monitor, false, "request "), 2 * 258);
        QVERIFY(answerer.problems.isEmpty());
        // Every line has its bytes beside the meaning.
        const MonitorLine &line = monitor.lines().lines().back();
        QVERIFY(line.in);
        QVERIFY(line.bytes.startsWith("F0 00 20 6B 7F 42 00 00"));
        QCOMPARE(monitor.messageCount(), qint64(monitor.lines().lines().size()));
    }

    void aPlayedControlSelectsItsMarkerEvenWithTheMonitorClosed()
    {
        VirtualKeyboardRig rig({kKeyboard}, {kKeyboard});
        rig.attachSimulator(kKeyboard, kKeyboard);
        const std::unique_ptr<MainWindow> window = linkedWindow();
        QVERIFY(window);
        QVERIFY(!monitorOf(*window).isVisible());
        QCOMPARE(window->currentControlIndex(), -1);

        rig.inject(kKeyboard, wire("b04a40")); // Cutoff: CC 74 on the global channel 1
        QTRY_COMPARE(shownControl(*window), QString("Cutoff"));
        rig.inject(kKeyboard, wire("902664")); // Pad #3: note 38
        QTRY_COMPARE(window->currentControlIndex(), 18);
        rig.inject(kKeyboard, wire("b0187f")); // Pad #11: CC 24, on the high pad bank
        QTRY_COMPARE(window->currentControlIndex(), 26);
        QCOMPARE(shownControl(*window), QString("Pad #11"));
        rig.inject(kKeyboard, wire("e00050")); // Pitch
        QTRY_COMPARE(window->currentControlIndex(), 34);

        MidiMonitor &monitor = openMonitor(*window);
        rig.inject(kKeyboard, wire("b04a40"));
        QTRY_COMPARE(lastMeaning(monitor), QString("Control Change ch 1, CC 74, value 64 -> Cutoff"));
        QCOMPARE(window->currentControlIndex(), 1);
        // A Note Off, or a message of another channel, finds nothing new.
        rig.inject(kKeyboard, wire("902600"));
        rig.inject(kKeyboard, wire("b14a40"));
        QTRY_COMPARE(lastMeaning(monitor), QString("Control Change ch 2, CC 74, value 64 -> no control sends this"));
        QCOMPARE(window->currentControlIndex(), 1);
    }

    void twoControlsWithOneAssignmentSelectNoneAndAreNamed()
    {
        VirtualKeyboardRig rig({kKeyboard}, {kKeyboard});
        rig.attachSimulator(kKeyboard, kKeyboard);
        const std::unique_ptr<MainWindow> window = linkedWindow();
        QVERIFY(window);
        window->editControlField(0, ccNumberField(), 74); // Volume on Cutoff's number
        window->selectControl(5);
        MidiMonitor &monitor = openMonitor(*window);
        rig.inject(kKeyboard, wire("b04a40"));
        QTRY_COMPARE(lastMeaning(monitor), QString("Control Change ch 1, CC 74, value 64 -> clash: Volume, Cutoff"));
        QCOMPARE(window->currentControlIndex(), 5);
    }

    void followingCanBeTurnedOffAndIsRemembered()
    {
        VirtualKeyboardRig rig({kKeyboard}, {kKeyboard});
        rig.attachSimulator(kKeyboard, kKeyboard);
        {
            const std::unique_ptr<MainWindow> window = linkedWindow();
            QVERIFY(window);
            QVERIFY(monitorOf(*window).followsKeyboard());
            widgetOf<QCheckBox>(*window, "followBox")->setChecked(false);
            // Neither monitor nor following: the tap is off.
            QVERIFY(!MidiTap::enabled());
        }
        const std::unique_ptr<MainWindow> window = linkedWindow();
        QVERIFY(window);
        QVERIFY(!monitorOf(*window).followsKeyboard());
        MidiMonitor &monitor = openMonitor(*window);
        rig.inject(kKeyboard, wire("b04a40"));
        QTRY_COMPARE(lastMeaning(monitor), QString("Control Change ch 1, CC 74, value 64"));
        QCOMPARE(window->currentControlIndex(), -1);
    }

    void linesArePausedClearedCappedAndSaved()
    {
        VirtualKeyboardRig rig({kKeyboard}, {kKeyboard});
        rig.attachSimulator(kKeyboard, kKeyboard);
        const std::unique_ptr<MainWindow> window = linkedWindow();
        QVERIFY(window);
        MidiMonitor &monitor = openMonitor(*window);
        QTRY_VERIFY(MidiTap::enabled());

        auto *pause = childOf<QPushButton>(monitor, "pauseButton");
        pause->click();
        rig.inject(kKeyboard, wire("b04a40"));
        monitor.drainTap();
        QVERIFY(monitor.lines().lines().empty());
        QCOMPARE(monitor.messageCount(), qint64(1));
        pause->click();

        // More than the monitor keeps, handed over in batches as the tap would.
        for (int batch = 0; batch < 4; ++batch) {
            for (int i = 0; i < 3000; ++i) {
                const char bytes[3] = {char(0xB0), char(0x10), char(i % 128)};
                MidiTap::record(TappedMessage::Direction::In, bytes, 3);
            }
            monitor.drainTap();
        }
        QCOMPARE(int(monitor.lines().lines().size()), MonitorLineModel::kMaxLines);
        QCOMPARE(monitor.messageCount(), qint64(12001));
        QCOMPARE(monitor.lines().lines().front().bytes, QString("B0 10 50")); // the 2001st: value 2000 % 128
        QCOMPARE(monitor.lines().rowCount(), MonitorLineModel::kMaxLines);

        childOf<QPushButton>(monitor, "clearButton")->click();
        QCOMPARE(monitor.lines().rowCount(), 0);
        rig.inject(kKeyboard, wire("c105"));
        QTRY_COMPARE(monitor.lines().rowCount(), 1);

        QTemporaryDir folder;
        const QString fileName = folder.filePath("traffic.txt");
        DialogAnswerer answerer;
        answerer.chooseFile(fileName);
        childOf<QPushButton>(monitor, "saveButton")->click();
        QVERIFY(answerer.problems.isEmpty());
        QFile saved(fileName);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const QList<QByteArray> cells = saved.readAll().split('\t');
        QCOMPARE(cells.size(), 4);
        QCOMPARE(cells[1], QByteArray("in"));
        QCOMPARE(cells[2], QByteArray("C1 05"));
        QCOMPARE(cells[3], QByteArray("Program Change ch 2, program 5\n"));
    }
};

QTEST_MAIN(TestMidiMonitor)
#include "tst_midimonitor.moc"
