#include "app/editordocument.h"

#include "app/settingschange.h"
#include "model/controlfields.h"
#include "model/editorsnapshot.h"

#include <QUndoStack>

EditorDocument::EditorDocument(QObject *parent)
    : QObject(parent), undoStack_(new QUndoStack(this))
{
    connect(this, &EditorDocument::settingsChanged, this, &EditorDocument::stateChanged);
}

void EditorDocument::settle()
{
    if (selectedControl_ >= 0)
        settleMode(selectedControl_, settings_.controls[selectedControl_]);
}

void EditorDocument::replace(const Settings &next, const QString &stepText)
{
    const Settings before = settings_;
    settings_ = next;
    settle();
    if (settings_ == before)
        return;
    undoStack_->push(
        new SettingsChange(before, settings_, stepText, [this](const Settings &record) { apply(record); }));
    emit settingsChanged(before, settings_);
}

void EditorDocument::apply(const Settings &record)
{
    // The selection is not part of the record and stays.
    const Settings before = settings_;
    settings_ = record;
    settle();
    emit settingsChanged(before, settings_);
}

void EditorDocument::editControlField(int controlIndex, const ControlField &field, int position)
{
    Settings next = settings_;
    storeFieldPosition(field, controlIndex, next.controls[controlIndex], position);
    replace(next, tr("Change %1").arg(QLatin1String(field.label)));
}

void EditorDocument::restore(const EditorSnapshot &snapshot)
{
    fileName_ = snapshot.fileName;
    if (snapshot.selectedControl >= 0)
        requestSelection(snapshot.selectedControl);
    setMemorySlot(snapshot.memorySlot);
    replace(snapshot.record, tr("Restore unsaved changes"));
    emit stateChanged();
}

void EditorDocument::setSelectedControl(int controlIndex)
{
    if (controlIndex == selectedControl_)
        return;
    selectedControl_ = controlIndex;
    // A mode the control does not allow is shown, and so stored, as "Off - Disabled".
    settle();
    emit selectedControlChanged(controlIndex);
    emit stateChanged();
}

void EditorDocument::setMemorySlot(int slot)
{
    if (slot == memorySlot_)
        return;
    memorySlot_ = slot;
    emit memorySlotChanged(slot);
    emit stateChanged();
}

void EditorDocument::setFile(const QString &path)
{
    fileName_ = path;
    fileRecord_ = settings_;
    emit stateChanged();
}

void EditorDocument::markStart()
{
    startRecord_ = settings_;
    emit stateChanged();
}

void EditorDocument::changeKeyboardCopy(const std::function<void(KeyboardCopy &)> &change)
{
    change(keyboard_);
    emit stateChanged();
}

int EditorDocument::changesNotSent() const
{
    return keyboard_.changesNotSent(settings_);
}

QString EditorDocument::readShortText() const
{
    if (keyboard_.answered() == keyboard_.requested())
        return QString();
    return tr("; Read %1 of %n settings", nullptr, keyboard_.requested()).arg(keyboard_.answered());
}

QString EditorDocument::changesNotSentText() const
{
    const int changes = changesNotSent();
    if (changes <= 0)
        return QString();
    // English ships no translation to take its singular from; the shipped
    // languages have their own forms for both.
    if (changes == 1)
        return tr(", 1 change not sent");
    return tr(", %n changes not sent", nullptr, changes);
}

bool EditorDocument::holdsUnkeptEdits() const
{
    const Settings &onKeyboard = keyboard_.record() ? *keyboard_.record() : startRecord_;
    const Settings &inFile = fileRecord_ ? *fileRecord_ : startRecord_;
    return settings_ != onKeyboard && settings_ != inFile;
}

void EditorDocument::setBusy(bool busy)
{
    if (busy == busy_)
        return;
    busy_ = busy;
    emit busyChanged(busy);
}
