#include "model/settingsdifferences.h"

#include "model/controlfields.h"
#include "model/globalparameters.h"
#include "model/settingsjson.h"

QStringList SettingsDifferences::lines(const Settings &from, const Settings &to)
{
    QStringList lines;
    for (const GlobalParameter &global : kGlobalParameters) {
        if (from.*global.value == to.*global.value)
            continue;
        lines << QStringLiteral("%1: %2 -> %3")
                     .arg(QLatin1String(global.label), SettingsJson::text(SettingsJson::globalValue(from, global)),
                          SettingsJson::text(SettingsJson::globalValue(to, global)));
    }
    for (int control = 0; control < kControlCount; ++control) {
        for (const ControlField &field : kControlFields) {
            if (from.controls[control].*field.value == to.controls[control].*field.value)
                continue;
            lines << QStringLiteral("%1, %2: %3 -> %4")
                         .arg(QLatin1String(kControlLabels[std::size_t(control)]), QLatin1String(field.label),
                              SettingsJson::text(SettingsJson::controlValue(from, control, field)),
                              SettingsJson::text(SettingsJson::controlValue(to, control, field)));
        }
    }
    return lines;
}
