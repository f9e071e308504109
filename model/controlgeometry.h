#pragma once

// Where each control lies on the keyboard picture (745 x 376 pixels), in
// the picture's own pixels: the one table that the window's markers, the
// printed sheet and the program that draws the picture all read.

#include <QRect>
#include <QSize>

namespace ControlGeometry {

constexpr QSize kPictureSize(745, 376);

// The rectangle of control 0..36 on the picture; pads 9..16 lie on pads
// 1..8, as the pad bank switches them. Empty for any other index.
QRect onPicture(int controlIndex);

// The pad-bank button, which is no control of its own.
QRect padBankOnPicture();

} // namespace ControlGeometry
