#pragma once

// Settings and firmware files are read and written only as regular files,
// and every save-type output (settings, monitor logs, sheets, exports)
// asks whyNotReplaceable() before it writes.
// Opening a named pipe blocks until something writes into it, a device may
// never end, and saving replaces whatever has the name by a new file: a
// device node, a pipe or a socket would be gone. Each answer is one line.

#include <QCoreApplication>
#include <QString>

class RegularFile
{
    Q_DECLARE_TR_FUNCTIONS(RegularFile)

public:
    // Why `path` is not read from: empty when it is a regular file (or a
    // link to one).
    static QString whyNotReadable(const QString &path);
    // Why `path` must not be replaced by a new file: empty when it is a
    // regular file or nothing is there yet. A link is judged by what it
    // leads to, so one to a device is refused as the device is.
    static QString whyNotReplaceable(const QString &path);
    // True for a named pipe or a socket: opening or reading one waits for
    // another program, possibly for ever.
    static bool waitsForAnotherProgram(const QString &path);
};
