#include "model/regularfile.h"

#include <QFile>
#include <QFileInfo>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace {
// What is at an existing path that is not a regular file.
QString kindOf(const QFileInfo &info)
{
    if (info.isDir())
        return RegularFile::tr("This is a folder, not a file");
#ifndef _WIN32
    struct stat status {};
    if (::stat(QFile::encodeName(info.filePath()).constData(), &status) == 0) {
        if (S_ISFIFO(status.st_mode))
            return RegularFile::tr("This is a named pipe, not a file");
        if (S_ISCHR(status.st_mode) || S_ISBLK(status.st_mode))
            return RegularFile::tr("This is a device, not a file");
        if (S_ISSOCK(status.st_mode))
            return RegularFile::tr("This is a socket, not a file");
    }
#endif
    return RegularFile::tr("This is not a regular file");
}
} // namespace

QString RegularFile::whyNotReadable(const QString &path)
{
    if (path.isEmpty())
        return RegularFile::tr("No file name was given");
    const QFileInfo info(path);
    if (!info.exists())
        return RegularFile::tr("The file does not exist");
    return info.isFile() ? QString() : kindOf(info);
}

QString RegularFile::whyNotReplaceable(const QString &path)
{
    if (path.isEmpty())
        return RegularFile::tr("No file name was given");
    const QFileInfo info(path);
    if (!info.exists() || info.isFile())
        return QString();
    return kindOf(info) + QStringLiteral("; it was left as it is");
}

bool RegularFile::waitsForAnotherProgram(const QString &path)
{
#ifndef _WIN32
    struct stat status {};
    return ::stat(QFile::encodeName(path).constData(), &status) == 0
           && (S_ISFIFO(status.st_mode) || S_ISSOCK(status.st_mode));
#else
    Q_UNUSED(path);
    return false;
#endif
}
