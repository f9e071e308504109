// The editor under the soak of telvir-bench --soak: a main window, offscreen,
// whose message boxes are answered as the widget tests answer them. It reads
// one command a line from its standard input and prints one answer a line,
// so that all it holds is the editor's own; telvir-bench plugs the keyboard
// in and out between the commands.
//
//   write N      N times "Send to Keyboard"  -> wrote <ok> <failed> <ms>
//                                               and a "box <text>" line
//                                               before it for each failure
//   await TEXT   runs the window until its status starts with TEXT, 10 s
//                at most                     -> status <ms> | timeout <status>
//   memory       -> memory <VmRSS in KB> <RssAnon in KB> <heap in use in bytes>
//
// At start it prints "ready <status>" once the window's start-up boxes are
// answered.

#include "app/mainwindow.h"
#include "dialoganswerer.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLoggingCategory>
#include <QThread>

#include <malloc.h>

#include <cstdio>
#include <iostream>
#include <memory>
#include <string>

namespace {
constexpr int kAwaitTimeoutMs = 10000;
constexpr int kAwaitPollMs = 5;
const QString kSentPrefix = QStringLiteral("OK: Successfully sent to device");

QString statusOf(const MainWindow &window)
{
    const auto *line = window.findChild<QLabel *>(QStringLiteral("statusLine"));
    return line ? line->text() : QString();
}

// A line of /proc/self/status, in KB.
long statusKb(const QByteArray &field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith(field + ':'))
            return line.mid(field.size() + 1).trimmed().split(' ').value(0).toLong();
    return 0;
}

void answer(const QString &line)
{
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

void write(MainWindow &window, int times)
{
    int failed = 0;
    QElapsedTimer clock;
    clock.start();
    for (int time = 0; time < times; ++time) {
        // One answerer a write, so that what it records does not add up.
        DialogAnswerer answerer;
        answerer.pressInMessageBox();
        window.sendToKeyboard();
        const QString box = answerer.messages.value(0, answerer.problems.join(QStringLiteral("; ")));
        if (!box.startsWith(kSentPrefix)) {
            ++failed;
            answer(QStringLiteral("box ") + box);
        }
    }
    answer(QStringLiteral("wrote %1 %2 %3").arg(times - failed).arg(failed).arg(clock.elapsed()));
}

void await(const MainWindow &window, const QString &text)
{
    QElapsedTimer clock;
    clock.start();
    while (!statusOf(window).startsWith(text)) {
        if (clock.elapsed() > kAwaitTimeoutMs) {
            answer(QStringLiteral("timeout ") + statusOf(window));
            return;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, kAwaitPollMs);
        QThread::msleep(kAwaitPollMs);
    }
    answer(QStringLiteral("status %1").arg(clock.elapsed()));
}
} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QLoggingCategory::setFilterRules("*.debug=false");

    // Start-up connects and reads: two boxes with a keyboard, one without.
    auto startAnswerer = std::make_unique<DialogAnswerer>();
    startAnswerer->pressInMessageBox();
    startAnswerer->pressInMessageBox();
    MainWindow window;
    window.show();
    QCoreApplication::processEvents();
    // Gone before the first write, whose box is another answerer's.
    startAnswerer.reset();
    answer(QStringLiteral("ready ") + statusOf(window));

    std::string line;
    while (std::getline(std::cin, line)) {
        const QString command = QString::fromStdString(line).trimmed();
        if (command.startsWith(QLatin1String("write ")))
            write(window, command.mid(6).toInt());
        else if (command.startsWith(QLatin1String("await ")))
            await(window, command.mid(6));
        else if (command == QLatin1String("memory"))
            answer(QStringLiteral("memory %1 %2 %3")
                       .arg(statusKb("VmRSS"))
                       .arg(statusKb("RssAnon"))
                       .arg(qulonglong(mallinfo2().uordblks)));
        else if (command == QLatin1String("quit"))
            break;
        else
            answer(QStringLiteral("unknown ") + command);
    }
    return 0;
}
