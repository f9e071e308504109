#include "app/windowcommand.h"

#include <QAction>
#include <QKeySequence>
#include <QMainWindow>

QAction *WindowCommand::add(QMainWindow &window, const char *actionName, const QString &text, const QString &toolTip,
                            const char *shortcut, const std::function<void()> &open)
{
    auto *action = new QAction(text, &window);
    action->setObjectName(QLatin1String(actionName));
    action->setShortcut(QKeySequence(QLatin1String(shortcut)));
    action->setToolTip(toolTip);
    action->setStatusTip(toolTip);
    QObject::connect(action, &QAction::triggered, &window, open);
    window.addAction(action);
    return action;
}
