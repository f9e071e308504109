#include "cli/texttable.h"

#include "cli/terminaltext.h"

#include <algorithm>

void TextTable::print(QTextStream &out, const QVector<QStringList> &cells)
{
    // A name with a newline would split its row.
    const QVector<QStringList> rows = TerminalText::escaped(cells);
    QVector<int> widths;
    for (const QStringList &row : rows) {
        widths.resize(std::max(int(widths.size()), int(row.size())));
        for (int column = 0; column < row.size(); ++column)
            widths[column] = std::max(widths[column], int(row[column].size()));
    }
    for (const QStringList &row : rows) {
        QString line;
        for (int column = 0; column < row.size(); ++column)
            line += row[column].leftJustified(widths[column] + 2);
        out << line.trimmed() << '\n';
    }
}
