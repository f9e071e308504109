#include "app/devicewidget.h"

#include "app/mainwindow.h"
#include "app/markeraccessible.h"

#include <QAccessible>

#include <QFocusEvent>
#include <QKeyEvent>
#include <QStyle>
#include <QVariant>

#include <cstdlib>
#include <limits>

DeviceWidget::DeviceWidget(QWidget *parent)
    : QPushButton(parent)
{
    static const bool accessibleAsMarker = (QAccessible::installFactory(MarkerAccessible::create), true);
    Q_UNUSED(accessibleAsMarker)
    if (theMainWindow)
        connect(this, SIGNAL(clicked()), theMainWindow, SLOT(deviceWidgetOnClick()));
    setFocusPolicy(Qt::StrongFocus);
    markUnselected();
}

bool DeviceWidget::isSelected() const
{
    return selected;
}

void DeviceWidget::setIsSelected(bool selectedNow)
{
    selected = selectedNow;
}

void DeviceWidget::markSelected()
{
    restyle("isSelected", true);
    announceSelection();
}

void DeviceWidget::markUnselected()
{
    restyle("isSelected", false);
    announceSelection();
}

void DeviceWidget::announceSelection()
{
    if (!QAccessible::isActive())
        return;
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
}

void DeviceWidget::restyle(const char *property, bool value)
{
    setProperty(property, QVariant(value));
    // A marker that has never been polished gets its first polish when it
    // is shown, with the state it has by then; polishing it here as well
    // would style each of the form's 30 markers twice during start-up.
    if (testAttribute(Qt::WA_WState_Polished)) {
        style()->unpolish(this);
        style()->polish(this);
    }
    update();
}

void DeviceWidget::focusInEvent(QFocusEvent *event)
{
    // The style sheet outlines a marker that the keyboard brought the focus
    // to; one that was clicked looks as it always did. Focus that comes
    // back with the window keeps the look it had.
    switch (event->reason()) {
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
    case Qt::ShortcutFocusReason:
        restyle("keyboardFocus", true);
        break;
    case Qt::MouseFocusReason:
        restyle("keyboardFocus", false);
        break;
    default:
        break;
    }
    QPushButton::focusInEvent(event);
}

void DeviceWidget::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // A push button outside a dialog ignores Enter; a marker treats it
        // like Space.
        click();
        return;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        // A plain push button would move along the Tab chain; on a picture
        // the arrow is expected to go where it points.
        if (DeviceWidget *next = neighbourTowards(event->key()))
            next->setFocus(Qt::TabFocusReason);
        return;
    default:
        QPushButton::keyPressEvent(event);
    }
}

DeviceWidget *DeviceWidget::neighbourTowards(int arrowKey) const
{
    if (!parentWidget())
        return nullptr;
    const QPoint from = geometry().center();
    DeviceWidget *nearest = nullptr;
    int nearestScore = std::numeric_limits<int>::max();
    const auto siblings = parentWidget()->findChildren<DeviceWidget *>(QString(), Qt::FindDirectChildrenOnly);
    for (DeviceWidget *candidate : siblings) {
        if (candidate == this || candidate->isHidden() || !candidate->isEnabled())
            continue;
        const QPoint offset = candidate->geometry().center() - from;
        int ahead = 0;
        int aside = 0;
        switch (arrowKey) {
        case Qt::Key_Left: ahead = -offset.x(); aside = offset.y(); break;
        case Qt::Key_Right: ahead = offset.x(); aside = offset.y(); break;
        case Qt::Key_Up: ahead = -offset.y(); aside = offset.x(); break;
        default: ahead = offset.y(); aside = offset.x(); break;
        }
        // Only markers within 45 degrees of the arrow count; straight ahead
        // beats a little closer but off to the side, so the arrows follow
        // the rows and columns of the picture.
        if (ahead <= 0 || std::abs(aside) > ahead)
            continue;
        const int score = ahead + 2 * std::abs(aside);
        if (score < nearestScore) {
            nearestScore = score;
            nearest = candidate;
        }
    }
    return nearest;
}
