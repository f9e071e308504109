#pragma once

// One thing that happened to a setup: read from the keyboard, loaded from
// or saved to a file, written into a memory of the keyboard.

#include "model/librarykeyboard.h"
#include "model/settings.h"

#include <QString>

struct LibraryEvent
{
    enum class Kind { Read, Load, Save, Write };
    enum class Program { Editor, Telvir };

    Kind kind = Kind::Load;
    Program program = Program::Editor;
    Settings settings;
    QString path;     // the file, for a load or a save and a write from one
    int memory = -1;  // 0 ("workArea") .. 8, for a write
    qint64 timeMs = 0; // since the epoch, UTC; 0 for "now"
    LibraryKeyboard keyboard; // the keyboard a write went to

    static LibraryEvent of(Kind kind, Program program, const Settings &settings, const QString &path = QString(),
                           int memory = -1)
    {
        LibraryEvent event;
        event.kind = kind;
        event.program = program;
        event.settings = settings;
        event.path = path;
        event.memory = memory;
        return event;
    }
};
