#include "model/libraryqueue.h"

#include "model/libraryrecorder.h"
#include "model/librarystore.h"

#include <QDateTime>
#include <QMetaObject>

LibraryQueue::LibraryQueue(const QString &path, QObject *parent)
    : QObject(parent), path_(path.isEmpty() ? LibraryStore::defaultPath() : path), worker_(new QObject)
{
    thread_.setObjectName(QStringLiteral("library"));
    worker_->moveToThread(&thread_);
    connect(&thread_, &QThread::finished, worker_, &QObject::deleteLater);
    thread_.start(QThread::LowPriority);
}

LibraryQueue::~LibraryQueue()
{
    waitUntilRecorded();
    // The connection closes on the thread that opened it.
    QMetaObject::invokeMethod(
        worker_,
        [this] {
            recorder_.reset();
            store_.reset();
        },
        Qt::BlockingQueuedConnection);
    thread_.quit();
    thread_.wait();
}

void LibraryQueue::record(const LibraryEvent &event)
{
    // Stamped now: it may wait for its turn.
    LibraryEvent stamped = event;
    if (stamped.timeMs == 0)
        stamped.timeMs = QDateTime::currentMSecsSinceEpoch();
    QMetaObject::invokeMethod(worker_, [this, stamped] { recordHere(stamped); }, Qt::QueuedConnection);
}

void LibraryQueue::waitUntilRecorded()
{
    // Queued calls run in order: this one runs after every event before it.
    QMetaObject::invokeMethod(worker_, [] {}, Qt::BlockingQueuedConnection);
}

void LibraryQueue::recordHere(const LibraryEvent &event)
{
    if (!store_) {
        store_ = std::make_unique<LibraryStore>(path_);
        recorder_ = std::make_unique<LibraryRecorder>(*store_);
    }
    const bool stored = recorder_->record(event);
    const QString text = store_->takeNotice();
    if (!text.isEmpty())
        emit notice(text);
    emit recorded(stored);
}
