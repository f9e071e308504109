#include "model/keyboardcopy.h"

#include <algorithm>

void KeyboardCopy::setRead(const Settings &read, const ReadReport &report)
{
    record_ = read;
    unanswered_ = report.unanswered;
    requested_ = report.requested;
}

void KeyboardCopy::setWritten(const Settings &written)
{
    record_ = written;
    unanswered_.clear();
}

void KeyboardCopy::setRecord(const Settings &record)
{
    if (record_) {
        const Settings &before = *record_;
        unanswered_.erase(std::remove_if(unanswered_.begin(), unanswered_.end(),
                                         [&](std::size_t offset) {
                                             return record.image()[offset] != before.image()[offset];
                                         }),
                          unanswered_.end());
    }
    record_ = record;
}

int KeyboardCopy::changesNotSent(const Settings &edited) const
{
    if (!record_)
        return -1;
    int changes = edited.differencesFrom(*record_);
    // An unanswered field counts even where the values happen to agree.
    for (std::size_t offset : unanswered_)
        changes += edited.image()[offset] == record_->image()[offset] ? 1 : 0;
    return changes;
}
