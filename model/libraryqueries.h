#pragma once

// What the library knows, as the window and telvir ask for it.

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

    // The nine memories, "workArea" first; unknown ones with known false.
    QVector<MemoryEntry> memories();
    // The listed setups whose name contains `text` (any case), the most
    // recently seen first.
    QVector<LibrarySetup> setups(const QString &text = QString());
    std::optional<Settings> settingsOf(qint64 setupId);
    // The most recently seen listed setup named exactly `name`.
    std::optional<LibrarySetup> setupNamed(const QString &name);

private:
    LibraryStore &store_;
};
