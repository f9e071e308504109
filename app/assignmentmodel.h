#pragma once

// The 37 controls' assignments as a table model: a row per control, the
// columns of AssignmentTable, the texts the editor's panel shows. An edit
// is handed to the owner as a field and an item position, exactly what the
// panel's field would store, and the model follows the record it is given.

#include "model/assignmenttable.h"
#include "model/controlclashes.h"
#include "model/settings.h"

#include <QAbstractTableModel>

#include <functional>

class AssignmentModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    // The items a cell's editor offers, a QStringList; empty where the
    // panel disables the field.
    static constexpr int kItemsRole = Qt::UserRole + 1;

    // Makes the change of one field of one control; false when it was not
    // made.
    using Edit = std::function<bool(int controlIndex, const ControlField &field, int position)>;

    AssignmentModel(const Settings &settings, Edit edit, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // The edit role takes the position of the chosen item.
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

    // Shows `settings`; only the cells that look different are reported.
    void setSettings(const Settings &settings);
    const ControlClashes &clashes() const { return clashes_; }

private:
    Settings settings_;
    ControlClashes clashes_;
    Edit edit_;
};
