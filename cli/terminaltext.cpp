#include "cli/terminaltext.h"

#include <algorithm>

namespace {
bool isControl(QChar c)
{
    // C0, DEL and C1, and the line and paragraph separators some terminals
    // break lines at.
    return c.category() == QChar::Other_Control || c.category() == QChar::Separator_Line
           || c.category() == QChar::Separator_Paragraph;
}

QString escapeOf(QChar c)
{
    switch (c.unicode()) {
    case 0x07:
        return QStringLiteral("\\a");
    case 0x08:
        return QStringLiteral("\\b");
    case 0x09:
        return QStringLiteral("\\t");
    case 0x0a:
        return QStringLiteral("\\n");
    case 0x0b:
        return QStringLiteral("\\v");
    case 0x0c:
        return QStringLiteral("\\f");
    case 0x0d:
        return QStringLiteral("\\r");
    case 0x1b:
        return QStringLiteral("\\e");
    default:
        break;
    }
    if (c.unicode() < 0x80)
        return QStringLiteral("\\%1").arg(c.unicode(), 3, 8, QLatin1Char('0'));
    return QStringLiteral("\\u{%1}").arg(c.unicode(), 4, 16, QLatin1Char('0'));
}
} // namespace

QString TerminalText::escaped(const QString &text)
{
    if (std::none_of(text.cbegin(), text.cend(), isControl))
        return text;
    QString out;
    out.reserve(text.size() + 8);
    for (const QChar c : text) {
        if (isControl(c))
            out += escapeOf(c);
        else if (c == QLatin1Char('\\'))
            out += QStringLiteral("\\\\");
        else
            out += c;
    }
    return out;
}

QVector<QStringList> TerminalText::escaped(const QVector<QStringList> &rows)
{
    QVector<QStringList> out;
    out.reserve(rows.size());
    for (const QStringList &row : rows) {
        QStringList cells;
        for (const QString &cell : row)
            cells << escaped(cell);
        out << cells;
    }
    return out;
}
