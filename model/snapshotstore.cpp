#include "model/snapshotstore.h"

#include "model/librarystore.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

SnapshotStore::SnapshotStore(LibraryStore &store) : store_(store) {}

bool SnapshotStore::keep(const QString &editor, const QDateTime &savedAt, const QByteArray &content)
{
    return write(QStringLiteral("INSERT OR REPLACE INTO snapshots (editor, saved_at, content) VALUES (?, ?, ?)"),
                 {editor, savedAt.toMSecsSinceEpoch(), content});
}

bool SnapshotStore::remove(const QString &editor)
{
    return write(QStringLiteral("DELETE FROM snapshots WHERE editor = ?"), {editor});
}

bool SnapshotStore::write(const QString &statement, const QVariantList &values)
{
    // A store found damaged is replaced once and the write tried again.
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (!store_.usable() || !store_.writable())
            return false;
        QSqlQuery query(store_.database());
        if (!LibraryStore::exec(query, QStringLiteral("BEGIN IMMEDIATE"))) {
            if (store_.recover(query.lastError()))
                continue;
            return false;
        }
        query.prepare(statement);
        for (const QVariant &value : values)
            query.addBindValue(value);
        if (query.exec() && LibraryStore::exec(query, QStringLiteral("COMMIT")))
            return true;
        const QSqlError error = query.lastError();
        LibraryStore::exec(query, QStringLiteral("ROLLBACK"));
        if (!store_.recover(error))
            return false;
    }
    return false;
}

std::vector<SnapshotStore::Row> SnapshotStore::rows()
{
    std::vector<Row> found;
    if (!store_.usable())
        return found;
    QSqlQuery query(store_.database());
    if (!LibraryStore::exec(query, QStringLiteral("SELECT editor, saved_at, content FROM snapshots "
                                                  "ORDER BY saved_at DESC"))) {
        store_.recover(query.lastError());
        return found;
    }
    while (query.next())
        found.push_back({query.value(0).toString(), QDateTime::fromMSecsSinceEpoch(query.value(1).toLongLong()),
                         query.value(2).toByteArray()});
    return found;
}
