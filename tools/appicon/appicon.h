#pragma once

#include <QImage>

class QPainter;

// The editor's application icon: the corner of a dark controller keyboard,
// two knobs and a lit pad over a few keys, on a rounded tile. It is drawn on
// a 256 x 256 canvas; the PNG sizes scale the same drawing.
class AppIcon
{
public:
    static constexpr int kCanvas = 256;

    static void paint(QPainter &painter);
    static QImage render(int size);
};
