#include "model/controlclashes.h"

#include "model/controlcatalogue.h"
#include "model/controlmessage.h"

#include <QStringList>

#include <algorithm>
#include <iterator>
#include <map>
#include <tuple>

namespace {
// Only messages that name what they change can clash: a controller, a note,
// a program, or the one pitch bend of a channel. NRPN, aftertouch and MMC
// carry no number in the record to compare.
bool canClash(const ControlMessage &message)
{
    switch (message.kind) {
    case MessageKind::ControlChange:
    case MessageKind::Note:
    case MessageKind::ProgramChange:
        // A number of 0 means the control has none: it sends nothing to
        // clash with.
        return message.number != 0;
    case MessageKind::PitchBend:
        return true;
    default:
        return false;
    }
}

QString labelOf(int controlIndex)
{
    return QString::fromLatin1(kControlLabels[static_cast<std::size_t>(controlIndex)]);
}
} // namespace

ControlClashes::ControlClashes(const Settings &settings)
{
    using Key = std::tuple<int, int, int>;
    std::map<Key, std::vector<int>> bySentMessage;
    for (int control = 0; control < kControlCount; ++control) {
        const ControlMessage message = messageOf(settings, control);
        if (canClash(message))
            bySentMessage[Key(static_cast<int>(message.kind), message.channel, message.number)].push_back(control);
    }
    for (auto &entry : bySentMessage) {
        if (entry.second.size() > 1)
            groups_.push_back(std::move(entry.second));
    }
    std::sort(groups_.begin(), groups_.end());
}

const std::vector<int> *ControlClashes::groupOf(int controlIndex) const
{
    for (const std::vector<int> &group : groups_) {
        if (std::find(group.begin(), group.end(), controlIndex) != group.end())
            return &group;
    }
    return nullptr;
}

bool ControlClashes::clashes(int controlIndex) const
{
    return groupOf(controlIndex) != nullptr;
}

std::vector<int> ControlClashes::partnersOf(int controlIndex) const
{
    std::vector<int> partners;
    if (const std::vector<int> *group = groupOf(controlIndex))
        std::copy_if(group->begin(), group->end(), std::back_inserter(partners),
                     [controlIndex](int control) { return control != controlIndex; });
    return partners;
}

int ControlClashes::controlCount() const
{
    int count = 0;
    for (const std::vector<int> &group : groups_)
        count += static_cast<int>(group.size());
    return count;
}

QString ControlClashes::partnersText(int controlIndex) const
{
    QStringList names;
    for (int partner : partnersOf(controlIndex))
        names << labelOf(partner);
    //: %1 lists the controls that send the same message.
    return names.isEmpty() ? QString() : tr("Clashes with %1").arg(names.join(QStringLiteral(", ")));
}

QString clashSuffix(const Settings &settings)
{
    const int count = ControlClashes(settings).controlCount();
    //: Added to the status line.
    return count > 0 ? ControlClashes::tr(", %n controls clash", nullptr, count) : QString();
}
