#include "model/libraryqueries.h"

#include "model/librarystore.h"
#include "model/setupidentifier.h"

#include <QHash>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>

namespace {
const QString kSetupColumns =
    QStringLiteral("SELECT id, name, first_seen, last_seen, starred, times_written, hash FROM setups");

LibrarySetup setupAt(const QSqlQuery &query)
{
    LibrarySetup setup;
    setup.id = query.value(0).toLongLong();
    setup.name = query.value(1).toString();
    setup.firstSeenMs = query.value(2).toLongLong();
    setup.lastSeenMs = query.value(3).toLongLong();
    setup.starred = query.value(4).toBool();
    setup.timesWritten = query.value(5).toInt();
    setup.hash = query.value(6).toString();
    return setup;
}

std::optional<Settings> settingsIn(const QByteArray &image)
{
    if (image.size() != int(Settings::kImageSize))
        return std::nullopt;
    return Settings::fromBytes(image.constData());
}

// An empty name is bound as NULL, which `IS ?` matches.
QVariant nullable(const QString &text)
{
    return text.isEmpty() ? QVariant() : QVariant(text);
}
} // namespace

LibraryQueries::LibraryQueries(LibraryStore &store) : store_(store) {}

QVector<MemoryEntry> LibraryQueries::memories()
{
    return memories(keyboards().value(0));
}

QVector<MemoryEntry> LibraryQueries::memories(const LibraryKeyboard &keyboard)
{
    QVector<MemoryEntry> entries(kMemoryCount);
    for (int memory = 0; memory < kMemoryCount; ++memory)
        entries[memory].memory = memory;
    if (!store_.usable())
        return entries;
    QSqlQuery query(store_.database());
    query.setForwardOnly(true);
    // kind = 'write' as it stands, so that the index of writes is used;
    // the latest in time, which a restore may have added last or not.
    query.prepare(QStringLiteral("SELECT e.time, e.program, e.path, s.id, s.name, s.image"
                                 " FROM events e JOIN setups s ON s.id = e.setup_id"
                                 " WHERE e.kind = 'write' AND e.keyboard_output IS ? AND e.keyboard_input IS ?"
                                 " AND e.memory = ? ORDER BY e.time DESC, e.id DESC LIMIT 1"));
    for (MemoryEntry &entry : entries) {
        query.addBindValue(nullable(keyboard.output));
        query.addBindValue(nullable(keyboard.input));
        query.addBindValue(entry.memory);
        if (!query.exec()) {
            store_.recover(query.lastError());
            break;
        }
        if (!query.next())
            continue;
        const std::optional<Settings> settings = settingsIn(query.value(5).toByteArray());
        if (!settings)
            continue;
        entry.known = true;
        entry.writtenMs = query.value(0).toLongLong();
        entry.program = query.value(1).toString() == QLatin1String("telvir") ? LibraryEvent::Program::Telvir
                                                                               : LibraryEvent::Program::Editor;
        entry.path = query.value(2).toString();
        entry.setupId = query.value(3).toLongLong();
        entry.setupName = query.value(4).toString();
        entry.settings = *settings;
        query.finish();
    }
    return entries;
}

QVector<LibraryKeyboard> LibraryQueries::keyboards()
{
    QVector<LibraryKeyboard> found;
    if (!store_.usable())
        return found;
    QSqlQuery query(store_.database());
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT keyboard_output, keyboard_input, max(time) AS last FROM events"
                                   " WHERE kind = 'write' GROUP BY keyboard_output, keyboard_input"
                                   " ORDER BY last DESC"))) {
        store_.recover(query.lastError());
        return found;
    }
    while (query.next())
        found.append(LibraryKeyboard{query.value(0).toString(), query.value(1).toString()});
    return found;
}

void LibraryQueries::addIdentifiers(QVector<LibrarySetup> &setups, bool allListed)
{
    if (setups.isEmpty())
        return;
    QSqlQuery query(store_.database());
    query.setForwardOnly(true);
    // Identifiers are unique among all setups, listed or not: any of them
    // can be asked for by one. With all listed ones here, only the others
    // are read.
    QStringList hashes;
    if (allListed) {
        hashes.reserve(int(setups.size()));
        for (const LibrarySetup &setup : setups)
            hashes << setup.hash;
    }
    if (!query.exec(allListed ? QStringLiteral("SELECT hash FROM setups WHERE listed = 0")
                              : QStringLiteral("SELECT hash FROM setups"))) {
        store_.recover(query.lastError());
        return;
    }
    while (query.next())
        hashes << query.value(0).toString();
    const QHash<QString, QString> identifiers = SetupIdentifier::of(hashes);
    for (LibrarySetup &setup : setups)
        setup.identifier = identifiers.value(setup.hash);
}

namespace {
QString fileNameIn(const QString &path)
{
    // Stored absolute, with '/' on every system.
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}
} // namespace

QStringList LibraryQueries::filesOf(qint64 setupId)
{
    QStringList names;
    if (!store_.usable())
        return names;
    QSqlQuery query(store_.database());
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT path, max(id) AS last FROM events WHERE setup_id = ? AND path IS NOT NULL"
                                 " GROUP BY path ORDER BY last DESC"));
    query.addBindValue(setupId);
    if (!query.exec()) {
        store_.recover(query.lastError());
        return names;
    }
    while (query.next()) {
        const QString name = fileNameIn(query.value(0).toString());
        if (!names.contains(name))
            names << name;
    }
    return names;
}

void LibraryQueries::addFiles(QVector<LibrarySetup> &setups)
{
    if (setups.isEmpty() || !store_.usable())
        return;
    QHash<qint64, int> rowOf;
    for (int row = 0; row < setups.size(); ++row)
        rowOf.insert(setups[row].id, row);
    QSqlQuery query(store_.database());
    query.setForwardOnly(true);
    // Grouped first, then each setup's few put in order.
    if (!query.exec(QStringLiteral("SELECT setup_id, path, max(id) FROM events WHERE path IS NOT NULL"
                                   " GROUP BY setup_id, path"))) {
        store_.recover(query.lastError());
        return;
    }
    QHash<int, QVector<QPair<qint64, QString>>> seenIn;
    while (query.next()) {
        const auto row = rowOf.constFind(query.value(0).toLongLong());
        if (row == rowOf.constEnd())
            continue;
        seenIn[*row].append({query.value(2).toLongLong(), fileNameIn(query.value(1).toString())});
    }
    for (auto setup = seenIn.begin(); setup != seenIn.end(); ++setup) {
        QVector<QPair<qint64, QString>> &files = setup.value();
        std::sort(files.begin(), files.end(), [](const auto &a, const auto &b) { return a.first > b.first; });
        QStringList &names = setups[setup.key()].files;
        for (const auto &file : files) {
            if (!names.contains(file.second))
                names << file.second;
        }
    }
}

QVector<LibrarySetup> LibraryQueries::setups(const QString &text)
{
    QVector<LibrarySetup> found;
    if (!store_.usable())
        return found;
    QSqlQuery query(store_.database());
    query.setForwardOnly(true);
    // instr() takes the text as it is: no LIKE wildcards to escape. Any
    // name contains the empty text (a null QString is bound as NULL).
    query.prepare(kSetupColumns
                  + QStringLiteral(" WHERE listed = 1 AND instr(lower(name), lower(coalesce(?, ''))) > 0"
                                   " ORDER BY last_seen DESC, id DESC"));
    query.addBindValue(text);
    if (!query.exec()) {
        store_.recover(query.lastError());
        return found;
    }
    while (query.next())
        found.append(setupAt(query));
    query.finish();
    addIdentifiers(found, text.isEmpty());
    return found;
}

std::optional<Settings> LibraryQueries::settingsOf(qint64 setupId)
{
    if (!store_.usable())
        return std::nullopt;
    QSqlQuery query(store_.database());
    query.prepare(QStringLiteral("SELECT image FROM setups WHERE id = ?"));
    query.addBindValue(setupId);
    if (!query.exec()) {
        store_.recover(query.lastError());
        return std::nullopt;
    }
    if (!query.next())
        return std::nullopt;
    return settingsIn(query.value(0).toByteArray());
}

std::optional<LibrarySetup> LibraryQueries::setupNamed(const QString &name)
{
    if (!store_.usable())
        return std::nullopt;
    QSqlQuery query(store_.database());
    query.prepare(kSetupColumns + QStringLiteral(" WHERE listed = 1 AND name = ? ORDER BY last_seen DESC, id DESC LIMIT 1"));
    query.addBindValue(name);
    if (!query.exec()) {
        store_.recover(query.lastError());
        return std::nullopt;
    }
    if (!query.next())
        return std::nullopt;
    return setupAt(query);
}

std::optional<LibrarySetup> LibraryQueries::setupIdentified(const QString &identifier)
{
    if (!SetupIdentifier::looksLikeOne(identifier) || !store_.usable())
        return std::nullopt;
    QSqlQuery query(store_.database());
    // Hex digits hold no LIKE wildcards.
    query.prepare(kSetupColumns + QStringLiteral(" WHERE hash LIKE ? LIMIT 2"));
    query.addBindValue(identifier.toLower() + QLatin1Char('%'));
    if (!query.exec()) {
        store_.recover(query.lastError());
        return std::nullopt;
    }
    if (!query.next())
        return std::nullopt;
    const LibrarySetup setup = setupAt(query);
    if (query.next())
        return std::nullopt;
    return setup;
}

std::optional<LibrarySetup> LibraryQueries::setupNamedOrIdentified(const QString &text)
{
    if (std::optional<LibrarySetup> named = setupNamed(text))
        return named;
    return setupIdentified(text);
}
