#pragma once

// The window's way to the keyboard. Each command runs the shared keyboard
// commands on a worker thread while the window stays alive (KeyboardWork),
// keeps the link monitor informed, and ends in the box that tells its
// outcome. While one runs, the session is busy: the window then disables
// its commands and does not close.

#include "commands/keyboardoutcome.h"
#include "midi/portpair.h"

#include <QObject>

#include <functional>
#include <optional>
#include <string>

class KeyboardWork;
class LinkMonitor;
class MidiController;
class QWidget;
struct ReadReport;
struct Settings;
struct WriteReport;

class KeyboardSession : public QObject
{
    Q_OBJECT

public:
    KeyboardSession(QWidget *window, LinkMonitor *monitor);

    bool busy() const { return busy_; }

    // The live link, searched for with the progress window when there is
    // none; with `onlyPair`, that pair alone is tried.
    KeyboardOutcome find(bool upgradeMode, MidiController **link,
                         const std::optional<PortPair> &onlyPair = std::nullopt);
    // The keyboard's settings into `settings`. A link whose ports went
    // away meanwhile counts as no reply.
    KeyboardOutcome read(MidiController *link, Settings &settings, ReadReport *report);
    // `report` learns which fields are on the keyboard: none when the
    // link's ports went away meanwhile.
    KeyboardOutcome write(MidiController *link, const Settings &settings, int slot, WriteReport *report);
    // Runs `job` on the GUI thread as a command: for the firmware transfer,
    // whose progress window lets events through. `done` learns whether the
    // ports of `link` are still there, while the commands are still kept out.
    void runHere(MidiController *link, const std::function<void()> &job, const std::function<void(bool)> &done);

    // "Upgrade firmware...": asks for the keyboard in its upgrade mode and
    // for the file, then streams it with the progress window.
    void upgradeFirmware();

    // The outcome's box: an about box for a success, a warning otherwise
    // (the count of settings read, too, is a warning titled "OK").
    static void show(QWidget *parent, const KeyboardOutcome &outcome);

signals:
    void busyChanged(bool busy);

private:
    // Runs `job` through `work`; gives the link `job` returns, or null when
    // its ports went away meanwhile (the link is then released).
    MidiController *run(KeyboardWork &work, bool searching, const std::function<MidiController *()> &job);
    void setBusy(bool busy);

    QWidget *const window_;
    LinkMonitor *const monitor_;
    bool busy_ = false;
};
