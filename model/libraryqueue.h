#pragma once

// Records events into the library on a thread of its own, with a
// connection of its own: a command hands its event over and goes on at
// once, however long another program holds the store's write lock. Events
// are recorded in the order they were handed over; those still waiting
// when the queue is destroyed are recorded first.

#include "model/libraryevent.h"

#include <QObject>
#include <QString>
#include <QThread>

#include <memory>

class LibraryRecorder;
class LibraryStore;

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
    void recordHere(const LibraryEvent &event);

    const QString path_;
    QThread thread_;
    QObject *worker_; // lives on thread_
    // Made and used on thread_ only.
    std::unique_ptr<LibraryStore> store_;
    std::unique_ptr<LibraryRecorder> recorder_;
};
