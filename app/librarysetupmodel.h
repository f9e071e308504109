#pragma once

// The library's setups as the window lists them: name, last seen, how
// often written, star, identifier and the files it was seen in; the most
// recently seen first.

#include "model/librarysetup.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QVector>

#include <functional>

class LibrarySetupModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { Name, LastSeen, Written, Star, Identifier, Files, ColumnCount };

    using QAbstractTableModel::QAbstractTableModel;

    void setSetups(QVector<LibrarySetup> setups);
    // Where the files of a setup are read from, as its row is shown: the
    // window never reads all of them for 10,000 setups.
    void setFilesSource(std::function<QStringList(qint64 setupId)> filesOf) { filesOf_ = std::move(filesOf); }
    const LibrarySetup &setupAt(int row) const { return setups_.at(row); }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    static QString timeText(qint64 ms);

private:
    QVector<LibrarySetup> setups_;
    std::function<QStringList(qint64)> filesOf_;
    mutable QHash<qint64, QString> files_;
};
