#include "app/keyboardsession.h"

#include "app/editorpreferences.h"
#include "app/filedialogs.h"
#include "app/keyboardwork.h"
#include "app/linkmonitor.h"
#include "app/progressbarwindow.h"
#include "commands/keyboardcommand.h"
#include "midi/midicontroller.h"
#include "midi/rememberedpace.h"
#include "midi/rememberedports.h"
#include "model/settings.h"

#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QMessageBox>

#include <algorithm>

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
    search.onStep = [&work, monitor = monitor_](const SearchStep &step) {
        const QString output = QString::fromStdString(step.pair.output);
        const QString input = QString::fromStdString(step.pair.input);
        monitor->setTriedPair(step.pair);
        switch (step.kind) {
        case SearchStep::Kind::Pair:
            work.report(tr("Trying output '%1' with input '%2'").arg(output, input), 0, 0);
            break;
        case SearchStep::Kind::Round:
            work.report(tr("Asking %1 outputs, listening on %2 inputs").arg(step.outputs).arg(step.inputs), 0, 0);
            break;
        case SearchStep::Kind::Output:
            work.report(tr("The keyboard answered on input '%1'; looking for its output among %2")
                            .arg(input)
                            .arg(step.outputs),
                        0, 0);
            break;
        }
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
    const PortPair pair = link->portPair();
    const int pace = RememberedPace::effective(pair, EditorPreferences::messagePaceMs());
    const bool linkKept = run(work, false, [&] {
        outcome = KeyboardCommand::read(*link, settings, report, &work.cancelToken(), pace);
        return link;
    });
    if (report)
        RememberedPace::learn(pair, report->slowedPaceMs);
    // A keyboard that went away during the read may have sent only part.
    if (!linkKept && outcome.kind != KeyboardOutcome::Kind::ServerNotResponding)
        outcome.kind = KeyboardOutcome::Kind::NoReplies;
    return outcome;
}

KeyboardOutcome KeyboardSession::write(MidiController *link, const Settings &settings, int slot, WriteReport *report)
{
    KeyboardWork work(window_, tr("Sending settings"), false);
    work.report(tr("Sending settings"), 0, 0);
    KeyboardOutcome outcome;
    const PortPair pair = link->portPair();
    const int pace = RememberedPace::effective(pair, EditorPreferences::messagePaceMs());
    const bool linkKept = run(work, false, [&] {
        outcome = KeyboardCommand::write(*link, settings, slot, report, pace);
        return link;
    });
    RememberedPace::learn(pair, report->slowedPaceMs);
    if (!linkKept)
        report->carried.reset();
    // A server that stopped answering takes the ports with it; that is the
    // news, not the ports.
    if (!linkKept && outcome.kind != KeyboardOutcome::Kind::ServerNotResponding)
        outcome.kind = KeyboardOutcome::Kind::NoKeyboard;
    // Nothing more will get through a stalled port or server: the link
    // goes, and the next command searches again.
    if (linkKept
        && (outcome.kind == KeyboardOutcome::Kind::PortStalled
            || outcome.kind == KeyboardOutcome::Kind::ServerNotResponding))
        monitor_->release();
    return outcome;
}


void KeyboardSession::show(QWidget *parent, const KeyboardOutcome &outcome)
{
    if (EditorPreferences::isBoxSilenced(outcome.kind))
        return;
    const bool mayBeSilenced = EditorPreferences::maySilenceBox(outcome.kind);
    // The count of settings read is a warning titled "OK"; other successes
    // are about boxes, with the application's icon.
    const bool about = outcome.succeeded() && outcome.kind != KeyboardOutcome::Kind::SettingsRead;
    QMessageBox box(about ? QMessageBox::NoIcon : QMessageBox::Warning, outcomeTitle(outcome), outcomeMessage(outcome),
                    QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText); // the keyboard's port names are names, never markup
    if (about)
        box.setIconPixmap(QApplication::windowIcon().pixmap(QSize(64, 64)));
    if (mayBeSilenced)
        box.setCheckBox(new QCheckBox(tr("Don't show this again")));
    box.exec();
    if (box.checkBox() && box.checkBox()->isChecked())
        EditorPreferences::setBoxSilenced(outcome.kind, true);
}

void KeyboardSession::upgradeFirmware()
{
    const QMessageBox::StandardButton answer = QMessageBox::warning(
        window_, tr("Enter Firmware Upgrade Mode"),
        tr("Please unplug the keyboard, then plug it in again WHILE HOLDING THE KEYBOARD SHIFT KEY.\n"
           "Click OK when ready or CANCEL TO abort firmware update."),
        QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::NoButton);
    if (answer == QMessageBox::Cancel)
        return;

    const QString fileName = FileDialogs::openFileName(window_, tr("Select Firmware File"), QString());
    if (fileName.isEmpty())
        return;
    QCoreApplication::processEvents();

    // The image is read and checked before the keyboard is even looked for:
    // one that cannot be announced, or none at all, is refused while nothing
    // has been sent yet.
    std::string image;
    if (const std::optional<KeyboardOutcome> refusal = KeyboardCommand::readFirmware(fileName, &image)) {
        KeyboardSession::show(window_, *refusal);
        return;
    }

    MidiController *link = nullptr;
    const KeyboardOutcome found = find(true, &link);
    if (!link)
        show(window_, found);
    ProgressBarWindow progressWindow(window_);
    const std::function<void(int)> progress = [&progressWindow](int percent) { progressWindow.setProgress(percent); };
    KeyboardOutcome outcome;
    outcome.kind = KeyboardOutcome::Kind::FirmwareFailed;
    // The transfer lets events through once per block; the session keeps
    // every other command out meanwhile, so none can replace its link.
    runHere(
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
            if (!linkKept && outcome.kind != KeyboardOutcome::Kind::ServerNotResponding)
                outcome.kind = KeyboardOutcome::Kind::FirmwareFailed;
            show(window_, outcome);
            progressWindow.hide();
        });
}
