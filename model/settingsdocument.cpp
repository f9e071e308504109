#include "model/settingsdocument.h"

#include "model/regularfile.h"
#include "model/settingsfile.h"
#include "model/settingsformat.h"
#include "model/settingsjson.h"
#include "protocol/parameterformat.h"
#include "protocol/sysexfile.h"

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
    return SettingsFormat::ofPath(path).kind == SettingsFormat::Kind::Json;
}

bool SettingsDocument::save(const QString &path, const Settings &settings, QString *error)
{
    return save(path, settings, SettingsFormat::ofPath(path), error);
}

bool SettingsDocument::save(const QString &path, const Settings &settings, const SettingsFormat &format,
                            QString *error)
{
    switch (format.kind) {
    case SettingsFormat::Kind::Json:
        return SettingsFile::writeSafely(path, SettingsJson::toJson(settings), error);
    case SettingsFormat::Kind::Sysex:
        return SysexFile::save(path, settings, kWorkAreaSlot, error);
    case SettingsFormat::Kind::Telvir:
        break;
    }
    return SettingsFile::save(path, settings, error);
}

bool SettingsDocument::load(const QString &path, Settings *settings, QString *error, QString *note)
{
    if (note)
        note->clear();
    // A missing file or a folder is no invalid settings file: the user is
    // told what is at the path.
    const QString refused = RegularFile::whyNotReadable(path);
    if (!refused.isEmpty()) {
        setError(error, refused);
        return false;
    }
    SettingsFormat::Kind kind = SettingsFormat::ofPath(path).kind;
    QByteArray start;
    if (!SettingsFormat::isKnownName(path) && SettingsFile::readStart(path, 1, &start) && start.startsWith(kParamHeader[0]))
        kind = SettingsFormat::Kind::Sysex;
    if (kind == SettingsFormat::Kind::Sysex) {
        SysexFile::Content content;
        if (!SysexFile::load(path, &content, error))
            return false;
        *settings = content.settings;
        if (note)
            *note = SysexFile::notCarriedText(content.notCarried);
        return true;
    }
    if (kind == SettingsFormat::Kind::Telvir) {
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
