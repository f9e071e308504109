#pragma once

// Puts the form's markers over the keyboard picture, each on the rectangle
// that the control table gives its control: the form itself names the
// markers but leaves their places to the table.

#include <QPoint>

#include <map>

class DeviceWidget;
class QLabel;
class Ui_MainWindow;

class FormMarkers
{
public:
    // `widgetIndex` gives the control index of each control marker.
    static void place(const Ui_MainWindow &ui, const std::map<DeviceWidget *, int> &widgetIndex);

    // Where `picture` shows the keyboard picture's top-left pixel, in its
    // parent's coordinates.
    static QPoint pictureOrigin(const QLabel &picture);
};
