#pragma once

// The settings in which two records differ, one line each, named as the
// editor names them: "Knob 1, ccNumber: 74 -> 75", "octave: 0 -> +2".

#include "model/settings.h"

#include <QStringList>

class SettingsDifferences
{
public:
    static QStringList lines(const Settings &from, const Settings &to);
};
