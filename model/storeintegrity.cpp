#include "model/storeintegrity.h"

#include <QAtomicInt>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>
#include <QVariant>

namespace {
// A damaged page is stepped over by reading on from a rowid further on;
// the step doubles each time, so a reading ends after this many.
constexpr int kMostSteps = 48;

QAtomicInt salvageCount;

QString quoted(const QString &name)
{
    return QLatin1Char('"') + QString(name).replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}

// The tables of `database`, or none when its schema cannot be read.
bool tablesOf(const QSqlDatabase &database, QStringList *tables)
{
    QSqlQuery query(database);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"
                                   " AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' ORDER BY rootpage")))
        return false;
    while (query.next())
        *tables << query.value(0).toString();
    return !query.lastError().isValid();
}

QStringList columnsOf(const QSqlDatabase &database, const QString &table)
{
    QStringList columns;
    QSqlQuery query(database);
    if (!query.exec(QStringLiteral("PRAGMA table_info(%1)").arg(quoted(table))))
        return columns;
    while (query.next())
        columns << query.value(1).toString();
    return columns;
}

// Reads one row at an end of `table`: both ends of its tree are reached
// from its root, so a damaged root or edge page fails here.
bool endReadable(const QSqlDatabase &database, const QString &table, const char *order)
{
    QSqlQuery query(database);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT rowid FROM %1 ORDER BY rowid %2 LIMIT 1")
                        .arg(quoted(table), QLatin1String(order))))
        return false;
    query.next();
    return !query.lastError().isValid();
}

// Copies the rows of `table` it can read; the number copied.
int copyTable(const QSqlDatabase &from, const QSqlDatabase &into, const QString &table)
{
    QStringList columns;
    const QStringList had = columnsOf(from, table);
    for (const QString &column : columnsOf(into, table)) {
        if (had.contains(column))
            columns << quoted(column);
    }
    if (columns.isEmpty())
        return 0;
    QStringList values;
    for (int column = 0; column < columns.size(); ++column)
        values << QStringLiteral("?");
    QSqlQuery insert(into);
    if (!insert.prepare(QStringLiteral("INSERT OR IGNORE INTO %1 (%2) VALUES (%3)")
                            .arg(quoted(table), columns.join(QLatin1Char(',')), values.join(QLatin1Char(',')))))
        return 0;
    int copied = 0;
    qint64 after = 0;
    for (int step = 0; step < kMostSteps; ++step) {
        QSqlQuery read(from);
        read.setForwardOnly(true);
        read.prepare(QStringLiteral("SELECT rowid, %1 FROM %2 WHERE rowid > ? ORDER BY rowid")
                         .arg(columns.join(QLatin1Char(',')), quoted(table)));
        read.addBindValue(after);
        if (read.exec()) {
            while (read.next()) {
                after = read.value(0).toLongLong();
                for (int column = 0; column < columns.size(); ++column)
                    insert.bindValue(column, read.value(column + 1));
                if (insert.exec())
                    ++copied;
            }
            if (!read.lastError().isValid())
                return copied;
        }
        after += qint64(1) << step;
    }
    return copied;
}
} // namespace

bool StoreIntegrity::looksSound(const QSqlDatabase &database, int version)
{
    QStringList tables;
    if (!tablesOf(database, &tables) || (version > 0 && tables.isEmpty()))
        return false;
    for (const QString &table : tables) {
        if (!endReadable(database, table, "ASC") || !endReadable(database, table, "DESC"))
            return false;
    }
    return true;
}

bool StoreIntegrity::isSound(const QSqlDatabase &database)
{
    QSqlQuery query(database);
    return query.exec(QStringLiteral("PRAGMA integrity_check(1)")) && query.next()
           && query.value(0).toString() == QLatin1String("ok");
}

int StoreIntegrity::salvage(const QString &damagedPath, const QSqlDatabase &into)
{
    const QString connection = QStringLiteral("telvir-salvage-%1").arg(salvageCount.fetchAndAddRelaxed(1));
    const QString log = damagedPath + QStringLiteral("-wal");
    const bool hadLog = QFileInfo::exists(log);
    int copied = 0;
    {
        QSqlDatabase from = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        from.setDatabaseName(damagedPath);
        from.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        QStringList tables;
        if (from.open() && tablesOf(into, &tables)) {
            QSqlQuery query(into);
            if (query.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
                for (const QString &table : tables)
                    copied += copyTable(from, into, table);
                if (!query.exec(QStringLiteral("COMMIT"))) {
                    query.exec(QStringLiteral("ROLLBACK"));
                    copied = 0;
                }
            }
        }
        from.close();
    }
    QSqlDatabase::removeDatabase(connection);
    // A reader leaves a shared-memory index and an empty log behind; the
    // damaged file and its own log stay as they were.
    QFile::remove(damagedPath + QStringLiteral("-shm"));
    if (!hadLog)
        QFile::remove(log);
    return copied;
}
