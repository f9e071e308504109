#pragma once

#include "model/settings.h"

#include <QCoreApplication>
#include <QByteArray>
#include <QString>

// The 8 bytes that open every settings file, without terminator.
constexpr char SETTINGS_FILE_MAGIC[] = "TELVIR00";
constexpr int kSettingsMagicSize = 8;
constexpr int kSettingsFileSize = kSettingsMagicSize + static_cast<int>(Settings::kImageSize);

// A ".telvir" settings file: the magic followed by the 265-byte image of a
// Settings record. Nothing else: no version, length or checksum.
class SettingsFile
{
    Q_DECLARE_TR_FUNCTIONS(SettingsFile)

public:
    // What the editor says of any file it cannot load as settings.
    static QString notASettingsFileText();

    // Writes through a temporary file that replaces `path` only when every
    // byte was written, so a failure leaves an existing file as it was; a
    // path that is not a regular file is never replaced.
    // On failure returns false and puts the reason into *error.
    static bool save(const QString &path, const Settings &settings, QString *error = nullptr);

    // Reads a file whose first 273 bytes are the magic and an image; bytes
    // after them are ignored. A file that cannot be read, a wrong magic or a
    // short image give false and leave *settings unchanged.
    static bool load(const QString &path, Settings *settings, QString *error = nullptr);

    // The same checks on a file's content (at least its first 273 bytes).
    static bool parse(const QByteArray &content, Settings *settings, QString *error = nullptr);

    // Writes `content` to `path` as save() does: through a temporary file
    // that replaces `path` only when every byte was written.
    static bool writeSafely(const QString &path, const QByteArray &content, QString *error = nullptr);

    // The first `maxBytes` bytes of the file at `path` (anything but a
    // regular file is refused, see RegularFile);
    // false with the reason in *error when it cannot be read.
    static bool readStart(const QString &path, qint64 maxBytes, QByteArray *content, QString *error = nullptr);
};
