#pragma once

// The seven fields of one control's assignment: their names in the record
// and in settings documents, the editor's labels, and what each field lists,
// shows and stores for a control. The editor's panel, its table of all
// controls, the settings documents and the command line all read this one
// table, so a value is named the same everywhere.

#include "model/setting.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

struct ControlField
{
    const char *field;            // name of the record field, e.g. "ccNumber"
    const char *label;            // the editor's label, e.g. "CC Number"
    std::uint8_t Setting::*value; // the field in a Setting record
};

constexpr int kControlFieldCount = 7;

// "mode" comes before "modeOption": the names of an option depend on the mode.
extern const std::array<ControlField, kControlFieldCount> kControlFields;

// The field of that record name ("ccNumber"); null for none.
const ControlField *controlField(const QString &name);

// "1".."16", "Global": a channel byte's names.
const QStringList &channelNames();
// "0".."127".
const QStringList &valueNames();

// Whether `mode` is one of the modes the kind of control `controlIndex` may take.
bool isAllowedMode(int controlIndex, int mode);

// Names by stored value: names[v] names the value v. Only what the editor
// can show has a name: channels, the modes of the control's kind and the
// options of such a mode; other values (numbers) have none, and neither
// has a value past the end or with an empty name.
QStringList fieldValueNames(const ControlField &field, int controlIndex, const Setting &setting);

// The items the editor lists in `field` for control `controlIndex` whose
// record is `setting`, by position; empty where the field is disabled and
// empty (a ccNumber of 0, the mode and option of the octave buttons, the
// option of a mode without options).
QStringList fieldItems(const ControlField &field, int controlIndex, const Setting &setting);
bool fieldEnabled(const ControlField &field, int controlIndex, const Setting &setting);
// The item position that shows the record's value; -1 when no item does.
int fieldPosition(const ControlField &field, int controlIndex, const Setting &setting);
// The text shown for the record's value: its item, or the plain number
// when no item shows it; empty where the field is disabled and empty.
QString fieldText(const ControlField &field, int controlIndex, const Setting &setting);

// Stores a chosen item position as the editor does: a mode through the
// kind's list of allowed modes, after which the option is reset to 0,
// since it belonged to the old mode. A position with no item changes nothing.
void storeFieldPosition(const ControlField &field, int controlIndex, Setting &setting, int position);

// A mode the control's kind does not allow (from a file, say) becomes
// "Off - Disabled", as the editor shows it; true when the record changed.
bool settleMode(int controlIndex, Setting &setting);
