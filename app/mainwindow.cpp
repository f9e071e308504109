#include "app/mainwindow.h"

#include "app/allcontrolswindow.h"
#include "app/devicewidget.h"
#include "app/filedialogs.h"
#include "app/formaccess.h"
#include "app/formmarkers.h"
#include "app/mainmenus.h"
#include "app/padbank.h"
#include "app/settingsfiledrop.h"
#include "app/editorlogging.h"
#include "app/progressbarwindow.h"
#include "app/recoverybar.h"
#include "app/snapshotkeeper.h"
#include "app/statusline.h"
#include "app/recentfiles.h"
#include "app/settingschange.h"
#include "app/settingcombobox.h"
#include "app/keyboardrecheck.h"
#include "app/keyboardsession.h"
#include "app/keyboardtools.h"
#include "app/librarywindow.h"
#include "app/linkmonitor.h"
#include "app/portsdialog.h"
#include "app/plainmessagebox.h"
#include "commands/keyboardcommand.h"
#include "midi/midicontroller.h"
#include "midi/portwatcher.h"
#include "midi/rememberedports.h"
#include "model/controlcatalogue.h"
#include "model/controlclashes.h"
#include "model/controlfields.h"
#include "model/globalparameters.h"
#include "model/settingsdocument.h"
#include "model/settingsfile.h"
#include "model/settingsformat.h"
#include "ui_mainwindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QSignalBlocker>
#include <QStatusBar>

#include <algorithm>
#include <cstdint>
#include <functional>

MainWindow *theMainWindow = nullptr;

namespace {
// Long enough to read the names of what a loaded file did not carry.
constexpr int kNoteMilliseconds = 30000;

std::uint8_t lowByte(int position)
{
    return static_cast<std::uint8_t>(position & 0xFF);
}

// Shows `position` in `field` without reporting it back to the editor. A
// position the list does not have leaves the field with no current item.
void showPosition(QComboBox *field, int position)
{
    const QSignalBlocker blocker(field);
    field->setCurrentIndex(position);
}

} // namespace

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
{
    theMainWindow = this;
    document_ = new EditorDocument(this);

    ui = new Ui_MainWindow;
    ui->setupUi(this);
    padSwitch = ui->padSwitch;
    new SettingsFileDrop(this, [this](const QString &fileName) { loadSettingsFile(fileName); });

    widgetIndex = FormAccess::markerIndex(*ui);
    FormMarkers::place(*ui, widgetIndex);

    valueItems = valueNames();
    channelItems = channelNames();

    SettingsChange::addUndoActions(document_->undoStack(), centralWidget());
    registerSetters();
    FormAccess::setUp(this, *ui, widgetIndex);

    // The commands are in the menus: the line has the status bar to itself
    // but for the Live box.
    statusLine = new StatusLine(this);
    statusBar()->addWidget(statusLine, 1);
    linkMonitor = new LinkMonitor(this);
    session = new KeyboardSession(this, linkMonitor);
    new KeyboardRecheck(*document_, *linkMonitor, *session);
    connect(linkMonitor, &LinkMonitor::stateChanged, this, &MainWindow::updateStatusLine);
    connect(session, &KeyboardSession::busyChanged, document_, &EditorDocument::setBusy);
    connect(session, &KeyboardSession::busyChanged, this, &MainWindow::updateCommandStates);
    connect(document_, &EditorDocument::settingsChanged, this, &MainWindow::settingsChanged);
    connect(document_, &EditorDocument::stateChanged, this, &MainWindow::updateStatusLine);
    connect(document_, &EditorDocument::selectionRequested, this, &MainWindow::selectControl);
    connect(document_, &EditorDocument::sendRequested, this, &MainWindow::sendSettings);
    connect(document_, &EditorDocument::memorySlotChanged, this, [this](int slot) { showPosition(ui->memId, slot); });
    attachKeyboardTools(*this, *document_);
    AllControlsWindow::attachTo(*this, *document_);
    LibraryWindow::attachTo(*this, *document_);
    MainMenus::build(*this, *document_);
    updateStatusLine();

    connectToKeyboard();
    document_->markStart();
    updateMarkerToolTips();
    // After the start-up boxes, which stay as they were.
    keeper_ = new SnapshotKeeper(*document_, this);
    RecoveryBar::offer(*this, *document_, *keeper_);
}

MainWindow::~MainWindow()
{
    // A search in the background ends first; then the link's ports close,
    // before the widgets go.
    delete linkMonitor;
    linkMonitor = nullptr;
    MidiController::releaseInstance();
    delete ui;
    if (theMainWindow == this)
        theMainWindow = nullptr;
}

void MainWindow::updateMarkerToolTips()
{
    FormAccess::showAssignments(widgetIndex, padSwitch, editedSettings(), padBankHigh);
}

void MainWindow::updateStatusLine()
{
    if (!statusLine || !linkMonitor)
        return;
    const QString counts = document_->readShortText() + changesNotSentText() + clashSuffix(editedSettings());
    statusLine->setLine([monitor = linkMonitor, counts](const QString &name) { return monitor->stateText(name) + counts; },
                        linkMonitor->deviceName());
}

void MainWindow::registerSetters()
{
    // The form names each field after the record field it edits.
    for (const ControlField &field : kControlFields) {
        auto *box = findChild<SettingComboBox *>(QLatin1String(field.field));
        controlBoxes.emplace_back(box, &field);
        if (field.value == &Setting::mode)
            modeBox = box;
        comboSetters[box] = [this, &field](Settings &next, int position) {
            const int index = currentControlIndex();
            storeFieldPosition(field, index, index < 0 ? scratchSetting : next.controls[index], position);
        };
    }
    for (const GlobalParameter &global : kGlobalParameters) {
        auto *box = findChild<SettingComboBox *>(QLatin1String(global.field));
        globalBoxes.emplace_back(box, &global);
        // Its items report their first position to a field without a setter yet.
        box->addItems(global.items);
        comboSetters[box] = [&global](Settings &next, int position) { next.*global.value = lowByte(position); };
    }
}

int MainWindow::currentControlIndex() const
{
    if (!selectedWidget)
        return -1;
    const auto entry = widgetIndex.find(selectedWidget);
    if (entry == widgetIndex.end())
        return -1;
    const int index = entry->second;
    if (padBankHigh && isLowPad(index))
        return index + kPadBankOffset;
    return index;
}

void MainWindow::refreshEditor()
{
    for (const auto &[box, global] : globalBoxes)
        showPosition(box, editedSettings().*global->value);

    // Before the first selection the control fields stay empty.
    if (currentControlIndex() >= 0)
        refreshControlFields();

    updateMarkerToolTips();
    updateStatusLine();
}

void MainWindow::refreshControlFields()
{
    const int index = currentControlIndex();
    const Setting &setting = editedSettings().controls[index];
    ui->widgetName->setText(labelOf(index));
    for (const auto &[box, field] : controlBoxes) {
        const QSignalBlocker blocker(box);
        box->clear();
        const QStringList items = fieldItems(*field, index, setting);
        box->addItems(items);
        box->setEnabled(!items.isEmpty());
        if (!items.isEmpty())
            box->setCurrentIndex(fieldPosition(*field, index, setting));
    }
}

void MainWindow::deviceWidgetOnClick()
{
    auto *clicked = qobject_cast<DeviceWidget *>(sender());
    if (!clicked)
        return;

    // The pad-bank switch does nothing until a control is shown.
    if (selectedWidget) {
        if (clicked == padSwitch) {
            if (padBankHigh)
                clicked->markUnselected();
            else
                clicked->markSelected();
            padBankHigh = !padBankHigh;
        } else {
            selectedWidget->markUnselected();
        }
    }
    if (clicked != padSwitch) {
        selectedWidget = clicked;
        clicked->markSelected();
    }
    if (selectedWidget) {
        document_->setSelectedControl(currentControlIndex());
        refreshEditor();
    }
}

void MainWindow::selectControl(int controlIndex)
{
    const bool highPad = isHighPad(controlIndex);
    const int markerIndex = highPad ? controlIndex - kPadBankOffset : controlIndex;
    for (const auto &[marker, index] : widgetIndex) {
        if (index != markerIndex)
            continue;
        marker->click();
        // The pad bank follows the pad; other controls leave it as it is.
        if (isLowPad(markerIndex) && padBankHigh != highPad)
            padSwitch->click();
        return;
    }
}

void MainWindow::settingBoxOnChange(int position)
{
    auto *field = qobject_cast<SettingComboBox *>(sender());
    // A field that was emptied stores nothing: no item chosen.
    if (!field || position < 0)
        return;
    // "Send to Mem" is no part of the record, but of what is kept of the form.
    if (field == ui->memId) {
        document_->setMemorySlot(position);
        return;
    }
    const auto entry = comboSetters.find(field);
    if (entry == comboSetters.end() || !entry->second)
        return;
    // The mode's setter also resets the option, and the step covers both.
    Settings next = editedSettings();
    try {
        entry->second(next, position);
    } catch (const std::exception &) {
        // A position the field's list does not map to changes nothing.
    }
    // Edits of the scratch record, before any control is chosen, are no step.
    fieldChanging = true;
    replaceSettings(next, tr("Change %1").arg(field->accessibleName()));
    fieldChanging = false;
    // A new mode brings its own option list.
    if (field == modeBox)
        refreshEditor();
    updateMarkerToolTips();
    updateStatusLine();
}

void MainWindow::settingsChanged()
{
    if (!fieldChanging)
        refreshEditor();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (session->busy()) {
        event->ignore();
        return;
    }
    if (document_->holdsUnkeptEdits()) {
        const QMessageBox::StandardButton answer =
            QMessageBox::question(this, tr("Unsaved changes"), tr("Save the settings to a file before closing?"),
                                  QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
        // A save that was cancelled or failed keeps the window, and the edits, open.
        const bool mayClose = answer == QMessageBox::Discard || (answer == QMessageBox::Save && saveWithDialog());
        if (!mayClose) {
            event->ignore();
            return;
        }
    }
    keeper_->forget();
    QMainWindow::closeEvent(event);
}

void MainWindow::resetSettings()
{
    replaceSettings(Settings(), tr("Default Values"));
}

void MainWindow::loadFromFile()
{
    const QString fileName = FileDialogs::openFileName(this, tr("Open Settings File"), SettingsFormat::readFilters());
    if (fileName.isEmpty())
        return;
    loadSettingsFile(fileName);
}

bool MainWindow::loadSettingsFile(const QString &fileName)
{
    Settings loaded;
    QString error;
    QString note;
    if (!SettingsDocument::load(fileName, &loaded, &error, &note)) {
        qCDebug(lcEditor).noquote() << "Could not load" << fileName << ":" << error;
        // A SysEx file is told wrong at a byte, which the user can look up.
        const bool sysex = SettingsFormat::ofPath(fileName).kind == SettingsFormat::Kind::Sysex;
        QMessageBox::warning(this, tr("Error"), sysex ? error : SettingsFile::notASettingsFileText(),
                             QMessageBox::Ok, QMessageBox::NoButton);
        return false;
    }
    replaceSettings(loaded, tr("Load %1").arg(QFileInfo(fileName).fileName()));
    if (!note.isEmpty())
        statusBar()->showMessage(note, kNoteMilliseconds);
    document_->setFile(fileName);
    RecentFiles::add(fileName);
    passSettings(LibraryEvent::Kind::Load, loaded, fileName);
    return true;
}

void MainWindow::saveToFile()
{
    saveWithDialog();
}

bool MainWindow::saveWithDialog()
{
    QString chosenFilter;
    const QString fileName = FileDialogs::saveFileName(this, tr("Open Settings File"), document_->fileName(),
                                                       SettingsFormat::writeFilters(), &chosenFilter);
    if (fileName.isEmpty())
        return false;

    QString error;
    const SettingsFormat &format = SettingsFormat::chosen(fileName, chosenFilter);
    if (!SettingsDocument::save(fileName, editedSettings(), format, &error)) {
        // The file is replaced only once every byte is written, so whatever
        // was there before is still intact.
        PlainMessageBox::warning(this, tr("Error"),
                             tr("Could not save the settings to \"%1\": %2")
                                 .arg(QDir::toNativeSeparators(fileName), error));
        return false;
    }
    document_->setFile(fileName);
    RecentFiles::add(fileName);
    passSettings(LibraryEvent::Kind::Save, editedSettings(), fileName);
    return true;
}

void MainWindow::updateCommandStates()
{
    // Every command stays available without a keyboard; while one talks to
    // the keyboard, none can start, and the window does not close. (The
    // monitor, the library and All Controls still open with their
    // shortcuts meanwhile.)
    const bool idle = !session->busy();
    centralWidget()->setEnabled(idle);
    menuBar()->setEnabled(idle);
    for (QAbstractButton *button : statusBar()->findChildren<QAbstractButton *>())
        button->setEnabled(idle);
}

void MainWindow::passSettings(LibraryEvent::Kind kind, const Settings &passed, const QString &path, int slot,
                              const LibraryKeyboard &keyboard)
{
    LibraryEvent event = LibraryEvent::of(kind, LibraryEvent::Program::Editor, passed, path, slot);
    event.keyboard = keyboard;
    document_->pass(event);
}

MidiController *MainWindow::findKeyboard(bool upgradeMode, const std::optional<PortPair> &onlyPair)
{
    MidiController *link = nullptr;
    const KeyboardOutcome outcome = session->find(upgradeMode, &link, onlyPair);
    if (!link)
        KeyboardSession::show(this, outcome);
    return link;
}

void MainWindow::connectToKeyboard()
{
    MidiController *const link = findKeyboard(false);
    if (!link)
        return;
    KeyboardOutcome linked;
    linked.kind = KeyboardOutcome::Kind::Linked;
    linked.deviceName = link->deviceName();
    KeyboardSession::show(this, linked);
    readSettings(link);
}

void MainWindow::readSettings(MidiController *link)
{
    // Read into a copy: the worker never touches the window's record.
    Settings read = editedSettings();
    ReadReport report;
    const KeyboardOutcome outcome = session->read(link, read, &report);
    KeyboardSession::show(this, outcome);
    if (!outcome.succeeded())
        return;
    changeKeyboardCopy([&](KeyboardCopy &copy) { copy.setRead(read, report); });
    if (report.unanswered.empty()) // only a whole read is a setup of its own
        passSettings(LibraryEvent::Kind::Read, read);
    replaceSettings(read, tr("Read from the keyboard"));
}

void MainWindow::readFromKeyboard()
{
    if (session->busy())
        return;
    if (MidiController *const link = findKeyboard(false))
        readSettings(link);
}

void MainWindow::choosePorts()
{
    if (session->busy())
        return;
    PortsDialog dialog(this, linkMonitor->ports().outputs(), linkMonitor->ports().inputs(), RememberedPorts::chosen(),
                       linkMonitor->keyboards());
    if (dialog.exec() != QDialog::Accepted)
        return;
    linkChosenPorts(dialog.chosenPair());
}

void MainWindow::linkChosenPorts(const std::optional<PortPair> &pair)
{
    RememberedPorts::setChosen(pair);
    if (!pair)
        return;
    linkMonitor->release();
    findKeyboard(false, pair);
}

void MainWindow::sendToKeyboard()
{
    sendSettings(editedSettings(), std::max(0, ui->memId->currentIndex()));
}

void MainWindow::sendSettings(const Settings &toSend, int slot)
{
    if (session->busy())
        return;
    // Runs a discovery when there is no link yet, so a keyboard plugged in
    // after start is found here.
    MidiController *const link = findKeyboard(false);
    if (!link)
        return;
    // A copy: the record passed in may be the form's own.
    const Settings sent = toSend;
    WriteReport written;
    const KeyboardOutcome outcome = session->write(link, sent, slot, &written);
    changeKeyboardCopy([&](KeyboardCopy &copy) { copy.setSent(sent, written); });
    if (outcome.succeeded())
        passSettings(LibraryEvent::Kind::Write, sent, QString(), slot, KeyboardCommand::libraryKeyboard(link->portPair()));
    KeyboardSession::show(this, outcome);
}

void MainWindow::upgradeFirmware()
{
    if (!session->busy())
        session->upgradeFirmware();
}
