#pragma once

// A ".syx" file: the keyboard's System Exclusive messages back to back, as
// any SysEx sender replays them and a MIDI monitor captures them.
//
// Written, it holds exactly the set messages of a write into one memory.
// Read, it may hold the set messages of one memory or the keyboard's
// replies to a read; each message sets one parameter, the last one wins.
// What no message carries comes from the factory settings. Anything else
// (another device's message, a broken or cut-off one, a status byte inside
// a message) refuses the whole file.

#include "model/settings.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <optional>

class SysexFile
{
    Q_DECLARE_TR_FUNCTIONS(SysexFile)

public:
    // A whole write is some 260 messages of 12 bytes, a captured read about
    // as many: far beyond that a file is something else, and is not read
    // whole into memory.
    static constexpr qint64 kMaxSize = 64 * 1024;

    // What a file told.
    struct Content
    {
        Settings settings;
        // The memory its set messages are for; none for replies.
        std::optional<int> memory;
        // "Pad #3 CC Number": the settings a write could carry that no
        // message of the file carried; they hold the factory values.
        QStringList notCarried;
    };

    // The set messages that a write of `settings` into memory `slot` sends.
    static QByteArray messages(const Settings &settings, int slot);

    // Writes messages(settings, slot) as SettingsFile::writeSafely does.
    static bool save(const QString &path, const Settings &settings, int slot, QString *error = nullptr);

    // On failure *content is unchanged and *error says why in one line,
    // with the offset of the first byte that is wrong.
    static bool parse(const QByteArray &bytes, Content *content, QString *error = nullptr);
    static bool load(const QString &path, Content *content, QString *error = nullptr);

    // One line naming the settings that came from the factory settings;
    // empty when there are none.
    static QString notCarriedText(const QStringList &names);
};
