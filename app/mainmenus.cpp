#include "app/mainmenus.h"

#include "app/allcontrolswindow.h"
#include "app/editordocument.h"
#include "app/editorpreferences.h"
#include "app/mainwindow.h"
#include "app/midimonitor.h"
#include "app/preferencesdialog.h"
#include "app/recentfiles.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>

namespace {
// The desktop's key for a standard command; the common one where the
// desktop has none (Qt's generic Unix theme has no Quit or Save As).
QKeySequence standardKey(QKeySequence::StandardKey key, const char *common)
{
    return QKeySequence::keyBindings(key).value(0, QKeySequence(QLatin1String(common)));
}

QAction *windowAction(const MainWindow &window, const char *name)
{
    return window.findChild<QAction *>(QLatin1String(name));
}

QAction *addCommand(QMenu *menu, const char *name, const QString &text, const QKeySequence &shortcut,
                    MainWindow &window, void (MainWindow::*slot)())
{
    QAction *action = menu->addAction(text);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(shortcut);
    QObject::connect(action, &QAction::triggered, &window, slot);
    return action;
}
} // namespace

void MainMenus::build(MainWindow &window, EditorDocument &document)
{
    QMenuBar *bar = window.menuBar();
    // What the bar took without menus already belongs to the window's height.
    const int emptyHeight = bar->sizeHint().height();

    QMenu *file = bar->addMenu(tr("&File"));
    file->setObjectName(QStringLiteral("menuFile"));
    addCommand(file, "actionLoad", tr("Load..."), standardKey(QKeySequence::Open, "Ctrl+O"), window, &MainWindow::loadFromFile);
    addCommand(file, "actionSave", tr("Save..."), standardKey(QKeySequence::Save, "Ctrl+S"), window, &MainWindow::saveToFile);
    // "Save..." asks for the name each time already; both are one command.
    addCommand(file, "actionSaveAs", tr("Save As..."), standardKey(QKeySequence::SaveAs, "Ctrl+Shift+S"), window,
               &MainWindow::saveToFile);
    QMenu *recent = file->addMenu(tr("Recent Files"));
    recent->setObjectName(QStringLiteral("menuRecentFiles"));
    QObject::connect(recent, &QMenu::aboutToShow, &window, [recent, &window] { fillRecentFiles(recent, window); });
    fillRecentFiles(recent, window);
    file->addSeparator();
    QAction *exportSheet = file->addAction(tr("Export Sheet..."));
    exportSheet->setObjectName(QStringLiteral("actionExportSheet"));
    QObject::connect(exportSheet, &QAction::triggered, &window,
                     [&window, &document] { AllControlsWindow::exportSheet(&window, document.settings()); });
    file->addSeparator();
    QAction *quit = file->addAction(tr("Quit"));
    quit->setObjectName(QStringLiteral("actionQuit"));
    quit->setShortcut(standardKey(QKeySequence::Quit, "Ctrl+Q"));
    quit->setMenuRole(QAction::QuitRole);
    // Through the window's close, which asks about unsaved edits.
    QObject::connect(quit, &QAction::triggered, &window, &QWidget::close);

    QMenu *edit = bar->addMenu(tr("&Edit"));
    edit->setObjectName(QStringLiteral("menuEdit"));
    edit->addAction(windowAction(window, "actionUndo"));
    edit->addAction(windowAction(window, "actionRedo"));
    edit->addSeparator();
    addCommand(edit, "actionDefaultValues", tr("Default Values"), QKeySequence(), window, &MainWindow::resetSettings);
    edit->addSeparator();
    QAction *preferences = edit->addAction(tr("Preferences..."));
    preferences->setObjectName(QStringLiteral("actionPreferences"));
    preferences->setShortcut(QKeySequence::Preferences);
    preferences->setMenuRole(QAction::PreferencesRole);
    QObject::connect(preferences, &QAction::triggered, &window, [&window] { showPreferences(window); });

    QMenu *keyboard = bar->addMenu(tr("&Keyboard"));
    keyboard->setObjectName(QStringLiteral("menuKeyboard"));
    addCommand(keyboard, "actionRead", tr("Read"), QKeySequence(QStringLiteral("Ctrl+R")), window,
               &MainWindow::readFromKeyboard);
    // No shortcut: a send overwrites a memory of the keyboard, which no undo brings back.
    addCommand(keyboard, "actionSend", tr("Send to Keyboard"), QKeySequence(), window, &MainWindow::sendToKeyboard);
    keyboard->addAction(windowAction(window, "actionLive"));
    keyboard->addSeparator();
    addCommand(keyboard, "actionPorts", tr("Ports..."), QKeySequence(), window, &MainWindow::choosePorts);
    addCommand(keyboard, "actionUpgradeFirmware", tr("Upgrade firmware..."), QKeySequence(), window,
               &MainWindow::upgradeFirmware);

    QMenu *view = bar->addMenu(tr("&View"));
    view->setObjectName(QStringLiteral("menuView"));
    view->addAction(windowAction(window, "actionLibrary"));
    view->addAction(windowAction(window, "actionAllControls"));
    view->addAction(windowAction(window, "monitorShortcut"));

    QMenu *help = bar->addMenu(tr("&Help"));
    help->setObjectName(QStringLiteral("menuHelp"));
    QAction *shortcuts = help->addAction(tr("Keyboard Shortcuts"));
    shortcuts->setObjectName(QStringLiteral("actionShortcuts"));
    QObject::connect(shortcuts, &QAction::triggered, &window, [&window] {
        QMessageBox::information(&window, tr("Keyboard Shortcuts"), shortcutsText(window));
    });
    QAction *about = help->addAction(tr("About Telvir Editor"));
    about->setObjectName(QStringLiteral("actionAbout"));
    about->setMenuRole(QAction::AboutRole);
    QObject::connect(about, &QAction::triggered, &window, [&window] { showAbout(window); });

    window.resize(window.width(), window.height() + bar->sizeHint().height() - emptyHeight);
}

QString MainMenus::shortcutsText(const MainWindow &window)
{
    QStringList lines;
    for (const QMenu *menu : window.menuBar()->findChildren<QMenu *>(QString(), Qt::FindDirectChildrenOnly)) {
        for (const QAction *action : menu->actions()) {
            if (action->shortcut().isEmpty())
                continue;
            QStringList keys;
            for (const QKeySequence &key : action->shortcuts())
                keys << key.toString(QKeySequence::NativeText);
            lines << tr("%1: %2").arg(QString(action->text()).remove(QLatin1Char('&')), keys.join(tr(" or ")));
        }
    }
    return lines.join(QLatin1Char('\n'));
}

void MainMenus::fillRecentFiles(QMenu *menu, MainWindow &window)
{
    menu->clear();
    const QStringList files = RecentFiles::list();
    for (const QString &fileName : files) {
        QAction *action = menu->addAction(QDir::toNativeSeparators(fileName));
        // The name as plain text: an ampersand in it is no accelerator.
        action->setText(action->text().replace(QLatin1Char('&'), QStringLiteral("&&")));
        QObject::connect(action, &QAction::triggered, &window,
                         [&window, fileName] { window.loadSettingsFile(fileName); });
    }
    if (files.isEmpty())
        menu->addAction(tr("No recent files"))->setEnabled(false);
}

void MainMenus::showPreferences(MainWindow &window)
{
    PreferencesDialog dialog(&window);
    if (dialog.exec() != QDialog::Accepted)
        return;
    dialog.keep();
    // The monitor's own box shows the same choice.
    if (auto *monitor = window.findChild<MidiMonitor *>())
        monitor->setFollowsKeyboard(EditorPreferences::followKeyboard());
}

void MainMenus::showAbout(MainWindow &window)
{
    QMessageBox::about(&window, tr("About Telvir Editor"),
                       tr("Telvir Editor %1\n\nEdits the settings of the Telvir USB MIDI keyboard: its controls, "
                          "pads and global parameters, in files and on the keyboard.")
                           .arg(QStringLiteral(TELVIR_VERSION)));
}
