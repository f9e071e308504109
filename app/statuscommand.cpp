#include "app/statuscommand.h"

#include <QAction>
#include <QKeySequence>
#include <QLayout>
#include <QMainWindow>
#include <QStatusBar>
#include <QToolButton>

#include <algorithm>

QAction *StatusCommand::add(QMainWindow &window, const char *actionName, const char *buttonName, const QString &text,
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
    place(window, button, true);
    return action;
}

void StatusCommand::place(QMainWindow &window, QWidget *widget, bool beforeRead)
{
    QStatusBar *statusBar = window.statusBar();
    if (!beforeRead) {
        statusBar->addPermanentWidget(widget);
        return;
    }
    // The permanent widgets follow the status line, which comes first.
    auto *readButton = window.findChild<QToolButton *>(QStringLiteral("btnRead"));
    const int readPosition = statusBar->layout()->indexOf(readButton);
    statusBar->insertPermanentWidget(std::max(1, readPosition), widget);
}
