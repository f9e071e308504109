#include "app/settingcombobox.h"

#include "app/mainwindow.h"
#include "model/settingnames.h"

#include <QStandardItemModel>

namespace {
// Keeps each item as the tables name it and shows it in the user's
// language; the position stays the stored value.
class ShownNamesModel : public QStandardItemModel
{
public:
    using QStandardItemModel::QStandardItemModel;

    QVariant data(const QModelIndex &index, int role) const override
    {
        const QVariant value = QStandardItemModel::data(index, role);
        return role == Qt::DisplayRole ? QVariant(SettingNames::shown(value.toString())) : value;
    }
};
} // namespace

SettingComboBox::SettingComboBox(QWidget *parent)
    : QComboBox(parent)
{
    setModel(new ShownNamesModel(this));
    if (theMainWindow)
        connect(this, SIGNAL(currentIndexChanged(int)), theMainWindow, SLOT(settingBoxOnChange(int)));
}
