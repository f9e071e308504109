#pragma once

// What this computer last wrote into one memory of the keyboard.

#include "model/libraryevent.h"
#include "model/settings.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QString>

struct MemoryEntry
{
    int memory = 0;      // 0 ("workArea") .. 8
    bool known = false;  // false: never written from here
    qint64 writtenMs = 0;
    LibraryEvent::Program program = LibraryEvent::Program::Editor;
    QString path;        // the file it was written from; empty from the editor's form
    qint64 setupId = 0;
    QString setupName;
    Settings settings;

    // The file's name, or the program that wrote its own record.
    QString source() const
    {
        if (!path.isEmpty())
            return QFileInfo(path).fileName();
        if (program != LibraryEvent::Program::Editor)
            return QStringLiteral("telvir");
        return QCoreApplication::translate("MemoryEntry", "the editor");
    }
};
