#include "app/librarysetupmodel.h"

#include <QDateTime>

void LibrarySetupModel::setSetups(QVector<LibrarySetup> setups)
{
    beginResetModel();
    setups_ = std::move(setups);
    files_.clear();
    endResetModel();
}

int LibrarySetupModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(setups_.size());
}

int LibrarySetupModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString LibrarySetupModel::timeText(qint64 ms)
{
    return QDateTime::fromMSecsSinceEpoch(ms).toString(QStringLiteral("yyyy-MM-dd HH:mm"));
}

QVariant LibrarySetupModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= setups_.size())
        return QVariant();
    const LibrarySetup &setup = setups_.at(index.row());
    if (role == Qt::DisplayRole) {
        switch (index.column()) {
        case Name:
            return setup.name;
        case LastSeen:
            return timeText(setup.lastSeenMs);
        case Written:
            return setup.timesWritten;
        case Star:
            return setup.starred ? QStringLiteral("\u2605") : QString();
        case Identifier:
            return setup.identifier;
        case Files:
            if (!setup.files.isEmpty() || !filesOf_)
                return setup.files.join(QStringLiteral(", "));
            if (!files_.contains(setup.id))
                files_.insert(setup.id, filesOf_(setup.id).join(QStringLiteral(", ")));
            return files_.value(setup.id);
        default:
            break;
        }
    }
    if (role == Qt::ToolTipRole && index.column() == LastSeen)
        return tr("First seen %1").arg(timeText(setup.firstSeenMs));
    if (role == Qt::TextAlignmentRole && index.column() != Name && index.column() != Files)
        return int(Qt::AlignCenter);
    return QVariant();
}

QVariant LibrarySetupModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case Name:
        return tr("Name");
    case LastSeen:
        return tr("Last seen");
    case Written:
        return tr("Written");
    case Star:
        return tr("Star");
    case Identifier:
        return tr("Identifier");
    case Files:
        return tr("Files");
    default:
        return QVariant();
    }
}
