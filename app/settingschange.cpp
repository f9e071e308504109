#include "app/settingschange.h"

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
