#include "app/settingschange.h"

#include <QAction>
#include <QKeySequence>
#include <QWidget>

#include <utility>

SettingsChange::SettingsChange(const Settings &before, const Settings &after, const QString &text, Apply apply)
    : QUndoCommand(text), before(before), after(after), apply(std::move(apply))
{
}

void SettingsChange::undo()
{
    apply(before);
}

void SettingsChange::redo()
{
    if (skipNextRedo) {
        skipNextRedo = false;
        return;
    }
    apply(after);
}

void SettingsChange::addUndoActions(QUndoStack *stack, QWidget *owner)
{
    QAction *undo = stack->createUndoAction(owner);
    undo->setObjectName(QStringLiteral("actionUndo"));
    undo->setShortcut(QKeySequence(QStringLiteral("Ctrl+Z")));
    QAction *redo = stack->createRedoAction(owner);
    redo->setObjectName(QStringLiteral("actionRedo"));
    redo->setShortcuts({QKeySequence(QStringLiteral("Ctrl+Shift+Z")), QKeySequence(QStringLiteral("Ctrl+Y"))});
    owner->addAction(undo);
    owner->addAction(redo);
}
