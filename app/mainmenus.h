#pragma once

// The main window's menu bar: File, Edit, Keyboard, View and Help. Each
// item is the command's one action: the form's buttons' slots, the undo
// stack's actions, and the window's own actions for Live, the library, All
// Controls and the monitor, so menu, button and shortcut never differ.

#include <QCoreApplication>
#include <QString>

class EditorDocument;
class MainWindow;
class QMenu;

class MainMenus
{
    Q_DECLARE_TR_FUNCTIONS(MainMenus)

public:
    // Builds the menus on `window`, whose other actions exist already; the
    // window grows by the menu bar's height, so the form keeps its room.
    static void build(MainWindow &window, EditorDocument &document);

    // "Keyboard Shortcuts": every menu item that has one, as the menus say it.
    static QString shortcutsText(const MainWindow &window);

private:
    static void fillRecentFiles(QMenu *menu, MainWindow &window);
    static void showPreferences(MainWindow &window);
    static void showAbout(MainWindow &window);
};
