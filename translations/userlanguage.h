#pragma once

// The user's language for the programs' texts: Qt's own translations first
// (its buttons and dialogs), then the editor's and telvir's, chosen by the
// system's locale (LANGUAGE, LC_ALL, LC_MESSAGES, LANG). An English or C
// locale loads nothing, so the source texts are shown as they are.

#include <QLocale>
#include <QString>
#include <QStringList>

class UserLanguage
{
public:
    // Installs the translators on the running application; returns the
    // language loaded ("de", "fr", ...), empty for English.
    static QString install(const QLocale &locale = QLocale::system());

    // The shipped language the locale asks for, empty for English.
    static QString chosen(const QLocale &locale);

    // The languages the programs ship, from the embedded translations.
    static QStringList shipped();
};
