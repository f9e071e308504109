// All-controls probe: starts the editor with no keyboard (its one box is
// answered at once), opens the "All Controls" table and times how long
// until its first paint is over; then makes 200 edits through the table's
// cells, each timed until the main window and the table have painted what
// changed. Prints "open-ms", then one "edit-ms" line per edit.

#include "app/allcontrolswindow.h"
#include "app/mainwindow.h"
#include "dialoganswerer.h"
#include "model/assignmenttable.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLoggingCategory>
#include <QStyleFactory>
#include <QTableView>
#include <QTest>

#include <cstdio>

namespace {
constexpr int kEdits = 200;
constexpr int kCutoff = 1;
constexpr int kValueColumn = 4;

// Notes whether a widget was painted since it was last asked.
class PaintWatch : public QObject
{
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted = true;
        return QObject::eventFilter(watched, event);
    }
    bool painted = false;
};

// Runs the event loop until `watch` saw a paint, at most for 5 s.
void runUntilPainted(PaintWatch &watch)
{
    QElapsedTimer limit;
    limit.start();
    while (!watch.painted && limit.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
}
} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QLoggingCategory::setFilterRules("*.debug=false");
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QFile styleFile(QStringLiteral(":/main/style.qss"));
    styleFile.open(QIODevice::ReadOnly);
    application.setStyleSheet(QString::fromUtf8(styleFile.readAll()));

    DialogAnswerer answerer;
    answerer.pressInMessageBox(); // "Could not connect to midi deivce."
    MainWindow window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        std::fprintf(stderr, "the window did not show\n");
        return 1;
    }
    QTest::qWait(100);

    // The table is made, filled and painted for the first time.
    QElapsedTimer timer;
    timer.start();
    AllControlsWindow *table = AllControlsWindow::open(window, window.document());
    PaintWatch tablePaint;
    table->table()->viewport()->installEventFilter(&tablePaint);
    runUntilPainted(tablePaint);
    std::printf("open-ms %.3f\n", timer.nsecsElapsed() / 1e6);

    // Each edit as a cell's editor stores it, until both windows painted.
    QTableView *view = table->table();
    const QModelIndex cell = view->model()->index(kCutoff, kValueColumn);
    view->setCurrentIndex(cell);
    PaintWatch windowPaint;
    window.centralWidget()->installEventFilter(&windowPaint);
    for (QWidget *child : window.centralWidget()->findChildren<QWidget *>())
        child->installEventFilter(&windowPaint);
    QTest::qWait(50);
    for (int edit = 0; edit < kEdits; ++edit) {
        tablePaint.painted = false;
        windowPaint.painted = false;
        timer.restart();
        view->model()->setData(cell, 10 + edit % 2, Qt::EditRole);
        runUntilPainted(tablePaint);
        runUntilPainted(windowPaint);
        std::printf("edit-ms %.3f\n", timer.nsecsElapsed() / 1e6);
    }
    return 0;
}
