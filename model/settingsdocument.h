#pragma once

// A settings file of either kind, told apart by its name: "*.json" is a
// settings document (SettingsJson), any other name a ".telvir" file
// (SettingsFile), as the editor loads files whatever their extension.

#include "model/settings.h"

#include <QString>

class SettingsDocument
{
public:
    static bool isJson(const QString &path);

    // Both write through a temporary file, so a failure leaves an existing
    // file as it was. On failure *error says why in one line.
    static bool save(const QString &path, const Settings &settings, QString *error = nullptr);
    // On failure the record is unchanged.
    static bool load(const QString &path, Settings *settings, QString *error = nullptr);
};
