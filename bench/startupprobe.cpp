// Start-up probe: starts like the editor (TELVIR_PROBE_EDITOR) or as a bare
// Qt window of the same size built the same way, and ends as soon as its
// window has been painted once. It prints when that paint was over (on the
// monotonic clock that telvir-bench starts its timer on) and its peak
// memory; telvir-bench also times the whole run, tear-down included.

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QMainWindow>
#include <QMessageBox>
#include <QStyleFactory>
#include <QTimer>

#include <chrono>
#include <cstdio>

#ifdef TELVIR_PROBE_EDITOR
#include "app/mainwindow.h"
#endif

namespace {
// The high-water mark of this process's resident memory, in KB.
long peakResidentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return 0;
}

// Quits the application after the first paint of the watched window, and
// notes when the paint was over: the window's own paint event comes before
// its children's, so the time is taken once the event loop is back.
class FirstPaintQuitter : public QObject
{
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !painted_) {
            painted_ = true;
            QTimer::singleShot(0, qApp, [this] {
                paintedNs_ = std::chrono::duration_cast<std::chrono::nanoseconds>(
                                 std::chrono::steady_clock::now().time_since_epoch())
                                 .count();
                QCoreApplication::quit();
            });
        }
        return QObject::eventFilter(watched, event);
    }

    long long paintedNs() const { return paintedNs_; }

private:
    bool painted_ = false;
    long long paintedNs_ = 0;
};

// Closes every message box once it has shown, as a user pressing OK.
class BoxCloser : public QObject
{
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && qobject_cast<QMessageBox *>(watched))
            QMetaObject::invokeMethod(watched, "close", Qt::QueuedConnection);
        return QObject::eventFilter(watched, event);
    }
};
} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    FirstPaintQuitter quitter;
#ifdef TELVIR_PROBE_EDITOR
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QFile styleFile(QStringLiteral(":/main/style.qss"));
    styleFile.open(QIODevice::ReadOnly);
    application.setStyleSheet(QString::fromUtf8(styleFile.readAll()));
    // With no MIDI ports the editor says so in a box before its window
    // shows; a user would press OK, the probe does it as soon as the box is
    // shown.
    BoxCloser boxCloser;
    application.installEventFilter(&boxCloser);
    MainWindow window;
#else
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QMainWindow window;
    window.resize(759, 605);
#endif
    window.installEventFilter(&quitter);
    window.show();
    const int result = application.exec();
    std::printf("painted-ns %lld\npeak-kb %ld\n", quitter.paintedNs(), peakResidentKb());
    return result;
}
