#pragma once

// Follows the MIDI ports as devices are plugged in and out: it lists them
// when the MIDI system says that something changed (JACK), and otherwise
// every `interval`, and tells which port names came and which went since
// the last listing. Lives on the thread that runs its event loop.

#include <QObject>
#include <QStringList>
#include <QTimer>

class PortWatcher : public QObject
{
    Q_OBJECT

public:
    explicit PortWatcher(QObject *parent = nullptr);
    ~PortWatcher() override;

    // Listing intervals of 0 stop the regular listing; the MIDI system's
    // own news still come.
    void setInterval(int milliseconds);

    const QStringList &outputs() const { return outputs_; }
    const QStringList &inputs() const { return inputs_; }

public slots:
    // Lists the ports now and reports the differences.
    void check();

signals:
    void portsAppeared(const QStringList &outputs, const QStringList &inputs);
    void portsGone(const QStringList &outputs, const QStringList &inputs);

private:
    QTimer timer_;
    QStringList outputs_;
    QStringList inputs_;
};
