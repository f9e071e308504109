#include "app/snapshotkeeper.h"

#include "app/editordocument.h"
#include "model/librarystore.h"
#include "model/snapshotstore.h"
#include "model/storefileguard.h"

#include <QFileInfo>
#include <QLockFile>
#include <QUuid>

namespace {
// The form never waits long for another program's write: a snapshot that
// finds the store busy is tried again a second later.
constexpr int kStoreWaitMs = 250;
constexpr int kRemoveAttempts = 20;

std::unique_ptr<QLockFile> lockOf(const QString &path)
{
    auto lock = std::make_unique<QLockFile>(path);
    // Only an editor that is gone leaves a lock behind, however old it is.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return nullptr;
    StoreFileGuard::makePrivate(path);
    return lock;
}
} // namespace

SnapshotKeeper::SnapshotKeeper(EditorDocument &document, QObject *parent)
    : QObject(parent),
      document_(document),
      id_(QUuid::createUuid().toString(QUuid::WithoutBraces)),
      store_(std::make_unique<LibraryStore>(QString(), kStoreWaitMs)),
      snapshots_(std::make_unique<SnapshotStore>(*store_))
{
    setObjectName(QStringLiteral("snapshotKeeper"));
    // The library's folder, private, before a lock is made in it; none is
    // made in a folder that is not the user's own.
    const StoreFileGuard::Verdict folder = StoreFileGuard::prepare(store_->path()).verdict;
    const bool ownFolder = folder != StoreFileGuard::Verdict::Refused && folder != StoreFileGuard::Verdict::NoFolder;
    // Without a lock of its own no other editor could tell it runs: then
    // nothing is kept rather than something offered while it runs.
    lock_ = ownFolder ? lockOf(lockPathFor(id_)) : nullptr;
    writeTimer_.setSingleShot(true);
    connect(&writeTimer_, &QTimer::timeout, this, &SnapshotKeeper::write);
    connect(&document, &EditorDocument::stateChanged, this, &SnapshotKeeper::documentChanged);
}

SnapshotKeeper::~SnapshotKeeper()
{
    forget();
}

QString SnapshotKeeper::lockPathFor(const QString &editor) const
{
    return QFileInfo(store_->path()).absolutePath() + QStringLiteral("/editor-%1.lock").arg(editor);
}

void SnapshotKeeper::documentChanged()
{
    if (!lock_)
        return;
    if (!document_.holdsUnkeptEdits()) {
        removeOwn();
        return;
    }
    if (!writeTimer_.isActive())
        writeTimer_.start(sinceWrite_.isValid() ? int(qMax<qint64>(0, kIntervalMs - sinceWrite_.elapsed())) : 0);
}

void SnapshotKeeper::write()
{
    // A read takes the keyboard's copy before its record: what was due
    // may be kept elsewhere by now.
    if (!document_.holdsUnkeptEdits()) {
        removeOwn();
        return;
    }
    EditorSnapshot snapshot;
    snapshot.record = document_.settings();
    snapshot.fileName = document_.fileName();
    snapshot.selectedControl = document_.selectedControl();
    snapshot.memorySlot = document_.memorySlot();
    snapshot.savedAt = QDateTime::currentDateTime();
    sinceWrite_.start();
    if (snapshots_->keep(id_, snapshot.savedAt, snapshot.encode())) {
        stored_ = true;
        emit kept();
    } else if (store_->writable()) {
        writeTimer_.start(kIntervalMs);
    }
}

void SnapshotKeeper::removeOwn()
{
    writeTimer_.stop();
    if (stored_ && snapshots_->remove(id_))
        stored_ = false;
    if (stored_ && store_->writable())
        writeTimer_.start(kIntervalMs);
}

bool SnapshotKeeper::removeWaiting(const QString &editor)
{
    for (int attempt = 0; store_->writable() && attempt < kRemoveAttempts; ++attempt) {
        if (snapshots_->remove(editor))
            return true;
    }
    return false;
}

void SnapshotKeeper::forget()
{
    writeTimer_.stop();
    // The editor may be about to end: a busy store is waited for a while.
    if (stored_)
        stored_ = !removeWaiting(id_);
}

std::optional<SnapshotKeeper::Orphan> SnapshotKeeper::takeOrphan()
{
    if (!lock_)
        return std::nullopt;
    for (const SnapshotStore::Row &row : snapshots_->rows()) {
        // The id names a file: only an id this program made is taken.
        if (row.editor == id_ || QUuid::fromString(row.editor).isNull())
            continue;
        std::unique_ptr<QLockFile> lock = lockOf(lockPathFor(row.editor));
        if (!lock)
            continue; // its editor runs
        orphanEditor_ = row.editor;
        orphanLock_ = std::move(lock);
        return Orphan{row.savedAt, EditorSnapshot::decode(row.content)};
    }
    return std::nullopt;
}

void SnapshotKeeper::dropOrphan()
{
    if (!orphanLock_)
        return;
    removeWaiting(orphanEditor_);
    orphanLock_.reset();
    orphanEditor_.clear();
}
