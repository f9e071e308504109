#pragma once

// The whole library in one file and back: a backup is a consistent copy of
// the store (an SQLite file like it) taken while other programs record; a
// restore merges one into the store, setups by their content and events by
// what they are, so that restoring the same backup again adds nothing.

#include <QCoreApplication>
#include <QString>

class LibraryStore;

class LibraryBackup
{
    Q_DECLARE_TR_FUNCTIONS(LibraryBackup)

public:
    struct Copied
    {
        int setups = 0;
        int events = 0;
    };
    struct Merged
    {
        int setupsAdded = 0;
        int setupsKnown = 0; // already in the library
        int eventsAdded = 0;
        int eventsKnown = 0;
    };

    explicit LibraryBackup(LibraryStore &store);

    // Copies the store into the new file `path`; never replaces a file (nor
    // follows a link planted there). False with `error` set.
    bool backUp(const QString &path, Copied *copied, QString *error);
    // Merges the backup `path` into the store in one transaction: all of it
    // or, on failure, nothing.
    bool restore(const QString &path, Merged *merged, QString *error);

    // What was done, in one sentence, for telvir and the window alike.
    static QString backedUp(const Copied &copied, const QString &path);
    static QString restored(const Merged &merged, const QString &path);

private:
    // The backup attached as "backup", of schema `version`, merged in.
    bool merge(int version, Merged *merged, QString *error);

    LibraryStore &store_;
};
