#include "model/libraryrecorder.h"

#include "model/librarystore.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace {
QString kindName(LibraryEvent::Kind kind)
{
    switch (kind) {
    case LibraryEvent::Kind::Read:
        return QStringLiteral("read");
    case LibraryEvent::Kind::Load:
        return QStringLiteral("load");
    case LibraryEvent::Kind::Save:
        return QStringLiteral("save");
    case LibraryEvent::Kind::Write:
        return QStringLiteral("write");
    }
    return QString();
}

QString programName(LibraryEvent::Program program)
{
    return program == LibraryEvent::Program::Editor ? QStringLiteral("editor") : QStringLiteral("telvir");
}

// An empty text is stored as NULL (an invalid QVariant binds as NULL).
QVariant nullable(const QString &text)
{
    return text.isEmpty() ? QVariant() : QVariant(text);
}

// Ends a transaction that failed part-way.
void rollBack(QSqlQuery &query)
{
    query.exec(QStringLiteral("ROLLBACK"));
}
} // namespace

LibraryRecorder::LibraryRecorder(LibraryStore &store) : store_(store) {}

QString LibraryRecorder::hashOf(const Settings &settings)
{
    return QString::fromLatin1(
        QCryptographicHash::hash(QByteArray::fromRawData(settings.image(), int(Settings::kImageSize)),
                                 QCryptographicHash::Sha256)
            .toHex());
}

QString LibraryRecorder::nameFor(const LibraryEvent &event, qint64 timeMs)
{
    if (!event.path.isEmpty())
        return QFileInfo(event.path).fileName();
    const QString time = QDateTime::fromMSecsSinceEpoch(timeMs).toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    if (event.kind == LibraryEvent::Kind::Read)
        return QStringLiteral("Read from the keyboard %1").arg(time);
    return QStringLiteral("Sent from the editor %1").arg(time);
}

bool LibraryRecorder::record(const LibraryEvent &event)
{
    if (!store_.usable() || !store_.writable())
        return false;
    QSqlError error;
    if (tryRecord(event, &error))
        return true;
    // A store found damaged is replaced by a new one, which takes the event.
    return store_.recover(error) && tryRecord(event, &error);
}

bool LibraryRecorder::tryRecord(const LibraryEvent &event, QSqlError *error)
{
    const qint64 now = event.timeMs ? event.timeMs : QDateTime::currentMSecsSinceEpoch();
    const bool written = event.kind == LibraryEvent::Kind::Write;
    QSqlQuery query(store_.database());
    const auto failed = [&query, error] {
        *error = query.lastError();
        rollBack(query);
        return false;
    };
    // IMMEDIATE: the write lock is waited for here, under the busy
    // timeout, and never refused half-way through.
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return failed();

    const QString hash = hashOf(event.settings);
    query.prepare(QStringLiteral("SELECT id FROM setups WHERE hash = ?"));
    query.addBindValue(hash);
    if (!query.exec())
        return failed();
    qint64 setupId = 0;
    if (query.next()) {
        setupId = query.value(0).toLongLong();
        // The first file it is seen in names it, unless the user named it;
        // later files leave that name, so a name once listed keeps working.
        query.prepare(QStringLiteral("UPDATE setups SET last_seen = ?, listed = 1, times_written = times_written + ?,"
                                     " name = CASE WHEN ? IS NOT NULL AND named_by_user = 0 AND NOT EXISTS"
                                     " (SELECT 1 FROM events WHERE setup_id = setups.id AND path IS NOT NULL)"
                                     " THEN ? ELSE name END"
                                     " WHERE id = ?"));
        query.addBindValue(now);
        query.addBindValue(written ? 1 : 0);
        const QVariant fileName = nullable(event.path.isEmpty() ? QString() : nameFor(event, now));
        query.addBindValue(fileName);
        query.addBindValue(fileName);
        query.addBindValue(setupId);
        if (!query.exec())
            return failed();
    } else {
        query.prepare(QStringLiteral("INSERT INTO setups (hash, image, name, first_seen, last_seen, times_written)"
                                     " VALUES (?, ?, ?, ?, ?, ?)"));
        query.addBindValue(hash);
        query.addBindValue(QByteArray(event.settings.image(), int(Settings::kImageSize)));
        query.addBindValue(nameFor(event, now));
        query.addBindValue(now);
        query.addBindValue(now);
        query.addBindValue(written ? 1 : 0);
        if (!query.exec())
            return failed();
        setupId = query.lastInsertId().toLongLong();
    }

    query.prepare(QStringLiteral("INSERT INTO events (setup_id, kind, time, program, path, memory,"
                                 " keyboard_output, keyboard_input) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"));
    query.addBindValue(setupId);
    query.addBindValue(kindName(event.kind));
    query.addBindValue(now);
    query.addBindValue(programName(event.program));
    query.addBindValue(nullable(event.path.isEmpty() ? QString() : QFileInfo(event.path).absoluteFilePath()));
    query.addBindValue(written ? QVariant(event.memory) : QVariant());
    query.addBindValue(written ? nullable(event.keyboard.output) : QVariant());
    query.addBindValue(written ? nullable(event.keyboard.input) : QVariant());
    if (!query.exec() || !query.exec(QStringLiteral("COMMIT")))
        return failed();
    return true;
}

bool LibraryRecorder::change(const QString &sql, const QVariant &value, qint64 setupId)
{
    if (!store_.usable() || !store_.writable())
        return false;
    QSqlQuery query(store_.database());
    query.prepare(sql);
    if (value.isValid())
        query.addBindValue(value);
    query.addBindValue(setupId);
    if (query.exec())
        return true;
    store_.recover(query.lastError());
    return false;
}

bool LibraryRecorder::rename(qint64 setupId, const QString &name)
{
    return change(QStringLiteral("UPDATE setups SET name = ?, named_by_user = 1 WHERE id = ?"), name, setupId);
}

bool LibraryRecorder::setStarred(qint64 setupId, bool starred)
{
    return change(QStringLiteral("UPDATE setups SET starred = ? WHERE id = ?"), starred ? 1 : 0, setupId);
}

bool LibraryRecorder::unlist(qint64 setupId)
{
    return change(QStringLiteral("UPDATE setups SET listed = 0 WHERE id = ?"), QVariant(), setupId);
}
