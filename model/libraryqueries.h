#pragma once

// What the library knows, as the window and telvir ask for it.

#include "model/librarykeyboard.h"
#include "model/librarysetup.h"
#include "model/memoryentry.h"

#include <QString>
#include <QVector>

#include <optional>

class LibraryStore;

class LibraryQueries
{
public:
    static constexpr int kMemoryCount = 9; // "workArea" and "1".."8"

    explicit LibraryQueries(LibraryStore &store);

    // The nine memories of `keyboard`, "workArea" first; unknown ones with
    // known false.
    QVector<MemoryEntry> memories(const LibraryKeyboard &keyboard);
    // Those of the keyboard written to last.
    QVector<MemoryEntry> memories();
    // Every keyboard written to, the one written to last first.
    QVector<LibraryKeyboard> keyboards();
    // The listed setups whose name contains `text` (any case), the most
    // recently seen first, each with its identifier.
    QVector<LibrarySetup> setups(const QString &text = QString());
    // Fills in the files of each of `setups` at once.
    void addFiles(QVector<LibrarySetup> &setups);
    // The names of the files one setup was seen in, the most recent first.
    QStringList filesOf(qint64 setupId);
    std::optional<Settings> settingsOf(qint64 setupId);
    // The most recently seen listed setup named exactly `name`.
    std::optional<LibrarySetup> setupNamed(const QString &name);
    // The one setup, listed or not, whose hash starts with `identifier`
    // (SetupIdentifier::looksLikeOne); none when no setup or two do.
    std::optional<LibrarySetup> setupIdentified(const QString &identifier);
    // The setup named `text`, else the one it identifies.
    std::optional<LibrarySetup> setupNamedOrIdentified(const QString &text);

private:
    // `allListed`: `setups` are all the listed ones.
    void addIdentifiers(QVector<LibrarySetup> &setups, bool allListed);

    LibraryStore &store_;
};
