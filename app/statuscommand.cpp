#include "app/statuscommand.h"

#include "app/mainwindow.h"

#include <QAction>
#include <QKeySequence>
#include <QToolButton>

QAction *StatusCommand::add(MainWindow &window, const char *actionName, const char *buttonName, const QString &text,
                            const QString &toolTip, const char *shortcut, const std::function<void()> &open)
{
    auto *action = new QAction(text, &window);
    action->setObjectName(QLatin1String(actionName));
    action->setShortcut(QKeySequence(QLatin1String(shortcut)));
    QObject::connect(action, &QAction::triggered, &window, open);
    window.addAction(action);

    // Flat as "Read" and "Ports...", so the status line keeps its height.
    auto *button = new QToolButton(&window);
    button->setObjectName(QLatin1String(buttonName));
    button->setText(text);
    button->setToolTip(toolTip);
    button->setAutoRaise(true);
    QObject::connect(button, &QToolButton::clicked, action, &QAction::trigger);
    window.addStatusWidget(button, true);
    return action;
}
