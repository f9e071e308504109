#include "app/keyboardsession.h"

#include "app/keyboardwork.h"
#include "app/linkmonitor.h"
#include "commands/keyboardcommand.h"
#include "midi/midicontroller.h"
#include "midi/rememberedports.h"
#include "model/settings.h"

#include <QMessageBox>

KeyboardSession::KeyboardSession(QWidget *window, LinkMonitor *monitor)
    : QObject(window), window_(window), monitor_(monitor)
{
}

void KeyboardSession::setBusy(bool busy)
{
    busy_ = busy;
    emit busyChanged(busy);
}

MidiController *KeyboardSession::run(KeyboardWork &work, bool searching,
                                     const std::function<MidiController *()> &job)
{
    setBusy(true);
    monitor_->beginCommand(&work, searching);
    MidiController *link = nullptr;
    work.run([&] { link = job(); });
    // A link whose ports went away meanwhile is released.
    if (!monitor_->endCommand(link))
        link = nullptr;
    setBusy(false);
    return link;
}

void KeyboardSession::runHere(MidiController *link, const std::function<void()> &job,
                              const std::function<void(bool)> &done)
{
    setBusy(true);
    monitor_->beginCommand(nullptr, false);
    job();
    done(monitor_->endCommand(link));
    setBusy(false);
}

KeyboardOutcome KeyboardSession::find(bool upgradeMode, MidiController **link, const std::optional<PortPair> &onlyPair)
{
    KeyboardWork work(window_, tr("Connecting"), true);
    LinkSearch search;
    search.preferred = RememberedPorts::preferred();
    search.onlyPair = onlyPair;
    search.cancel = &work.cancelToken();
    search.onAttempt = [&work, monitor = monitor_](const PairAttempt &attempt) {
        monitor->setTriedPair(attempt.pair);
        work.report(tr("Trying output '%1' with input '%2' (%3 of %4)")
                        .arg(QString::fromStdString(attempt.pair.output), QString::fromStdString(attempt.pair.input))
                        .arg(attempt.number)
                        .arg(attempt.count),
                    attempt.number - 1, attempt.count);
    };
    KeyboardOutcome outcome;
    *link = run(work, true, [&] {
        MidiController *found = nullptr;
        outcome = KeyboardCommand::find(upgradeMode, search, &found);
        return found;
    });
    if (!*link && outcome.succeeded())
        outcome = KeyboardOutcome(); // found, and gone again at once
    return outcome;
}

KeyboardOutcome KeyboardSession::read(MidiController *link, Settings &settings, ReadReport *report)
{
    KeyboardWork work(window_, tr("Reading settings"), false);
    work.report(tr("Reading settings"), 0, 0);
    KeyboardOutcome outcome;
    const bool linkKept = run(work, false, [&] {
        outcome = KeyboardCommand::read(*link, settings, report, &work.cancelToken());
        return link;
    });
    // A keyboard that went away during the read may have sent only part.
    if (!linkKept)
        outcome.kind = KeyboardOutcome::Kind::NoReplies;
    return outcome;
}

KeyboardOutcome KeyboardSession::write(MidiController *link, const Settings &settings, int slot)
{
    KeyboardWork work(window_, tr("Sending settings"), false);
    work.report(tr("Sending settings"), 0, 0);
    KeyboardOutcome outcome;
    const bool linkKept = run(work, false, [&] {
        outcome = KeyboardCommand::write(*link, settings, slot);
        return link;
    });
    if (!linkKept)
        outcome.kind = KeyboardOutcome::Kind::NoKeyboard;
    // Nothing more will get through a stalled port: the link goes, and the
    // next command searches again.
    if (linkKept && outcome.kind == KeyboardOutcome::Kind::PortStalled)
        monitor_->release();
    return outcome;
}

void KeyboardSession::show(QWidget *parent, const KeyboardOutcome &outcome)
{
    const bool about = outcome.succeeded() && outcome.kind != KeyboardOutcome::Kind::SettingsRead;
    if (about)
        QMessageBox::about(parent, outcomeTitle(outcome), outcomeMessage(outcome));
    else
        QMessageBox::warning(parent, outcomeTitle(outcome), outcomeMessage(outcome), QMessageBox::Ok,
                             QMessageBox::NoButton);
}
