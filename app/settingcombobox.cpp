#include "app/settingcombobox.h"

#include "app/mainwindow.h"
#include "model/settingnames.h"

#include <QAbstractItemView>
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
    showShortList(this);
    if (theMainWindow)
        connect(this, SIGNAL(currentIndexChanged(int)), theMainWindow, SLOT(settingBoxOnChange(int)));
}

void SettingComboBox::showShortList(QComboBox *box)
{
    constexpr int kVisibleRows = 20;
    box->setMaxVisibleItems(kVisibleRows);
    // Styles that open the list as a menu over the box (Fusion among them)
    // ignore the row count; this hint makes them open it as a list below.
    box->setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
    // The list was made for the menu, which scrolls with arrows instead.
    box->view()->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}
