#include "app/fieldchoicedelegate.h"

#include "app/assignmentmodel.h"

#include <QComboBox>

QWidget *FieldChoiceDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &index) const
{
    const QStringList items = index.data(AssignmentModel::kItemsRole).toStringList();
    if (items.isEmpty())
        return nullptr;
    auto *box = new QComboBox(parent);
    box->setObjectName(QStringLiteral("cellEditor"));
    box->addItems(items);
    // 128 numbers: a popup as tall as the screen would help nobody.
    box->setMaxVisibleItems(16);
    connect(box, QOverload<int>::of(&QComboBox::activated), this, [this, box] {
        auto *self = const_cast<FieldChoiceDelegate *>(this);
        emit self->commitData(box);
        emit self->closeEditor(box);
    });
    return box;
}

void FieldChoiceDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    auto *box = qobject_cast<QComboBox *>(editor);
    if (box)
        box->setCurrentIndex(index.data(Qt::EditRole).toInt());
}

void FieldChoiceDelegate::setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    auto *box = qobject_cast<QComboBox *>(editor);
    // A field showing no item (a value outside its list) stores nothing
    // until one is chosen.
    if (box && box->currentIndex() >= 0 && box->currentIndex() != index.data(Qt::EditRole).toInt())
        model->setData(index, box->currentIndex(), Qt::EditRole);
}
