#pragma once

// The editor's file dialogs: each starts in the folder last used for any
// of them (remembered across starts), else in the user's documents folder,
// and a name saved without an extension takes the chosen type's.

#include <QString>

class QWidget;

class FileDialogs
{
public:
    static QString startFolder();
    // The folder of `filePath` is where the next dialog starts.
    static void rememberFolder(const QString &filePath);

    // An existing file to read; empty when the user cancelled.
    static QString openFileName(QWidget *parent, const QString &title, const QString &filter);
    // A file to write, starting at `suggestedName` (a name alone goes into
    // the start folder). The filter's entries read "Name (*.ext)"; the
    // chosen one's extension is added to a name without any. Empty when
    // the user cancelled. `chosenFilter`, when given, learns the entry chosen.
    static QString saveFileName(QWidget *parent, const QString &title, const QString &suggestedName,
                                const QString &filter, QString *chosenFilter = nullptr);
};
