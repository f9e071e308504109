#pragma once

#include "model/settings.h"

#include <QUndoCommand>

#include <functional>

// One undo step of the editor: the whole record before and after a change.
// The record is only 265 bytes, so keeping both copies is simpler and safer
// than recording which fields a change touched.
class SettingsChange : public QUndoCommand
{
public:
    // Puts a record into the window and shows it.
    using Apply = std::function<void(const Settings &)>;

    // The change has already been made when the step is pushed, so the
    // stack's first redo() leaves the record alone.
    SettingsChange(const Settings &before, const Settings &after, const QString &text, Apply apply);

    void undo() override;
    void redo() override;

private:
    const Settings before;
    const Settings after;
    const Apply apply;
    bool skipNextRedo = true;
};
