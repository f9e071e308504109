#pragma once

// The commands that look at all 37 assignments at once: check for controls
// that send the same message, and the printable sheet.

#include <QCoreApplication>
#include "cli/invocation.h"

#include <QString>

class OverviewCommands
{
    Q_DECLARE_TR_FUNCTIONS(OverviewCommands)

public:
    static const QString kSheet;

    // check FILE: prints each group of clashing controls; 0 when none
    // clash, 1 when any do, 2 when the file cannot be read.
    static int check(const Invocation &invocation);
    // sheet FILE OUT: the sheet as OUT.pdf or OUT.png.
    static int sheet(const Invocation &invocation);

    // True when the arguments (without the program name) ask for the sheet,
    // the one command that paints and so needs a QGuiApplication.
    static bool paints(const QStringList &arguments);
};
