#pragma once

#include <QStringList>
#include <QTextStream>
#include <QVector>

// Rows of cells printed as columns, each as wide as its widest cell.
class TextTable
{
public:
    static void print(QTextStream &out, const QVector<QStringList> &rows);
};
