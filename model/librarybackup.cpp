#include "model/librarybackup.h"

#include "model/libraryrecorder.h"
#include "model/librarystore.h"

#include <QAtomicInt>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryFile>
#include <QVariant>

#include <vector>

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

struct BackupSetup
{
    QString hash;
    QByteArray image;
    QString name;
    bool namedByUser = false;
    qint64 firstSeen = 0;
    qint64 lastSeen = 0;
    bool starred = false;
    bool listed = true;
};

// What makes two events the same: what happened to which setup, when, by
// which program, with which file, memory and keyboard.
QString identityOf(const QSqlQuery &query, const QString &hash)
{
    QStringList parts{hash};
    for (int column = 0; column < 7; ++column) {
        const QVariant value = query.value(column);
        // NULL and the empty text are told apart.
        parts << (value.isNull() ? QStringLiteral("\x01") : value.toString());
    }
    return parts.join(QChar(0x1f));
}

constexpr char kEventColumns[] = "e.time, e.kind, e.program, e.path, e.memory, e.keyboard_output, e.keyboard_input";

bool validEvent(const QSqlQuery &query)
{
    static const QStringList kinds{QStringLiteral("read"), QStringLiteral("load"), QStringLiteral("save"),
                                   QStringLiteral("write")};
    static const QStringList programs{QStringLiteral("editor"), QStringLiteral("telvir")};
    const QVariant memory = query.value(4);
    return kinds.contains(query.value(1).toString()) && programs.contains(query.value(2).toString())
           && (memory.isNull() || (memory.toInt() >= 0 && memory.toInt() <= 8));
}
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

    // The backup read whole first: its setups checked against their
    // content, its events against what the library takes.
    std::vector<BackupSetup> setups;
    QHash<qint64, int> setupAt; // backup id -> index in setups
    std::vector<std::pair<int, QString>> events; // setup index, identity
    std::vector<std::vector<QVariant>> eventValues;
    {
        ReadOnlyLibrary backup(path);
        const QVariant version = backup.value(QStringLiteral("PRAGMA user_version"));
        if (!backup.opened() || !version.isValid() || version.toInt() < 1)
            return refuse();
        if (version.toInt() > LibraryStore::kSchemaVersion) {
            *error = tr("%1 was made by a newer program.").arg(shown);
            return false;
        }
        QSqlQuery query(backup.database());
        query.setForwardOnly(true);
        if (!query.exec(QStringLiteral("SELECT id, hash, image, name, named_by_user, first_seen, last_seen, starred,"
                                       " listed FROM setups")))
            return refuse();
        while (query.next()) {
            BackupSetup setup;
            setup.image = query.value(2).toByteArray();
            if (setup.image.size() != int(Settings::kImageSize))
                continue;
            setup.hash = LibraryRecorder::hashOf(Settings::fromBytes(setup.image.constData()));
            if (setup.hash != query.value(1).toString())
                continue;
            setup.name = query.value(3).toString();
            setup.namedByUser = query.value(4).toBool();
            setup.firstSeen = query.value(5).toLongLong();
            setup.lastSeen = query.value(6).toLongLong();
            setup.starred = query.value(7).toBool();
            setup.listed = query.value(8).toBool();
            setupAt.insert(query.value(0).toLongLong(), int(setups.size()));
            setups.push_back(std::move(setup));
        }
        // Before keyboards were named, writes had none.
        const QString keyboards = version.toInt() >= 3 ? QStringLiteral("keyboard_output, keyboard_input")
                                                       : QStringLiteral("NULL, NULL");
        if (!query.exec(QStringLiteral("SELECT time, kind, program, path, memory, %1, setup_id FROM events ORDER BY id")
                            .arg(keyboards)))
            return refuse();
        while (query.next()) {
            const auto setup = setupAt.constFind(query.value(7).toLongLong());
            if (setup == setupAt.constEnd() || !validEvent(query))
                continue;
            events.emplace_back(*setup, identityOf(query, setups[std::size_t(*setup)].hash));
            std::vector<QVariant> values;
            for (int column = 0; column < 7; ++column)
                values.push_back(query.value(column));
            eventValues.push_back(std::move(values));
        }
    }

    QSqlQuery query(store_.database());
    const auto failed = [&query, error] {
        *error = tr("The library could not take the backup: %1").arg(query.lastError().databaseText());
        query.exec(QStringLiteral("ROLLBACK"));
        return false;
    };
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return failed();
    QHash<QString, qint64> idOf;
    QHash<QString, bool> namedByUser;
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT hash, id, named_by_user FROM setups")))
        return failed();
    while (query.next()) {
        idOf.insert(query.value(0).toString(), query.value(1).toLongLong());
        namedByUser.insert(query.value(0).toString(), query.value(2).toBool());
    }
    QSet<QString> known;
    if (!query.exec(QStringLiteral("SELECT %1, s.hash FROM events e JOIN setups s ON s.id = e.setup_id")
                        .arg(QLatin1String(kEventColumns))))
        return failed();
    while (query.next())
        known.insert(identityOf(query, query.value(7).toString()));

    std::vector<qint64> mainId(setups.size());
    QSqlQuery insert(store_.database());
    insert.prepare(QStringLiteral("INSERT INTO setups (hash, image, name, named_by_user, first_seen, last_seen,"
                                  " starred, listed) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"));
    QSqlQuery update(store_.database());
    // The library's own name stays, unless only the backup's was chosen by
    // the user.
    update.prepare(QStringLiteral("UPDATE setups SET first_seen = min(first_seen, ?), last_seen = max(last_seen, ?),"
                                  " starred = max(starred, ?) WHERE id = ?"));
    QSqlQuery rename(store_.database());
    rename.prepare(QStringLiteral("UPDATE setups SET name = ?, named_by_user = 1 WHERE id = ?"));
    for (std::size_t index = 0; index < setups.size(); ++index) {
        const BackupSetup &setup = setups[index];
        const auto found = idOf.constFind(setup.hash);
        if (found != idOf.constEnd()) {
            mainId[index] = *found;
            ++merged->setupsKnown;
            update.addBindValue(setup.firstSeen);
            update.addBindValue(setup.lastSeen);
            update.addBindValue(setup.starred ? 1 : 0);
            update.addBindValue(*found);
            if (!update.exec()) {
                query = update;
                return failed();
            }
            if (setup.namedByUser && !namedByUser.value(setup.hash)) {
                rename.addBindValue(setup.name);
                rename.addBindValue(*found);
                if (!rename.exec()) {
                    query = rename;
                    return failed();
                }
                namedByUser.insert(setup.hash, true);
            }
            continue;
        }
        insert.addBindValue(setup.hash);
        insert.addBindValue(setup.image);
        insert.addBindValue(setup.name);
        insert.addBindValue(setup.namedByUser ? 1 : 0);
        insert.addBindValue(setup.firstSeen);
        insert.addBindValue(setup.lastSeen);
        insert.addBindValue(setup.starred ? 1 : 0);
        insert.addBindValue(setup.listed ? 1 : 0);
        if (!insert.exec()) {
            query = insert;
            return failed();
        }
        mainId[index] = insert.lastInsertId().toLongLong();
        idOf.insert(setup.hash, mainId[index]);
        namedByUser.insert(setup.hash, setup.namedByUser);
        ++merged->setupsAdded;
    }

    QHash<qint64, int> writesAdded;
    insert.prepare(QStringLiteral("INSERT INTO events (setup_id, time, kind, program, path, memory, keyboard_output,"
                                  " keyboard_input) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"));
    for (std::size_t index = 0; index < events.size(); ++index) {
        if (known.contains(events[index].second)) {
            ++merged->eventsKnown;
            continue;
        }
        known.insert(events[index].second);
        const qint64 setupId = mainId[std::size_t(events[index].first)];
        insert.addBindValue(setupId);
        for (const QVariant &value : eventValues[index])
            insert.addBindValue(value);
        if (!insert.exec()) {
            query = insert;
            return failed();
        }
        if (eventValues[index][1].toString() == QLatin1String("write"))
            ++writesAdded[setupId];
        ++merged->eventsAdded;
    }
    update.prepare(QStringLiteral("UPDATE setups SET times_written = times_written + ? WHERE id = ?"));
    for (auto written = writesAdded.constBegin(); written != writesAdded.constEnd(); ++written) {
        update.addBindValue(written.value());
        update.addBindValue(written.key());
        if (!update.exec()) {
            query = update;
            return failed();
        }
    }
    if (!query.exec(QStringLiteral("COMMIT")))
        return failed();
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
