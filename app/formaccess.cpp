#include "app/formaccess.h"

#include "app/devicewidget.h"
#include "app/padbank.h"
#include "model/controlfields.h"
#include "model/settingnames.h"
#include "model/settings.h"
#include "ui_mainwindow.h"

#include <QCoreApplication>

#include <utility>
#include <vector>

namespace {
// The 30 markers row by row, left to right: the form creates them in no
// order a user would follow.
std::vector<DeviceWidget *> markersInPictureOrder(const Ui_MainWindow &ui)
{
    return {
        ui.pushButton_33, // the pedal, top left
        ui.pushButton_5,  ui.pushButton_6,  ui.pushButton_7,  ui.pushButton_8,  // upper knob row
        ui.pushButton_9,  ui.pushButton_10, ui.pushButton_11, ui.pushButton_12,
        ui.pushButton_13, ui.pushButton_14, ui.pushButton_15, ui.pushButton_16, // lower knob row
        ui.pushButton_17, ui.pushButton_18, ui.pushButton_19, ui.pushButton_20,
        ui.padSwitch,     ui.pushButton_29, ui.pushButton_30,                   // pad bank, octave
        ui.pushButton_21, ui.pushButton_22, ui.pushButton_23, ui.pushButton_24, // pads
        ui.pushButton_25, ui.pushButton_26, ui.pushButton_27, ui.pushButton_28,
        ui.pushButton_31, ui.pushButton_32,                                     // wheels
    };
}
QString assignmentOf(const Settings &settings, int controlIndex)
{
    const Setting &setting = settings.controls[static_cast<std::size_t>(controlIndex)];
    const QString name = labelOf(controlIndex);
    const QString number = QString::number(setting.ccNumber);
    const QString channel = channelNames().value(setting.channel, QString::number(setting.channel + 1));
    //: What a control marker is assigned to, for a screen reader: %1 is the control.
    if (kindOf(controlIndex) == ControlKind::None) {
        return setting.ccNumber != 0 ? FormAccess::tr("%1: CC %2, channel %3").arg(name, number, channel)
                                     : FormAccess::tr("%1: channel %2").arg(name, channel);
    }
    const QString mode = SettingNames::shown(fieldText(*controlField(QStringLiteral("mode")), controlIndex, setting));
    return setting.ccNumber != 0 ? FormAccess::tr("%1: CC %2, channel %3, mode %4").arg(name, number, channel, mode)
                                 : FormAccess::tr("%1: channel %2, mode %3").arg(name, channel, mode);
}
} // namespace

void FormAccess::showAssignments(const std::map<DeviceWidget *, int> &widgetIndex, DeviceWidget *padSwitch,
                                 const Settings &settings, bool padBankHigh)
{
    for (const auto &[marker, index] : widgetIndex)
        marker->setToolTip(assignmentOf(settings, padBankHigh && isLowPad(index) ? index + kPadBankOffset : index));
    const int firstPad = padBankHigh ? kFirstPadIndex + kPadBankOffset : kFirstPadIndex;
    padSwitch->setToolTip(
        FormAccess::tr("Pad Bank: %1 to %2").arg(labelOf(firstPad), labelOf(firstPad + kPadBankOffset - 1)));
}

void FormAccess::setUp(QWidget *window, const Ui_MainWindow &ui, const std::map<DeviceWidget *, int> &widgetIndex)
{
    const std::vector<DeviceWidget *> markers = markersInPictureOrder(ui);
    for (std::size_t position = 1; position < markers.size(); ++position)
        window->setTabOrder(markers[position - 1], markers[position]);

    for (const auto &[marker, index] : widgetIndex) {
        QString name = labelOf(index);
        if (isLowPad(index))
            name += QStringLiteral(" / ") + labelOf(index + kPadBankOffset);
        marker->setAccessibleName(name);
    }
    ui.padSwitch->setAccessibleName(tr("Pad Bank"));

    const std::pair<QLabel *, QWidget *> labelledFields[] = {
        {ui.label_2, ui.globalChannel}, {ui.label_12, ui.octave}, {ui.label_3, ui.padCurve},
        {ui.label_5, ui.accel},         {ui.label_13, ui.knobMode}, {ui.label_4, ui.velocityCurve},
        {ui.label_14, ui.ccNumber},     {ui.label_11, ui.mode},   {ui.label_8, ui.lsb},
        {ui.label_7, ui.channel},       {ui.label_15, ui.val},    {ui.label_9, ui.modeOption},
        {ui.label_10, ui.msb},          {ui.label_6, ui.memId},
    };
    for (const auto &[label, field] : labelledFields) {
        label->setBuddy(field);
        // Without the colon and the blanks that line the form up.
        QString name = label->text().trimmed();
        if (name.endsWith(QLatin1Char(':')))
            name.chop(1);
        field->setAccessibleName(name.trimmed());
    }
    ui.widgetName->setAccessibleName(tr("Selected Control"));
}

std::map<DeviceWidget *, int> FormAccess::markerIndex(const Ui_MainWindow &ui)
{
    DeviceWidget *const inIndexOrder[] = {
        ui.pushButton_5,  ui.pushButton_6,  ui.pushButton_7,  ui.pushButton_8,  // 0..3
        ui.pushButton_9,  ui.pushButton_10, ui.pushButton_11, ui.pushButton_12, // 4..7
        ui.pushButton_13, ui.pushButton_14, ui.pushButton_15, ui.pushButton_16, // 8..11
        ui.pushButton_17, ui.pushButton_18, ui.pushButton_19, ui.pushButton_20, // 12..15
        ui.pushButton_21, ui.pushButton_22, ui.pushButton_23, ui.pushButton_24, // 16..19
        ui.pushButton_25, ui.pushButton_26, ui.pushButton_27, ui.pushButton_28, // 20..23
    };
    std::map<DeviceWidget *, int> index;
    for (DeviceWidget *marker : inIndexOrder)
        index.emplace(marker, int(index.size()));
    index[ui.pushButton_29] = 32; // "OCT -"
    index[ui.pushButton_30] = 33; // "OCT +"
    index[ui.pushButton_31] = 34; // "Pitch"
    index[ui.pushButton_32] = 35; // "Mod"
    index[ui.pushButton_33] = 36; // "Substain"
    return index;
}
