#include "translations/userlanguage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>

namespace {
const QString kEmbedded = QStringLiteral(":/i18n");
const QString kPrefix = QStringLiteral("telvir_");

QString qtTranslationsPath()
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
#else
    return QLibraryInfo::location(QLibraryInfo::TranslationsPath);
#endif
}

bool load(const QLocale &locale, const QString &name, const QStringList &folders)
{
    auto translator = std::make_unique<QTranslator>(QCoreApplication::instance());
    for (const QString &folder : folders) {
        if (translator->load(locale, name, QStringLiteral("_"), folder)) {
            QCoreApplication::installTranslator(translator.release());
            return true;
        }
    }
    return false;
}
} // namespace

QString UserLanguage::install(const QLocale &locale)
{
    const QString language = chosen(locale);
    if (language.isEmpty())
        return language;
    const QLocale chosenLocale(language);
    // Qt's own catalogues: "qt" gathers the modules' in Qt 5, Qt 6 has
    // "qtbase" alone. A later translator is asked first, so ours goes last.
    for (const char *catalogue : {"qt", "qtbase"})
        load(chosenLocale, QLatin1String(catalogue), {qtTranslationsPath()});
    // An installed file (a translator's newer work) before the embedded one.
    const QString installed =
        QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(QStringLiteral("../" TELVIR_TRANSLATIONS_DIR));
    return load(chosenLocale, QStringLiteral("telvir"), {installed, kEmbedded}) ? language : QString();
}

QString UserLanguage::chosen(const QLocale &locale)
{
    const QStringList languages = shipped();
    for (const QString &name : locale.uiLanguages()) {
        const QString code = QLocale(name).name().section(QLatin1Char('_'), 0, 0);
        if (languages.contains(code))
            return code;
        // English is the source language: a user who puts it before a
        // shipped one gets it.
        if (code == QLatin1String("en") || code == QLatin1String("C"))
            return QString();
    }
    return QString();
}

QStringList UserLanguage::shipped()
{
    QStringList languages;
    const QStringList files = QDir(kEmbedded).entryList({kPrefix + QStringLiteral("*.qm")}, QDir::Files, QDir::Name);
    for (const QString &file : files)
        languages << QFileInfo(file).completeBaseName().mid(kPrefix.size());
    return languages;
}
