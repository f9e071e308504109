#include "model/librarybackup.h"

#include "model/libraryrecorder.h"
#include "model/librarystore.h"

#include <QAtomicInt>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryFile>
#include <QVariant>


namespace {
const QByteArray kSqliteMagic("SQLite format 3\0", 16);

QAtomicInt connectionCount;

// A connection of its own to another library file, read only, closed when
// it goes.
class ReadOnlyLibrary
{
public:
    explicit ReadOnlyLibrary(const QString &path)
        : connection_(QStringLiteral("telvir-backup-%1").arg(connectionCount.fetchAndAddRelaxed(1)))
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        opened_ = db.open();
    }
    ~ReadOnlyLibrary()
    {
        QSqlDatabase::database(connection_, false).close();
        QSqlDatabase::removeDatabase(connection_);
    }
    ReadOnlyLibrary(const ReadOnlyLibrary &) = delete;
    ReadOnlyLibrary &operator=(const ReadOnlyLibrary &) = delete;

    bool opened() const { return opened_; }
    QSqlDatabase database() const { return QSqlDatabase::database(connection_, false); }

    // The first value `sql` gives, or an invalid one.
    QVariant value(const QString &sql) const
    {
        QSqlQuery query(database());
        return query.exec(sql) && query.next() ? query.value(0) : QVariant();
    }

private:
    QString connection_;
    bool opened_ = false;
};
} // namespace

LibraryBackup::LibraryBackup(LibraryStore &store) : store_(store) {}

bool LibraryBackup::backUp(const QString &path, Copied *copied, QString *error)
{
    const QFileInfo target(path);
    // A dangling link "does not exist" but would be followed.
    if (target.exists() || target.isSymLink()) {
        *error = tr("%1 exists already; a backup never replaces a file.").arg(QDir::toNativeSeparators(path));
        return false;
    }
    if (!store_.usable()) {
        *error = tr("The library cannot be opened.");
        return false;
    }
    // Made beside the target under a name of its own (an empty file, which
    // VACUUM INTO fills) and moved to the target only when checked: the
    // target is never half a copy.
    QTemporaryFile part(target.absolutePath() + QStringLiteral("/.") + target.fileName() + QStringLiteral(".XXXXXX"));
    if (!part.open()) {
        *error = tr("could not write %1: %2").arg(QDir::toNativeSeparators(path), part.errorString());
        return false;
    }
    part.close();
    {
        // A read transaction of its own: a snapshot of the store, however
        // other programs record meanwhile.
        QSqlQuery query(store_.database());
        query.prepare(QStringLiteral("VACUUM INTO ?"));
        query.addBindValue(part.fileName());
        if (!query.exec()) {
            *error = tr("could not write %1: %2").arg(QDir::toNativeSeparators(path), query.lastError().databaseText());
            return false;
        }
    }
    {
        ReadOnlyLibrary copy(part.fileName());
        const QVariant check = copy.value(QStringLiteral("PRAGMA quick_check(1)"));
        const QVariant setups = copy.value(QStringLiteral("SELECT count(*) FROM setups"));
        const QVariant events = copy.value(QStringLiteral("SELECT count(*) FROM events"));
        if (!copy.opened() || check.toString() != QLatin1String("ok") || !setups.isValid() || !events.isValid()) {
            *error = tr("The copy of the library could not be read back; %1 was not written.")
                         .arg(QDir::toNativeSeparators(path));
            return false;
        }
        copied->setups = setups.toInt();
        copied->events = events.toInt();
    }
    // Never over a file that came meanwhile: rename() refuses to replace.
    if (!QFile::rename(part.fileName(), path)) {
        *error = tr("%1 exists already; a backup never replaces a file.").arg(QDir::toNativeSeparators(path));
        return false;
    }
    part.setAutoRemove(false);
    return true;
}

bool LibraryBackup::restore(const QString &path, Merged *merged, QString *error)
{
    const QString shown = QDir::toNativeSeparators(path);
    const auto refuse = [error, &shown] {
        *error = tr("%1 is not a backup of the library.").arg(shown);
        return false;
    };
    {
        QFile file(path);
        if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
            *error = tr("%1 cannot be read.").arg(shown);
            return false;
        }
        if (file.read(kSqliteMagic.size()) != kSqliteMagic)
            return refuse();
    }
    if (!store_.usable() || !store_.writable()) {
        *error = tr("The library cannot be written.");
        return false;
    }

    // Checked on a connection of its own, read only: its version, and each
    // setup against its content, which is what the merge goes by. A backup
    // with one setup that fails is refused whole.
    int version = 0;
    {
        ReadOnlyLibrary backup(path);
        version = backup.value(QStringLiteral("PRAGMA user_version")).toInt();
        if (!backup.opened() || version < 1)
            return refuse();
        if (version > LibraryStore::kSchemaVersion) {
            *error = tr("%1 was made by a newer program.").arg(shown);
            return false;
        }
        QSqlQuery query(backup.database());
        query.setForwardOnly(true);
        if (!query.exec(QStringLiteral("SELECT hash, image FROM setups")))
            return refuse();
        while (query.next()) {
            const QByteArray image = query.value(1).toByteArray();
            if (image.size() != int(Settings::kImageSize)
                || LibraryRecorder::hashOf(Settings::fromBytes(image.constData())) != query.value(0).toString())
                return refuse();
        }
        if (!backup.value(QStringLiteral("SELECT count(*) FROM events")).isValid())
            return refuse();
    }

    // The merge itself in SQL, the backup attached to the store's
    // connection, in one transaction.
    QSqlQuery query(store_.database());
    query.prepare(QStringLiteral("ATTACH DATABASE ? AS backup"));
    query.addBindValue(path);
    if (!query.exec()) {
        *error = tr("The library could not take the backup: %1").arg(query.lastError().databaseText());
        return false;
    }
    const bool done = merge(version, merged, error);
    query.exec(QStringLiteral("DETACH DATABASE backup"));
    return done;
}

bool LibraryBackup::merge(int version, Merged *merged, QString *error)
{
    QSqlQuery query(store_.database());
    const auto failed = [&query, error] {
        *error = tr("The library could not take the backup: %1").arg(query.lastError().databaseText());
        query.exec(QStringLiteral("ROLLBACK"));
        query.exec(QStringLiteral("DROP TABLE IF EXISTS temp.restored"));
        query.exec(QStringLiteral("DROP TABLE IF EXISTS temp.restored_setups"));
        return false;
    };
    const auto count = [&query](const QString &sql) {
        return query.exec(sql) && query.next() ? query.value(0).toInt() : -1;
    };
    // Writes before keyboards were named had none.
    const QString keyboards = version >= 3 ? QStringLiteral("e.keyboard_output, e.keyboard_input")
                                           : QStringLiteral("NULL, NULL");
    const QStringList steps{
        // Setups the library has: its own name stays unless only the
        // backup's was chosen by the user; the earlier first and the later
        // last sighting; a star from either.
        QStringLiteral("UPDATE main.setups SET"
                       " first_seen = min(first_seen, (SELECT b.first_seen FROM backup.setups b WHERE b.hash = setups.hash)),"
                       " last_seen = max(last_seen, (SELECT b.last_seen FROM backup.setups b WHERE b.hash = setups.hash)),"
                       " starred = max(starred, (SELECT b.starred FROM backup.setups b WHERE b.hash = setups.hash))"
                       // Only rows that change: a second restore writes nothing.
                       " WHERE EXISTS (SELECT 1 FROM backup.setups b WHERE b.hash = setups.hash AND"
                       " (b.first_seen < setups.first_seen OR b.last_seen > setups.last_seen OR b.starred > setups.starred))"),
        QStringLiteral("UPDATE main.setups SET named_by_user = 1,"
                       " name = (SELECT b.name FROM backup.setups b WHERE b.hash = setups.hash)"
                       " WHERE named_by_user = 0 AND hash IN (SELECT hash FROM backup.setups WHERE named_by_user = 1)"),
        // The others with all they had; their writes are counted below.
        QStringLiteral("INSERT INTO main.setups (hash, image, name, named_by_user, first_seen, last_seen, starred,"
                       " times_written, listed)"
                       " SELECT hash, image, name, named_by_user, first_seen, last_seen, starred, 0, listed"
                       " FROM backup.setups b WHERE NOT EXISTS (SELECT 1 FROM main.setups s WHERE s.hash = b.hash)"
                       " ORDER BY b.id"),
        // The events the library lacks: none of the same kind, time,
        // setup, program, file, memory and keyboard.
        QStringLiteral("CREATE TEMP TABLE restored_setups (backup_id INTEGER PRIMARY KEY, setup_id INTEGER)"),
        QStringLiteral("INSERT INTO temp.restored_setups SELECT b.id, s.id FROM backup.setups b"
                       " JOIN main.setups s ON s.hash = b.hash"),
        QStringLiteral("CREATE TEMP TABLE restored AS SELECT r.setup_id, e.time, e.kind, e.program,"
                       " e.path, e.memory, %1 AS keyboard_output_, %2 AS keyboard_input_"
                       " FROM backup.events e JOIN temp.restored_setups r ON r.backup_id = e.setup_id"
                       " WHERE e.kind IN ('read', 'load', 'save', 'write') AND e.program IN ('editor', 'telvir')"
                       " AND (e.memory IS NULL OR e.memory BETWEEN 0 AND 8)")
            .arg(keyboards.section(QStringLiteral(", "), 0, 0), keyboards.section(QStringLiteral(", "), 1, 1)),
        QStringLiteral("DELETE FROM temp.restored WHERE EXISTS (SELECT 1 FROM main.events m"
                       " WHERE m.setup_id = restored.setup_id AND m.time = restored.time AND m.kind = restored.kind"
                       " AND m.program = restored.program AND m.path IS restored.path AND m.memory IS restored.memory"
                       " AND m.keyboard_output IS restored.keyboard_output_"
                       " AND m.keyboard_input IS restored.keyboard_input_)"),
        QStringLiteral("CREATE INDEX temp.restored_writes ON restored (setup_id) WHERE kind = 'write'"),
        QStringLiteral("UPDATE main.setups SET times_written = times_written"
                       " + (SELECT count(*) FROM temp.restored r WHERE r.setup_id = setups.id AND r.kind = 'write')"
                       " WHERE id IN (SELECT setup_id FROM temp.restored WHERE kind = 'write')"),
        QStringLiteral("INSERT INTO main.events (setup_id, time, kind, program, path, memory, keyboard_output,"
                       " keyboard_input) SELECT setup_id, time, kind, program, path, memory, keyboard_output_,"
                       " keyboard_input_ FROM temp.restored ORDER BY time"),
    };
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return failed();
    const int setups = count(QStringLiteral("SELECT count(*) FROM backup.setups"));
    merged->setupsKnown = count(QStringLiteral("SELECT count(*) FROM backup.setups b"
                                               " WHERE EXISTS (SELECT 1 FROM main.setups s WHERE s.hash = b.hash)"));
    const int events = count(QStringLiteral("SELECT count(*) FROM backup.events e"
                                            " JOIN backup.setups b ON b.id = e.setup_id"));
    if (setups < 0 || merged->setupsKnown < 0 || events < 0)
        return failed();
    merged->setupsAdded = setups - merged->setupsKnown;
    for (const QString &step : steps) {
        if (!query.exec(step))
            return failed();
        if (step.startsWith(QLatin1String("DELETE"))) {
            merged->eventsAdded = count(QStringLiteral("SELECT count(*) FROM temp.restored"));
            merged->eventsKnown = events - merged->eventsAdded;
        }
    }
    if (!query.exec(QStringLiteral("COMMIT")))
        return failed();
    query.exec(QStringLiteral("DROP TABLE temp.restored"));
    query.exec(QStringLiteral("DROP TABLE temp.restored_setups"));
    return true;
}

QString LibraryBackup::backedUp(const Copied &copied, const QString &path)
{
    //: %2 is "N setups", %3 "N events".
    return tr("Backed up the library into %1: %2 and %3.")
        .arg(QDir::toNativeSeparators(path), tr("%n setups", nullptr, copied.setups),
             tr("%n events", nullptr, copied.events));
}

QString LibraryBackup::restored(const Merged &merged, const QString &path)
{
    //: %2 and %4 are "N setups", %3 and %5 "N events".
    return tr("Restored %1: %2 and %3 added; %4 and %5 were in the library already.")
        .arg(QDir::toNativeSeparators(path), tr("%n setups", nullptr, merged.setupsAdded),
             tr("%n events", nullptr, merged.eventsAdded), tr("%n setups", nullptr, merged.setupsKnown),
             tr("%n events", nullptr, merged.eventsKnown));
}
