#pragma once

// The editors' snapshots in the library's store, one row per running (or
// killed) editor, named by the editor's own id. Each change is one
// transaction, so a snapshot is there whole or not at all.

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QVariantList>

#include <vector>

class LibraryStore;

class SnapshotStore
{
public:
    struct Row
    {
        QString editor;
        QDateTime savedAt;
        QByteArray content;
    };

    explicit SnapshotStore(LibraryStore &store);

    // Replaces what `editor` kept before; false when the store refused it.
    bool keep(const QString &editor, const QDateTime &savedAt, const QByteArray &content);
    bool remove(const QString &editor);
    // Newest first.
    std::vector<Row> rows();

private:
    // Runs `statement` with its values in a transaction of its own.
    bool write(const QString &statement, const QVariantList &values);

    LibraryStore &store_;
};
