#include "model/settingsdocument.h"

#include "model/regularfile.h"
#include "model/settingsfile.h"
#include "model/settingsjson.h"

#include <QFileInfo>

namespace {
// A settings document is about 10 KB; far beyond that it is something else,
// and is not read whole into memory.
constexpr qint64 kMaxJsonSize = 1024 * 1024;

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}
} // namespace

bool SettingsDocument::isJson(const QString &path)
{
    return QFileInfo(path).suffix().compare(QLatin1String("json"), Qt::CaseInsensitive) == 0;
}

bool SettingsDocument::save(const QString &path, const Settings &settings, QString *error)
{
    if (!isJson(path))
        return SettingsFile::save(path, settings, error);
    return SettingsFile::writeSafely(path, SettingsJson::toJson(settings), error);
}

bool SettingsDocument::load(const QString &path, Settings *settings, QString *error)
{
    // A missing file or a folder is no invalid settings file: the user is
    // told what is at the path.
    const QString refused = RegularFile::whyNotReadable(path);
    if (!refused.isEmpty()) {
        setError(error, refused);
        return false;
    }
    if (!isJson(path)) {
        QString reason;
        if (SettingsFile::load(path, settings, &reason))
            return true;
        // The editor's words for every refusal, then the reason.
        setError(error, QStringLiteral("%1 (%2)").arg(SettingsFile::notASettingsFileText(), reason));
        return false;
    }
    QByteArray content;
    if (!SettingsFile::readStart(path, kMaxJsonSize + 1, &content, error))
        return false;
    if (content.size() > kMaxJsonSize) {
        setError(error, QStringLiteral("larger than %1 bytes: not a settings document").arg(kMaxJsonSize));
        return false;
    }
    return SettingsJson::fromJson(content, settings, error);
}
