#include "app/midimonitor.h"

#include "app/editorpreferences.h"
#include "app/editordocument.h"
#include "app/filedialogs.h"
#include "app/monitorlinemodel.h"
#include "app/plainmessagebox.h"
#include "midi/miditap.h"
#include "model/regularfile.h"
#include "protocol/messagedecoder.h"
#include "ui_midimonitor.h"

#include <QAction>
#include <QByteArray>
#include <QDir>
#include <QFontMetrics>
#include <QHeaderView>
#include <QKeySequence>
#include <QMainWindow>
#include <QMessageBox>
#include <QSaveFile>
#include <QScrollBar>

#include <algorithm>
#include <chrono>
#include <optional>

namespace {
std::int64_t nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

constexpr std::int64_t kNsPerMs = 1000000;
} // namespace

MidiMonitor *MidiMonitor::attachTo(QMainWindow &window, EditorDocument &document)
{
    auto *monitor = new MidiMonitor(window, document);
    const auto open = [monitor] {
        monitor->show();
        monitor->raise();
        monitor->activateWindow();
    };
    // On the window itself, so that it works also while the form and the
    // menus are disabled for keyboard work: the monitor is most useful then.
    auto *shortcut = new QAction(tr("MIDI Monitor"), &window);
    shortcut->setStatusTip(tr("Every message to or from the keyboard"));
    shortcut->setObjectName(QStringLiteral("monitorShortcut"));
    shortcut->setShortcut(QKeySequence(QStringLiteral("Ctrl+M")));
    shortcut->setShortcutContext(Qt::WindowShortcut);
    window.addAction(shortcut);
    connect(shortcut, &QAction::triggered, monitor, open);
    return monitor;
}

MidiMonitor::MidiMonitor(QWidget &window, EditorDocument &document)
    : QWidget(&window, Qt::Window),
      document_(document),
      ui(new Ui_MidiMonitor),
      model_(new MonitorLineModel(this))
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("midiMonitor"));
    ui->lineView->setModel(model_);
    ui->lineView->verticalHeader()->hide();
    // Fixed row heights keep ten thousand rows cheap to lay out.
    ui->lineView->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    ui->lineView->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    QHeaderView *columns = ui->lineView->horizontalHeader();
    columns->setStretchLastSection(true);
    const QFontMetrics metrics = fontMetrics();
    const int padding = 2 * metrics.averageCharWidth();
    columns->resizeSection(MonitorLineModel::TimeColumn, metrics.horizontalAdvance(QStringLiteral("0000000")) + padding);
    columns->resizeSection(MonitorLineModel::DirectionColumn, metrics.horizontalAdvance(QStringLiteral("out")) + padding);
    // Wide enough for the keyboard's parameter messages.
    columns->resizeSection(MonitorLineModel::BytesColumn,
                           metrics.horizontalAdvance(QStringLiteral("F0 00 20 6B 7F 42 02 00 00 01 00 F7")) + padding);

    ui->followBox->setChecked(EditorPreferences::followKeyboard());
    connect(ui->followBox, &QCheckBox::toggled, this, &MidiMonitor::followChanged);
    connect(ui->clearButton, &QPushButton::clicked, this, &MidiMonitor::clearLines);
    connect(ui->saveButton, &QPushButton::clicked, this, &MidiMonitor::saveLines);

    drainTimer_.setInterval(kRedrawIntervalMs);
    connect(&drainTimer_, &QTimer::timeout, this, &MidiMonitor::drainTap);
    // Meanings and matches are read against the record.
    connect(&document, &EditorDocument::settingsChanged, this, [this] { lineTexts_.clear(); });
    drained_.reserve(MidiTap::kCapacity);
    updateTapNeed();
}

MidiMonitor::~MidiMonitor()
{
    MidiTap::setEnabled(false);
    delete ui;
}

bool MidiMonitor::followsKeyboard() const
{
    return ui->followBox->isChecked();
}

void MidiMonitor::setFollowsKeyboard(bool on)
{
    ui->followBox->setChecked(on);
}

void MidiMonitor::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    openedAtNs_ = nowNs();
    droppedAtOpen_ = MidiTap::dropped();
    updateTapNeed();
}

void MidiMonitor::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    updateTapNeed();
}

void MidiMonitor::followChanged(bool on)
{
    EditorPreferences::setFollowKeyboard(on);
    updateTapNeed();
}

void MidiMonitor::updateTapNeed()
{
    const bool needed = isVisible() || followsKeyboard();
    if (needed == MidiTap::enabled() && needed == drainTimer_.isActive())
        return;
    if (!needed) {
        MidiTap::setEnabled(false);
        drainTimer_.stop();
        // What came meanwhile is nobody's any more.
        drainTap();
        return;
    }
    MidiTap::setEnabled(true);
    drainTimer_.start();
}

void MidiMonitor::drainTap()
{
    drained_.clear();
    MidiTap::drain(drained_, MidiTap::kCapacity);
    if (drained_.empty())
        return;

    const bool showing = isVisible();
    const bool following = followsKeyboard() && !document_.isBusy();
    const bool addingLines = showing && !ui->pauseButton->isChecked();
    QVector<MonitorLine> lines;
    if (addingLines)
        lines.reserve(int(drained_.size()));
    std::optional<KeyboardFollower::Match> lastMatch;
    for (const TappedMessage &message : drained_) {
        const bool in = message.direction == TappedMessage::Direction::In;
        const bool early = message.timeNs < openedAtNs_;
        if (!(in && following) && (!addingLines || early))
            continue;
        const LineText &text = lineText(message, in && following);
        if (text.match.follows)
            lastMatch = text.match;
        // What came before the monitor opened is not its business.
        if (!addingLines || early)
            continue;
        MonitorLine line;
        line.ms = std::max<std::int64_t>(0, message.timeNs - openedAtNs_) / kNsPerMs;
        line.in = in;
        line.bytes = text.bytes;
        line.meaning = text.meaning;
        lines.push_back(std::move(line));
    }
    if (showing) {
        messageCount_ += std::count_if(drained_.begin(), drained_.end(),
                                       [this](const TappedMessage &message) { return message.timeNs >= openedAtNs_; });
    }
    if (lastMatch)
        follow(*lastMatch);
    if (!lines.isEmpty()) {
        QScrollBar *scroll = ui->lineView->verticalScrollBar();
        const bool atEnd = scroll->value() == scroll->maximum();
        model_->append(std::move(lines));
        if (atEnd)
            ui->lineView->scrollToBottom();
    }
    if (showing)
        updateCount();
}

const MidiMonitor::LineText &MidiMonitor::lineText(const TappedMessage &message, bool following)
{
    // A knob turned back and forth sends the same few messages over and
    // over: their texts are made once and shared by their lines.
    const std::string bytes = message.bytes();
    QByteArray key;
    key.reserve(int(bytes.size()) + 16);
    key.append(char(message.direction == TappedMessage::Direction::In));
    key.append(char(message.refused));
    key.append(char(following));
    key.append(QByteArray::number(message.length)).append(':');
    key.append(bytes.data(), int(bytes.size()));
    const auto cached = lineTexts_.constFind(key);
    if (cached != lineTexts_.constEnd())
        return *cached;
    if (lineTexts_.size() >= kMaxLineTexts)
        lineTexts_.clear();

    const bool in = message.direction == TappedMessage::Direction::In;
    LineText text;
    text.bytes = QString::fromLatin1(QByteArray::fromStdString(bytes).toHex(' ').toUpper());
    if (message.truncated())
        text.bytes += QStringLiteral(" ...");
    text.meaning = MessageDecoder::describe(bytes, in, document_.settings());
    if (message.truncated())
        //: After a message cut short in the monitor: how long it was.
        text.meaning += tr(" (%n bytes)", nullptr, int(message.length));
    if (message.refused)
        text.meaning += tr(" (refused by the port)");
    if (following) {
        text.match = KeyboardFollower::match(document_.settings(), bytes);
        const QString followed = KeyboardFollower::describe(text.match);
        if (!followed.isEmpty())
            text.meaning += QLatin1Char(' ') + followed;
    }
    return *lineTexts_.insert(key, text);
}

void MidiMonitor::follow(const KeyboardFollower::Match &match)
{
    // None or several: the line tells which, and the selection stays.
    if (match.controls.size() != 1)
        return;
    const int index = match.controls.front();
    if (index != document_.selectedControl())
        document_.requestSelection(index);
}

void MidiMonitor::updateCount()
{
    QString text = tr("%n messages", nullptr, int(messageCount_));
    const std::uint64_t dropped = MidiTap::dropped() - droppedAtOpen_;
    if (dropped > 0)
        //: After the count of messages: how many the monitor could not keep up with.
        text += tr(", %n missed", nullptr, int(dropped));
    ui->countLabel->setText(text);
}

void MidiMonitor::clearLines()
{
    model_->clear();
    messageCount_ = 0;
    droppedAtOpen_ = MidiTap::dropped();
    updateCount();
}

void MidiMonitor::saveLines()
{
    const QString fileName =
        FileDialogs::saveFileName(this, tr("Save MIDI Monitor"), QString(), tr("Text Files (*.txt)"));
    if (fileName.isEmpty())
        return;
    QSaveFile file(fileName);
    const QByteArray text = model_->plainText().toUtf8();
    QString problem = RegularFile::whyNotReplaceable(fileName);
    if (problem.isEmpty()
        && (!file.open(QIODevice::WriteOnly | QIODevice::Text) || file.write(text) != text.size() || !file.commit()))
        problem = file.errorString();
    if (!problem.isEmpty()) {
        PlainMessageBox::warning(this, tr("Error"),
                             tr("Could not save the monitor to \"%1\": %2").arg(QDir::toNativeSeparators(fileName), problem));
    }
}
