#pragma once

// Keeps the main window up to date about the keyboard being there: the
// state shown in the status line, a search in the background for a keyboard
// plugged in while there is no link, and the release of a link whose ports
// went away. Everything here runs on the GUI thread, except the background
// search, which has a thread of its own.

#include "midi/canceltoken.h"
#include "midi/portpair.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <atomic>
#include <memory>
#include <vector>

class KeyboardWork;
class MidiController;
class PortWatcher;
class QThread;

class LinkMonitor : public QObject
{
    Q_OBJECT

public:
    enum class State { NoKeyboard, Looking, Connected, UpgradeMode };

    explicit LinkMonitor(QObject *parent = nullptr);
    ~LinkMonitor() override;

    State state() const { return state_; }
    // "Connected to 'Telvir Keyboard'", "No keyboard connected", ...
    QString stateText() const { return stateText(deviceName_); }
    // The same, naming the keyboard's port `shownName` (a shortened name).
    QString stateText(const QString &shownName) const;
    QString deviceName() const { return deviceName_; }
    const PortWatcher &ports() const { return *watcher_; }
    // The keyboards found by the search that made the live link, this one
    // among them; empty without a link.
    const std::vector<PortPair> &keyboards() const { return keyboards_; }

    // A command takes the keyboard over: a background search stops first.
    // While it runs, the loss of the link's ports (or of the pair that a
    // search tries) cancels `work`, if any, and is reported by endCommand.
    void beginCommand(KeyboardWork *work, bool searching);
    // The command is over; `link` is the live link it left (or null).
    // Returns false when a port of the link went away meanwhile: the link
    // is then released.
    bool endCommand(MidiController *link);
    // Any thread: the pair that the running search tries now.
    void setTriedPair(const PortPair &pair);

    // The live link as a command found or made it (null: none).
    void setLink(MidiController *link);
    // Releases the live link.
    void release();

    // How often the ports are listed where the MIDI system tells nothing.
    static constexpr int kListingIntervalMs = 2000;
    static constexpr int kBusyListingIntervalMs = 250;

signals:
    void stateChanged();
    // The link went away, or another one took its place: what is known of
    // the keyboard it led to no longer holds.
    void linkLost();

private slots:
    void noteTriedPair(const QString &output, const QString &input);

private:
    void portsGone(const QStringList &outputs, const QStringList &inputs);
    void portsAppeared(const QStringList &outputs, const QStringList &inputs);
    void startBackgroundSearch();
    void stopBackgroundSearch();
    void backgroundSearchDone();
    void setState(State state);

    PortWatcher *watcher_;
    State state_ = State::NoKeyboard;
    QString deviceName_;
    PortPair linkedPorts_;
    bool linkedInUpgradeMode_ = false;
    std::vector<PortPair> keyboards_;

    bool commandRunning_ = false;
    KeyboardWork *work_ = nullptr;
    bool searching_ = false;
    bool linkLost_ = false;
    PortPair triedPair_;

    // Ports that came while there was no link, not yet searched.
    QStringList newOutputs_;
    QStringList newInputs_;
    std::unique_ptr<QThread> backgroundSearch_;
    CancelToken backgroundCancel_;
    // Set by the search's thread as its last step: Qt 5's QThread::wait
    // orders that step before what follows, but where ThreadSanitizer does
    // not look.
    std::atomic<MidiController *> backgroundLink_{nullptr};
};
