#pragma once

// A window of its own that the main window opens: a shortcut, and a flat
// button left of "Read" in the status line, which keeps its height.

#include <QString>

#include <functional>

class QAction;
class QMainWindow;
class QWidget;

class StatusCommand
{
public:
    // The action `actionName` and the button `buttonName`, both `text`;
    // either runs `open`.
    static QAction *add(QMainWindow &window, const char *actionName, const char *buttonName, const QString &text,
                        const QString &toolTip, const char *shortcut, const std::function<void()> &open);
    // Adds a widget to the right of the status line: left of "Read" when
    // `beforeRead`, else after the buttons there.
    static void place(QMainWindow &window, QWidget *widget, bool beforeRead);
};
