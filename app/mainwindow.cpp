#include "app/mainwindow.h"

#include "app/devicewidget.h"
#include "app/progressbarwindow.h"
#include "app/settingcombobox.h"
#include "app/keyboardwork.h"
#include "firmware/firmwarefile.h"
#include "firmware/firmwareprotocol.h"
#include "midi/linksearch.h"
#include "midi/midicontroller.h"
#include "model/controlcatalogue.h"
#include "model/settingsfile.h"
#include "ui_mainwindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFileDialog>
#include <QMenuBar>
#include <QMessageBox>
#include <QSignalBlocker>

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
      scratchSetting()
{
    theMainWindow = this;

    ui = new Ui_MainWindow;
    ui->setupUi(this);
    padSwitch = ui->padSwitch;

    indexMarkers();

    for (int value = 0; value < kValueCount; ++value)
        valueItems << QString::number(value);
    for (int channel = 1; channel <= kChannelCount; ++channel)
        channelItems << QString::number(channel);
    channelItems << QStringLiteral("Global");

    registerSetters();

    connectToKeyboard();
}

MainWindow::~MainWindow()
{
    // The link's ports close before the widgets go.
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
    if (padBankHigh && index >= kFirstPadIndex && index <= kLastLowPadIndex)
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
    try {
        entry->second(position);
    } catch (const std::exception &) {
        // A position the field's list does not map to changes nothing.
    }
}

void MainWindow::resetSettings()
{
    settings = Settings();
    refreshEditor();
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
        qWarning().noquote() << "Could not load" << fileName << ":" << error;
        QMessageBox::warning(this, tr("Error"), tr("This is not a valid telvir settings file!"),
                             QMessageBox::Ok, QMessageBox::NoButton);
        return false;
    }
    settings = loaded;
    refreshEditor();
    return true;
}

void MainWindow::saveToFile()
{
    const QString fileName = QFileDialog::getSaveFileName(this, tr("Open Settings File"), QString(),
                                                          tr("TELVIR Settings Files (*.telvir)"));
    if (fileName.isEmpty())
        return;

    QString error;
    if (!SettingsFile::save(fileName, settings, &error)) {
        // The file is replaced only once every byte is written, so whatever
        // was there before is still intact.
        QMessageBox::warning(this, tr("Error"),
                             tr("Could not save the settings to \"%1\": %2")
                                 .arg(QDir::toNativeSeparators(fileName), error),
                             QMessageBox::Ok, QMessageBox::NoButton);
    }
}

void MainWindow::setCommandsEnabled(bool enabled)
{
    centralWidget()->setEnabled(enabled);
    menuBar()->setEnabled(enabled);
}

void MainWindow::runKeyboardWork(KeyboardWork &work, const std::function<void()> &job)
{
    // The window keeps running its events meanwhile: nothing may start
    // another command, or close the window under the work's feet.
    keyboardBusy = true;
    setCommandsEnabled(false);
    work.run(job);
    setCommandsEnabled(true);
    keyboardBusy = false;
}

MidiController *MainWindow::findKeyboard(bool upgradeMode)
{
    KeyboardWork work(this, tr("Connecting"), true);
    LinkSearch search;
    search.cancel = &work.cancelToken();
    search.onAttempt = [&work](const PairAttempt &attempt) {
        work.report(tr("Trying output '%1' with input '%2' (%3 of %4)")
                        .arg(QString::fromStdString(attempt.pair.output), QString::fromStdString(attempt.pair.input))
                        .arg(attempt.number)
                        .arg(attempt.count),
                    attempt.number - 1, attempt.count);
    };
    MidiController *link = nullptr;
    runKeyboardWork(work, [&] { link = MidiController::getInstance(upgradeMode, search); });
    return link;
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

    // Read into a copy: the worker never touches the window's record.
    Settings read = settings;
    int accepted = 0;
    KeyboardWork work(this, tr("Reading settings"), false);
    work.report(tr("Reading settings"), 0, 0);
    runKeyboardWork(work, [&] { accepted = read.recv(&work.cancelToken()); });
    if (accepted == 0) {
        // Nothing came back, so the record still holds the factory settings.
        QMessageBox::warning(this, tr("Error"), tr("Could not recv settings."),
                             QMessageBox::Ok, QMessageBox::NoButton);
        return;
    }
    settings = read;
    QMessageBox::warning(this, tr("OK"), tr("Successfully recv %1 settings.").arg(accepted),
                         QMessageBox::Ok, QMessageBox::NoButton);
    refreshEditor();
}

void MainWindow::sendToKeyboard()
{
    if (keyboardBusy)
        return;
    // Runs a discovery when there is no link yet, so a keyboard plugged in
    // after start is found here.
    MidiController *const link = findKeyboard(false);
    bool sent = false;
    MessageCounts counts;
    if (link) {
        const Settings toSend = settings;
        const int slot = std::max(0, ui->memId->currentIndex());
        KeyboardWork work(this, tr("Sending settings"), false);
        work.report(tr("Sending settings"), 0, 0);
        runKeyboardWork(work, [&] { sent = toSend.send(slot, &counts); });
    }
    if (link && sent) {
        QMessageBox::about(this, tr("OK"),
                           tr("Successfully sent to device '") + link->deviceName() + QStringLiteral("' !"));
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

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (keyboardBusy) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
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
        qWarning().noquote() << "No firmware image in" << fileName;
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
    if (!link)
        QMessageBox::warning(this, tr("Error"), tr("Could not connect to device."), QMessageBox::Ok,
                             QMessageBox::NoButton);

    ProgressBarWindow progressWindow(this);
    const std::function<void(int)> progress = [&progressWindow](int percent) { progressWindow.setProgress(percent); };
    progress(0);
    progressWindow.show();

    const bool upgraded = link && link->sendFirmware(image, progress);
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
