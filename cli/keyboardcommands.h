#pragma once

// The commands that talk to the keyboard, through the same link, protocol
// and firmware transfer as the editor: ports, read, write and firmware.
// Each releases the link before it returns.

#include <QCoreApplication>
#include "cli/invocation.h"

class KeyboardCommands
{
    Q_DECLARE_TR_FUNCTIONS(KeyboardCommands)

public:
    // ports [--find]: the numbered output and input ports, and every
    // keyboard found.
    static int ports(const Invocation &invocation);
    // read FILE: the keyboard's memory 0 into a settings file.
    static int read(const Invocation &invocation);
    // write FILE [--memory workArea|1..8] [--all]: a settings file into a
    // memory of the keyboard, or of every keyboard found.
    static int write(const Invocation &invocation);
    // firmware FILE: a new firmware for a keyboard in its upgrade mode.
    static int firmware(const Invocation &invocation);

    // The memory that --memory names (workArea when it is not given) into
    // *slot; false with the usage error's status in *status for a bad one.
    static bool memoryOption(const Invocation &invocation, int *slot, int *status);
};
