#pragma once

// A settings file of any kind, told apart by its name (SettingsFormat):
// "*.json" is a settings document (SettingsJson), "*.syx" the keyboard's
// messages (SysexFile), any other name a ".telvir" file (SettingsFile), as
// the editor loads files whatever their extension.

#include "model/settings.h"

#include <QString>

struct SettingsFormat;

class SettingsDocument
{
public:
    static bool isJson(const QString &path);

    // Both write through a temporary file, so a failure leaves an existing
    // file as it was. On failure *error says why in one line. A ".syx"
    // file holds the messages of a write into the "workArea".
    static bool save(const QString &path, const Settings &settings, QString *error = nullptr);
    // The same in the format given, whatever the name.
    static bool save(const QString &path, const Settings &settings, const SettingsFormat &format,
                     QString *error = nullptr);
    // A file whose name has no known extension and that starts as a
    // System Exclusive message is read as ".syx".
    // On failure the record is unchanged. `*note`, when given, gets one
    // line on what the record holds that the file did not say (the factory
    // values of settings a ".syx" file does not carry), or is emptied.
    static bool load(const QString &path, Settings *settings, QString *error = nullptr, QString *note = nullptr);
};
