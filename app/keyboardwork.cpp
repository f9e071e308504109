#include "app/keyboardwork.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMetaObject>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <limits>
#include <memory>

KeyboardWork::KeyboardWork(QWidget *window, const QString &title, bool cancellable)
    : dialog_(new QProgressDialog(window)),
      cancellable_(cancellable)
{
    dialog_->setObjectName(QStringLiteral("keyboardProgress"));
    dialog_->setWindowTitle(title);
    dialog_->setWindowModality(Qt::ApplicationModal);
    dialog_->setAutoClose(false);
    dialog_->setAutoReset(false);
    // Shown by run() after its delay, never by the dialog's own timer.
    dialog_->setMinimumDuration(std::numeric_limits<int>::max());
    dialog_->setRange(0, 0);
    if (cancellable) {
        dialog_->setCancelButtonText(tr("Cancel"));
        connect(dialog_, &QProgressDialog::canceled, this, [this] { cancel_.cancel(); });
    } else {
        dialog_->setCancelButton(nullptr);
    }
    // Escape and the title bar's close button would cancel (or just hide)
    // the dialog behind the work's back.
    dialog_->installEventFilter(this);
    dialog_->hide();
}

KeyboardWork::~KeyboardWork()
{
    delete dialog_;
}

void KeyboardWork::report(const QString &text, int value, int maximum)
{
    // By the slots' names: a queued functor is freed by whichever thread
    // lets go of it last, and ThreadSanitizer cannot follow that hand-over
    // into Qt's uninstrumented code.
    QMetaObject::invokeMethod(dialog_, "setLabelText", Qt::QueuedConnection, Q_ARG(QString, text));
    QMetaObject::invokeMethod(dialog_, "setRange", Qt::QueuedConnection, Q_ARG(int, 0), Q_ARG(int, maximum));
    QMetaObject::invokeMethod(dialog_, "setValue", Qt::QueuedConnection, Q_ARG(int, value));
}

void KeyboardWork::run(const std::function<void()> &work)
{
    QEventLoop loop;
    // QThread::wait orders the work before what follows, but inside Qt,
    // where ThreadSanitizer does not look: the flag says it again.
    std::atomic<bool> done {false};
    std::unique_ptr<QThread> thread(QThread::create([&work, &done] {
        work();
        done.store(true, std::memory_order_release);
    }));
    connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit);
    QTimer showLater;
    showLater.setSingleShot(true);
    connect(&showLater, &QTimer::timeout, dialog_, &QWidget::show);
    showLater.start(kProgressDelayMs);

    thread->start();
    loop.exec();
    thread->wait();
    done.load(std::memory_order_acquire);
    showLater.stop();
    dialog_->hide();
}

bool KeyboardWork::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != dialog_)
        return false;
    if (event->type() == QEvent::Close) {
        if (cancellable_)
            cancel_.cancel();
        event->ignore();
        return true;
    }
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        if (cancellable_)
            cancel_.cancel();
        return true;
    }
    return false;
}
