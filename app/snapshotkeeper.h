#pragma once

// Keeps a snapshot of the document in the library's store while it holds
// edits that are neither saved nor on the keyboard: at most a second after
// the last change and at most once a second. Each editor keeps its own
// snapshot under a lock file of its own beside the store, held while it
// runs; a snapshot whose lock is stale belongs to an editor that did not
// close normally, and is offered to the next one that starts.

#include "model/editorsnapshot.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>
#include <optional>

class EditorDocument;
class LibraryStore;
class QLockFile;
class SnapshotStore;

class SnapshotKeeper : public QObject
{
    Q_OBJECT

public:
    // A snapshot of an editor that is gone; `snapshot` is none when it
    // cannot be read whole.
    struct Orphan
    {
        QDateTime savedAt;
        std::optional<EditorSnapshot> snapshot;
    };

    static constexpr int kIntervalMs = 1000;

    explicit SnapshotKeeper(EditorDocument &document, QObject *parent = nullptr);
    ~SnapshotKeeper() override;

    // The newest snapshot of an editor that is gone, taken over so that no
    // other editor offers it meanwhile.
    std::optional<Orphan> takeOrphan();
    // Removes the snapshot taken over.
    void dropOrphan();

    // The window closed normally: nothing of it is offered again.
    void forget();

signals:
    // A snapshot of the form as it is now is in the store.
    void kept();

private:
    void documentChanged();
    void write();
    // The form's edits are kept elsewhere now.
    void removeOwn();
    // Removes `editor`'s snapshot, waiting a while for a busy store.
    bool removeWaiting(const QString &editor);
    QString lockPathFor(const QString &editor) const;

    EditorDocument &document_;
    const QString id_;
    std::unique_ptr<LibraryStore> store_;
    std::unique_ptr<SnapshotStore> snapshots_;
    std::unique_ptr<QLockFile> lock_;
    bool stored_ = false;
    QTimer writeTimer_;
    QElapsedTimer sinceWrite_;
    QString orphanEditor_;
    std::unique_ptr<QLockFile> orphanLock_;
};
