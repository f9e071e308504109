#include "app/filedialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>

namespace {
const char *const kLastFolderKey = "files/lastFolder";

QSettings editorSettings()
{
    return QSettings(QStringLiteral("Telvir"), QStringLiteral("Telvir Editor"));
}

// "PDF (*.pdf)" gives "pdf"; a filter without a single extension, none.
QString suffixOf(const QString &filter)
{
    static const QRegularExpression pattern(QStringLiteral("\\(\\*\\.([A-Za-z0-9]+)\\)"));
    const QRegularExpressionMatch match = pattern.match(filter);
    return match.hasMatch() ? match.captured(1) : QString();
}
} // namespace

QString FileDialogs::startFolder()
{
    const QString remembered = editorSettings().value(QLatin1String(kLastFolderKey)).toString();
    if (!remembered.isEmpty() && QFileInfo(remembered).isDir())
        return remembered;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

void FileDialogs::rememberFolder(const QString &filePath)
{
    editorSettings().setValue(QLatin1String(kLastFolderKey), QFileInfo(filePath).absolutePath());
}

QString FileDialogs::openFileName(QWidget *parent, const QString &title, const QString &filter)
{
    const QString fileName = QFileDialog::getOpenFileName(parent, title, startFolder(), filter);
    if (!fileName.isEmpty())
        rememberFolder(fileName);
    return fileName;
}

QString FileDialogs::saveFileName(QWidget *parent, const QString &title, const QString &suggestedName,
                                  const QString &filter, QString *chosenFilter)
{
    const QString start =
        QFileInfo(suggestedName).isAbsolute() ? suggestedName : QDir(startFolder()).filePath(suggestedName);
    QFileDialog dialog(parent, title, start, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The dialog adds it before it asks whether to replace a file, so the
    // question is about the file that will be written.
    dialog.setDefaultSuffix(suffixOf(dialog.selectedNameFilter()));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog](const QString &chosen) { dialog.setDefaultSuffix(suffixOf(chosen)); });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    const QString fileName = dialog.selectedFiles().constFirst();
    if (chosenFilter)
        *chosenFilter = dialog.selectedNameFilter();
    rememberFolder(fileName);
    return fileName;
}
