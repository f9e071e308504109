#pragma once

// Settings as a JSON document that people can read, edit, review and diff:
//
//   {
//       "controls": {
//           "Cutoff": {"ccNumber": 74, "channel": "Global", "lsb": 0, "mode": "Continuous",
//                      "modeOption": "absolute", "msb": 127, "val": 0},
//           ... one object for each of the 37 controls, keyed by its label
//       },
//       "format": "telvir-settings",
//       "globals": {"accel": "Slow", "globalChannel": "1", "knobMode": "absolute",
//                   "octave": "0", "padCurve": "Linear", "velocityCurve": "Linear"}
//   }
//
// Keys are the record's field names and the controls' labels. A value is
// the text the editor shows for it ("Global", "Midi Note", "+2") where the
// editor has one, and its number otherwise: the numeric fields, and any
// byte outside the field's named range (a mode the control's kind does not
// allow, an option its mode does not have, channel 40). So every record,
// whatever its bytes, has exactly one document, and that document gives
// back the very same record.

#include "model/controlfields.h"
#include "model/globalparameters.h"
#include "model/settings.h"

#include <QByteArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>

class SettingsJson
{
public:
    // The value of the "format" key: what tells these documents apart.
    static const QString kFormat;

    static QJsonObject toObject(const Settings &settings);
    // The document, indented; keys come sorted, so the text is stable.
    static QByteArray toJson(const Settings &settings);

    // On success the record holds what the document says; on failure it
    // is unchanged and *error says what is wrong in one line: the line of
    // a syntax error, or the control and field of a value no field can
    // hold. Every control and every field must be there, once.
    static bool fromJson(const QByteArray &json, Settings *settings, QString *error = nullptr);

    // What a document holds for one field: its shown name, or its number.
    static QJsonValue globalValue(const Settings &settings, const GlobalParameter &global);
    static QJsonValue controlValue(const Settings &settings, int control, const ControlField &field);

    // A value of either kind as plain text ("Midi Note", "74").
    static QString text(const QJsonValue &value);
};
