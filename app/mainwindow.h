#pragma once

#include "midi/portpair.h"
#include "model/controlfields.h"
#include "model/keyboardcopy.h"
#include "model/libraryevent.h"
#include "model/setting.h"
#include "model/settings.h"

#include <QMainWindow>
#include <QStringList>

#include <functional>
#include <map>
#include <optional>
#include <vector>

class DeviceWidget;
struct GlobalParameter;
class KeyboardSession;
class QAbstractButton;
class LinkMonitor;
class MidiController;
class QLabel;
class QUndoStack;
class SettingComboBox;
class Ui_MainWindow;

// The editor's only window. It owns the one Settings record that everything
// edits: the markers on the keyboard picture choose which control the
// "Selected Control Parameters" fields show, every field writes its chosen
// position straight into the record, and the command buttons reset, load
// and save the record. Every change of the record is a step that Ctrl+Z
// undoes, and closing the window guards edits that are neither on the
// keyboard nor in a file.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // The control index shown in the editor: -1 before the first marker
    // click; a pad marker stands for pads 9..16 while the pad bank is high.
    int currentControlIndex() const;

    // The record the control fields edit. Until a control is selected that is
    // a scratch record that is never shown, sent or saved.
    Setting &currentSetting();

    // Puts the record's values into the fields without calling any setter.
    void refreshEditor();

    const Settings &editedSettings() const { return settings; }

    // Loads a settings file into the record as "Load..." does after its
    // dialog, with the same box when the file is not a settings file.
    bool loadSettingsFile(const QString &fileName);

    // Makes `next` the window's record as one undo step named `stepText`
    // and shows it; a record equal to the current one makes no step.
    void replaceSettings(const Settings &next, const QString &stepText);

    // The record as last read from or sent to the keyboard; none before any.
    const std::optional<Settings> &keyboardRecord() const { return keyboard.record(); }
    // Changes what is known of the keyboard; the status line follows.
    void changeKeyboardCopy(const std::function<void(KeyboardCopy &)> &change);

    // Shows control `controlIndex` as a click on its marker does, switching
    // the pad bank for pads 9..16.
    void selectControl(int controlIndex);
    // The same change as choosing item `position` in the panel's field:
    // one undo step, and the panel, tooltips and status line follow.
    void editControlField(int controlIndex, const ControlField &field, int position);
    // Adds a widget to the right of the status line: left of "Read" when
    // `beforeRead`, else after the buttons there.
    void addStatusWidget(QWidget *widget, bool beforeRead);
    // A command is talking to the keyboard.
    bool isKeyboardBusy() const;
    // Writes `toSend` into memory `slot` as "Send to Keyboard" does, with
    // its boxes.
    void sendSettings(const Settings &toSend, int slot);

    // How many settings (global fields and fields of controls) differ from
    // the keyboard record; -1 before any read or send.
    int changesNotSent() const;
    // "; Read N of M settings" after a read that missed some, until the next.
    QString readShortText() const;
    // ", N changes not sent" while there are any, else empty.
    QString changesNotSentText() const;

signals:
    // After every change of the record: a field, undo and redo, "Default
    // Values", "Load...", a read.
    void settingsChanged(const Settings &before, const Settings &after);
    // After a marker click showed another control (or the other pad bank).
    void selectedControlChanged(int controlIndex);
    // A setup was read from the keyboard, loaded from or saved to a file, or
    // written (every message sent) into a memory.
    void settingsPassed(const LibraryEvent &event);

public slots:
    void deviceWidgetOnClick();
    void settingBoxOnChange(int);
    void loadFromFile();
    void saveToFile();
    void resetSettings();
    void sendToKeyboard();
    void upgradeFirmware();
    // "Read": the keyboard's settings again, searching first without a link.
    void readFromKeyboard();
    // "Ports...": the user's choice of the keyboard's ports.
    void choosePorts();

public:
    // Remembers the choice ("Automatic" when none) and tries exactly the
    // chosen pair, telling the user when it does not answer.
    void linkChosenPorts(const std::optional<PortPair> &pair);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // Finds the keyboard and reads its settings into the record, telling
    // the user how that went.
    void connectToKeyboard();
    // The live link in the mode asked for; null, after the box that says
    // why, when none answered or the user cancelled. With `onlyPair`, that
    // pair alone is tried.
    MidiController *findKeyboard(bool upgradeMode, const std::optional<PortPair> &onlyPair = std::nullopt);
    // Reads the keyboard's settings over `link` as at start-up, with the
    // same boxes, and takes them only when any came.
    void readSettings(MidiController *link);
    void setUpStatusButtons();
    // Every command's enabled state, from whether the keyboard is busy.
    void updateCommandStates();
    void passSettings(LibraryEvent::Kind kind, const Settings &passed, const QString &path = QString(), int slot = -1)
    {
        emit settingsPassed(LibraryEvent::of(kind, LibraryEvent::Program::Editor, passed, path, slot));
    }
    // One undo step from `before` to the record as it is now.
    void pushChange(const Settings &before, const QString &stepText);
    void registerSetters();
    void refreshControlFields();

    // Puts a record of the undo history into the window.
    void restoreRecord(const Settings &record);
    void updateMarkerToolTips();
    void updateStatusLine();
    // True when closing now would lose edits that are neither on the
    // keyboard nor in a file.
    bool wouldLoseEdits() const;
    // "Save..." with its dialog; true only when the file was written.
    bool saveWithDialog();

    Ui_MainWindow *ui = nullptr;
    DeviceWidget *selectedWidget = nullptr;
    DeviceWidget *padSwitch = nullptr;
    Settings settings;
    bool padBankHigh = false;
    std::map<DeviceWidget *, int> widgetIndex;
    std::map<SettingComboBox *, std::function<void(int)>> comboSetters;
    QStringList valueItems;   // "0".."127"
    QStringList channelItems; // "1".."16", "Global"
    Setting scratchSetting;
    // The fields bound to the record, by the table rows they show.
    std::vector<std::pair<SettingComboBox *, const ControlField *>> controlBoxes;
    std::vector<std::pair<SettingComboBox *, const GlobalParameter *>> globalBoxes;

    QUndoStack *undoStack = nullptr;
    QLabel *statusLine = nullptr;
    LinkMonitor *linkMonitor = nullptr;
    KeyboardSession *session = nullptr;
    QAbstractButton *readButton = nullptr;
    // What the record is compared with for the changes not sent and the
    // guard on close. Until there was a read or send, or a load or save,
    // the record the window started with stands in for either.
    KeyboardCopy keyboard;
    std::optional<Settings> fileRecord;
    Settings startRecord;
};

// The one main window. Markers and selection fields connect themselves to it
// while the form is built, so the window sets it before it builds the form.
extern MainWindow *theMainWindow;
