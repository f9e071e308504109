#include "app/devicewidget.h"

#include "app/mainwindow.h"

#include <QStyle>
#include <QVariant>

DeviceWidget::DeviceWidget(QWidget *parent)
    : QPushButton(parent)
{
    if (theMainWindow)
        connect(this, SIGNAL(clicked()), theMainWindow, SLOT(deviceWidgetOnClick()));
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
    applySelection(true);
}

void DeviceWidget::markUnselected()
{
    applySelection(false);
}

void DeviceWidget::applySelection(bool selectedNow)
{
    setProperty("isSelected", QVariant(selectedNow));
    style()->unpolish(this);
    style()->polish(this);
    update();
}
