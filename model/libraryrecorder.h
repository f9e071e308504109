#pragma once

// Writes into the library: each event in one transaction of its own, so a
// program killed at any moment leaves every earlier event whole; and the
// user's changes to the list (a name, a star, leaving the list).

#include "model/libraryevent.h"

#include <QString>

class LibraryStore;
class QSqlError;
class QVariant;

class LibraryRecorder
{
public:
    explicit LibraryRecorder(LibraryStore &store);

    // False when it was not recorded (the store says why, once).
    bool record(const LibraryEvent &event);

    bool rename(qint64 setupId, const QString &name);
    bool setStarred(qint64 setupId, bool starred);
    // Off the list; memories that hold it still show it, and seeing the
    // same setup again lists it again.
    bool unlist(qint64 setupId);

    // The name a setup first seen in `event` is given.
    static QString nameFor(const LibraryEvent &event, qint64 timeMs);
    static QString hashOf(const Settings &settings);

private:
    bool tryRecord(const LibraryEvent &event, QSqlError *error);
    bool change(const QString &sql, const QVariant &value, qint64 setupId);

    LibraryStore &store_;
};
