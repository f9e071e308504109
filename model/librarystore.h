#pragma once

// The library: one SQLite file that the editor and every telvir run share,
// telvir/library.sqlite in the user's data folder. Each thread opens its own
// LibraryStore (one connection per thread). In WAL mode with a busy timeout
// any number of programs read and record at once.
//
// The store is never the reason a command fails: a file that is not a
// database, is cut short, is damaged or has a newer schema is moved aside
// and a new one made; a store that cannot be written is only read; what is
// not the user's is left alone (StoreFileGuard). Each is said once,
// through takeNotice().

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QString>

class QSqlError;
class QSqlQuery;

class LibraryStore
{
    Q_DECLARE_TR_FUNCTIONS(LibraryStore)

public:
    // The schema this program writes; older stores are migrated to it.
    static constexpr int kSchemaVersion = 3;

    // How long a statement waits for another program's write to end.
    static constexpr int kBusyTimeoutMs = 5000;

    // `path` empty: the user's store (defaultPath()).
    explicit LibraryStore(const QString &path = QString(), int busyTimeoutMs = kBusyTimeoutMs);
    ~LibraryStore();
    LibraryStore(const LibraryStore &) = delete;
    LibraryStore &operator=(const LibraryStore &) = delete;

    static QString defaultPath();

    QString path() const { return path_; }
    // Opened, with the current schema. Opens on first use.
    bool usable();
    bool writable() const { return writable_; }
    QSqlDatabase database() const;

    // A failed statement: a store found unreadable is moved aside and
    // replaced (true: try again), one that cannot be written is given up.
    bool recover(const QSqlError &error);

    // What the user should be told of the store, once; then empty.
    QString takeNotice();

    // Runs `sql` with no values; false on failure.
    static bool exec(QSqlQuery &query, const QString &sql);

private:
    bool open();
    // Judges what is at path_ before SQLite opens it; false: no store.
    bool guard();
    // What is at path_ is not the user's: no store at all.
    void leaveAlone(const QString &why);
    // From now on the store is only read, and the user is told why.
    void readOnly(const QString &why);
    static bool cannotWrite(int sqliteCode);
    QString whyNotWritten(const QSqlError &error) const;
    void close();
    // Why the file at path_ is not a store this program can use, without
    // opening it; empty when it may be.
    QString whyUnreadable() const;
    bool migrate();
    void moveAside(const QString &why);
    void giveUp(const QString &why);

    QString path_;
    QString connection_;
    int busyTimeoutMs_;
    bool opened_ = false;
    // The store as counted among those this process has open, while it is.
    QString countedPath_;
    bool writable_ = true;
    bool triedOpen_ = false;
    bool readOnly_ = false;
    // Read as the file stands, its log not looked at: for a folder where
    // no shared-memory index can be made.
    bool immutable_ = false;
    // The regular file last moved aside, and the damaged store whose
    // readable rows go into the new one.
    QString damagedAside_;
    QString salvageFrom_;
    QString notice_;
};
