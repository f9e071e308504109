#pragma once

// Records events into the library on a thread of its own, with a
// connection of its own: a command hands its event over and goes on at
// once, however long another program holds the store's write lock. Events
// are recorded in the order they were handed over; those still waiting
// when the queue is destroyed are recorded first.

#include "model/libraryevent.h"

#include <QObject>
#include <QString>

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <thread>

class LibraryQueue : public QObject
{
    Q_OBJECT

public:
    // `path` empty: the user's store.
    explicit LibraryQueue(const QString &path = QString(), QObject *parent = nullptr);
    ~LibraryQueue() override;

    void record(const LibraryEvent &event);
    // Returns once every event handed over so far is recorded (or refused).
    void waitUntilRecorded();

    QString path() const { return path_; }

signals:
    // On the queue's thread; connections to objects of other threads are
    // queued.
    void recorded(bool stored);
    // Something the user should be told of the store, once.
    void notice(const QString &text);

private:
    // The queue's thread: the store is opened, used and closed there.
    void work();

    const QString path_;
    // The events go over under a lock of the standard library's, whose
    // ordering ThreadSanitizer follows (Qt 5's queued calls it cannot).
    std::mutex mutex_;
    std::condition_variable eventWaiting_;
    std::condition_variable eventRecorded_;
    std::deque<LibraryEvent> waiting_;
    std::uint64_t handedOver_ = 0;
    std::uint64_t finished_ = 0;
    bool stopping_ = false;
    std::thread thread_;
};
