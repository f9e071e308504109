#include "model/keyboardcopy.h"

void KeyboardCopy::setRead(const Settings &read, const ReadReport &report)
{
    // What the read did not ask for (a number the record says is 0) is
    // as known, or as unknown, as it was.
    Settings known = read;
    if (record_) {
        auto *bytes = reinterpret_cast<char *>(&known);
        for (std::size_t offset = 0; offset < Settings::kImageSize; ++offset) {
            if (!report.asked.test(offset))
                bytes[offset] = record_->image()[offset];
        }
    }
    record_ = known;
    unanswered_.reset();
    unknown_ &= ~report.asked;
    for (std::size_t offset : report.unanswered)
        unanswered_.set(offset);
    requested_ = report.requested;
}

void KeyboardCopy::setSent(const Settings &sent, const WriteReport &report)
{
    // Asked back and not found: not on the keyboard, whatever the copy says.
    if (record_)
        unknown_ |= report.unverified;
    if (report.carried.none())
        return;
    if (!record_) {
        record_ = sent;
        unknown_ = (report.tried & ~report.carried) | report.unverified;
        return;
    }
    Settings onKeyboard = *record_;
    auto *bytes = reinterpret_cast<char *>(&onKeyboard);
    for (std::size_t offset = 0; offset < Settings::kImageSize; ++offset) {
        if (report.carried.test(offset))
            bytes[offset] = sent.image()[offset];
    }
    record_ = onKeyboard;
    unanswered_ &= ~report.carried;
    unknown_ &= ~report.carried;
    unknown_ |= report.unverified;
}

void KeyboardCopy::forget()
{
    *this = KeyboardCopy();
}

int KeyboardCopy::changesNotSent(const Settings &edited) const
{
    if (!record_)
        return -1;
    int changes = edited.differencesFrom(*record_);
    // A field not known to be there counts even where the values happen to agree.
    const SettingsFields unsure = unanswered_ | unknown_;
    for (std::size_t offset = 0; offset < Settings::kImageSize; ++offset) {
        if (unsure.test(offset))
            changes += edited.image()[offset] == record_->image()[offset] ? 1 : 0;
    }
    return changes;
}
