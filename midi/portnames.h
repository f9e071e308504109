#pragma once

// The names of the MIDI ports as the port service lists them (at most 31
// characters, as WinMM's caps structures carry them), by their numbers.

#include "midi/portservice.h"

#include <QString>
#include <QStringList>

class PortNames
{
public:
    // Empty for a number that is not listed.
    static QString output(UINT port);
    static QString input(UINT port);

    // Every port, listed afresh: the numbers of the list are those that
    // opening a port goes by from now on.
    static QStringList outputs();
    static QStringList inputs();

    // Why there is no port at all, one reason per MIDI system tried.
    static QString whyNone();
};
