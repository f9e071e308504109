#include "app/recentfiles.h"

#include <QFileInfo>
#include <QSettings>

#include <algorithm>

namespace {
const char *const kRecentFilesKey = "files/recent";

QSettings editorSettings()
{
    return QSettings(QStringLiteral("Telvir"), QStringLiteral("Telvir Editor"));
}

void store(const QStringList &files)
{
    editorSettings().setValue(QLatin1String(kRecentFilesKey), files);
}
} // namespace

QStringList RecentFiles::list()
{
    QStringList files = editorSettings().value(QLatin1String(kRecentFilesKey)).toStringList();
    const int before = files.size();
    files.erase(std::remove_if(files.begin(), files.end(), [](const QString &file) { return !QFileInfo(file).isFile(); }),
                files.end());
    if (files.size() != before)
        store(files);
    return files.mid(0, kMaxFiles);
}

void RecentFiles::add(const QString &fileName)
{
    const QString path = QFileInfo(fileName).absoluteFilePath();
    QStringList files = list();
    files.removeAll(path);
    files.prepend(path);
    store(files.mid(0, kMaxFiles));
}

void RecentFiles::remove(const QString &fileName)
{
    QStringList files = list();
    files.removeAll(QFileInfo(fileName).absoluteFilePath());
    store(files);
}
