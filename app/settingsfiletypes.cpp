#include "app/settingsfiletypes.h"

QVector<SettingsFileTypes::Type> SettingsFileTypes::writable()
{
    return {{tr("TELVIR Settings Files"), QStringLiteral("telvir")},
            {tr("Settings Documents"), QStringLiteral("json")}};
}

QVector<SettingsFileTypes::Type> SettingsFileTypes::readable()
{
    return writable();
}

QString SettingsFileTypes::filterOf(const Type &type)
{
    return QStringLiteral("%1 (*.%2)").arg(type.name, type.suffix);
}

QString SettingsFileTypes::loadFilter()
{
    QStringList patterns;
    QStringList filters;
    for (const Type &type : readable()) {
        patterns << QStringLiteral("*.") + type.suffix;
        filters << filterOf(type);
    }
    filters.prepend(tr("Settings files (%1)").arg(patterns.join(QLatin1Char(' '))));
    return filters.join(QStringLiteral(";;"));
}

QString SettingsFileTypes::saveFilter()
{
    QStringList filters;
    for (const Type &type : writable())
        filters << filterOf(type);
    return filters.join(QStringLiteral(";;"));
}
