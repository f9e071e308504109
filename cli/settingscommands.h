#pragma once

// The commands that work on settings files alone: new, show, convert,
// export and diff.

#include <QCoreApplication>
#include "cli/invocation.h"

class SettingsCommands
{
    Q_DECLARE_TR_FUNCTIONS(SettingsCommands)

public:
    // new FILE: the factory settings, as ".telvir", ".json" or ".syx" by
    // the name.
    // An existing file is left alone.
    static int create(const Invocation &invocation);
    // show FILE [--json]: every setting by name, or the settings document.
    static int show(const Invocation &invocation);
    // convert IN OUT: between ".telvir", ".json" and ".syx", by the names.
    static int convert(const Invocation &invocation);
    // export FILE OUT.syx [--memory workArea|1..8]: the set messages of a
    // write into that memory.
    static int exportSysex(const Invocation &invocation);
    // diff A B: the settings that differ; 0 equal, 1 different, 2 trouble.
    static int diff(const Invocation &invocation);
};
