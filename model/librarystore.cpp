#include "model/librarystore.h"

#include "model/storefileguard.h"
#include "model/storeintegrity.h"

#include <QAtomicInt>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLockFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QVariant>
#include <QUrl>
#include <QtEndian>

#include <array>
#include <mutex>

namespace {
// SQLite's locks are POSIX locks, which a process loses on a file as soon
// as any descriptor of that file closes: once a connection of this process
// has the store open, nothing here may open and close the file itself.
std::mutex openStoresMutex;
QHash<QString, int> openStores;
// SQLite's primary result codes, as Qt's driver hands them on.
constexpr int kSqlitePerm = 3;
constexpr int kSqliteReadOnly = 8;
constexpr int kSqliteIoError = 10;
constexpr int kSqliteCorrupt = 11;
constexpr int kSqliteFull = 13;
constexpr int kSqliteCantOpen = 14;
constexpr int kSqliteNotADatabase = 26;

constexpr int kHeaderSize = 100;
const QByteArray kSqliteMagic("SQLite format 3\0", 16);

// Each step takes the schema one version further; a step is never changed
// once released, a new version adds one.
const std::array<QStringList, LibraryStore::kSchemaVersion> kMigrations = {{
    {
        // The same content is one setup however often it is seen: `hash`
        // is of its whole image. A deleted setup leaves the list but stays
        // for the memories that hold it.
        QStringLiteral("CREATE TABLE setups ("
                       " id INTEGER PRIMARY KEY,"
                       " hash TEXT NOT NULL UNIQUE,"
                       " image BLOB NOT NULL,"
                       " name TEXT NOT NULL,"
                       " named_by_user INTEGER NOT NULL DEFAULT 0,"
                       " first_seen INTEGER NOT NULL,"
                       " last_seen INTEGER NOT NULL,"
                       " starred INTEGER NOT NULL DEFAULT 0,"
                       " times_written INTEGER NOT NULL DEFAULT 0,"
                       " listed INTEGER NOT NULL DEFAULT 1)"),
        QStringLiteral("CREATE INDEX setups_by_last_seen ON setups (last_seen)"),
        QStringLiteral("CREATE TABLE events ("
                       " id INTEGER PRIMARY KEY,"
                       " setup_id INTEGER NOT NULL REFERENCES setups (id),"
                       " kind TEXT NOT NULL CHECK (kind IN ('read', 'load', 'save', 'write')),"
                       " time INTEGER NOT NULL,"
                       " program TEXT NOT NULL CHECK (program IN ('editor', 'telvir')),"
                       " path TEXT,"
                       " memory INTEGER CHECK (memory BETWEEN 0 AND 8))"),
        QStringLiteral("CREATE INDEX events_writes ON events (memory, id) WHERE kind = 'write'"),
        QStringLiteral("CREATE INDEX events_by_setup ON events (setup_id)"),
    },
    {
        // The form of each editor with edits neither saved nor on the
        // keyboard; `editor` is the id its lock file is named after.
        QStringLiteral("CREATE TABLE snapshots ("
                       " editor TEXT PRIMARY KEY,"
                       " saved_at INTEGER NOT NULL,"
                       " content BLOB NOT NULL)"),
    },
    {
        // Each write names the keyboard it went to by its ports; earlier
        // writes keep NULL, "a keyboard not named". A memory's last write
        // is the latest in time: a restore adds older writes after newer.
        QStringLiteral("ALTER TABLE events ADD COLUMN keyboard_output TEXT"),
        QStringLiteral("ALTER TABLE events ADD COLUMN keyboard_input TEXT"),
        QStringLiteral("DROP INDEX IF EXISTS events_writes"),
        QStringLiteral("CREATE INDEX events_writes_by_keyboard ON events (keyboard_output, keyboard_input, memory, time)"
                       " WHERE kind = 'write'"),
    },
}};

int resultCode(const QSqlError &error)
{
    return error.nativeErrorCode().toInt() & 0xff;
}

QAtomicInt connectionCount;
} // namespace

LibraryStore::LibraryStore(const QString &path, int busyTimeoutMs)
    : path_(path.isEmpty() ? defaultPath() : path),
      connection_(QStringLiteral("telvir-library-%1").arg(connectionCount.fetchAndAddRelaxed(1))),
      busyTimeoutMs_(busyTimeoutMs)
{
}

LibraryStore::~LibraryStore()
{
    close();
}

QString LibraryStore::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
           + QStringLiteral("/telvir/library.sqlite");
}

QSqlDatabase LibraryStore::database() const
{
    return QSqlDatabase::database(connection_, false);
}

bool LibraryStore::exec(QSqlQuery &query, const QString &sql)
{
    return query.exec(sql);
}

bool LibraryStore::usable()
{
    if (!triedOpen_) {
        triedOpen_ = true;
        open();
    }
    return opened_;
}

QString LibraryStore::takeNotice()
{
    QString notice;
    notice.swap(notice_);
    return notice;
}

QString LibraryStore::whyUnreadable() const
{
    QFile file(path_);
    if (!file.exists() || file.size() == 0)
        return QString();
    if (!file.open(QIODevice::ReadOnly))
        return QString(); // said when it is opened
    const QByteArray header = file.read(kHeaderSize);
    if (header.size() < kHeaderSize || !header.startsWith(kSqliteMagic))
        return QStringLiteral("it is not an SQLite database");
    // The page count in the header holds when the file was last changed by
    // a program that knew of it; a write-ahead log may hold pages not yet
    // in the file.
    const auto *bytes = reinterpret_cast<const uchar *>(header.constData());
    const quint16 pageSizeField = qFromBigEndian<quint16>(bytes + 16);
    const qint64 pageSize = pageSizeField == 1 ? 65536 : pageSizeField;
    const quint32 changeCounter = qFromBigEndian<quint32>(bytes + 24);
    const quint32 pageCount = qFromBigEndian<quint32>(bytes + 28);
    const quint32 validFor = qFromBigEndian<quint32>(bytes + 92);
    const bool logged = QFileInfo(path_ + QStringLiteral("-wal")).size() > 0;
    if (!logged && validFor == changeCounter && file.size() < qint64(pageCount) * pageSize)
        return QStringLiteral("it is cut short");
    return QString();
}

bool LibraryStore::guard()
{
    // Something not the user's is left alone, a store of the user's own
    // kept beside it; a folder or pipe of the user's is moved aside.
    for (int attempt = 0; attempt < 3; ++attempt) {
        const StoreFileGuard::Outcome outcome = StoreFileGuard::prepare(path_);
        if (!outcome.whyNotWritable.isEmpty())
            readOnly(outcome.whyNotWritable);
        switch (outcome.verdict) {
        case StoreFileGuard::Verdict::Usable:
            return true;
        case StoreFileGuard::Verdict::Refused:
            leaveAlone(outcome.why);
            return false;
        case StoreFileGuard::Verdict::NoFolder:
            giveUp(outcome.why);
            return false;
        case StoreFileGuard::Verdict::NotAFile:
            moveAside(outcome.why);
            if (!writable_)
                return false;
            break;
        case StoreFileGuard::Verdict::NotTheUsers:
            if (attempt > 0) {
                leaveAlone(outcome.why);
                return false;
            }
            //: %1 is what is at the library's place, %2 why it is not used, %3 the library used instead.
            notice_ = tr("The library %1 was left as it is (%2); your own library is kept in %3.")
                          .arg(QDir::toNativeSeparators(path_), outcome.why,
                               QDir::toNativeSeparators(StoreFileGuard::besidePath(path_)));
            path_ = StoreFileGuard::besidePath(path_);
            break;
        }
    }
    return false;
}

void LibraryStore::leaveAlone(const QString &why)
{
    writable_ = false;
    //: %2 is why the library's file or folder is not the user's own.
    notice_ = tr("The library %1 is not used (%2); nothing is recorded.").arg(QDir::toNativeSeparators(path_), why);
}

void LibraryStore::readOnly(const QString &why)
{
    const bool wasReadOnly = readOnly_;
    readOnly_ = true;
    if (!wasReadOnly)
        giveUp(why);
}

bool LibraryStore::open()
{
    if (!guard())
        return false;
    // Programs that open the store at the same moment take turns until it
    // is set up: making it, its first schema and the change to WAL meet
    // SQLite's locks where it does not wait but says "database is locked".
    QLockFile settingUp(path_ + QStringLiteral(".lock"));
    if (settingUp.tryLock(readOnly_ ? 0 : kBusyTimeoutMs)) {
        StoreFileGuard::makePrivate(path_ + QStringLiteral(".lock"));
    } else if (settingUp.error() != QLockFile::LockFailedError) {
        // No lock can be made beside it: the store is only read.
        const QString why = StoreFileGuard::whyNotWritable(path_);
        readOnly(why.isEmpty() ? tr("no lock file can be made beside it") : why);
    } else if (!readOnly_) {
        giveUp(QStringLiteral("another program holds it"));
        return false;
    }
    // A store moved aside is replaced once, one that cannot be written is
    // opened only to be read; a further failure is given up.
    for (int attempt = 0; attempt < 4; ++attempt) {
        QString why;
        {
            const std::lock_guard<std::mutex> lock(openStoresMutex);
            const QString key = QFileInfo(path_).absoluteFilePath();
            if (openStores.value(key) == 0)
                why = whyUnreadable();
            if (why.isEmpty() && countedPath_ != key) {
                if (!countedPath_.isEmpty() && --openStores[countedPath_] <= 0)
                    openStores.remove(countedPath_);
                ++openStores[key];
                countedPath_ = key;
            }
        }
        if (!why.isEmpty()) {
            moveAside(why);
            if (!writable_)
                return false;
            continue;
        }
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
            // Read-only, a store in a folder that cannot be written is read
            // as it stands: no shared-memory index can be made beside it.
            const QUrl file = QUrl::fromLocalFile(QFileInfo(path_).absoluteFilePath());
            db.setDatabaseName(readOnly_ ? QStringLiteral("file:%1?mode=ro%2")
                                               .arg(QString::fromLatin1(file.toEncoded(QUrl::RemoveScheme)),
                                                    immutable_ ? QStringLiteral("&immutable=1") : QString())
                                         : path_);
            if (readOnly_)
                db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_OPEN_URI"));
            if (!db.open()) {
                const QSqlError error = db.lastError();
                if (readOnly_ && !immutable_) {
                    db = QSqlDatabase();
                    close();
                    immutable_ = true;
                    continue;
                }
                if (!readOnly_ && cannotWrite(resultCode(error))) {
                    db = QSqlDatabase();
                    close();
                    readOnly(whyNotWritten(error));
                    continue;
                }
                giveUp(db.lastError().databaseText());
                return false;
            }
            QSqlQuery query(db);
            if (!exec(query, QStringLiteral("PRAGMA busy_timeout = %1").arg(busyTimeoutMs_))
                || !exec(query, QStringLiteral("PRAGMA user_version")) || !query.next()) {
                const int code = resultCode(query.lastError());
                if (readOnly_ && !immutable_) {
                    query = QSqlQuery();
                    db = QSqlDatabase();
                    close();
                    immutable_ = true;
                    continue;
                }
                if (!readOnly_ && cannotWrite(code)) {
                    const QSqlError error = query.lastError();
                    query = QSqlQuery();
                    db = QSqlDatabase();
                    close();
                    readOnly(whyNotWritten(error));
                    continue;
                }
                if (code == kSqliteCorrupt || code == kSqliteNotADatabase) {
                    query = QSqlQuery();
                    db = QSqlDatabase();
                    moveAside(QStringLiteral("it is damaged"));
                    if (!writable_)
                        return false;
                    continue;
                }
                giveUp(query.lastError().databaseText());
                return false;
            }
            const int version = query.value(0).toInt();
            if (version > kSchemaVersion) {
                query = QSqlQuery();
                db = QSqlDatabase();
                moveAside(QStringLiteral("it was made by a newer program"));
                if (!writable_)
                    return false;
                continue;
            }
            if (!StoreIntegrity::looksSound(db, version)) {
                query = QSqlQuery();
                db = QSqlDatabase();
                // A store that cannot be written may be read, if not moved.
                const QString notWritable = readOnly_ ? QString() : StoreFileGuard::whyNotWritable(path_);
                if (!notWritable.isEmpty()) {
                    close();
                    readOnly(notWritable);
                    continue;
                }
                moveAside(QStringLiteral("it is damaged"));
                if (!writable_)
                    return false;
                salvageFrom_ = damagedAside_;
                continue;
            }
            opened_ = true;
            if (readOnly_)
                return true;
            // WAL lets readers and one writer work at once; NORMAL keeps
            // every commit through a crash of the program.
            if (exec(query, QStringLiteral("PRAGMA journal_mode")) && query.next()
                && query.value(0).toString() != QLatin1String("wal")
                && !(exec(query, QStringLiteral("PRAGMA journal_mode = WAL")) && query.next()
                     && query.value(0).toString() == QLatin1String("wal")))
                giveUp(query.lastError().databaseText());
            exec(query, QStringLiteral("PRAGMA synchronous = NORMAL"));
            if (version < kSchemaVersion && !migrate())
                opened_ = false;
            if (opened_ && !salvageFrom_.isEmpty())
                StoreIntegrity::salvage(salvageFrom_, db);
            salvageFrom_.clear();
        }
        if (!opened_)
            close();
        return opened_;
    }
    return false;
}

bool LibraryStore::migrate()
{
    QSqlQuery query(database());
    if (!exec(query, QStringLiteral("BEGIN IMMEDIATE"))) {
        giveUp(query.lastError().databaseText());
        return false;
    }
    // Another program may have migrated it meanwhile.
    if (!exec(query, QStringLiteral("PRAGMA user_version")) || !query.next()) {
        exec(query, QStringLiteral("ROLLBACK"));
        return false;
    }
    const int version = query.value(0).toInt();
    for (int step = version; step < kSchemaVersion; ++step) {
        for (const QString &statement : kMigrations[std::size_t(step)]) {
            if (!exec(query, statement)) {
                const QString why = query.lastError().databaseText();
                exec(query, QStringLiteral("ROLLBACK"));
                giveUp(why);
                return false;
            }
        }
    }
    if (!exec(query, QStringLiteral("PRAGMA user_version = %1").arg(kSchemaVersion))
        || !exec(query, QStringLiteral("COMMIT"))) {
        const QString why = query.lastError().databaseText();
        exec(query, QStringLiteral("ROLLBACK"));
        giveUp(why);
        return false;
    }
    return true;
}

void LibraryStore::close()
{
    if (!countedPath_.isEmpty()) {
        const std::lock_guard<std::mutex> lock(openStoresMutex);
        if (--openStores[countedPath_] <= 0)
            openStores.remove(countedPath_);
        countedPath_.clear();
    }
    if (!QSqlDatabase::contains(connection_))
        return;
    QSqlDatabase::database(connection_, false).close();
    QSqlDatabase::removeDatabase(connection_);
    opened_ = false;
}

bool LibraryStore::recover(const QSqlError &error)
{
    const int code = resultCode(error);
    if (code == kSqliteCorrupt || code == kSqliteNotADatabase) {
        close();
        // Another program may have replaced it already: only a file that
        // fails its own check is moved.
        {
            QSqlDatabase check = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
            check.setDatabaseName(path_);
            const bool sound = check.open() && StoreIntegrity::isSound(check);
            check = QSqlDatabase();
            close();
            if (!sound) {
                moveAside(QStringLiteral("it is damaged"));
                salvageFrom_ = damagedAside_;
            }
        }
        return writable_ && open();
    }
    if (cannotWrite(code))
        giveUp(whyNotWritten(error));
    return false;
}

bool LibraryStore::cannotWrite(int code)
{
    return code == kSqliteReadOnly || code == kSqliteFull || code == kSqliteCantOpen || code == kSqliteIoError
           || code == kSqlitePerm;
}

QString LibraryStore::whyNotWritten(const QSqlError &error) const
{
    const QString why = StoreFileGuard::whyNotWritable(path_);
    if (!why.isEmpty())
        return why;
    return resultCode(error) == kSqliteFull ? StoreFileGuard::tr("the disk is full") : error.databaseText();
}

void LibraryStore::moveAside(const QString &why)
{
    close();
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString aside = path_ + QStringLiteral(".unreadable-") + stamp;
    for (int n = 2; QFileInfo::exists(aside); ++n)
        aside = path_ + QStringLiteral(".unreadable-%1-%2").arg(stamp).arg(n);
    if (!QDir().rename(path_, aside)) {
        //: %1 is the reason the library could not be read.
        giveUp(tr("%1, and it cannot be moved aside").arg(why));
        return;
    }
    // Its log belongs to it; the shared-memory index is rebuilt from the log.
    QFile::rename(path_ + QStringLiteral("-wal"), aside + QStringLiteral("-wal"));
    QFile::remove(path_ + QStringLiteral("-shm"));
    // What SQLite can still read of a damaged store may go into the new one.
    const QFileInfo moved(aside);
    damagedAside_ = moved.isFile() && !moved.isSymLink() ? aside : QString();
    notice_ = tr("The library %1 could not be read (%2); it was moved aside to %3 and a new one was made.")
                  .arg(QDir::toNativeSeparators(path_), why, QDir::toNativeSeparators(aside));
}

void LibraryStore::giveUp(const QString &why)
{
    if (!writable_)
        return;
    writable_ = false;
    notice_ = tr("The library %1 cannot be written (%2); nothing is recorded.")
                  .arg(QDir::toNativeSeparators(path_), why);
}
