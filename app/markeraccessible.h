#pragma once

#include <QAccessibleWidget>

class DeviceWidget;

// What a screen reader learns of a marker: a button named after its control
// that is checked while the control is the selected one, and that can be
// pressed to select it. A plain push button would say nothing of the
// selection, which the picture shows only in colour.
class MarkerAccessible : public QAccessibleWidget
{
public:
    explicit MarkerAccessible(DeviceWidget *marker);

    // For QAccessible::installFactory: an interface for each DeviceWidget.
    static QAccessibleInterface *create(const QString &className, QObject *object);

    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;

private:
    DeviceWidget *marker() const;
};
