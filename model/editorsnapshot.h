#pragma once

// What the editor keeps of a form with edits that are neither saved nor on
// the keyboard, so that a crash, a kill or a power cut does not lose them:
// the record, the file it belongs to, the control shown and the memory
// chosen for "Send to Mem". Its bytes end with a hash of all before it, so
// a snapshot cut short or damaged is refused whole, never half-read.

#include "model/settings.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <optional>

struct EditorSnapshot
{
    Settings record;
    QString fileName;
    int selectedControl = -1;
    int memorySlot = 0;
    QDateTime savedAt;

    QByteArray encode() const;
    // None unless `bytes` are a whole snapshot.
    static std::optional<EditorSnapshot> decode(const QByteArray &bytes);
};
