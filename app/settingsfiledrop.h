#pragma once

// Settings files (.telvir, .json or .syx) dropped on a window are loaded as
// "Load..." loads them.

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

class SettingsFileDrop : public QObject
{
public:
    // Watches `window` for drops of one file; `load` gets it once the drop
    // is over.
    SettingsFileDrop(QWidget *window, std::function<void(const QString &)> load);
    // The same for drops of any number of settings files at once.
    SettingsFileDrop(QWidget *window, std::function<void(const QStringList &)> load, bool several);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    const std::function<void(const QStringList &)> load_;
    const bool several_;
};
