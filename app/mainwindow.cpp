#include "app/mainwindow.h"

#include "app/devicewidget.h"
#include "app/editorlogging.h"
#include "app/progressbarwindow.h"
#include "app/settingschange.h"
#include "app/settingcombobox.h"
#include "app/keyboardwork.h"
#include "app/linkmonitor.h"
#include "app/portsdialog.h"
#include "firmware/firmwarefile.h"
#include "firmware/firmwareprotocol.h"
#include "midi/linksearch.h"
#include "midi/midicontroller.h"
#include "midi/portwatcher.h"
#include "midi/rememberedports.h"
#include "model/controlcatalogue.h"
#include "model/settingsfile.h"
#include "ui_mainwindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeySequence>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QSignalBlocker>
#include <QToolButton>
#include <QStatusBar>
#include <QUndoStack>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <cstdint>
#include <exception>
#include <functional>
#include <string>

MainWindow *theMainWindow = nullptr;

namespace {
// Pads 1..8 have markers of their own; pads 9..16 are the same markers with
// the pad bank switched high.
constexpr int kFirstPadIndex = 16;
constexpr int kLastLowPadIndex = 23;
constexpr int kPadBankOffset = 8;

bool isLowPad(int controlIndex)
{
    return controlIndex >= kFirstPadIndex && controlIndex <= kLastLowPadIndex;
}

QString labelOf(int controlIndex)
{
    return QString::fromLatin1(kControlLabels[static_cast<std::size_t>(controlIndex)]);
}

// The mode the editor shows for a record: one the kind does not allow is
// shown, and stored once shown, as the first allowed, "Off - Disabled".
QString shownModeName(ControlKind kind, int mode)
{
    const std::vector<int> &allowed = kAllowedModes[static_cast<std::size_t>(kind)];
    const bool isAllowed = std::find(allowed.begin(), allowed.end(), mode) != allowed.end();
    return QString::fromLatin1(kModeNames[static_cast<std::size_t>(isAllowed ? mode : allowed.front())]);
}

constexpr int kValueCount = 128;
constexpr int kChannelCount = 16;

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

void fillValues(QComboBox *field, const QStringList &items, int position)
{
    const QSignalBlocker blocker(field);
    field->clear();
    field->addItems(items);
    field->setCurrentIndex(position);
}
} // namespace

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent),
      ui(nullptr),
      selectedWidget(nullptr),
      padSwitch(nullptr),
      settings(),
      padBankHigh(false),
      scratchSetting(),
      undoStack(nullptr),
      statusLine(nullptr)
{
    theMainWindow = this;

    ui = new Ui_MainWindow;
    ui->setupUi(this);
    padSwitch = ui->padSwitch;
    setAcceptDrops(true);

    indexMarkers();

    for (int value = 0; value < kValueCount; ++value)
        valueItems << QString::number(value);
    for (int channel = 1; channel <= kChannelCount; ++channel)
        channelItems << QString::number(channel);
    channelItems << QStringLiteral("Global");

    setUpUndo();
    registerSetters();
    setUpKeyboardAccess();

    statusLine = new QLabel(this);
    statusLine->setObjectName(QStringLiteral("statusLine"));
    statusBar()->addWidget(statusLine, 1);
    setUpStatusButtons();
    linkMonitor = new LinkMonitor(this);
    connect(linkMonitor, &LinkMonitor::stateChanged, this, &MainWindow::updateStatusLine);
    updateStatusLine();

    connectToKeyboard();
    startRecord = settings;
    updateMarkerToolTips();
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

void MainWindow::indexMarkers()
{
    DeviceWidget *const markers[] = {
        ui->pushButton_5,  ui->pushButton_6,  ui->pushButton_7,  ui->pushButton_8,  // 0..3
        ui->pushButton_9,  ui->pushButton_10, ui->pushButton_11, ui->pushButton_12, // 4..7
        ui->pushButton_13, ui->pushButton_14, ui->pushButton_15, ui->pushButton_16, // 8..11
        ui->pushButton_17, ui->pushButton_18, ui->pushButton_19, ui->pushButton_20, // 12..15
        ui->pushButton_21, ui->pushButton_22, ui->pushButton_23, ui->pushButton_24, // 16..19
        ui->pushButton_25, ui->pushButton_26, ui->pushButton_27, ui->pushButton_28, // 20..23
    };
    int index = 0;
    for (DeviceWidget *marker : markers)
        widgetIndex[marker] = index++;

    // 24..31 are reached through the pad bank only.
    widgetIndex[ui->pushButton_29] = 32; // "OCT -"
    widgetIndex[ui->pushButton_30] = 33; // "OCT +"
    widgetIndex[ui->pushButton_31] = 34; // "Pitch"
    widgetIndex[ui->pushButton_32] = 35; // "Mod"
    widgetIndex[ui->pushButton_33] = 36; // "Substain"
}

void MainWindow::setUpUndo()
{
    undoStack = new QUndoStack(this);
    QAction *undo = undoStack->createUndoAction(this);
    undo->setShortcut(QKeySequence(QStringLiteral("Ctrl+Z")));
    QAction *redo = undoStack->createRedoAction(this);
    redo->setShortcuts({QKeySequence(QStringLiteral("Ctrl+Shift+Z")), QKeySequence(QStringLiteral("Ctrl+Y"))});
    // There is no menu. As actions of the central widget their shortcuts
    // work wherever in the window the focus is, but not while the commands
    // are disabled for keyboard work.
    centralWidget()->addAction(undo);
    centralWidget()->addAction(redo);
}

std::vector<DeviceWidget *> MainWindow::markersInPictureOrder() const
{
    return {
        ui->pushButton_33, // the pedal, top left
        ui->pushButton_5,  ui->pushButton_6,  ui->pushButton_7,  ui->pushButton_8,  // upper knob row
        ui->pushButton_9,  ui->pushButton_10, ui->pushButton_11, ui->pushButton_12,
        ui->pushButton_13, ui->pushButton_14, ui->pushButton_15, ui->pushButton_16, // lower knob row
        ui->pushButton_17, ui->pushButton_18, ui->pushButton_19, ui->pushButton_20,
        ui->padSwitch,     ui->pushButton_29, ui->pushButton_30,                    // pad bank, octave
        ui->pushButton_21, ui->pushButton_22, ui->pushButton_23, ui->pushButton_24, // pads
        ui->pushButton_25, ui->pushButton_26, ui->pushButton_27, ui->pushButton_28,
        ui->pushButton_31, ui->pushButton_32,                                       // wheels
    };
}

void MainWindow::setUpKeyboardAccess()
{
    // The form creates the markers in no order a user would follow.
    const std::vector<DeviceWidget *> markers = markersInPictureOrder();
    for (std::size_t position = 1; position < markers.size(); ++position)
        setTabOrder(markers[position - 1], markers[position]);

    for (const auto &[marker, index] : widgetIndex) {
        QString name = labelOf(index);
        if (isLowPad(index))
            name += QStringLiteral(" / ") + labelOf(index + kPadBankOffset);
        marker->setAccessibleName(name);
    }
    padSwitch->setAccessibleName(tr("Pad Bank"));

    const std::pair<QLabel *, QWidget *> labelledFields[] = {
        {ui->label_2, ui->globalChannel}, {ui->label_12, ui->octave}, {ui->label_3, ui->padCurve},
        {ui->label_5, ui->accel},         {ui->label_13, ui->knobMode}, {ui->label_4, ui->velocityCurve},
        {ui->label_14, ui->ccNumber},     {ui->label_11, ui->mode},   {ui->label_8, ui->lsb},
        {ui->label_7, ui->channel},       {ui->label_15, ui->val},    {ui->label_9, ui->modeOption},
        {ui->label_10, ui->msb},          {ui->label_6, ui->memId},
    };
    for (const auto &[label, field] : labelledFields) {
        label->setBuddy(field);
        // Without the colon and the blanks that line the form up.
        QString name = label->text().trimmed();
        if (name.endsWith(QLatin1Char(':')))
            name.chop(1);
        field->setAccessibleName(name.trimmed());
    }
    ui->widgetName->setAccessibleName(tr("Selected Control"));
}

QString MainWindow::assignmentOf(int controlIndex) const
{
    const Setting &setting = settings.controls[controlIndex];
    QStringList parts;
    if (setting.ccNumber != 0)
        parts << tr("CC %1").arg(setting.ccNumber);
    parts << tr("channel %1").arg(channelItems.value(setting.channel, QString::number(setting.channel + 1)));
    const ControlKind kind = kindOf(controlIndex);
    if (kind != ControlKind::None)
        parts << tr("mode %1").arg(shownModeName(kind, setting.mode));
    return labelOf(controlIndex) + QStringLiteral(": ") + parts.join(QStringLiteral(", "));
}

void MainWindow::updateMarkerToolTips()
{
    for (const auto &[marker, index] : widgetIndex)
        marker->setToolTip(assignmentOf(padBankHigh && isLowPad(index) ? index + kPadBankOffset : index));
    const int firstPad = padBankHigh ? kFirstPadIndex + kPadBankOffset : kFirstPadIndex;
    padSwitch->setToolTip(tr("Pad Bank: %1 to %2").arg(labelOf(firstPad), labelOf(firstPad + kPadBankOffset - 1)));
}

void MainWindow::updateStatusLine()
{
    if (statusLine && linkMonitor)
        statusLine->setText(linkMonitor->stateText() + changesNotSentText());
}

void MainWindow::registerSetters()
{
    comboSetters[ui->lsb] = [this](int position) { currentSetting().lsb = lowByte(position); };
    comboSetters[ui->msb] = [this](int position) { currentSetting().msb = lowByte(position); };
    comboSetters[ui->channel] = [this](int position) { currentSetting().channel = lowByte(position); };
    comboSetters[ui->ccNumber] = [this](int position) { currentSetting().ccNumber = lowByte(position); };
    comboSetters[ui->val] = [this](int position) { currentSetting().val = lowByte(position); };
    comboSetters[ui->mode] = [this](int position) {
        const ControlKind kind = kindOf(currentControlIndex());
        if (kind == ControlKind::None)
            return;
        Setting &setting = currentSetting();
        // at() throws for a position outside the list; the caller drops it.
        setting.mode = lowByte(kAllowedModes.at(static_cast<std::size_t>(kind)).at(static_cast<std::size_t>(position)));
        // The old option belonged to the old mode.
        setting.modeOption = 0;
        // The new mode brings its own option list.
        refreshEditor();
    };
    comboSetters[ui->modeOption] = [this](int position) { currentSetting().modeOption = lowByte(position); };
    comboSetters[ui->globalChannel] = [this](int position) { settings.globalChannel = lowByte(position); };
    comboSetters[ui->padCurve] = [this](int position) { settings.padCurve = lowByte(position); };
    comboSetters[ui->octave] = [this](int position) { settings.octave = lowByte(position); };
    comboSetters[ui->knobMode] = [this](int position) { settings.knobMode = lowByte(position); };
    comboSetters[ui->accel] = [this](int position) { settings.accel = lowByte(position); };
    comboSetters[ui->velocityCurve] = [this](int position) { settings.velocityCurve = lowByte(position); };
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

Setting &MainWindow::currentSetting()
{
    const int index = currentControlIndex();
    if (index < 0)
        return scratchSetting;
    return settings.controls[index];
}

void MainWindow::refreshEditor()
{
    showPosition(ui->globalChannel, settings.globalChannel);
    showPosition(ui->padCurve, settings.padCurve);
    showPosition(ui->accel, settings.accel);
    showPosition(ui->velocityCurve, settings.velocityCurve);
    showPosition(ui->octave, settings.octave);
    showPosition(ui->knobMode, settings.knobMode);

    // Before the first selection the control fields stay empty.
    if (currentControlIndex() >= 0)
        refreshControlFields();

    updateMarkerToolTips();
    updateStatusLine();
}

void MainWindow::refreshControlFields()
{
    const int index = currentControlIndex();
    Setting &setting = currentSetting();

    ui->widgetName->setText(QString::fromLatin1(kControlLabels[static_cast<std::size_t>(index)]));

    fillValues(ui->lsb, valueItems, setting.lsb);
    fillValues(ui->msb, valueItems, setting.msb);
    fillValues(ui->val, valueItems, setting.val);

    {
        // A number of 0 means the control has none, so there is nothing to edit.
        const QSignalBlocker blocker(ui->ccNumber);
        ui->ccNumber->clear();
        const bool hasNumber = setting.ccNumber != 0;
        ui->ccNumber->setEnabled(hasNumber);
        if (hasNumber) {
            ui->ccNumber->addItems(valueItems);
            ui->ccNumber->setCurrentIndex(setting.ccNumber);
        }
    }

    fillValues(ui->channel, channelItems, setting.channel);

    const QSignalBlocker modeBlocker(ui->mode);
    const QSignalBlocker optionBlocker(ui->modeOption);
    ui->mode->clear();
    ui->modeOption->clear();
    ui->mode->setEnabled(true);
    ui->modeOption->setEnabled(true);

    const ControlKind kind = kindOf(index);
    if (kind == ControlKind::None) {
        ui->mode->setEnabled(false);
        ui->modeOption->setEnabled(false);
        return;
    }

    const std::vector<int> &allowedModes = kAllowedModes[static_cast<std::size_t>(kind)];
    int chosen = -1;
    for (std::size_t position = 0; position < allowedModes.size(); ++position) {
        ui->mode->addItem(QString::fromLatin1(kModeNames[static_cast<std::size_t>(allowedModes[position])]));
        if (allowedModes[position] == setting.mode)
            chosen = static_cast<int>(position);
    }
    // A mode the kind does not allow (from a file, say) becomes "Off - Disabled",
    // the first entry of every list, so that field and record agree.
    if (chosen < 0) {
        setting.mode = 0;
        chosen = 0;
    }
    ui->mode->setCurrentIndex(chosen);

    const QStringList options = optionsOfMode(setting.mode);
    ui->modeOption->addItems(options);
    if (options.isEmpty())
        ui->modeOption->setEnabled(false);
    else
        ui->modeOption->setCurrentIndex(setting.modeOption);
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
    if (selectedWidget)
        refreshEditor();
}

void MainWindow::settingBoxOnChange(int position)
{
    auto *field = qobject_cast<SettingComboBox *>(sender());
    // A field without a setter ("Send to Mem") stores nothing, and neither
    // does a field that was emptied: no item chosen, nothing to store.
    if (!field || position < 0)
        return;
    const auto entry = comboSetters.find(field);
    if (entry == comboSetters.end() || !entry->second)
        return;
    // Taken before the setter: the mode's setter also resets the option and
    // refreshes, and the step covers all of it.
    const Settings before = settings;
    try {
        entry->second(position);
    } catch (const std::exception &) {
        // A position the field's list does not map to changes nothing.
    }
    // Edits of the scratch record, before any control is chosen, are no step.
    if (settings != before)
        undoStack->push(new SettingsChange(before, settings, tr("Change %1").arg(field->accessibleName()),
                                           [this](const Settings &record) { restoreRecord(record); }));
    updateMarkerToolTips();
    updateStatusLine();
}

void MainWindow::replaceSettings(const Settings &next, const QString &stepText)
{
    const Settings before = settings;
    settings = next;
    // Showing the record sets a mode the shown control does not allow to 0,
    // so the step ends with the record as shown. Should that make it the
    // record from before, nothing changed and there is no step.
    refreshEditor();
    if (settings == before)
        return;
    undoStack->push(new SettingsChange(before, settings, stepText,
                                       [this](const Settings &record) { restoreRecord(record); }));
}

void MainWindow::restoreRecord(const Settings &record)
{
    // The selection and the pad bank are not part of the record and stay.
    settings = record;
    refreshEditor();
}

void MainWindow::setKeyboardRecord(const Settings &onKeyboard)
{
    keyboardRecord = onKeyboard;
    updateStatusLine();
}

int MainWindow::changesNotSent() const
{
    return keyboardRecord ? settings.differencesFrom(*keyboardRecord) : -1;
}

QString MainWindow::changesNotSentText() const
{
    const int changes = changesNotSent();
    return changes > 0 ? tr(", %1 changes not sent").arg(changes) : QString();
}

bool MainWindow::wouldLoseEdits() const
{
    const Settings &onKeyboard = keyboardRecord ? *keyboardRecord : startRecord;
    const Settings &inFile = fileRecord ? *fileRecord : startRecord;
    return settings != onKeyboard && settings != inFile;
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (keyboardBusy) {
        event->ignore();
        return;
    }
    if (wouldLoseEdits()) {
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
    QMainWindow::closeEvent(event);
}

void MainWindow::resetSettings()
{
    replaceSettings(Settings(), tr("Default Values"));
}

void MainWindow::loadFromFile()
{
    const QString fileName = QFileDialog::getOpenFileName(this, tr("Open Settings File"), QString(),
                                                          tr("TELVIR Settings Files (*.telvir)"));
    if (fileName.isEmpty())
        return;
    loadSettingsFile(fileName);
}

bool MainWindow::loadSettingsFile(const QString &fileName)
{
    Settings loaded;
    QString error;
    if (!SettingsFile::load(fileName, &loaded, &error)) {
        qCDebug(lcEditor).noquote() << "Could not load" << fileName << ":" << error;
        QMessageBox::warning(this, tr("Error"), tr("This is not a valid telvir settings file!"),
                             QMessageBox::Ok, QMessageBox::NoButton);
        return false;
    }
    replaceSettings(loaded, tr("Load %1").arg(QFileInfo(fileName).fileName()));
    fileRecord = settings;
    return true;
}

void MainWindow::saveToFile()
{
    saveWithDialog();
}

bool MainWindow::saveWithDialog()
{
    const QString fileName = QFileDialog::getSaveFileName(this, tr("Open Settings File"), QString(),
                                                          tr("TELVIR Settings Files (*.telvir)"));
    if (fileName.isEmpty())
        return false;

    QString error;
    if (!SettingsFile::save(fileName, settings, &error)) {
        // The file is replaced only once every byte is written, so whatever
        // was there before is still intact.
        QMessageBox::warning(this, tr("Error"),
                             tr("Could not save the settings to \"%1\": %2")
                                 .arg(QDir::toNativeSeparators(fileName), error),
                             QMessageBox::Ok, QMessageBox::NoButton);
        return false;
    }
    fileRecord = settings;
    return true;
}

void MainWindow::setCommandsEnabled(bool enabled)
{
    centralWidget()->setEnabled(enabled);
    menuBar()->setEnabled(enabled);
    for (QToolButton *button : statusBar()->findChildren<QToolButton *>())
        button->setEnabled(enabled);
}

void MainWindow::setUpStatusButtons()
{
    // Flat, so the status bar keeps its height and nothing above it moves.
    const auto addButton = [this](const char *name, const QString &text, void (MainWindow::*slot)()) {
        auto *button = new QToolButton(this);
        button->setObjectName(QLatin1String(name));
        button->setText(text);
        button->setAutoRaise(true);
        connect(button, &QToolButton::clicked, this, slot);
        statusBar()->addPermanentWidget(button);
    };
    addButton("btnRead", tr("Read"), &MainWindow::readFromKeyboard);
    addButton("btnPorts", tr("Ports..."), &MainWindow::choosePorts);
}

MidiController *MainWindow::talkToKeyboard(KeyboardWork &work, bool searching,
                                           const std::function<MidiController *()> &job)
{
    // The window keeps running its events meanwhile: nothing may start
    // another command, or close the window under the work's feet.
    keyboardBusy = true;
    setCommandsEnabled(false);
    linkMonitor->beginCommand(&work, searching);
    MidiController *link = nullptr;
    work.run([&] { link = job(); });
    // A link whose ports went away meanwhile is released.
    if (!linkMonitor->endCommand(link))
        link = nullptr;
    setCommandsEnabled(true);
    keyboardBusy = false;
    return link;
}

MidiController *MainWindow::findKeyboard(bool upgradeMode, const std::optional<PortPair> &onlyPair)
{
    KeyboardWork work(this, tr("Connecting"), true);
    LinkSearch search;
    search.onlyPair = onlyPair;
    search.cancel = &work.cancelToken();
    search.onAttempt = [&work, monitor = linkMonitor](const PairAttempt &attempt) {
        monitor->setTriedPair(attempt.pair);
        work.report(tr("Trying output '%1' with input '%2' (%3 of %4)")
                        .arg(QString::fromStdString(attempt.pair.output), QString::fromStdString(attempt.pair.input))
                        .arg(attempt.number)
                        .arg(attempt.count),
                    attempt.number - 1, attempt.count);
    };
    return talkToKeyboard(work, true, [&] { return MidiController::getInstance(upgradeMode, search); });
}

void MainWindow::connectToKeyboard()
{
    MidiController *const link = findKeyboard(false);
    if (!link) {
        QMessageBox::warning(this, tr("Error"), tr("Could not connect to midi deivce."),
                             QMessageBox::Ok, QMessageBox::NoButton);
        return;
    }
    QMessageBox::about(this, tr("OK"),
                       tr("Successfully connect to device '") + link->deviceName() + QStringLiteral("' !"));
    readSettings(link);
}

void MainWindow::readSettings(MidiController *link)
{
    // Read into a copy: the worker never touches the window's record.
    Settings read = settings;
    int accepted = 0;
    KeyboardWork work(this, tr("Reading settings"), false);
    work.report(tr("Reading settings"), 0, 0);
    const bool linkKept = talkToKeyboard(work, false, [&] {
        accepted = read.recv(&work.cancelToken());
        return link;
    });
    // A keyboard that went away during the read may have sent only part.
    if (accepted == 0 || !linkKept) {
        QMessageBox::warning(this, tr("Error"), tr("Could not recv settings."),
                             QMessageBox::Ok, QMessageBox::NoButton);
        return;
    }
    QMessageBox::warning(this, tr("OK"), tr("Successfully recv %1 settings.").arg(accepted),
                         QMessageBox::Ok, QMessageBox::NoButton);
    replaceSettings(read, tr("Read from the keyboard"));
    setKeyboardRecord(read);
}

void MainWindow::readFromKeyboard()
{
    if (keyboardBusy)
        return;
    MidiController *const link = findKeyboard(false);
    if (!link) {
        QMessageBox::warning(this, tr("Error"), tr("Could not connect to midi deivce."),
                             QMessageBox::Ok, QMessageBox::NoButton);
        return;
    }
    readSettings(link);
}

void MainWindow::choosePorts()
{
    if (keyboardBusy)
        return;
    PortsDialog dialog(this, linkMonitor->ports().outputs(), linkMonitor->ports().inputs(), RememberedPorts::chosen());
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
    if (findKeyboard(false, pair))
        return;
    QMessageBox::warning(this, tr("Error"),
                         tr("The keyboard did not answer on output '%1' with input '%2'.")
                             .arg(QString::fromStdString(pair->output), QString::fromStdString(pair->input)),
                         QMessageBox::Ok, QMessageBox::NoButton);
}

void MainWindow::sendToKeyboard()
{
    if (keyboardBusy)
        return;
    // Runs a discovery when there is no link yet, so a keyboard plugged in
    // after start is found here.
    MidiController *link = findKeyboard(false);
    bool sent = false;
    MessageCounts counts;
    if (link) {
        const Settings toSend = settings;
        const int slot = std::max(0, ui->memId->currentIndex());
        KeyboardWork work(this, tr("Sending settings"), false);
        work.report(tr("Sending settings"), 0, 0);
        link = talkToKeyboard(work, false, [&] {
            sent = toSend.send(slot, &counts);
            return link;
        });
        if (link && sent)
            setKeyboardRecord(toSend);
    }
    if (link && sent) {
        QMessageBox::about(this, tr("OK"),
                           tr("Successfully sent to device '") + link->deviceName() + QStringLiteral("' !"));
        return;
    }
    if (midiSystemNotResponding()) {
        linkMonitor->release();
        QMessageBox::warning(this, tr("Error"), kMidiSystemNotResponding, QMessageBox::Ok, QMessageBox::NoButton);
        return;
    }
    if (link && counts.stalled) {
        // Nothing more will get through this port: the link goes, and the
        // next command searches again.
        const QString device = link->deviceName();
        linkMonitor->release();
        QMessageBox::warning(this, tr("Error"),
                             tr("The port of device '%1' stopped taking messages after %2 of them went out. "
                                "The keyboard may hold only part of these settings.")
                                 .arg(device)
                                 .arg(counts.messages - counts.refused),
                             QMessageBox::Ok, QMessageBox::NoButton);
        return;
    }
    if (link && counts.refused > 0) {
        QMessageBox::warning(this, tr("Error"),
                             tr("The port of device '%1' refused %2 of %3 messages. "
                                "The keyboard may hold only part of these settings.")
                                 .arg(link->deviceName())
                                 .arg(counts.refused)
                                 .arg(counts.messages),
                             QMessageBox::Ok, QMessageBox::NoButton);
        return;
    }
    QMessageBox::warning(this, tr("Error"), tr("Could not connect to midi deivce."),
                         QMessageBox::Ok, QMessageBox::NoButton);
}

void MainWindow::upgradeFirmware()
{
    if (keyboardBusy)
        return;
    const QMessageBox::StandardButton answer = QMessageBox::warning(
        this, tr("Enter Firmware Upgrade Mode"),
        tr("Please unplug the keyboard, then plug it in again WHILE HOLDING THE KEYBOARD SHIFT KEY.\n"
           "Click OK when ready or CANCEL TO abort firmware update."),
        QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::NoButton);
    if (answer == QMessageBox::Cancel)
        return;

    const QString fileName = QFileDialog::getOpenFileName(this, tr("Select Firmware File"), QString());
    if (fileName.isEmpty())
        return;
    QCoreApplication::processEvents();

    // The image is read and checked before the keyboard is even looked for:
    // one that cannot be announced, or none at all, is refused while nothing
    // has been sent yet.
    std::string image;
    switch (FirmwareFile::read(fileName, &image)) {
    case FirmwareFile::Status::Ok:
        break;
    case FirmwareFile::Status::TooLarge:
        QMessageBox::warning(this, tr("Error"),
                             tr("Could not upgrade firmware: the file is too large for the keyboard "
                                "(at most %1 bytes).")
                                 .arg(FirmwareProtocol::kMaxImageSize),
                             QMessageBox::Ok, QMessageBox::NoButton);
        return;
    case FirmwareFile::Status::Unreadable:
    case FirmwareFile::Status::Empty:
        qCDebug(lcEditor).noquote() << "No firmware image in" << fileName;
        QMessageBox::warning(this, tr("Error"), tr("Could not upgrade firmware."), QMessageBox::Ok,
                             QMessageBox::NoButton);
        return;
    }

    MidiController *const link = findKeyboard(true);
    // The transfer lets events through once per block. A command started
    // meanwhile could ask for the link in normal mode and so replace the
    // link the transfer is using; the window takes no input until the end.
    keyboardBusy = true;
    setCommandsEnabled(false);
    linkMonitor->beginCommand(nullptr, false);
    if (!link)
        QMessageBox::warning(this, tr("Error"), tr("Could not connect to device."), QMessageBox::Ok,
                             QMessageBox::NoButton);

    ProgressBarWindow progressWindow(this);
    const std::function<void(int)> progress = [&progressWindow](int percent) { progressWindow.setProgress(percent); };
    progress(0);
    progressWindow.show();

    bool upgraded = link && link->sendFirmware(image, progress);
    // A keyboard unplugged during the transfer stops acknowledging; the
    // link is released then, whatever the transfer made of it.
    upgraded = linkMonitor->endCommand(link) && upgraded;
    if (upgraded)
        QMessageBox::about(this, tr("OK"),
                           tr("Successfully upgrade the firmware of device '%1' !").arg(link->deviceName()));
    else
        QMessageBox::warning(this, tr("Error"), tr("Could not upgrade firmware."), QMessageBox::Ok,
                             QMessageBox::NoButton);
    progressWindow.hide();
    setCommandsEnabled(true);
    keyboardBusy = false;
}

namespace {
// The settings file that a drag carries: one local file named *.telvir.
QString draggedSettingsFile(const QMimeData *data)
{
    const QList<QUrl> urls = data ? data->urls() : QList<QUrl>();
    if (urls.size() != 1 || !urls.first().isLocalFile())
        return QString();
    const QString fileName = urls.first().toLocalFile();
    return fileName.endsWith(QLatin1String(".telvir"), Qt::CaseInsensitive) ? fileName : QString();
}
} // namespace

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (!draggedSettingsFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent *event)
{
    const QString fileName = draggedSettingsFile(event->mimeData());
    if (fileName.isEmpty())
        return;
    event->acceptProposedAction();
    // Loaded once the drop is over: a box opened inside the drop would keep
    // the program the file came from waiting.
    QTimer::singleShot(0, this, [this, fileName] { loadSettingsFile(fileName); });
}
