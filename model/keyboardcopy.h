#pragma once

// What the editor knows the keyboard holds: the record last read from it or
// sent to it, and the settings that a read asked for and got no answer to,
// which are then not known to be on the keyboard at all.

#include "model/settings.h"

#include <cstddef>
#include <optional>
#include <vector>

class KeyboardCopy
{
public:
    // None before the first read or send.
    const std::optional<Settings> &record() const { return record_; }

    // After a read: `read` as it came, with the fields `report` names as unanswered.
    void setRead(const Settings &read, const ReadReport &report);
    // After a whole write: every field is on the keyboard.
    void setWritten(const Settings &written);
    // After a part was sent: `record` with the fields that went out; a
    // field that changed is known from now on.
    void setRecord(const Settings &record);

    // Settings (bytes) of `edited` not known to be on the keyboard; -1
    // before the first read or send.
    int changesNotSent(const Settings &edited) const;

    // Of the last read: how many settings were asked for and answered.
    int requested() const { return requested_; }
    int answered() const { return requested_ - int(unanswered_.size()); }

private:
    std::optional<Settings> record_;
    std::vector<std::size_t> unanswered_;
    int requested_ = 0;
};
