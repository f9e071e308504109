#pragma once

// The one thing every window of the editor edits: the record, its undo
// history, the file it belongs to, what the keyboard holds of it and the
// choices that go with it (the control shown, the memory of "Send to
// Mem"). The main window, Live, All Controls, the monitor's following, the
// library and the recovery hold a reference to it and follow its signals.

#include "model/keyboardcopy.h"
#include "model/libraryevent.h"
#include "model/settings.h"

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

struct ControlField;
struct EditorSnapshot;
class QUndoStack;

class EditorDocument : public QObject
{
    Q_OBJECT

public:
    explicit EditorDocument(QObject *parent = nullptr);

    const Settings &settings() const { return settings_; }
    QUndoStack *undoStack() const { return undoStack_; }

    // Makes `next` the record as one undo step named `stepText`; a record
    // equal to the current one makes no step. The shown control's mode is
    // settled first, so the step ends with the record as it is shown.
    void replace(const Settings &next, const QString &stepText);
    // The same change as choosing item `position` in the field of that control.
    void editControlField(int controlIndex, const ControlField &field, int position);
    // Puts the snapshot's record into the form as one undo step, with its
    // file, shown control and memory.
    void restore(const EditorSnapshot &snapshot);

    // The control the form shows; -1 before the first marker click. Its
    // mode is settled as it is shown, without an undo step.
    int selectedControl() const { return selectedControl_; }
    void setSelectedControl(int controlIndex);
    // Asks the main window to show that control as a click on its marker does.
    void requestSelection(int controlIndex) { emit selectionRequested(controlIndex); }

    int memorySlot() const { return memorySlot_; }
    void setMemorySlot(int slot);

    // The settings file last loaded or saved; empty for none.
    QString fileName() const { return fileName_; }
    // The record was loaded from or saved to `path`.
    void setFile(const QString &path);
    // The record the window started with: what stands in for the file and
    // the keyboard until there was a load or save, a read or send.
    void markStart();

    // The record as last read from or sent to the keyboard; none before any.
    const std::optional<Settings> &keyboardRecord() const { return keyboard_.record(); }
    void changeKeyboardCopy(const std::function<void(KeyboardCopy &)> &change);
    // How many settings differ from the keyboard record; -1 before any read or send.
    int changesNotSent() const;
    // "; Read N of M settings" after a read that missed some, until the next.
    QString readShortText() const;
    // ", N changes not sent" while there are any, else empty.
    QString changesNotSentText() const;

    // Edits that are neither on the keyboard nor in a file.
    bool holdsUnkeptEdits() const;

    // A command is talking to the keyboard; nothing changes the record meanwhile.
    bool isBusy() const { return busy_; }
    void setBusy(bool busy);

    // A setup was read, loaded, saved or written.
    void pass(const LibraryEvent &event) { emit settingsPassed(event); }
    // Asks the main window to write `toSend` into keyboard memory `slot`,
    // with the boxes of "Send to Keyboard".
    void requestSend(const Settings &toSend, int slot) { emit sendRequested(toSend, slot); }

signals:
    // After every change of the record: a field, undo and redo, "Default
    // Values", "Load...", a read.
    void settingsChanged(const Settings &before, const Settings &after);
    void selectedControlChanged(int controlIndex);
    void selectionRequested(int controlIndex);
    void memorySlotChanged(int slot);
    // Anything that decides what is kept of the form: the record, its file,
    // the keyboard's copy, the shown control or the memory.
    void stateChanged();
    void busyChanged(bool busy);
    void settingsPassed(const LibraryEvent &event);
    void sendRequested(const Settings &toSend, int slot);

private:
    // A record of the undo history back in the form.
    void apply(const Settings &record);
    void settle();

    Settings settings_;
    QUndoStack *undoStack_;
    int selectedControl_ = -1;
    int memorySlot_ = 0;
    QString fileName_;
    KeyboardCopy keyboard_;
    std::optional<Settings> fileRecord_;
    Settings startRecord_;
    bool busy_ = false;
};
