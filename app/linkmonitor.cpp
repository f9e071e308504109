#include "app/linkmonitor.h"

#include "app/keyboardwork.h"
#include "midi/linksearch.h"
#include "midi/midicontroller.h"
#include "midi/portwatcher.h"
#include "midi/rememberedports.h"

#include <QMetaObject>
#include <QThread>

LinkMonitor::LinkMonitor(QObject *parent)
    : QObject(parent),
      watcher_(new PortWatcher(this))
{
    connect(watcher_, &PortWatcher::portsGone, this, &LinkMonitor::portsGone);
    connect(watcher_, &PortWatcher::portsAppeared, this, &LinkMonitor::portsAppeared);
    watcher_->setInterval(kListingIntervalMs);
}

LinkMonitor::~LinkMonitor()
{
    stopBackgroundSearch();
}

QString LinkMonitor::stateText(const QString &shownName) const
{
    switch (state_) {
    case State::Connected:
        return tr("Connected to '%1'").arg(shownName);
    case State::UpgradeMode:
        return tr("Keyboard in firmware upgrade mode");
    case State::Looking:
        return tr("Looking for the keyboard...");
    case State::NoKeyboard:
        break;
    }
    return tr("No keyboard connected");
}

void LinkMonitor::setState(State state)
{
    state_ = state;
    emit stateChanged();
}

void LinkMonitor::setLink(MidiController *link)
{
    const bool lost = !linkedPorts_.output.empty()
                      && (!link || link->portPair() != linkedPorts_ || link->upgradeMode() != linkedInUpgradeMode_);
    if (lost)
        emit linkLost();
    if (!link) {
        deviceName_.clear();
        linkedPorts_ = {};
        keyboards_.clear();
        setState(State::NoKeyboard);
        return;
    }
    deviceName_ = link->deviceName();
    linkedPorts_ = link->portPair();
    linkedInUpgradeMode_ = link->upgradeMode();
    keyboards_ = link->foundKeyboards();
    // Tried first by the next search, also in the next session.
    RememberedPorts::setLastLinked(linkedPorts_);
    setState(link->upgradeMode() ? State::UpgradeMode : State::Connected);
}

void LinkMonitor::release()
{
    // A search in the background holds the link's lock until it ends.
    stopBackgroundSearch();
    MidiController::releaseInstance();
    setLink(nullptr);
}

void LinkMonitor::beginCommand(KeyboardWork *work, bool searching)
{
    stopBackgroundSearch();
    commandRunning_ = true;
    work_ = work;
    searching_ = searching;
    linkLost_ = false;
    triedPair_ = {};
    if (searching)
        setState(State::Looking);
    // A port that goes while the keyboard is talked to ends the work soon.
    watcher_->setInterval(kBusyListingIntervalMs);
}

bool LinkMonitor::endCommand(MidiController *link)
{
    // News of a port that went in the last moment may still wait.
    watcher_->check();
    commandRunning_ = false;
    work_ = nullptr;
    searching_ = false;
    watcher_->setInterval(kListingIntervalMs);
    const bool lost = linkLost_;
    linkLost_ = false;
    if (lost && link) {
        release();
        return false;
    }
    setLink(link);
    return !lost;
}

void LinkMonitor::setTriedPair(const PortPair &pair)
{
    QMetaObject::invokeMethod(this, "noteTriedPair", Qt::QueuedConnection,
                              Q_ARG(QString, QString::fromStdString(pair.output)),
                              Q_ARG(QString, QString::fromStdString(pair.input)));
}

void LinkMonitor::noteTriedPair(const QString &output, const QString &input)
{
    triedPair_ = {output.toStdString(), input.toStdString()};
}

void LinkMonitor::portsGone(const QStringList &outputs, const QStringList &inputs)
{
    const PortPair &watched = searching_ ? triedPair_ : linkedPorts_;
    // Between the steps of a search nothing is watched; while it looks for
    // the output of an answering input, that input is.
    if (watched.output.empty() && watched.input.empty())
        return;
    if (!outputs.contains(QString::fromStdString(watched.output))
        && !inputs.contains(QString::fromStdString(watched.input)))
        return;
    if (commandRunning_) {
        // The command ends within the moment its waits take to wake up,
        // tells the user, and then the link goes. Not before: the command
        // may be using it.
        linkLost_ = true;
        if (work_)
            work_->cancel();
        return;
    }
    if (state_ == State::Connected || state_ == State::UpgradeMode)
        release();
}

void LinkMonitor::portsAppeared(const QStringList &outputs, const QStringList &inputs)
{
    if (commandRunning_ || state_ == State::Connected || state_ == State::UpgradeMode)
        return;
    newOutputs_ << outputs;
    newInputs_ << inputs;
    if (!backgroundSearch_)
        startBackgroundSearch();
}

void LinkMonitor::startBackgroundSearch()
{
    const QStringList outputs = newOutputs_;
    const QStringList inputs = newInputs_;
    newOutputs_.clear();
    newInputs_.clear();
    backgroundCancel_.reset();
    LinkSearch search;
    search.preferred = RememberedPorts::preferred();
    search.cancel = &backgroundCancel_;
    // Only the pairs with a new port: the others did not answer before.
    search.acceptPair = [outputs, inputs](const PortPair &pair) {
        return outputs.contains(QString::fromStdString(pair.output))
            || inputs.contains(QString::fromStdString(pair.input));
    };
    backgroundLink_.store(nullptr, std::memory_order_relaxed);
    backgroundSearch_.reset(QThread::create([this, search] {
        MidiController *const link = MidiController::getInstance(false, search);
        backgroundLink_.store(link, std::memory_order_release);
    }));
    // Only the news of this search's own thread counts: one stopped by a
    // command has been dealt with already.
    connect(backgroundSearch_.get(), &QThread::finished, this, [this, thread = backgroundSearch_.get()] {
        if (backgroundSearch_.get() == thread)
            backgroundSearchDone();
    });
    setState(State::Looking);
    backgroundSearch_->start();
}

void LinkMonitor::stopBackgroundSearch()
{
    if (!backgroundSearch_)
        return;
    backgroundCancel_.cancel();
    backgroundSearch_->wait();
    backgroundSearchDone();
}

void LinkMonitor::backgroundSearchDone()
{
    if (!backgroundSearch_)
        return;
    backgroundSearch_->wait();
    MidiController *const link = backgroundLink_.load(std::memory_order_acquire);
    // Its copy of the search goes with it, now that the thread is done.
    backgroundSearch_.reset();
    setLink(link);
    // Ports that came during the search (a device's second port, say).
    if (!link && !backgroundCancel_.cancelled() && (!newOutputs_.isEmpty() || !newInputs_.isEmpty()))
        startBackgroundSearch();
}
