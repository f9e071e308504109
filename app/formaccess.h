#pragma once

// Reaching the main window's form without a mouse: Tab goes through the
// markers as the eye reads the picture, screen readers announce every
// marker by its control's name and every field by its label.

#include <QCoreApplication>
#include <map>

struct Settings;
class DeviceWidget;
class QWidget;
class Ui_MainWindow;

class FormAccess
{
    Q_DECLARE_TR_FUNCTIONS(FormAccess)

public:
    // The control index of each control marker: pads 1..8 by their own
    // markers, 24..31 (pads 9..16) only through the pad bank.
    static std::map<DeviceWidget *, int> markerIndex(const Ui_MainWindow &ui);
    // Each marker's tooltip tells its control's assignment in `settings`
    // ("Cutoff: CC 74, channel Global, mode Continuous"); the pad-bank
    // switch tells which pads the pad markers stand for.
    static void showAssignments(const std::map<DeviceWidget *, int> &widgetIndex, DeviceWidget *padSwitch,
                                const Settings &settings, bool padBankHigh);
    // `widgetIndex` gives the control index of each control marker.
    static void setUp(QWidget *window, const Ui_MainWindow &ui, const std::map<DeviceWidget *, int> &widgetIndex);
};
