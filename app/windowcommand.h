#pragma once

// A window of its own that the main window opens: an action of the main
// window with its shortcut, which the View menu shows. As the window's own
// action its shortcut works also while the form is disabled for keyboard
// work.

#include <QString>

#include <functional>

class QAction;
class QMainWindow;

class WindowCommand
{
public:
    // The action `actionName`, called `text`, that runs `open`.
    static QAction *add(QMainWindow &window, const char *actionName, const QString &text, const QString &toolTip,
                        const char *shortcut, const std::function<void()> &open);
};
