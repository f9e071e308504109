#include "model/settingsformat.h"

#include <QFileInfo>
#include <QStringList>

const std::array<SettingsFormat, 3> kSettingsFormats = {{
    {SettingsFormat::Kind::Telvir, QT_TRANSLATE_NOOP("SettingsFormat", "TELVIR Settings Files"), "telvir", true,
     true},
    {SettingsFormat::Kind::Json, QT_TRANSLATE_NOOP("SettingsFormat", "Settings Documents"), "json", true, true},
    {SettingsFormat::Kind::Sysex, QT_TRANSLATE_NOOP("SettingsFormat", "SysEx Files"), "syx", true, true},
}};

namespace {
const SettingsFormat *ofExtension(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix();
    for (const SettingsFormat &format : kSettingsFormats) {
        if (suffix.compare(QLatin1String(format.extension), Qt::CaseInsensitive) == 0)
            return &format;
    }
    return nullptr;
}

QString filters(bool SettingsFormat::*able)
{
    QStringList list;
    for (const SettingsFormat &format : kSettingsFormats) {
        if (format.*able)
            list << format.filter();
    }
    return list.join(QStringLiteral(";;"));
}
} // namespace

QString SettingsFormat::filter() const
{
    return QStringLiteral("%1 (*.%2)").arg(tr(name), QLatin1String(extension));
}

const SettingsFormat &SettingsFormat::ofPath(const QString &path)
{
    const SettingsFormat *format = ofExtension(path);
    return format ? *format : kSettingsFormats.front();
}

bool SettingsFormat::isKnownName(const QString &path)
{
    return ofExtension(path) != nullptr;
}

const SettingsFormat *SettingsFormat::ofFilter(const QString &filter)
{
    for (const SettingsFormat &format : kSettingsFormats) {
        if (format.filter() == filter)
            return &format;
    }
    return nullptr;
}

QString SettingsFormat::readFilters()
{
    QStringList patterns;
    for (const SettingsFormat &format : kSettingsFormats) {
        if (format.canRead)
            patterns << QStringLiteral("*.") + QLatin1String(format.extension);
    }
    return tr("Settings files (%1)").arg(patterns.join(QLatin1Char(' '))) + QStringLiteral(";;")
           + filters(&SettingsFormat::canRead);
}

QString SettingsFormat::writeFilters()
{
    return filters(&SettingsFormat::canWrite);
}

const SettingsFormat &SettingsFormat::chosen(const QString &path, const QString &chosenFilter)
{
    const SettingsFormat *format = ofExtension(path);
    if (!format)
        format = ofFilter(chosenFilter);
    return format ? *format : kSettingsFormats.front();
}
