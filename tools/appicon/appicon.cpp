#include "appicon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

namespace {
const QColor kPanelTop(64, 66, 71);
const QColor kPanelBottom(34, 35, 38);
const QColor kAccent(232, 122, 32);

void drawKnob(QPainter &painter, const QPointF &centre, qreal radius, qreal pointerTurn)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 110));
    painter.drawEllipse(centre + QPointF(2, 4), radius, radius);

    QRadialGradient rubber(centre - QPointF(radius * 0.3, radius * 0.35), radius * 1.6);
    rubber.setColorAt(0, QColor(74, 76, 80));
    rubber.setColorAt(1, QColor(14, 14, 16));
    painter.setBrush(rubber);
    painter.drawEllipse(centre, radius, radius);

    const qreal cap = radius * 0.68;
    QRadialGradient metal(centre - QPointF(cap * 0.35, cap * 0.4), cap * 1.8);
    metal.setColorAt(0, QColor(238, 239, 241));
    metal.setColorAt(0.5, QColor(170, 173, 178));
    metal.setColorAt(1, QColor(92, 95, 100));
    painter.setPen(QPen(QColor(40, 41, 44), 2));
    painter.setBrush(metal);
    painter.drawEllipse(centre, cap, cap);

    const qreal angle = qDegreesToRadians(pointerTurn * 360.0);
    const QPointF direction(qSin(angle), -qCos(angle));
    painter.setPen(QPen(Qt::white, radius * 0.16, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(centre + direction * (cap + 2), centre + direction * (radius - 3));
}

void drawPad(QPainter &painter, const QRectF &pad)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(kAccent.red(), kAccent.green(), kAccent.blue(), 200));
    painter.drawRoundedRect(pad.adjusted(-3, -3, 3, 3), 9, 9);
    QLinearGradient rubber(pad.topLeft(), pad.bottomLeft());
    rubber.setColorAt(0, QColor(110, 112, 118));
    rubber.setColorAt(1, QColor(56, 57, 61));
    painter.setBrush(rubber);
    painter.setPen(QPen(QColor(30, 31, 34), 2));
    painter.drawRoundedRect(pad, 7, 7);
}

// Shapes are cut to the tile by geometry, not by clipping, which the SVG
// writer of Qt 5 leaves out.
void fillWithin(QPainter &painter, const QPainterPath &shape, const QRectF &rect, qreal radius)
{
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    painter.drawPath(path.intersected(shape));
}

void drawKeys(QPainter &painter, const QRectF &area, const QPainterPath &tileShape)
{
    constexpr int kWhiteKeys = 5;
    const qreal keyWidth = area.width() / kWhiteKeys;
    painter.setPen(Qt::NoPen);
    for (int key = 0; key < kWhiteKeys; ++key) {
        const QRectF white(area.left() + key * keyWidth + 1.5, area.top(), keyWidth - 3, area.height());
        QLinearGradient ivory(white.topLeft(), white.bottomLeft());
        ivory.setColorAt(0, QColor(210, 210, 205));
        ivory.setColorAt(0.12, QColor(248, 248, 244));
        ivory.setColorAt(1, QColor(222, 222, 216));
        painter.setBrush(ivory);
        fillWithin(painter, tileShape, white, 4);
    }
    // Black keys after C, D, F and G: the keyboard starts at C.
    for (int key : {0, 1, 3}) {
        const qreal width = keyWidth * 0.58;
        const QRectF black(area.left() + (key + 1) * keyWidth - width / 2, area.top() - 1, width, area.height() * 0.6);
        QLinearGradient ebony(black.topLeft(), black.bottomLeft());
        ebony.setColorAt(0, QColor(8, 8, 9));
        ebony.setColorAt(1, QColor(64, 64, 70));
        painter.setBrush(ebony);
        painter.drawRoundedRect(black, 3, 3);
    }
}
} // namespace

void AppIcon::paint(QPainter &painter)
{
    painter.setRenderHint(QPainter::Antialiasing);

    // The tile leaves a margin, as icons of the hicolor theme do.
    const QRectF tile(16, 16, 224, 224);
    QLinearGradient plate(tile.topLeft(), tile.bottomLeft());
    plate.setColorAt(0, kPanelTop);
    plate.setColorAt(1, kPanelBottom);
    painter.setPen(QPen(QColor(20, 21, 23), 3));
    painter.setBrush(plate);
    painter.drawRoundedRect(tile, 36, 36);

    drawKnob(painter, QPointF(74, 72), 28, -0.12);
    drawKnob(painter, QPointF(146, 72), 28, 0.18);
    drawPad(painter, QRectF(184, 48, 40, 46));

    painter.setPen(QPen(kAccent, 5, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(40, 121), QPointF(216, 121));

    // The keys run into the tile's lower edge, cut to its rounding.
    QPainterPath tileShape;
    tileShape.addRoundedRect(tile.adjusted(1.5, 1.5, -1.5, -1.5), 35, 35);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(10, 10, 11));
    fillWithin(painter, tileShape, QRectF(tile.left(), 134, tile.width(), tile.bottom() - 134), 0);
    drawKeys(painter, QRectF(tile.left() + 6, 140, tile.width() - 12, tile.bottom() - 140 + 8), tileShape);
}

QImage AppIcon::render(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.scale(qreal(size) / kCanvas, qreal(size) / kCanvas);
    paint(painter);
    return image;
}
