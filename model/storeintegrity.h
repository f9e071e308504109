#pragma once

// Whether a library store is sound, and what of a damaged one is kept.
// A full check reads every page (most of a second for 10,000 setups), so a
// store is checked in two steps: when opened, only what every query leans
// on (its schema and the first and last pages of each table); the full
// check once a query meets damage.

#include <QSqlDatabase>
#include <QString>

class StoreIntegrity
{
public:
    // The opened store `database` of schema `version`: false when its
    // schema or a table cannot be read.
    static bool looksSound(const QSqlDatabase &database, int version);
    // Every page and index; false when damaged or unreadable.
    static bool isSound(const QSqlDatabase &database);
    // Copies the rows SQLite can still read from the store at `damagedPath`
    // into the tables `into` has, column by column as both have them, in
    // one transaction; the number of rows kept.
    static int salvage(const QString &damagedPath, const QSqlDatabase &into);
};
