#pragma once

// Small helpers for finding the main window's widgets by object name and
// reading what they show.

#include "app/devicewidget.h"
#include "app/mainwindow.h"
#include "app/settingcombobox.h"

#include <QComboBox>
#include <QLineEdit>
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
