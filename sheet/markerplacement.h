#pragma once

// Where each control's marker lies on the keyboard picture. Read from the
// editor's own form (embedded as ":/main/mainwindow.ui"), so a sheet made
// without the window puts its labels where the window puts its markers.

#include <QRect>
#include <QSize>
#include <QString>

#include <array>

#include "model/controlcatalogue.h"

class MarkerPlacement
{
public:
    // Reads the form; `pictureSize` is the size of the picture as the form's
    // picture label shows it, unscaled.
    explicit MarkerPlacement(const QSize &pictureSize);

    // False when the form could not be read or lacks a marker; *error then
    // says what.
    bool isValid(QString *error = nullptr) const;

    // The object name of the marker that stands for the control; pads 9..16
    // share the markers of pads 1..8. Empty for an index outside 0..36.
    static QString markerName(int controlIndex);

    // The marker of the control in picture pixels.
    QRect onPicture(int controlIndex) const;

private:
    std::array<QRect, kControlCount> markers;
    QString problem;
};
