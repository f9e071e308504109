#include "app/assignmentmodel.h"

#include "model/controlmessage.h"
#include "model/settingnames.h"

#include <QApplication>
#include <QBrush>
#include <QColor>
#include <QStyle>

#include <cstring>

namespace {
// The clashing rows stand out as the sheet marks them.
const QColor kClashInk(180, 20, 20);
const QColor kClashFill(250, 212, 212);

// Whether the row of `control` shows anything different with `after`, its
// tooltip included. A row's texts come from its own record alone; its
// tooltip also from the global channel and the controls it clashes with.
bool rowDiffers(const Settings &before, const ControlClashes &clashesBefore, const Settings &after,
                const ControlClashes &clashesAfter, int control)
{
    return std::memcmp(&before.controls[control], &after.controls[control], sizeof(Setting)) != 0
           || before.globalChannel != after.globalChannel
           || clashesBefore.partnersOf(control) != clashesAfter.partnersOf(control);
}
} // namespace

AssignmentModel::AssignmentModel(const Settings &settings, Edit edit, QObject *parent)
    : QAbstractTableModel(parent),
      settings_(settings),
      clashes_(settings),
      edit_(std::move(edit))
{
}

int AssignmentModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : kControlCount;
}

int AssignmentModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : AssignmentTable::kColumnCount;
}

QVariant AssignmentModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= kControlCount)
        return QVariant();
    const int control = index.row();
    const ControlField *field = AssignmentTable::fieldOf(index.column());
    const Setting &setting = settings_.controls[control];
    switch (role) {
    case Qt::DisplayRole:
        return SettingNames::shown(AssignmentTable::text(settings_, control, index.column()));
    case Qt::EditRole:
        return field ? fieldPosition(*field, control, setting) : QVariant();
    case kItemsRole:
        if (!field || !fieldEnabled(*field, control, setting))
            return QStringList();
        return SettingNames::shown(fieldItems(*field, control, setting));
    case Qt::ToolTipRole: {
        const QString sent = describeMessage(messageOf(settings_, control));
        const QString name = AssignmentTable::text(settings_, control, AssignmentTable::kControlColumn);
        //: %1 is a control, %2 the MIDI message it sends ("CC 7 ch 1").
        QString tip = sent.isEmpty() ? tr("%1: sends nothing").arg(name) : tr("%1: sends %2").arg(name, sent);
        if (clashes_.clashes(control))
            tip += QLatin1Char('\n') + clashes_.partnersText(control);
        return tip;
    }
    case Qt::ForegroundRole:
        return clashes_.clashes(control) ? QBrush(kClashInk) : QVariant();
    case Qt::BackgroundRole:
        return clashes_.clashes(control) ? QBrush(kClashFill) : QVariant();
    case Qt::DecorationRole:
        // Seen on the selected row too, whose colours are the selection's.
        if (index.column() == AssignmentTable::kControlColumn && clashes_.clashes(control))
            return QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning);
        return QVariant();
    default:
        return QVariant();
    }
}

QVariant AssignmentModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QVariant();
    if (orientation == Qt::Horizontal)
        return SettingNames::shown(AssignmentTable::headers().value(section));
    return section + 1;
}

Qt::ItemFlags AssignmentModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    const ControlField *field = AssignmentTable::fieldOf(index.column());
    if (field && fieldEnabled(*field, index.row(), settings_.controls[index.row()]))
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool AssignmentModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    const ControlField *field = AssignmentTable::fieldOf(index.column());
    if (role != Qt::EditRole || !field || !(flags(index) & Qt::ItemIsEditable) || !edit_)
        return false;
    bool isNumber = false;
    const int position = value.toInt(&isNumber);
    const int itemCount = int(fieldItems(*field, index.row(), settings_.controls[index.row()]).size());
    if (!isNumber || position < 0 || position >= itemCount)
        return false;
    // The owner changes the record and hands it back through setSettings.
    return edit_(index.row(), *field, position);
}

void AssignmentModel::setSettings(const Settings &settings)
{
    const Settings before = settings_;
    const ControlClashes clashesBefore = clashes_;
    settings_ = settings;
    clashes_ = ControlClashes(settings);
    // Cell by cell: a view repaints only the cell of a one-cell change, but
    // all it shows for any larger one.
    for (int control = 0; control < kControlCount; ++control) {
        if (!rowDiffers(before, clashesBefore, settings_, clashes_, control))
            continue;
        const bool markChanged = clashesBefore.clashes(control) != clashes_.clashes(control);
        for (int column = 0; column < AssignmentTable::kColumnCount; ++column) {
            if (markChanged
                || AssignmentTable::text(before, control, column) != AssignmentTable::text(settings_, control, column))
                emit dataChanged(index(control, column), index(control, column));
        }
    }
}
