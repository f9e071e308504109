#include "model/libraryqueue.h"

#include "model/libraryrecorder.h"
#include "model/librarystore.h"

#include <QDateTime>
#include <QThread>

#include <memory>

LibraryQueue::LibraryQueue(const QString &path, QObject *parent)
    : QObject(parent), path_(path.isEmpty() ? LibraryStore::defaultPath() : path)
{
    thread_ = std::thread(&LibraryQueue::work, this);
}

LibraryQueue::~LibraryQueue()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    eventWaiting_.notify_one();
    thread_.join();
}

void LibraryQueue::record(const LibraryEvent &event)
{
    // Stamped now: it may wait for its turn.
    LibraryEvent stamped = event;
    if (stamped.timeMs == 0)
        stamped.timeMs = QDateTime::currentMSecsSinceEpoch();
    {
        std::lock_guard<std::mutex> lock(mutex_);
        waiting_.push_back(std::move(stamped));
        ++handedOver_;
    }
    eventWaiting_.notify_one();
}

void LibraryQueue::waitUntilRecorded()
{
    std::unique_lock<std::mutex> lock(mutex_);
    const std::uint64_t last = handedOver_;
    eventRecorded_.wait(lock, [this, last] { return finished_ >= last; });
}

void LibraryQueue::work()
{
    QThread::currentThread()->setObjectName(QStringLiteral("library"));
    QThread::currentThread()->setPriority(QThread::LowPriority);
    std::unique_ptr<LibraryStore> store;
    std::unique_ptr<LibraryRecorder> recorder;
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        eventWaiting_.wait(lock, [this] { return stopping_ || !waiting_.empty(); });
        if (waiting_.empty())
            break;
        const LibraryEvent event = std::move(waiting_.front());
        waiting_.pop_front();
        lock.unlock();

        if (!store) {
            store = std::make_unique<LibraryStore>(path_);
            recorder = std::make_unique<LibraryRecorder>(*store);
        }
        const bool stored = recorder->record(event);
        const QString text = store->takeNotice();
        if (!text.isEmpty())
            emit notice(text);
        emit recorded(stored);

        lock.lock();
        ++finished_;
        eventRecorded_.notify_all();
    }
    lock.unlock();
    // The connection closes on the thread that opened it.
    recorder.reset();
    store.reset();
}
