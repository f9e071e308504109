#pragma once

#include "midi/portpair.h"
#include "model/setting.h"
#include "model/settings.h"

#include <QMainWindow>
#include <QStringList>

#include <functional>
#include <map>
#include <optional>
#include <vector>

class DeviceWidget;
class KeyboardWork;
class LinkMonitor;
class MidiController;
class QDragEnterEvent;
class QDropEvent;
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

    // The record as last read from or sent to the keyboard.
    void setKeyboardRecord(const Settings &onKeyboard);

    // How many settings (global fields and fields of controls) differ from
    // the keyboard record; -1 before any read or send.
    int changesNotSent() const;
    // ", N changes not sent" while there are any, else empty.
    QString changesNotSentText() const;

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
    // A .telvir file dropped on the window is loaded as "Load..." loads it.
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    // Finds the keyboard and reads its settings into the record, telling
    // the user how that went.
    void connectToKeyboard();
    // The live link in the mode asked for, searched for while the progress
    // window tells which pair is tried; null when none answered or the
    // user cancelled. With `onlyPair`, that pair alone is tried.
    MidiController *findKeyboard(bool upgradeMode, const std::optional<PortPair> &onlyPair = std::nullopt);
    // Runs `job` through `work` with the window's commands disabled; gives
    // the link that `job` returns, or null when the link's ports went away
    // meanwhile (the link is then released).
    MidiController *talkToKeyboard(KeyboardWork &work, bool searching, const std::function<MidiController *()> &job);
    // Reads the keyboard's settings over `link` as at start-up, with the
    // same boxes, and takes them only when any came.
    void readSettings(MidiController *link);
    void setUpStatusButtons();
    void setCommandsEnabled(bool enabled);
    void indexMarkers();
    void registerSetters();
    void refreshControlFields();

    // Puts a record of the undo history into the window.
    void restoreRecord(const Settings &record);
    void setUpUndo();
    // The 30 markers as the eye reads the picture: row by row, left to right.
    std::vector<DeviceWidget *> markersInPictureOrder() const;
    void setUpKeyboardAccess();
    void updateMarkerToolTips();
    // "Cutoff: CC 74, channel Global, mode Continuous"
    QString assignmentOf(int controlIndex) const;
    void updateStatusLine();
    // True when closing now would lose edits that are neither on the
    // keyboard nor in a file.
    bool wouldLoseEdits() const;
    // "Save..." with its dialog; true only when the file was written.
    bool saveWithDialog();

    Ui_MainWindow *ui;
    DeviceWidget *selectedWidget;
    DeviceWidget *padSwitch;
    Settings settings;
    bool padBankHigh;
    std::map<DeviceWidget *, int> widgetIndex;
    std::map<SettingComboBox *, std::function<void(int)>> comboSetters;
    QStringList valueItems;   // "0".."127"
    QStringList channelItems; // "1".."16", "Global"
    Setting scratchSetting;
    // True while the keyboard is talked to: commands started then are
    // dropped, and the window does not close.
    bool keyboardBusy = false;

    QUndoStack *undoStack;
    QLabel *statusLine;
    LinkMonitor *linkMonitor = nullptr;
    // What the record is compared with for the changes not sent and the
    // guard on close. Until there was a read or send, or a load or save,
    // the record the window started with stands in for either.
    std::optional<Settings> keyboardRecord;
    std::optional<Settings> fileRecord;
    Settings startRecord;
};

// The one main window. Markers and selection fields connect themselves to it
// while the form is built, so the window sets it before it builds the form.
extern MainWindow *theMainWindow;
