#pragma once

// A window of its own that the main window opens: a shortcut, and a flat
// button left of "Read" in the status line, which keeps its height.

#include <QString>

#include <functional>

class MainWindow;
class QAction;

class StatusCommand
{
public:
    // The action `actionName` and the button `buttonName`, both `text`;
    // either runs `open`.
    static QAction *add(MainWindow &window, const char *actionName, const char *buttonName, const QString &text,
                        const QString &toolTip, const char *shortcut, const std::function<void()> &open);
};
