#pragma once

#include "app/editordocument.h"
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
class SettingComboBox;
class SnapshotKeeper;
class StatusLine;
class Ui_MainWindow;

// The editor's main window: the form of the one document that everything
// edits. The markers on the keyboard picture choose which control the
// "Selected Control Parameters" fields show, every field makes its change
// of the record as one undo step, and the command buttons reset, load,
// save, read and send the record. Closing the window guards edits that are
// neither on the keyboard nor in a file.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    EditorDocument &document() const { return *document_; }

    // The control index shown in the editor: -1 before the first marker
    // click; a pad marker stands for pads 9..16 while the pad bank is high.
    int currentControlIndex() const;

    // Puts the record's values into the fields without calling any setter.
    void refreshEditor();

    const Settings &editedSettings() const { return document_->settings(); }

    // Loads a settings file into the record as "Load..." does after its
    // dialog, with the same box when the file is not a settings file.
    bool loadSettingsFile(const QString &fileName);

    // Makes `next` the record as one undo step named `stepText`; a record
    // equal to the current one makes no step.
    void replaceSettings(const Settings &next, const QString &stepText) { document_->replace(next, stepText); }

    // The record as last read from or sent to the keyboard; none before any.
    const std::optional<Settings> &keyboardRecord() const { return document_->keyboardRecord(); }
    // Changes what is known of the keyboard; the status line follows.
    void changeKeyboardCopy(const std::function<void(KeyboardCopy &)> &change)
    {
        document_->changeKeyboardCopy(change);
    }

    // Shows control `controlIndex` as a click on its marker does, switching
    // the pad bank for pads 9..16.
    void selectControl(int controlIndex);
    // The same change as choosing item `position` in the panel's field.
    void editControlField(int controlIndex, const ControlField &field, int position)
    {
        document_->editControlField(controlIndex, field, position);
    }
    // A command is talking to the keyboard.
    bool isKeyboardBusy() const { return document_->isBusy(); }
    // Writes `toSend` into memory `slot` as "Send to Keyboard" does, with
    // its boxes.
    void sendSettings(const Settings &toSend, int slot);

    // How many settings differ from the keyboard record; -1 before any read or send.
    int changesNotSent() const { return document_->changesNotSent(); }
    // ", N changes not sent" while there are any, else empty.
    QString changesNotSentText() const { return document_->changesNotSentText(); }

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
    // Every command's enabled state, from whether the keyboard is busy.
    void updateCommandStates();
    void passSettings(LibraryEvent::Kind kind, const Settings &passed, const QString &path = QString(), int slot = -1,
                      const LibraryKeyboard &keyboard = {});
    void registerSetters();
    void refreshControlFields();
    // After a change of the record: the form shows it, unless the change
    // came from a field of the form, which shows it already.
    void settingsChanged();

    void updateMarkerToolTips();
    void updateStatusLine();
    // "Save..." with its dialog; true only when the file was written.
    bool saveWithDialog();

    Ui_MainWindow *ui = nullptr;
    EditorDocument *document_ = nullptr;
    SnapshotKeeper *keeper_ = nullptr;
    DeviceWidget *selectedWidget = nullptr;
    DeviceWidget *padSwitch = nullptr;
    bool padBankHigh = false;
    std::map<DeviceWidget *, int> widgetIndex;
    // Each field's change of a copy of the record.
    std::map<SettingComboBox *, std::function<void(Settings &, int)>> comboSetters;
    SettingComboBox *modeBox = nullptr;
    bool fieldChanging = false;
    QStringList valueItems;   // "0".."127"
    QStringList channelItems; // "1".."16", "Global"
    // What the control fields edit until a control is selected: never
    // shown, sent or saved.
    Setting scratchSetting;
    // The fields bound to the record, by the table rows they show.
    std::vector<std::pair<SettingComboBox *, const ControlField *>> controlBoxes;
    std::vector<std::pair<SettingComboBox *, const GlobalParameter *>> globalBoxes;

    StatusLine *statusLine = nullptr;
    LinkMonitor *linkMonitor = nullptr;
    KeyboardSession *session = nullptr;
};

// The one main window. Markers and selection fields connect themselves to it
// while the form is built, so the window sets it before it builds the form.
extern MainWindow *theMainWindow;
