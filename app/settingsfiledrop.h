#pragma once

// A .telvir file dropped on the window is loaded as "Load..." loads it.

#include <QObject>
#include <QString>

#include <functional>

class QWidget;

class SettingsFileDrop : public QObject
{
public:
    // Watches `window` for drops; `load` gets the file once the drop is over.
    SettingsFileDrop(QWidget *window, std::function<void(const QString &)> load);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    const std::function<void(const QString &)> load_;
};
