#include "app/mainwindow.h"

#include "app/devicewidget.h"
#include "app/editorlogging.h"
#include "app/progressbarwindow.h"
#include "app/settingschange.h"
#include "app/settingcombobox.h"
#include "app/keyboardsession.h"
#include "app/keyboardtools.h"
#include "app/linkmonitor.h"
#include "app/portsdialog.h"
#include "commands/keyboardcommand.h"
#include "midi/midicontroller.h"
#include "midi/portwatcher.h"
#include "midi/rememberedports.h"
#include "model/controlcatalogue.h"
#include "model/controlfields.h"
#include "model/globalparameters.h"
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

    valueItems = valueNames();
    channelItems = channelNames();

    setUpUndo();
    registerSetters();
    setUpKeyboardAccess();

    statusLine = new QLabel(this);
    statusLine->setObjectName(QStringLiteral("statusLine"));
    statusBar()->addWidget(statusLine, 1);
    linkMonitor = new LinkMonitor(this);
    session = new KeyboardSession(this, linkMonitor);
    connect(linkMonitor, &LinkMonitor::stateChanged, this, &MainWindow::updateStatusLine);
    connect(session, &KeyboardSession::busyChanged, this, &MainWindow::updateCommandStates);
    setUpStatusButtons();
    attachKeyboardTools(*this);
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
    if (kindOf(controlIndex) != ControlKind::None)
        parts << tr("mode %1").arg(fieldText(*controlField(QStringLiteral("mode")), controlIndex, setting));
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
        statusLine->setText(linkMonitor->stateText() + readShortText + changesNotSentText());
}

void MainWindow::registerSetters()
{
    // The form names each field after the record field it edits.
    for (const ControlField &field : kControlFields) {
        auto *box = findChild<SettingComboBox *>(QLatin1String(field.field));
        controlBoxes.emplace_back(box, &field);
        comboSetters[box] = [this, &field](int position) {
            storeFieldPosition(field, currentControlIndex(), currentSetting(), position);
            // A new mode brings its own option list.
            if (field.value == &Setting::mode)
                refreshEditor();
        };
    }
    for (const GlobalParameter &global : kGlobalParameters) {
        auto *box = findChild<SettingComboBox *>(QLatin1String(global.field));
        globalBoxes.emplace_back(box, &global);
        // Its items report their first position to a field without a setter yet.
        box->addItems(global.items);
        comboSetters[box] = [this, &global](int position) { settings.*global.value = lowByte(position); };
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

Setting &MainWindow::currentSetting()
{
    const int index = currentControlIndex();
    if (index < 0)
        return scratchSetting;
    return settings.controls[index];
}

void MainWindow::refreshEditor()
{
    for (const auto &[box, global] : globalBoxes)
        showPosition(box, settings.*global->value);

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
    ui->widgetName->setText(labelOf(index));
    // A mode the kind does not allow is shown, and so stored, as "Off - Disabled".
    settleMode(index, setting);
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
        refreshEditor();
        emit selectedControlChanged(currentControlIndex());
    }
}

void MainWindow::selectControl(int controlIndex)
{
    const bool highPad = controlIndex > kLastLowPadIndex && controlIndex <= kLastLowPadIndex + kPadBankOffset;
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

void MainWindow::editControlField(int controlIndex, const ControlField &field, int position)
{
    Settings next = settings;
    storeFieldPosition(field, controlIndex, next.controls[controlIndex], position);
    replaceSettings(next, tr("Change %1").arg(QLatin1String(field.label)));
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
        pushChange(before, tr("Change %1").arg(field->accessibleName()));
    updateMarkerToolTips();
    updateStatusLine();
}

void MainWindow::pushChange(const Settings &before, const QString &stepText)
{
    undoStack->push(new SettingsChange(before, settings, stepText,
                                       [this](const Settings &record) { restoreRecord(record); }));
    emit settingsChanged(before, settings);
}

void MainWindow::replaceSettings(const Settings &next, const QString &stepText)
{
    const Settings before = settings;
    settings = next;
    // Showing the record sets a mode the shown control does not allow to 0,
    // so the step ends with the record as shown. Should that make it the
    // record from before, nothing changed and there is no step.
    refreshEditor();
    if (settings != before)
        pushChange(before, stepText);
}

void MainWindow::restoreRecord(const Settings &record)
{
    // The selection and the pad bank are not part of the record and stay.
    const Settings before = settings;
    settings = record;
    refreshEditor();
    emit settingsChanged(before, settings);
}

void MainWindow::setKeyboardRecord(const Settings &record)
{
    onKeyboard = record;
    updateStatusLine();
}

int MainWindow::changesNotSent() const
{
    if (!onKeyboard)
        return -1;
    // A setting the keyboard did not report is not known to be on it.
    int changes = settings.differencesFrom(*onKeyboard);
    for (std::size_t offset : unknownOnKeyboard)
        changes += settings.image()[offset] == onKeyboard->image()[offset] ? 1 : 0;
    return changes;
}

QString MainWindow::changesNotSentText() const
{
    const int changes = changesNotSent();
    return changes > 0 ? tr(", %1 changes not sent").arg(changes) : QString();
}

bool MainWindow::wouldLoseEdits() const
{
    const Settings &keyboard = onKeyboard ? *onKeyboard : startRecord;
    const Settings &inFile = fileRecord ? *fileRecord : startRecord;
    return settings != keyboard && settings != inFile;
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (session->busy()) {
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

void MainWindow::updateCommandStates()
{
    // Every command stays available without a keyboard; while one talks to
    // the keyboard, none can start, and the window does not close.
    const bool idle = !session->busy();
    centralWidget()->setEnabled(idle);
    menuBar()->setEnabled(idle);
    for (QAbstractButton *button : statusBar()->findChildren<QAbstractButton *>())
        button->setEnabled(idle);
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
        return button;
    };
    readButton = addButton("btnRead", tr("Read"), &MainWindow::readFromKeyboard);
    addButton("btnPorts", tr("Ports..."), &MainWindow::choosePorts);
}

bool MainWindow::isKeyboardBusy() const
{
    return session->busy();
}

void MainWindow::addStatusWidget(QWidget *widget, bool beforeRead)
{
    if (!beforeRead) {
        statusBar()->addPermanentWidget(widget);
        return;
    }
    // The permanent widgets follow the status line, which comes first.
    const int readPosition = statusBar()->layout()->indexOf(readButton);
    statusBar()->insertPermanentWidget(std::max(1, readPosition), widget);
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
    Settings read = settings;
    ReadReport report;
    const KeyboardOutcome outcome = session->read(link, read, &report);
    KeyboardSession::show(this, outcome);
    if (!outcome.succeeded())
        return;
    const int answered = report.requested - int(report.unanswered.size());
    readShortText = answered < report.requested
                        ? tr("; Read %1 of %2 settings").arg(answered).arg(report.requested)
                        : QString();
    unknownOnKeyboard = report.unanswered;
    replaceSettings(read, tr("Read from the keyboard"));
    setKeyboardRecord(read);
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
    findKeyboard(false, pair);
}

void MainWindow::sendToKeyboard()
{
    if (session->busy())
        return;
    // Runs a discovery when there is no link yet, so a keyboard plugged in
    // after start is found here.
    MidiController *const link = findKeyboard(false);
    if (!link)
        return;
    const Settings toSend = settings;
    const KeyboardOutcome outcome = session->write(link, toSend, std::max(0, ui->memId->currentIndex()));
    if (outcome.succeeded()) {
        unknownOnKeyboard.clear();
        setKeyboardRecord(toSend);
    }
    KeyboardSession::show(this, outcome);
}

void MainWindow::upgradeFirmware()
{
    if (session->busy())
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
    if (const std::optional<KeyboardOutcome> refusal = KeyboardCommand::readFirmware(fileName, &image)) {
        KeyboardSession::show(this, *refusal);
        return;
    }

    MidiController *const link = findKeyboard(true);
    ProgressBarWindow progressWindow(this);
    const std::function<void(int)> progress = [&progressWindow](int percent) { progressWindow.setProgress(percent); };
    KeyboardOutcome outcome;
    outcome.kind = KeyboardOutcome::Kind::FirmwareFailed;
    // The transfer lets events through once per block; the session keeps
    // every other command out meanwhile, so none can replace its link.
    session->runHere(
        link,
        [&] {
            progress(0);
            progressWindow.show();
            if (link)
                outcome = KeyboardCommand::upgrade(*link, image, progress);
        },
        [&](bool linkKept) {
            // A keyboard unplugged during the transfer stops acknowledging;
            // the link is released then, whatever the transfer made of it.
            if (!linkKept)
                outcome.kind = KeyboardOutcome::Kind::FirmwareFailed;
            KeyboardSession::show(this, outcome);
            progressWindow.hide();
        });
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
