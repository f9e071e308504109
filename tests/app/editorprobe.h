#pragma once

// Small helpers for finding the main window's widgets by object name and
// reading what they show.

#include "app/devicewidget.h"
#include "app/mainwindow.h"
#include "app/settingcombobox.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QStringList>
#include <QTest>

#include <stdexcept>
#include <string>

template <typename Widget>
Widget *widgetOf(const MainWindow &window, const char *name)
{
    auto *widget = window.findChild<Widget *>(QLatin1String(name));
    if (!widget)
        throw std::runtime_error(std::string("no widget named ") + name);
    return widget;
}

// The item called `text` in the menu bar's menu `menuName`, where a user
// finds it.
inline QAction *menuItem(const MainWindow &window, const char *menuName, const QString &text)
{
    auto *menu = window.menuBar()->findChild<QMenu *>(QLatin1String(menuName));
    if (!menu)
        throw std::runtime_error(std::string("no menu named ") + menuName);
    for (QAction *action : menu->actions()) {
        if (action->text() == text)
            return action;
    }
    throw std::runtime_error(std::string("no menu item ") + text.toStdString());
}

// The form's 759 × 605 grown by what the menus added to its menu bar.
inline QSize formSizeWithMenus(const MainWindow &window)
{
    QMainWindow plain;
    plain.setMenuBar(new QMenuBar(&plain));
    return QSize(759, 605 - plain.menuBar()->sizeHint().height() + window.menuBar()->sizeHint().height());
}

inline DeviceWidget *marker(const MainWindow &window, const char *name)
{
    return widgetOf<DeviceWidget>(window, name);
}

inline SettingComboBox *field(const MainWindow &window, const char *name)
{
    return widgetOf<SettingComboBox>(window, name);
}

inline QStringList itemsOf(const QComboBox *box)
{
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    return items;
}

// Clicks like a user: press and release in the middle of the marker.
inline void clickMarker(const MainWindow &window, const char *name)
{
    QTest::mouseClick(marker(window, name), Qt::LeftButton);
}

inline QString shownControl(const MainWindow &window)
{
    return widgetOf<QLineEdit>(window, "widgetName")->text();
}

inline QByteArray imageOf(const Settings &settings)
{
    return QByteArray(settings.image(), int(Settings::kImageSize));
}
