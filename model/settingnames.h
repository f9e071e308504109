#pragma once

// The names of the settings' fields and choices as a window shows them
// ("Linear", "Mode Option"). The tables keep them in English, as files,
// JSON documents and telvir's output carry them; the editor's windows and
// the sheet show them in the user's language. A name without a translation
// (a control's own, a number) is shown as it is.

#include <QCoreApplication>
#include <QString>
#include <QStringList>

class SettingNames
{
    Q_DECLARE_TR_FUNCTIONS(SettingNames)

public:
    static QString shown(const QString &name);
    static QStringList shown(const QStringList &names);
};
