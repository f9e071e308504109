#include "app/monitorlinemodel.h"

#include <QStringList>

#include <algorithm>

MonitorLineModel::MonitorLineModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

int MonitorLineModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(lines_.size());
}

int MonitorLineModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString MonitorLineModel::cellText(const MonitorLine &line, int column)
{
    switch (column) {
    case TimeColumn: return QString::number(line.ms);
    //: The direction of a MIDI message: from the keyboard ("in") or to it ("out").
    case DirectionColumn: return line.in ? tr("in") : tr("out");
    case BytesColumn: return line.bytes;
    case MeaningColumn: return line.meaning;
    default: return QString();
    }
}

QVariant MonitorLineModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= int(lines_.size()))
        return QVariant();
    if (role == Qt::DisplayRole)
        return cellText(lines_[std::size_t(index.row())], index.column());
    if (role == Qt::TextAlignmentRole && index.column() == TimeColumn)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    return QVariant();
}

QVariant MonitorLineModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QVariant();
    switch (section) {
    case TimeColumn: return tr("ms");
    case DirectionColumn: return tr("Dir");
    case BytesColumn: return tr("Bytes");
    case MeaningColumn: return tr("Meaning");
    default: return QVariant();
    }
}

void MonitorLineModel::append(QVector<MonitorLine> lines)
{
    if (lines.isEmpty())
        return;
    // Of a batch larger than the whole list only its end is kept.
    if (lines.size() > kMaxLines)
        lines.erase(lines.begin(), lines.end() - kMaxLines);
    const int overflow = int(lines_.size()) + lines.size() - kMaxLines;
    if (overflow > 0) {
        beginRemoveRows(QModelIndex(), 0, overflow - 1);
        lines_.erase(lines_.begin(), lines_.begin() + overflow);
        endRemoveRows();
    }
    const int first = int(lines_.size());
    beginInsertRows(QModelIndex(), first, first + lines.size() - 1);
    for (MonitorLine &line : lines)
        lines_.push_back(std::move(line));
    endInsertRows();
}

void MonitorLineModel::clear()
{
    beginResetModel();
    lines_.clear();
    endResetModel();
}

QString MonitorLineModel::plainText() const
{
    QString text;
    for (const MonitorLine &line : lines_) {
        QStringList cells;
        for (int column = 0; column < ColumnCount; ++column)
            cells << cellText(line, column);
        text += cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    return text;
}
