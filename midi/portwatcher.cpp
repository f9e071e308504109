#include "midi/portwatcher.h"

#include "midi/portchanges.h"
#include "midi/portnames.h"
#ifndef _WIN32
#include "midi/midibackend.h"
#endif

#include <QMetaObject>

#include <string>
#include <vector>

namespace {
#ifndef _WIN32
QStringList toStringList(const std::vector<std::string> &names)
{
    QStringList list;
    for (const std::string &name : names)
        list << QString::fromStdString(name);
    return list;
}
#endif

// The names now present, without renumbering the ports that a search on
// another thread may be opening by number.
QStringList presentPorts(bool outputs)
{
#ifdef _WIN32
    // WinMM numbers its ports itself; listing does not change them.
    return outputs ? PortNames::outputs() : PortNames::inputs();
#else
    return toStringList(currentMidiBackend()->presentPortNames(outputs));
#endif
}

// Names as the port service reports them to a search: at most 31 characters.
QStringList shortened(QStringList names)
{
    for (QString &name : names)
        name.truncate(MAXPNAMELEN - 1);
    return names;
}

QStringList missingFrom(const QStringList &names, const QStringList &others)
{
    QStringList missing;
    for (const QString &name : names)
        if (!others.contains(name))
            missing << name;
    return missing;
}
} // namespace

PortWatcher::PortWatcher(QObject *parent)
    : QObject(parent)
{
    connect(&timer_, &QTimer::timeout, this, &PortWatcher::check);
    outputs_ = shortened(presentPorts(true));
    inputs_ = shortened(presentPorts(false));
    // By the slot's name: see KeyboardWork::report.
    PortChanges::setListener([this] { QMetaObject::invokeMethod(this, "check", Qt::QueuedConnection); });
}

PortWatcher::~PortWatcher()
{
    PortChanges::setListener(nullptr);
}

void PortWatcher::setInterval(int milliseconds)
{
    if (milliseconds <= 0) {
        timer_.stop();
        return;
    }
    if (timer_.isActive() && timer_.interval() == milliseconds)
        return;
    timer_.start(milliseconds);
}

void PortWatcher::check()
{
    const QStringList outputs = shortened(presentPorts(true));
    const QStringList inputs = shortened(presentPorts(false));
    const QStringList goneOutputs = missingFrom(outputs_, outputs);
    const QStringList goneInputs = missingFrom(inputs_, inputs);
    const QStringList newOutputs = missingFrom(outputs, outputs_);
    const QStringList newInputs = missingFrom(inputs, inputs_);
    outputs_ = outputs;
    inputs_ = inputs;
    if (!goneOutputs.isEmpty() || !goneInputs.isEmpty())
        emit portsGone(goneOutputs, goneInputs);
    if (!newOutputs.isEmpty() || !newInputs.isEmpty())
        emit portsAppeared(newOutputs, newInputs);
}
