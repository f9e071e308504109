#pragma once

// What the editor knows the keyboard holds: the record last read from it,
// with what was sent to it since, and the settings that are not known to
// be on the keyboard at all (a read asked for them and got no answer; a
// write tried them before there was a record and they did not go out).
// A field counts as sent only when a message carrying it went out: one
// that a write leaves out keeps the keyboard's value. The copy belongs to
// one link: when the keyboard goes, it is forgotten.

#include "model/settings.h"

#include <optional>

class KeyboardCopy
{
public:
    // None before the first read or send, and after forget().
    const std::optional<Settings> &record() const { return record_; }

    // After a read: `read` as it came, with the fields `report` names as
    // unanswered; the fields it did not ask for keep what the copy had.
    void setRead(const Settings &read, const ReadReport &report);
    // After a write of `sent`: the fields `report` says went out are on
    // the keyboard; the others keep what the copy had. Without a copy,
    // `sent` stands in for it, except for the fields tried and not carried.
    void setSent(const Settings &sent, const WriteReport &report);
    // The keyboard went away, or another took its place.
    void forget();

    // Settings (bytes) of `edited` not known to be on the keyboard; -1
    // before the first read or send.
    int changesNotSent(const Settings &edited) const;

    // Of the last read: how many settings were asked for and answered.
    int requested() const { return requested_; }
    int answered() const { return requested_ - int(unanswered_.count()); }

private:
    std::optional<Settings> record_;
    SettingsFields unanswered_;
    SettingsFields unknown_;
    int requested_ = 0;
};
