#include "model/settingsfile.h"

#include "model/regularfile.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>

#include <cstring>

namespace {
void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}
} // namespace

bool SettingsFile::save(const QString &path, const Settings &settings, QString *error)
{
    const QByteArray content = QByteArray(SETTINGS_FILE_MAGIC, kSettingsMagicSize)
                               + QByteArray(settings.image(), int(Settings::kImageSize));
    return writeSafely(path, content, error);
}

bool SettingsFile::writeSafely(const QString &path, const QByteArray &content, QString *error)
{
    const QString refused = RegularFile::whyNotReplaceable(path);
    if (!refused.isEmpty()) {
        setError(error, refused);
        return false;
    }
    // Unbuffered, so that a short write (disk full, size limit) shows in the
    // count: a buffered QSaveFile can commit a truncated file as a success.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        setError(error, file.errorString());
        return false;
    }
    const qint64 written = file.write(content);
    if (written != content.size()) {
        setError(error, SettingsFile::tr("Only %1 of %2 bytes could be written (%3)")
                            .arg(qMax<qint64>(written, 0))
                            .arg(content.size())
                            .arg(file.errorString()));
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        setError(error, file.errorString());
        return false;
    }
    return true;
}

QString SettingsFile::notASettingsFileText()
{
    return SettingsFile::tr("This is not a valid telvir settings file!");
}

bool SettingsFile::load(const QString &path, Settings *settings, QString *error)
{
    QByteArray content;
    return readStart(path, kSettingsFileSize, &content, error) && parse(content, settings, error);
}

bool SettingsFile::readStart(const QString &path, qint64 maxBytes, QByteArray *content, QString *error)
{
    const QString refused = RegularFile::whyNotReadable(path);
    if (!refused.isEmpty()) {
        setError(error, refused);
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        setError(error, file.errorString());
        return false;
    }
    *content = file.read(maxBytes);
    return true;
}

bool SettingsFile::parse(const QByteArray &content, Settings *settings, QString *error)
{
    if (content.size() < kSettingsMagicSize
        || std::memcmp(content.constData(), SETTINGS_FILE_MAGIC, kSettingsMagicSize) != 0) {
        setError(error, SettingsFile::tr("The file does not start with %1").arg(QLatin1String(SETTINGS_FILE_MAGIC)));
        return false;
    }
    if (content.size() < kSettingsFileSize) {
        setError(error, SettingsFile::tr("The file holds %1 of the %2 bytes of a settings record")
                            .arg(content.size() - kSettingsMagicSize)
                            .arg(Settings::kImageSize));
        return false;
    }
    *settings = Settings::fromBytes(content.constData() + kSettingsMagicSize);
    return true;
}
