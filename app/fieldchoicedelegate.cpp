#include "app/fieldchoicedelegate.h"

#include "app/assignmentmodel.h"
#include "app/settingcombobox.h"

#include <QComboBox>
#include <QEvent>
#include <QTimer>

namespace {
// Set on the box while one of its key presses is handled.
const char kStepping[] = "stepping";
} // namespace

QWidget *FieldChoiceDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &index) const
{
    const QStringList items = index.data(AssignmentModel::kItemsRole).toStringList();
    if (items.isEmpty())
        return nullptr;
    auto *box = new QComboBox(parent);
    box->setObjectName(QStringLiteral("cellEditor"));
    box->addItems(items);
    SettingComboBox::showShortList(box);
    // QComboBox reports the arrows in a closed box as a choice too; only a
    // choice in the list, or with the wheel, is stored at once.
    connect(box, QOverload<int>::of(&QComboBox::activated), this, [this, box] {
        if (box->property(kStepping).toBool())
            return;
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

bool FieldChoiceDelegate::eventFilter(QObject *object, QEvent *event)
{
    auto *box = qobject_cast<QComboBox *>(object);
    if (box && event->type() == QEvent::KeyPress) {
        box->setProperty(kStepping, true);
        // The box reports a change while it handles the key, so the mark
        // goes once that is over.
        QTimer::singleShot(0, box, [box] { box->setProperty(kStepping, false); });
    }
    return QStyledItemDelegate::eventFilter(object, event);
}
