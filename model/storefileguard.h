#pragma once

// What is at the library's paths before SQLite opens them. The data folder
// may sit in a place other users can write to: their links, files and
// folders are never followed, opened or changed. The library's own folder
// is made 0700 and every file of the store 0600, as ssh and gpg keep theirs.

#include <QCoreApplication>
#include <QString>

class StoreFileGuard
{
    Q_DECLARE_TR_FUNCTIONS(StoreFileGuard)

public:
    enum class Verdict {
        Usable,      // the user's own regular file, or nothing yet
        NotAFile,    // a folder, pipe, socket or device of the user's: moved aside
        NotTheUsers, // a link, another user's file or a hard-linked one: left as it is
        Refused,     // the folder is another user's: no store at all
        NoFolder,    // the folder cannot be made (a file in its place): no store
    };

    struct Outcome
    {
        Verdict verdict = Verdict::Usable;
        // Why, for the user; empty when usable.
        QString why;
        // The folder or file could not be written to (a read-only folder
        // or file system, a full disk); the store may still be read.
        QString whyNotWritable;
    };

    // The companions SQLite keeps beside a store.
    static const QStringList kCompanionSuffixes;

    // Makes the folder of `path` (0700) and judges `path` and its
    // companions; an absent store is made, empty and 0600, so that SQLite's
    // log and shared-memory files take the same mode.
    static Outcome prepare(const QString &path);
    // The store used instead when something not the user's is at `path`.
    static QString besidePath(const QString &path);
    // Makes a file the library made itself (a lock file) 0600, unless it is
    // not the user's regular file.
    static void makePrivate(const QString &path);
    // Why nothing can be written at `path` (a store or a file to be made
    // there), as the user should read it; empty when nothing tells.
    static QString whyNotWritable(const QString &path);
};
