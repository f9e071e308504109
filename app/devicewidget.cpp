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
    // A marker that has never been polished gets its first polish when it
    // is shown, with the state it has by then; polishing it here as well
    // would style each of the form's 30 markers twice during start-up.
    if (testAttribute(Qt::WA_WState_Polished)) {
        style()->unpolish(this);
        style()->polish(this);
    }
    update();
}
