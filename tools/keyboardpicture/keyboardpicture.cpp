#include "keyboardpicture.h"

#include "model/controlcatalogue.h"
#include "model/controlgeometry.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

#include <array>
#include <cstdint>

namespace {
constexpr int kKnobsInARow = 8;
constexpr int kFirstLowerKnob = 8;
constexpr int kFirstPad = 16;
constexpr int kPadCount = 8;
constexpr int kOctaveDown = 32;
constexpr int kOctaveUp = 33;
constexpr int kPitchWheel = 34;
constexpr int kModWheel = 35;
constexpr int kPedal = 36;

const std::array<const char *, 8> kUpperLabels = {
    "VOLUME", "CUTOFF", "RESONANCE", "CHORUS", "ATTACK", "DECAY", "SUSTAIN", "RELEASE",
};
const std::array<const char *, 8> kLowerLabels = {
    "SELECT", "LFO RATE", "LFO AMT", "DELAY", "PARAM 1", "PARAM 2", "PARAM 3", "PARAM 4",
};
// Where each knob happens to be turned, in turns from straight up.
const std::array<double, 16> kPointerTurns = {
    0.30, -0.12, 0.05, -0.30, -0.38, 0.18, 0.25, -0.05,
    0.00, 0.22, -0.25, 0.10, -0.40, 0.35, -0.18, 0.40,
};

const QColor kPanelTop(58, 60, 64);
const QColor kPanelBottom(38, 39, 42);
const QColor kPrint(214, 216, 220);
const QColor kAccent(232, 122, 32);
const QString kFontFamily = QStringLiteral("Liberation Sans");

QPointF centreOf(const QRect &rect)
{
    return QRectF(rect).center();
}
} // namespace

KeyboardPicture::KeyboardPicture(QPainter &painter)
    : painter(painter)
{
}

QRect KeyboardPicture::onPicture(int controlIndex)
{
    return ControlGeometry::onPicture(controlIndex);
}

QImage KeyboardPicture::render(bool showMarkers)
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    KeyboardPicture picture(painter);

    picture.drawCase();
    picture.drawPedalSocket(onPicture(kPedal));
    picture.drawBrand(QRectF(12, 64, 118, 34));

    for (int i = 0; i < kKnobsInARow; ++i)
        picture.drawKnob(onPicture(i), QLatin1String(kUpperLabels[std::size_t(i)]), kPointerTurns[std::size_t(i)]);
    for (int i = 0; i < kKnobsInARow; ++i) {
        const int knob = kFirstLowerKnob + i;
        picture.drawKnob(onPicture(knob), QLatin1String(kLowerLabels[std::size_t(i)]), kPointerTurns[std::size_t(knob)]);
    }
    for (int i = 0; i < kPadCount; ++i)
        picture.drawPad(onPicture(kFirstPad + i), i + 1);

    const QRect padBank = ControlGeometry::padBankOnPicture();
    picture.drawButton(padBank, true);
    picture.drawLabel(QRectF(8, padBank.top(), padBank.left() - 14, padBank.height()),
                      QStringLiteral("PAD BANK"), 8, Qt::AlignRight | Qt::AlignVCenter);

    const QRect octaveDown = onPicture(kOctaveDown);
    const QRect octaveUp = onPicture(kOctaveUp);
    picture.drawButton(octaveDown, false);
    picture.drawButton(octaveUp, false);
    picture.drawLabel(QRectF(octaveDown.left(), octaveDown.bottom() + 3, octaveDown.width(), 10),
                      QStringLiteral("OCT \u2212"), 8, Qt::AlignCenter);
    picture.drawLabel(QRectF(octaveUp.left(), octaveUp.bottom() + 3, octaveUp.width(), 10),
                      QStringLiteral("OCT +"), 8, Qt::AlignCenter);

    picture.drawWheel(onPicture(kPitchWheel), QStringLiteral("PITCH"), true);
    picture.drawWheel(onPicture(kModWheel), QStringLiteral("MOD"), false);

    picture.drawKeybed(QRectF(142, 204, 598, 166));

    if (showMarkers)
        picture.drawMarkers();
    return image;
}

void KeyboardPicture::drawCase()
{
    // Dark anodised top plate with a fine brushed grain, framed by the case.
    QLinearGradient plate(0, 0, 0, kHeight);
    plate.setColorAt(0, kPanelTop);
    plate.setColorAt(1, kPanelBottom);
    painter.fillRect(QRect(0, 0, kWidth, kHeight), QColor(22, 23, 25));
    painter.setPen(Qt::NoPen);
    painter.setBrush(plate);
    painter.drawRoundedRect(QRectF(2, 2, kWidth - 4, kHeight - 4), 10, 10);

    // Fixed-seed grain, so the picture comes out the same on every run.
    std::uint32_t seed = 0x7e1f1234u;
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (int y = 6; y < kHeight - 6; y += 2) {
        seed = seed * 1664525u + 1013904223u;
        const int shade = static_cast<int>((seed >> 24) % 9) - 4;
        painter.setPen(QColor(255, 255, 255, shade > 0 ? shade * 2 : 0));
        painter.drawLine(6, y, kWidth - 7, y);
    }
    painter.setRenderHint(QPainter::Antialiasing, true);

    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(95, 98, 104), 1.5));
    painter.drawRoundedRect(QRectF(2.5, 2.5, kWidth - 5, kHeight - 5), 10, 10);

    // A thin accent line sets the control section apart from the keybed.
    painter.setPen(QPen(kAccent, 2));
    painter.drawLine(QPointF(142, 199.5), QPointF(740, 199.5));

    // Status light and model name in the free corner on the right.
    const QPointF led(722, 34);
    QRadialGradient glow(led, 7);
    glow.setColorAt(0, QColor(120, 255, 150));
    glow.setColorAt(0.4, QColor(40, 200, 90));
    glow.setColorAt(1, QColor(40, 200, 90, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(glow);
    painter.drawEllipse(led, 7, 7);
    drawLabel(QRectF(702, 44, 40, 10), QStringLiteral("USB"), 7, Qt::AlignCenter);
    drawLabel(QRectF(702, 150, 40, 10), QStringLiteral("37"), 9, Qt::AlignCenter);
    drawLabel(QRectF(702, 161, 40, 10), QStringLiteral("KEYS"), 7, Qt::AlignCenter);
}

void KeyboardPicture::drawLabel(const QRectF &area, const QString &text, int pixelSize, int flags)
{
    QFont font(kFontFamily);
    font.setPixelSize(pixelSize);
    font.setBold(true);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 0.4);
    painter.setFont(font);
    painter.setPen(kPrint);
    painter.drawText(area, flags, text);
}

void KeyboardPicture::drawBrand(const QRectF &area)
{
    QFont font(kFontFamily);
    font.setPixelSize(21);
    font.setBold(true);
    font.setItalic(true);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
    painter.setFont(font);
    painter.setPen(QColor(240, 240, 242));
    painter.drawText(area.adjusted(0, 0, 0, -12), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("TELVIR"));

    painter.setPen(QPen(kAccent, 2));
    painter.drawLine(QPointF(area.left(), area.bottom() - 9), QPointF(area.left() + 86, area.bottom() - 9));
    drawLabel(QRectF(area.left(), area.bottom() - 7, area.width(), 8),
              QStringLiteral("MIDI CONTROLLER"), 7, Qt::AlignLeft | Qt::AlignVCenter);
}

void KeyboardPicture::drawKnob(const QRect &marker, const QString &label, double pointerTurn)
{
    const QPointF centre = centreOf(marker);
    const qreal skirt = 17.5;
    const qreal cap = 12;

    // Scale ticks from 7 to 5 o'clock.
    painter.setPen(QPen(QColor(150, 153, 160), 1.2, Qt::SolidLine, Qt::RoundCap));
    for (int tick = 0; tick <= 10; ++tick) {
        const qreal angle = qDegreesToRadians(-135.0 + 27.0 * tick);
        const QPointF direction(qSin(angle), -qCos(angle));
        painter.drawLine(centre + direction * (skirt + 1.5), centre + direction * (skirt + 4.0));
    }

    // Drop shadow, ribbed rubber skirt, brushed aluminium cap.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 110));
    painter.drawEllipse(centre + QPointF(1.5, 2.5), skirt, skirt);

    QRadialGradient rubber(centre - QPointF(5, 6), skirt * 1.6);
    rubber.setColorAt(0, QColor(70, 72, 76));
    rubber.setColorAt(1, QColor(14, 14, 16));
    painter.setBrush(rubber);
    painter.drawEllipse(centre, skirt, skirt);
    painter.setPen(QPen(QColor(90, 92, 98), 0.8));
    for (int rib = 0; rib < 36; ++rib) {
        const qreal angle = qDegreesToRadians(10.0 * rib);
        const QPointF direction(qSin(angle), -qCos(angle));
        painter.drawLine(centre + direction * (cap + 1.5), centre + direction * (skirt - 0.8));
    }

    QRadialGradient metal(centre - QPointF(4, 5), cap * 1.8);
    metal.setColorAt(0, QColor(235, 236, 238));
    metal.setColorAt(0.5, QColor(168, 171, 176));
    metal.setColorAt(1, QColor(92, 95, 100));
    painter.setPen(QPen(QColor(40, 41, 44), 1));
    painter.setBrush(metal);
    painter.drawEllipse(centre, cap, cap);

    const qreal angle = qDegreesToRadians(pointerTurn * 360.0);
    const QPointF direction(qSin(angle), -qCos(angle));
    painter.setPen(QPen(QColor(255, 255, 255), 2.4, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(centre + direction * (cap + 1), centre + direction * (skirt - 1.5));
    painter.setPen(QPen(QColor(60, 62, 66), 1.6, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(centre + direction * 4.0, centre + direction * (cap - 2));

    // The name sits just above the knob, as on the instrument.
    drawLabel(QRectF(centre.x() - 35, marker.top() - 11, 70, 10), label, 8, Qt::AlignCenter);
}

void KeyboardPicture::drawPad(const QRect &marker, int number)
{
    const QRectF pad = QRectF(marker).adjusted(3, 3, -3, -3);

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 130));
    painter.drawRoundedRect(pad.translated(1.5, 2.5), 6, 6);

    // The backlight glows through the edge of the rubber.
    painter.setBrush(QColor(kAccent.red(), kAccent.green(), kAccent.blue(), 170));
    painter.drawRoundedRect(pad.adjusted(-1.5, -1.5, 1.5, 1.5), 7, 7);

    QLinearGradient rubber(pad.topLeft(), pad.bottomLeft());
    rubber.setColorAt(0, QColor(104, 106, 112));
    rubber.setColorAt(0.15, QColor(84, 86, 91));
    rubber.setColorAt(1, QColor(54, 55, 59));
    painter.setBrush(rubber);
    painter.setPen(QPen(QColor(30, 31, 34), 1));
    painter.drawRoundedRect(pad, 6, 6);

    painter.setPen(QPen(QColor(255, 255, 255, 40), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(pad.adjusted(2, 2, -2, -2), 4, 4);

    drawLabel(QRectF(pad.left(), marker.bottom() + 3, pad.width(), 10),
              QStringLiteral("%1 / %2").arg(number).arg(number + 8), 8, Qt::AlignCenter);
}

void KeyboardPicture::drawButton(const QRect &marker, bool lit)
{
    const QRectF button = QRectF(marker).adjusted(3, 3, -3, -3);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 120));
    painter.drawRoundedRect(button.translated(1, 2), 4, 4);

    QLinearGradient face(button.topLeft(), button.bottomLeft());
    face.setColorAt(0, QColor(120, 123, 129));
    face.setColorAt(1, QColor(66, 68, 73));
    painter.setBrush(face);
    painter.setPen(QPen(QColor(25, 26, 28), 1));
    painter.drawRoundedRect(button, 4, 4);

    // A small status light in the button's top edge.
    const QPointF led(button.center().x(), button.top() + 4.5);
    painter.setPen(Qt::NoPen);
    painter.setBrush(lit ? kAccent.lighter(120) : QColor(70, 40, 20));
    painter.drawRoundedRect(QRectF(led.x() - 5, led.y() - 1.5, 10, 3), 1.5, 1.5);
}

void KeyboardPicture::drawWheel(const QRect &marker, const QString &label, bool centreDetent)
{
    // A recessed well with the wheel's visible arc inside it.
    const QRectF well = QRectF(marker).adjusted(1, 1, -1, -1);
    painter.setPen(QPen(QColor(90, 92, 98), 1));
    painter.setBrush(QColor(12, 12, 14));
    painter.drawRoundedRect(well, 6, 6);

    const QRectF wheel = well.adjusted(7, 6, -7, -6);
    QLinearGradient cylinder(wheel.topLeft(), wheel.bottomLeft());
    cylinder.setColorAt(0, QColor(18, 18, 20));
    cylinder.setColorAt(0.5, QColor(92, 94, 99));
    cylinder.setColorAt(1, QColor(18, 18, 20));
    painter.setPen(Qt::NoPen);
    painter.setBrush(cylinder);
    painter.drawRoundedRect(wheel, 3, 3);

    // Grip ribs, crowded towards the ends where the surface turns away.
    for (int rib = -14; rib <= 14; ++rib) {
        const qreal position = rib / 15.0;
        const qreal y = wheel.center().y() + qSin(position * M_PI / 2) * wheel.height() / 2;
        const int alpha = static_cast<int>(110 * (1 - qAbs(position)));
        painter.setPen(QPen(QColor(0, 0, 0, alpha + 30), 1));
        painter.drawLine(QPointF(wheel.left() + 1, y), QPointF(wheel.right() - 1, y));
    }
    if (centreDetent) {
        painter.setPen(QPen(QColor(235, 235, 235), 2));
        painter.drawLine(QPointF(wheel.left() + 1, wheel.center().y()), QPointF(wheel.right() - 1, wheel.center().y()));
    }

    drawLabel(QRectF(marker.left() - 4, marker.bottom() + 4, marker.width() + 8, 10), label, 8, Qt::AlignCenter);
}

void KeyboardPicture::drawPedalSocket(const QRect &marker)
{
    // A light label plate: the editor writes "Pedal" onto it in black.
    const QRectF plate = QRectF(marker).adjusted(1, 2, -1, -2);
    QLinearGradient face(plate.topLeft(), plate.bottomLeft());
    face.setColorAt(0, QColor(226, 228, 231));
    face.setColorAt(1, QColor(190, 193, 198));
    painter.setPen(QPen(QColor(20, 20, 22), 1));
    painter.setBrush(face);
    painter.drawRoundedRect(plate, 3, 3);

    // The 6.35 mm jack socket beside it.
    const QPointF socket(plate.right() + 17, plate.center().y());
    QRadialGradient nut(socket - QPointF(2, 2), 11);
    nut.setColorAt(0, QColor(220, 222, 226));
    nut.setColorAt(1, QColor(90, 92, 96));
    painter.setBrush(nut);
    painter.setPen(QPen(QColor(20, 20, 22), 1));
    painter.drawEllipse(socket, 9, 9);
    painter.setBrush(QColor(5, 5, 6));
    painter.drawEllipse(socket, 4, 4);
    drawLabel(QRectF(socket.x() - 20, plate.top() - 14, 40, 10), QStringLiteral("SUSTAIN"), 7, Qt::AlignCenter);
}

void KeyboardPicture::drawKeybed(const QRectF &area)
{
    // The felt strip behind the keys, then 22 white keys from C to C.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(10, 10, 11));
    painter.drawRect(area.adjusted(-2, -2, 2, 2));
    painter.setBrush(QColor(120, 24, 28));
    painter.drawRect(QRectF(area.left(), area.top(), area.width(), 4));

    constexpr int kWhiteKeys = 22;
    const qreal keyWidth = area.width() / kWhiteKeys;
    const QRectF keys = area.adjusted(0, 5, 0, 0);

    for (int key = 0; key < kWhiteKeys; ++key) {
        const QRectF white(keys.left() + key * keyWidth + 0.5, keys.top(), keyWidth - 1, keys.height());
        QLinearGradient ivory(white.topLeft(), white.bottomLeft());
        ivory.setColorAt(0, QColor(205, 205, 200));
        ivory.setColorAt(0.08, QColor(246, 246, 242));
        ivory.setColorAt(0.92, QColor(236, 236, 232));
        ivory.setColorAt(1, QColor(196, 196, 190));
        painter.setBrush(ivory);
        painter.setPen(Qt::NoPen);
        painter.drawRoundedRect(white, 2, 2);
    }

    // A black key sits after C, D, F, G and A of every octave.
    for (int key = 0; key < kWhiteKeys - 1; ++key) {
        const int step = key % 7;
        if (step == 2 || step == 6)
            continue;
        const qreal width = keyWidth * 0.6;
        const QRectF black(keys.left() + (key + 1) * keyWidth - width / 2, keys.top() - 1, width, keys.height() * 0.6);
        QLinearGradient ebony(black.topLeft(), black.bottomLeft());
        ebony.setColorAt(0, QColor(8, 8, 9));
        ebony.setColorAt(0.85, QColor(38, 38, 42));
        ebony.setColorAt(1, QColor(70, 70, 76));
        painter.setBrush(QColor(0, 0, 0, 90));
        painter.drawRoundedRect(black.translated(1.5, 2), 2, 2);
        painter.setBrush(ebony);
        painter.drawRoundedRect(black, 2, 2);
    }
}

void KeyboardPicture::drawMarkers()
{
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(255, 0, 0), 1));
    auto outline = [this](const QRect &marker) { painter.drawRect(QRectF(marker).adjusted(0.5, 0.5, -0.5, -0.5)); };
    // Pads 9..16 lie on pads 1..8.
    for (int control = 0; control < kControlCount; ++control)
        outline(onPicture(control));
    outline(ControlGeometry::padBankOnPicture());
}
