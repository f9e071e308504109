#pragma once

// A keyboard as the library tells writes apart: the output and input port
// names the search found it on. Writes recorded before keyboards were
// named have neither ("a keyboard not named").

#include <QString>

struct LibraryKeyboard
{
    QString output;
    QString input;

    bool named() const { return !output.isEmpty() || !input.isEmpty(); }
    bool operator==(const LibraryKeyboard &other) const { return output == other.output && input == other.input; }
    bool operator!=(const LibraryKeyboard &other) const { return !(*this == other); }
};
