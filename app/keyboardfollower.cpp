#include "app/keyboardfollower.h"

#include "model/controlmessage.h"
#include "model/controlcatalogue.h"

#include <QStringList>

namespace {
int byteAt(const std::string &bytes, std::size_t index)
{
    return index < bytes.size() ? static_cast<unsigned char>(bytes[index]) : -1;
}
} // namespace

KeyboardFollower::Match KeyboardFollower::match(const Settings &settings, const std::string &bytes)
{
    Match result;
    const int status = byteAt(bytes, 0);
    const int channel = status & 0x0F;
    const int number = byteAt(bytes, 1);
    // Which kind of control message it is, and whether channel and number
    // must agree too.
    MessageKind kind = MessageKind::None;
    bool byChannel = false;
    bool byNumber = false;
    switch (status & 0xF0) {
    case 0xB0:
        kind = MessageKind::ControlChange;
        byChannel = byNumber = bytes.size() == 3;
        if (!byNumber)
            return result;
        break;
    case 0x90:
        // Velocity 0 is a Note Off: the pad is let go, not touched.
        if (bytes.size() != 3 || byteAt(bytes, 2) == 0)
            return result;
        kind = MessageKind::Note;
        byNumber = true;
        break;
    case 0xE0:
        if (bytes.size() != 3)
            return result;
        kind = MessageKind::PitchBend;
        break;
    default:
        return result;
    }
    result.follows = true;
    for (int index = 0; index < kControlCount; ++index) {
        const ControlMessage sent = messageOf(settings, index);
        if (sent.kind != kind || (byChannel && sent.channel != channel) || (byNumber && sent.number != number))
            continue;
        result.controls.push_back(index);
    }
    return result;
}

QString KeyboardFollower::describe(const Match &match)
{
    if (!match.follows)
        return QString();
    if (match.controls.empty())
        //: After a message the monitor shows: no control of the form sends it.
        return tr("-> no control sends this");
    QStringList names;
    for (int index : match.controls)
        names << QString::fromLatin1(kControlLabels[std::size_t(index)]);
    if (match.controls.size() == 1)
        //: After a message the monitor shows: %1 is the control that sends it.
        return tr("-> %1").arg(names.first());
    //: After a message the monitor shows: %1 lists the controls that all send it.
    return tr("-> clash: %1").arg(names.join(QStringLiteral(", ")));
}
