#pragma once

// The commands on the library that the editor and telvir keep of every
// setup they read, load, save and write: memories, recall and library.

#include <QCoreApplication>
#include "cli/invocation.h"
#include "model/libraryevent.h"

class LibraryCommands
{
    Q_DECLARE_TR_FUNCTIONS(LibraryCommands)

public:
    // memories [--keyboard NAME] [--json]: what this computer last wrote
    // into each memory of a keyboard.
    static int memories(const Invocation &invocation);
    // recall MEMORY|SETUP FILE [--keyboard NAME]: the setup last written to
    // MEMORY, or the one named or identified by SETUP, into FILE.
    static int recall(const Invocation &invocation);
    // library [TEXT] [--json]: the setups whose name contains TEXT.
    static int library(const Invocation &invocation);
    // library export NAME FILE: the setup named NAME (or identified by
    // it) into FILE.
    static int exportSetup(const Invocation &invocation);
    // library backup FILE: the whole library into the new FILE.
    static int backup(const Invocation &invocation);
    // library restore FILE: a backup merged into the library.
    static int restore(const Invocation &invocation);

    // Records what a command did with a setup once its outcome is printed.
    // The library never makes a command fail: trouble with it is one line
    // on err.
    static void record(const Invocation &invocation, LibraryEvent::Kind kind, const Settings &settings,
                       const QString &path, int memory = -1, const LibraryKeyboard &keyboard = {});
};
