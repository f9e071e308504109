#include "model/settingnames.h"

QString SettingNames::shown(const QString &name)
{
    if (name.isEmpty())
        return name;
    // The name is the source text the tables marked for translation.
    const QByteArray source = name.toUtf8();
    return QCoreApplication::translate("SettingNames", source.constData());
}

QStringList SettingNames::shown(const QStringList &names)
{
    QStringList result;
    result.reserve(names.size());
    for (const QString &name : names)
        result << shown(name);
    return result;
}
