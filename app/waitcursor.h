#pragma once

#include <QApplication>
#include <QCursor>

// Shows the wait cursor for as long as it lives. Talking to the keyboard
// blocks the GUI thread, so the window cannot tell the user it is busy in
// any other way. End it before a message box opens.
class WaitCursor
{
public:
    WaitCursor() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }

    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};
