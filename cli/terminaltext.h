#pragma once

// Names are data, not commands: a file, setup or port name and a JSON key
// can hold terminal control characters (ESC sequences that retitle the
// window or clear the screen, BEL, a newline that splits a row). As ls and
// git quote them, each is printed as a visible escape.

#include <QString>
#include <QStringList>
#include <QVector>

class TerminalText
{
public:
    // `text` with each control character written as \a, \b, \t, \n, \v, \f,
    // \r, \e or \ooo (\u{XXXX} above 0x7f), and a backslash as \\ when
    // anything was escaped; a text without control characters as it is.
    static QString escaped(const QString &text);
    // Every cell of `rows` escaped.
    static QVector<QStringList> escaped(const QVector<QStringList> &rows);
};
