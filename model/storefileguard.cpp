#include "model/storefileguard.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifndef _WIN32
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>
#endif

const QStringList StoreFileGuard::kCompanionSuffixes = {QStringLiteral("-wal"), QStringLiteral("-shm"),
                                                        QStringLiteral("-journal")};

namespace {
#ifndef _WIN32
constexpr mode_t kPrivateFolder = 0700;
constexpr mode_t kPrivateFile = 0600;

QByteArray nativePath(const QString &path)
{
    return QFile::encodeName(path);
}

QString systemReason(int error)
{
    switch (error) {
    case ENOSPC:
    case EDQUOT:
        return StoreFileGuard::tr("the disk is full");
    case EROFS:
        return StoreFileGuard::tr("the file system is read-only");
    case EACCES:
    case EPERM:
        return StoreFileGuard::tr("its folder is read-only");
    default:
        return QString::fromLocal8Bit(std::strerror(error));
    }
}

// Why an existing entry (not followed) is not the user's own regular file
// alone; empty when it is.
QString whyNotOwn(const struct stat &status)
{
    if (S_ISLNK(status.st_mode))
        return StoreFileGuard::tr("it is a symbolic link");
    if (status.st_uid != ::geteuid())
        return StoreFileGuard::tr("it belongs to another user");
    if (S_ISREG(status.st_mode) && status.st_nlink > 1)
        return StoreFileGuard::tr("it has other names (hard links)");
    return QString();
}

// Makes the file at `path` 0600 if it is, not followed, the user's regular
// file: through an O_PATH descriptor, because closing any other descriptor
// of the store would drop the locks SQLite holds on it in this process.
// False when it could not be changed.
bool makeOwnFilePrivate(const QByteArray &path)
{
    const int descriptor = ::open(path.constData(), O_PATH | O_NOFOLLOW | O_CLOEXEC);
    if (descriptor < 0)
        return true;
    bool changed = true;
    struct stat status {};
    if (::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode) && status.st_uid == ::geteuid()
        && (status.st_mode & 077) != 0)
        changed = ::chmod(QByteArrayLiteral("/proc/self/fd/").append(QByteArray::number(descriptor)).constData(),
                          kPrivateFile)
                  == 0;
    ::close(descriptor);
    return changed;
}

QString kindOf(const struct stat &status)
{
    if (S_ISDIR(status.st_mode))
        return StoreFileGuard::tr("it is a folder");
    if (S_ISFIFO(status.st_mode))
        return StoreFileGuard::tr("it is a named pipe");
    if (S_ISSOCK(status.st_mode))
        return StoreFileGuard::tr("it is a socket");
    return StoreFileGuard::tr("it is not a regular file");
}

// The folder the library keeps its files in: the user's own, made 0700.
// `foreign`: what is there is another user's.
QString whyFolderRefused(const QString &folder, QString *whyNotWritable, bool *foreign)
{
    *foreign = true;
    const QByteArray name = nativePath(folder);
    struct stat status {};
    if (::lstat(name.constData(), &status) != 0) {
        const QFileInfo info(folder);
        if (QDir().mkpath(info.absolutePath()) && ::mkdir(name.constData(), kPrivateFolder) == 0)
            return QString();
        const int error = errno;
        // Another thread or program made it meanwhile: it is judged as found.
        if (error != EEXIST || ::lstat(name.constData(), &status) != 0) {
            *foreign = false;
            return StoreFileGuard::tr("its folder cannot be made: %1").arg(systemReason(error));
        }
    }
    // A link to a folder is the user's choice only when the user made it.
    if (S_ISLNK(status.st_mode)) {
        if (status.st_uid != ::geteuid() && status.st_uid != 0)
            return StoreFileGuard::tr("its folder is a symbolic link of another user");
        if (::stat(name.constData(), &status) != 0)
            return StoreFileGuard::tr("its folder is a symbolic link that leads nowhere");
    }
    if (status.st_uid != ::geteuid())
        return StoreFileGuard::tr("its folder belongs to another user");
    *foreign = false;
    if (!S_ISDIR(status.st_mode))
        return StoreFileGuard::tr("its folder is not a folder");
    if ((status.st_mode & 07777) != kPrivateFolder && ::chmod(name.constData(), kPrivateFolder) != 0)
        *whyNotWritable = systemReason(errno);
    return QString();
}
#endif
} // namespace

StoreFileGuard::Outcome StoreFileGuard::prepare(const QString &path)
{
    Outcome outcome;
#ifndef _WIN32
    bool foreign = false;
    const QString refused = whyFolderRefused(QFileInfo(path).absolutePath(), &outcome.whyNotWritable, &foreign);
    if (!refused.isEmpty()) {
        outcome.verdict = foreign ? Verdict::Refused : Verdict::NoFolder;
        outcome.why = refused;
        return outcome;
    }
    for (const QString &suffix : QStringList{QString()} + kCompanionSuffixes) {
        const QByteArray name = nativePath(path + suffix);
        struct stat status {};
        if (::lstat(name.constData(), &status) != 0)
            continue;
        const QString notOwn = whyNotOwn(status);
        if (!notOwn.isEmpty()) {
            outcome.verdict = Verdict::NotTheUsers;
            outcome.why = notOwn;
            return outcome;
        }
        if (!S_ISREG(status.st_mode)) {
            // The user's own folder or pipe at a companion's path is the
            // store's trouble as much as one at its own.
            outcome.verdict = suffix.isEmpty() ? Verdict::NotAFile : Verdict::NotTheUsers;
            outcome.why = kindOf(status);
            return outcome;
        }
        if (!makeOwnFilePrivate(name) && outcome.whyNotWritable.isEmpty())
            outcome.whyNotWritable = systemReason(errno);
    }
    // Made here, 0600 and never through a link: SQLite then opens the
    // user's own file and gives its companions the same mode.
    const QByteArray name = nativePath(path);
    const int descriptor = ::open(name.constData(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, kPrivateFile);
    if (descriptor >= 0)
        ::close(descriptor);
    else if (errno != EEXIST && outcome.whyNotWritable.isEmpty())
        outcome.whyNotWritable = systemReason(errno);
#else
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        outcome.verdict = Verdict::NoFolder;
        outcome.why = tr("its folder cannot be made");
    }
#endif
    return outcome;
}

QString StoreFileGuard::besidePath(const QString &path)
{
    const QFileInfo info(path);
    return info.absolutePath() + QLatin1Char('/') + info.completeBaseName() + QStringLiteral("-own.")
           + info.suffix();
}

void StoreFileGuard::makePrivate(const QString &path)
{
#ifndef _WIN32
    makeOwnFilePrivate(nativePath(path));
#else
    Q_UNUSED(path);
#endif
}

QString StoreFileGuard::whyNotWritable(const QString &path)
{
#ifndef _WIN32
    const QString folder = QFileInfo(path).absolutePath();
    struct statvfs volume {};
    if (::statvfs(nativePath(folder).constData(), &volume) == 0) {
        if (volume.f_flag & ST_RDONLY)
            return tr("the file system is read-only");
        if (volume.f_bavail == 0)
            return tr("the disk is full");
    }
    if (::access(nativePath(folder).constData(), W_OK) != 0)
        return systemReason(errno);
    // Never opened: closing a descriptor of the store would drop SQLite's
    // locks on it. Even for root, access() tells a read-only mount (EROFS)
    // and a file marked immutable (EPERM).
    if (::access(nativePath(path).constData(), W_OK) != 0 && errno != ENOENT)
        return errno == EROFS ? tr("the file system is read-only") : tr("it is read-only");
#else
    Q_UNUSED(path);
#endif
    return QString();
}
