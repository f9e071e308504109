#pragma once

// The window's status line: the link and what the form holds, on one line
// that never widens the window. Where the whole line would not fit, the
// keyboard's port name gives way (shortened in its middle), so the counts
// stay whole; the tooltip always has the whole line.

#include <QLabel>

#include <functional>

class StatusLine : public QLabel
{
    Q_OBJECT

public:
    // Makes the line from a port name.
    using Compose = std::function<QString(const QString &name)>;

    explicit StatusLine(QWidget *parent = nullptr);

    void setLine(const Compose &compose, const QString &name);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void fit();

    Compose compose_;
    QString name_;
};
