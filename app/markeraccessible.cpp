#include "app/markeraccessible.h"

#include "app/devicewidget.h"

MarkerAccessible::MarkerAccessible(DeviceWidget *marker)
    : QAccessibleWidget(marker, QAccessible::Button)
{
}

QAccessibleInterface *MarkerAccessible::create(const QString &className, QObject *object)
{
    if (className == QLatin1String("DeviceWidget") && object && object->isWidgetType())
        return new MarkerAccessible(static_cast<DeviceWidget *>(object));
    return nullptr;
}

QAccessible::State MarkerAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.checkable = true;
    state.checked = marker()->isSelected();
    return state;
}

QStringList MarkerAccessible::actionNames() const
{
    return QStringList{pressAction()} + QAccessibleWidget::actionNames();
}

void MarkerAccessible::doAction(const QString &actionName)
{
    if (actionName == pressAction())
        marker()->click();
    else
        QAccessibleWidget::doAction(actionName);
}

DeviceWidget *MarkerAccessible::marker() const
{
    return static_cast<DeviceWidget *>(widget());
}
