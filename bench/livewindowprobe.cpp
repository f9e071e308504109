// Live-window probe: the editor's window against the keyboard that the MIDI
// system offers (telvir-bench --live runs it with the simulator program on
// JACK), in one of three runs, printing times on the monotonic clock that
// the simulator stamps its lines with:
//   edits N:  Live on, N changes of Cutoff's "Value", 30 ms apart, each
//             printed as "edit <ns> <value>";
//   follow:   every change of the selected control, "selected <ns> <index>",
//             while the simulator plays knob messages;
//   flood N:  the monitor open while the simulator plays N messages; the
//             monitor's count, the longest stall of the event loop while
//             they came, and the resident memory before and after.
// Every box is answered at once, as the widget tests answer them.

#include "app/livesender.h"
#include "app/mainwindow.h"
#include "app/midimonitor.h"
#include "dialoganswerer.h"
#include "model/controlfields.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLoggingCategory>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>

namespace {
constexpr int kCutoff = 1;
constexpr int kEditGapMs = 30;
constexpr int kFloodTimeoutMs = 30000;
constexpr int kFollowRunMs = 15000;

long long monotonicNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

long residentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

const ControlField &valueField()
{
    return *std::find_if(kControlFields.begin(), kControlFields.end(),
                         [](const ControlField &field) { return qstrcmp(field.field, "val") == 0; });
}

void runEdits(MainWindow &window, int count)
{
    window.findChild<QCheckBox *>(QStringLiteral("liveBox"))->setChecked(true);
    auto *timer = new QTimer(&window);
    timer->setInterval(kEditGapMs);
    int done = 0;
    QObject::connect(timer, &QTimer::timeout, &window, [&window, timer, &done, count] {
        if (done == count) {
            timer->stop();
            QCoreApplication::quit();
            return;
        }
        // Alternating values, so that every edit is a change.
        const int value = done % 2 == 0 ? 100 : 27;
        std::printf("edit %lld %d\n", monotonicNs(), value);
        window.editControlField(kCutoff, valueField(), value);
        ++done;
    });
    timer->start();
}

void runFollow(MainWindow &window)
{
    QObject::connect(&window.document(), &EditorDocument::selectedControlChanged, &window,
                     [](int index) { std::printf("selected %lld %d\n", monotonicNs(), index); });
    QTimer::singleShot(kFollowRunMs, &window, [] { QCoreApplication::quit(); });
}

// Gaps between the ticks of a 1 ms timer: the longest time the event loop
// did not run.
class StallWatch
{
public:
    StallWatch()
    {
        timer_.setTimerType(Qt::PreciseTimer);
        timer_.setInterval(1);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            const long long now = monotonicNs();
            if (watching_)
                longestNs_ = std::max(longestNs_, now - lastNs_);
            lastNs_ = now;
        });
        lastNs_ = monotonicNs();
        timer_.start();
    }
    void watch(bool on) { watching_ = on; }
    double longestMs() const { return double(longestNs_) / 1e6; }

private:
    QTimer timer_;
    long long lastNs_ = 0;
    long long longestNs_ = 0;
    bool watching_ = false;
};

void runFlood(MainWindow &window, int count, StallWatch &stalls)
{
    window.findChild<QAction *>(QStringLiteral("monitorShortcut"))->trigger();
    MidiMonitor *monitor = window.findChild<MidiMonitor *>(QStringLiteral("midiMonitor"));
    const long startKb = residentKb();
    auto *poll = new QTimer(&window);
    poll->setInterval(10);
    const long long deadlineNs = monotonicNs() + kFloodTimeoutMs * 1000000LL;
    QObject::connect(poll, &QTimer::timeout, &window, [=, &stalls] {
        const qint64 seen = monitor->messageCount();
        stalls.watch(seen > 0);
        if (seen < count && monotonicNs() < deadlineNs)
            return;
        poll->stop();
        stalls.watch(false);
        std::printf("count %lld\nstall-ms %.3f\nrss-start-kb %ld\nrss-end-kb %ld\n", (long long)seen,
                    stalls.longestMs(), startKb, residentKb());
        QCoreApplication::quit();
    });
    poll->start();
}
} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    const QStringList arguments = QCoreApplication::arguments();
    const QString mode = arguments.value(1);
    const int count = arguments.value(2).toInt();

    // Connected, settings read.
    DialogAnswerer answerer;
    answerer.pressInMessageBox();
    answerer.pressInMessageBox();
    StallWatch stalls;
    MainWindow window;
    window.show();
    if (answerer.messages.size() != 2) {
        std::printf("problem %s\n", qPrintable(answerer.messages.join("; ") + answerer.problems.join("; ")));
        return 1;
    }
    if (mode == QLatin1String("edits"))
        runEdits(window, count);
    else if (mode == QLatin1String("follow"))
        runFollow(window);
    else if (mode == QLatin1String("flood"))
        runFlood(window, count, stalls);
    else
        return 2;
    application.exec();
    return 0;
}
