#include "app/formmarkers.h"

#include "app/devicewidget.h"
#include "model/controlgeometry.h"
#include "ui_mainwindow.h"

#include <QLabel>

void FormMarkers::place(const Ui_MainWindow &ui, const std::map<DeviceWidget *, int> &widgetIndex)
{
    const QPoint origin = pictureOrigin(*ui.label);
    for (const auto &[marker, index] : widgetIndex)
        marker->setGeometry(ControlGeometry::onPicture(index).translated(origin));
    ui.padSwitch->setGeometry(ControlGeometry::padBankOnPicture().translated(origin));
}

QPoint FormMarkers::pictureOrigin(const QLabel &picture)
{
    // The label shows the picture unscaled at its left edge and centred
    // from top to bottom: 5 pixels taller than the form's label, it starts
    // 2 above it. The picture's own size is taken, so the markers keep
    // their places when it cannot be loaded.
    const QRect label = picture.geometry();
    return QPoint(label.x(), label.y() + (label.height() - ControlGeometry::kPictureSize.height()) / 2);
}
