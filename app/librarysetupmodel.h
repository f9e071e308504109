#pragma once

// The library's setups as the window lists them: name, last seen, how
// often written, star, identifier and the files it was seen in; the most
// recently seen first.

#include "model/librarysetup.h"

#include <QAbstractTableModel>
#include <QVector>

class LibrarySetupModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { Name, LastSeen, Written, Star, Identifier, Files, ColumnCount };

    using QAbstractTableModel::QAbstractTableModel;

    void setSetups(QVector<LibrarySetup> setups);
    const LibrarySetup &setupAt(int row) const { return setups_.at(row); }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    static QString timeText(qint64 ms);

private:
    QVector<LibrarySetup> setups_;
};
