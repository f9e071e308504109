#include "app/livesender.h"

#include "app/editorpreferences.h"
#include "app/editordocument.h"
#include "commands/keyboardcommand.h"
#include "midi/midicontroller.h"
#include "midi/rememberedpace.h"
#include "model/keyboardcopy.h"
#include "protocol/parameterformat.h"
#include "protocol/parametermap.h"

#include <QApplication>
#include <QAction>
#include <QCheckBox>
#include <QMainWindow>
#include <QMetaObject>
#include <QStatusBar>

#include <cstring>

namespace {
constexpr int kBusyRetryMs = 50;
} // namespace

LiveSender *LiveSender::attachTo(QMainWindow &window, EditorDocument &document)
{
    auto *sender = new LiveSender(document);
    const QString toolTip = tr("Send every change to the keyboard's workArea at once");
    auto *action = new QAction(tr("Live"), &window);
    action->setObjectName(QStringLiteral("actionLive"));
    action->setCheckable(true);
    action->setChecked(sender->isOn());
    action->setToolTip(toolTip);
    action->setStatusTip(toolTip);
    // The menu's item and the status line's box are one switch.
    auto *box = new QCheckBox(tr("Live"), &window);
    box->setObjectName(QStringLiteral("liveBox"));
    box->setToolTip(toolTip);
    box->setChecked(action->isChecked());
    window.statusBar()->addPermanentWidget(box);
    connect(box, &QCheckBox::toggled, action, &QAction::setChecked);
    connect(action, &QAction::toggled, box, &QCheckBox::setChecked);
    connect(action, &QAction::toggled, sender, [sender](bool on) {
        sender->setOn(on);
        EditorPreferences::setLiveSending(on);
    });
    return sender;
}

LiveSender::LiveSender(EditorDocument &document)
    : QObject(&document),
      document_(document),
      on_(EditorPreferences::liveSending())
{
    setObjectName(QStringLiteral("liveSender"));
    busyRetry_.setSingleShot(true);
    busyRetry_.setInterval(kBusyRetryMs);
    connect(&busyRetry_, &QTimer::timeout, this, &LiveSender::dispatch);
    dispatchLater_.setSingleShot(true);
    dispatchLater_.setInterval(0);
    connect(&dispatchLater_, &QTimer::timeout, this, &LiveSender::dispatch);
    checkLater_.setSingleShot(true);
    checkLater_.setInterval(kCheckAfterIdleMs);
    connect(&checkLater_, &QTimer::timeout, this, &LiveSender::dispatchCheck);
    connect(&document, &EditorDocument::settingsChanged, this, &LiveSender::settingsChanged);
    worker_ = std::thread([this] { work(); });
}

LiveSender::~LiveSender()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    stopChecking_.cancel();
    wake_.notify_all();
    worker_.join();
}

void LiveSender::setOn(bool on)
{
    on_ = on;
    if (!on) {
        pendingGlobals_.reset();
        pendingControls_.reset();
        unchecked_ = WriteParts();
        checkLater_.stop();
    }
}

void LiveSender::settingsChanged(const Settings &before, const Settings &after)
{
    if (!on_)
        return;
    markDifferences(before, after);
    // The user is still at it: the check waits for a pause.
    checkLater_.stop();
    dispatchLater_.start();
}

void LiveSender::markDifferences(const Settings &from, const Settings &to)
{
    for (std::size_t position = 0; position < kGlobalParameterWires.size(); ++position) {
        const auto field = kGlobalParameterWires[position].field;
        if (from.*field != to.*field)
            pendingGlobals_.set(position);
    }
    for (int index = 0; index < kControlCount; ++index) {
        if (std::memcmp(&from.controls[index], &to.controls[index], sizeof(Setting)) != 0)
            pendingControls_.set(std::size_t(index));
    }
}

void LiveSender::dispatch()
{
    if (batchOut_ || !on_ || (pendingGlobals_.none() && pendingControls_.none()))
        return;
    // A command's box is up before the window takes in what the command
    // brought (a read's record): until it closes, the command is not over.
    if (document_.isBusy() || QApplication::activeModalWidget()) {
        busyRetry_.start();
        return;
    }
    Batch batch{document_.settings(), {pendingGlobals_, pendingControls_}};
    // A command may have put some of it on the keyboard meanwhile (a
    // write), or taken the keyboard's values into the record (a read).
    if (const std::optional<Settings> &onKeyboard = document_.keyboardRecord())
        dropParts(batch, *onKeyboard, true);
    pendingGlobals_.reset();
    pendingControls_.reset();
    handOver(batch);
}

void LiveSender::work()
{
    for (;;) {
        Batch batch;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || nextBatch_; });
            if (stopping_)
                return;
            batch = *nextBatch_;
            nextBatch_.reset();
        }
        Outcome outcome = send(batch);
        {
            std::lock_guard<std::mutex> lock(mutex_);
            outcome_ = std::move(outcome);
        }
        // By the slot's name: a queued functor would be freed on the GUI
        // thread after it was made here, a hand-over inside Qt.
        QMetaObject::invokeMethod(this, "takeOutcome", Qt::QueuedConnection);
    }
}

void LiveSender::takeOutcome()
{
    std::optional<Outcome> outcome;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        outcome.swap(outcome_);
    }
    if (outcome)
        finished(*outcome);
}

void LiveSender::dispatchCheck()
{
    if (!on_ || (unchecked_.globals.none() && unchecked_.controls.none()))
        return;
    if (!isIdle() || document_.isBusy() || QApplication::activeModalWidget()) {
        checkLater_.start();
        return;
    }
    Batch batch{lastSent_, unchecked_, true};
    unchecked_ = WriteParts();
    // A command may have written other values meanwhile: the check would
    // send those back to the old ones.
    const std::optional<Settings> &onKeyboard = document_.keyboardRecord();
    if (!onKeyboard)
        return;
    dropParts(batch, *onKeyboard, false);
    handOver(batch);
}

void LiveSender::dropParts(Batch &batch, const Settings &onKeyboard, bool thoseOnIt)
{
    for (std::size_t position = 0; position < kGlobalParameterWires.size(); ++position) {
        const auto field = kGlobalParameterWires[position].field;
        if ((batch.record.*field == onKeyboard.*field) == thoseOnIt)
            batch.parts.globals.reset(position);
    }
    for (int index = 0; index < kControlCount; ++index) {
        const bool same =
            std::memcmp(&batch.record.controls[index], &onKeyboard.controls[index], sizeof(Setting)) == 0;
        if (same == thoseOnIt)
            batch.parts.controls.reset(std::size_t(index));
    }
}

void LiveSender::handOver(const Batch &batch)
{
    if (batch.parts.globals.none() && batch.parts.controls.none())
        return;
    batchOut_ = true;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        nextBatch_ = batch;
    }
    wake_.notify_all();
}

LiveSender::Outcome LiveSender::send(const Batch &batch) const
{
    Outcome outcome;
    outcome.batch = batch;
    const int chosenPace = EditorPreferences::messagePaceMs();
    // Globals first, then the controls by index: a whole write's order.
    outcome.linked = MidiController::useLiveInstance([&](MidiController &link) {
        const int pace = RememberedPace::effective(link.portPair(), chosenPace);
        if (batch.check) {
            KeyboardCommand::check(link, batch.record, batch.parts, pace, &outcome.report, &stopChecking_);
            RememberedPace::learn(link.portPair(), outcome.report.slowedPaceMs);
        } else {
            KeyboardCommand::write(link, batch.record, kWorkAreaSlot, batch.parts, &outcome.report, pace, false);
        }
    });
    return outcome;
}

void LiveSender::finished(const Outcome &outcome)
{
    batchOut_ = false;
    // What went out counts as on the keyboard, field by field; a record
    // that was never read or written has nothing to count against.
    if (outcome.linked && document_.keyboardRecord())
        document_.changeKeyboardCopy([&](KeyboardCopy &copy) { copy.setSent(outcome.batch.record, outcome.report); });
    if (outcome.linked && !outcome.batch.check) {
        const Batch &batch = outcome.batch;
        for (std::size_t position = 0; position < kGlobalParameterWires.size(); ++position) {
            const auto field = kGlobalParameterWires[position].field;
            if (batch.parts.globals.test(position))
                lastSent_.*field = batch.record.*field;
        }
        for (int index = 0; index < kControlCount; ++index) {
            if (batch.parts.controls.test(std::size_t(index)))
                lastSent_.controls[index] = batch.record.controls[index];
        }
        unchecked_.globals |= batch.parts.globals;
        unchecked_.controls |= batch.parts.controls;
        checkLater_.start();
    }
    emit batchDone(outcome.linked);
    if (!outcome.linked) {
        // No keyboard: nothing is kept for one that comes later.
        pendingGlobals_.reset();
        pendingControls_.reset();
        unchecked_ = WriteParts();
        return;
    }
    dispatch();
}
