#pragma once

#include "model/controlgeometry.h"

#include <QImage>
#include <QRect>
#include <QRectF>
#include <QString>

class QPainter;

// Draws the top view of the Telvir keyboard that the editor shows under its
// markers: two rows of eight knobs, eight pads, the pad-bank and octave
// buttons, the two wheels, the pedal socket with its label plate and the
// keybed. Every control is drawn on its rectangle of the control table,
// where the editor puts its marker.
class KeyboardPicture
{
public:
    static constexpr int kWidth = ControlGeometry::kPictureSize.width();
    static constexpr int kHeight = ControlGeometry::kPictureSize.height();

    // With showMarkers the marker rectangles are outlined on top, to check
    // that every control sits under its marker.
    static QImage render(bool showMarkers = false);

private:
    explicit KeyboardPicture(QPainter &painter);

    // The control's rectangle on the picture.
    static QRect onPicture(int controlIndex);

    void drawCase();
    void drawKnob(const QRect &marker, const QString &label, double pointerTurn);
    void drawPad(const QRect &marker, int number);
    void drawButton(const QRect &marker, bool lit);
    void drawWheel(const QRect &marker, const QString &label, bool centreDetent);
    void drawPedalSocket(const QRect &marker);
    void drawKeybed(const QRectF &area);
    void drawLabel(const QRectF &area, const QString &text, int pixelSize, int flags);
    void drawBrand(const QRectF &area);
    void drawMarkers();

    QPainter &painter;
};
