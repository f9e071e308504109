#pragma once

// The commands that work on settings files alone: show, convert and diff.

#include "cli/invocation.h"

class SettingsCommands
{
public:
    // show FILE [--json]: every setting by name, or the settings document.
    static int show(const Invocation &invocation);
    // convert IN OUT: between ".telvir" and ".json", by the names.
    static int convert(const Invocation &invocation);
    // diff A B: the settings that differ; 0 equal, 1 different, 2 trouble.
    static int diff(const Invocation &invocation);
};
