// Keyboard-window probe: starts like the editor against whatever keyboard
// the MIDI system offers (telvir-bench --jack runs it with its JACK
// keyboard), answers each box at once as a user would, then presses "Send to
// Keyboard" once and ends. A 1 ms timer on the GUI thread notes every gap
// between its ticks: the times the window did not run its event loop. Each
// piece of keyboard work (search, read, send) is timed from the making to
// the end of its progress window, and its longest stall is the longest gap
// within that time. Times are printed on the monotonic clock that
// telvir-bench starts its timer on, so "launch" is the moment the bench
// started this process.

#include "app/mainwindow.h"
#include "dialoganswerer.h"

#include <QApplication>
#include <QChildEvent>
#include <QFile>
#include <QLoggingCategory>
#include <QStyleFactory>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {
const QString kProgressWindowName = QStringLiteral("keyboardProgress");
constexpr int kSendDelayMs = 200; // the window shows and paints first

long long monotonicNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

struct Interval
{
    long long startNs = 0;
    long long endNs = 0;
};

// Notes the gaps between the ticks of a 1 ms timer, and the lifetime of
// every progress window of keyboard work made on the main window.
class StallWatch : public QObject
{
public:
    StallWatch()
    {
        lastTickNs_ = monotonicNs();
        timer_.setTimerType(Qt::PreciseTimer);
        timer_.setInterval(1);
        QObject::connect(&timer_, &QTimer::timeout, this, [this] {
            const long long now = monotonicNs();
            gaps_.push_back({lastTickNs_, now});
            lastTickNs_ = now;
        });
        timer_.start();
        qApp->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // The progress window is made as the main window's child; its name
        // is set only after that, so it is read when it goes.
        if (event->type() == QEvent::ChildAdded && watched == theMainWindow) {
            QObject *child = static_cast<QChildEvent *>(event)->child();
            const long long madeNs = monotonicNs();
            QObject::connect(child, &QObject::destroyed, this, [this, madeNs](QObject *gone) {
                if (gone->objectName() == kProgressWindowName)
                    works_.push_back({madeNs, monotonicNs()});
            });
        }
        return false;
    }

    // The longest part of any gap that lies within `work`.
    double longestStallMs(const Interval &work) const
    {
        long long longest = 0;
        for (const Interval &gap : gaps_)
            longest = std::max(longest, std::min(gap.endNs, work.endNs) - std::max(gap.startNs, work.startNs));
        return double(longest) / 1e6;
    }

    const std::vector<Interval> &works() const { return works_; }
    std::size_t ticks() const { return gaps_.size(); }

private:
    QTimer timer_;
    long long lastTickNs_ = 0;
    std::vector<Interval> gaps_;
    std::vector<Interval> works_;
};
} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QFile styleFile(QStringLiteral(":/main/style.qss"));
    styleFile.open(QIODevice::ReadOnly);
    application.setStyleSheet(QString::fromUtf8(styleFile.readAll()));

    // Connected, settings read, settings sent.
    DialogAnswerer answerer;
    for (int box = 0; box < 3; ++box)
        answerer.pressInMessageBox();
    StallWatch watch;
    MainWindow window;
    window.show();
    QTimer::singleShot(kSendDelayMs, &window, [&window] {
        window.sendToKeyboard();
        QCoreApplication::quit();
    });
    application.exec();

    for (const QString &message : qAsConst(answerer.messages))
        std::printf("box %s\n", qPrintable(message));
    for (const QString &problem : qAsConst(answerer.problems))
        std::printf("problem %s\n", qPrintable(problem));
    // Start-up: search, read; "Send to Keyboard": search (none while
    // linked, so at once), send.
    for (const Interval &work : watch.works())
        std::printf("work %lld %lld %.3f\n", work.startNs, work.endNs, watch.longestStallMs(work));
    std::printf("ticks %zu\n", watch.ticks());
    return 0;
}
