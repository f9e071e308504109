#pragma once

// Whole-file reads and writes for tests that check what lands on disk.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

// The file's bytes, or empty when it cannot be read.
inline QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Writes a file of these bytes into the folder and returns its path; a
// test cannot go on without it.
inline QString writeTestFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    if (!writeAll(path, bytes))
        qFatal("cannot write %s", qPrintable(path));
    return path;
}
