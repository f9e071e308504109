#pragma once

#include "model/settings.h"

#include <QUndoCommand>
#include <QUndoStack>

#include <functional>

// One undo step of the editor: the whole record before and after a change.
// The record is only 265 bytes, so keeping both copies is simpler and safer
// than recording which fields a change touched.
class SettingsChange : public QUndoCommand
{
public:
    // Puts a record into the document.
    using Apply = std::function<void(const Settings &)>;

    // The change has already been made when the step is pushed, so the
    // stack's first redo() leaves the record alone.
    SettingsChange(const Settings &before, const Settings &after, const QString &text, Apply apply);

    // Gives `owner` the stack's undo and redo actions (Ctrl+Z; Ctrl+Shift+Z,
    // Ctrl+Y), which the Edit menu shows too: as its actions their shortcuts work
    // wherever in it the focus is, but not while it is disabled for
    // keyboard work.
    static void addUndoActions(QUndoStack *stack, QWidget *owner);

    void undo() override;
    void redo() override;

private:
    const Settings before;
    const Settings after;
    const Apply apply;
    bool skipNextRedo = true;
};
