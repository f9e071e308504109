#pragma once

#include <QString>

// The application's style sheet: the editor's own (fonts, the markers'
// hover and selection), then the outline that keyboard focus gives a
// marker, kept in a sheet of its own so that the first stays as it ships.
// Empty parts are left out with a warning; the editor works without them.
QString applicationStyleSheet();
