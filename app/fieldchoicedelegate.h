#pragma once

// Edits a cell of the assignment table with a combo box of the items the
// panel's field would offer, so a cell takes exactly the panel's choices.
// A choice made with the mouse is stored at once; with the keyboard the
// arrows choose and Enter stores, Escape leaves the cell as it was.

#include <QStyledItemDelegate>

class FieldChoiceDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;

protected:
    // Notes a key pressed in an editor: the change it makes is a step
    // through the items, not yet a choice.
    bool eventFilter(QObject *object, QEvent *event) override;
};
