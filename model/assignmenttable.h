#pragma once

// All 37 controls' assignments as one table: a row per control, the
// control's label and then its fields with the texts the editor's panel
// shows. The "All Controls" window and the printed sheet show the same
// columns from here.

#include "model/controlfields.h"
#include "model/settings.h"

#include <QString>
#include <QStringList>

class AssignmentTable
{
public:
    static constexpr int kControlColumn = 0;
    static constexpr int kColumnCount = 1 + kControlFieldCount;

    // "Control", "Mode", "Channel", "CC Number / Note", "Value", "Min / LSB",
    // "Max / MSB", "Mode Option".
    static QStringList headers();

    // The field a column shows; null for the Control column and outside.
    static const ControlField *fieldOf(int column);
    static int columnOf(const ControlField &field);

    // The label of the control, or the editor's text for the field.
    static QString text(const Settings &settings, int controlIndex, int column);
};
