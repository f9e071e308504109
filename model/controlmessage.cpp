#include "model/controlmessage.h"

#include "model/controlcatalogue.h"

#include <algorithm>

namespace {
// Mode numbers, as kModeNames names them.
constexpr int kModeContinuous = 1;
constexpr int kModeNrpn = 4;
constexpr int kModeMmc = 7;
constexpr int kModeSwitched = 8;
constexpr int kModeMidiNote = 9;
constexpr int kModePatchChange = 11;
constexpr int kModePitchBend = 12;
constexpr int kModeAftertouch = 14;

constexpr int kNotesPerOctave = 12;
// The keyboard's own octave numbering: note 36, its first pad, is C1.
constexpr int kOctaveOfNoteZero = -2;

bool isAllowed(ControlKind kind, int mode)
{
    if (kind == ControlKind::None)
        return false;
    const std::vector<int> &allowed = kAllowedModes[static_cast<std::size_t>(kind)];
    return std::find(allowed.begin(), allowed.end(), mode) != allowed.end();
}

MessageKind kindOfMode(int mode)
{
    switch (mode) {
    case kModeContinuous:
    case kModeSwitched:
        return MessageKind::ControlChange;
    case kModeMidiNote:
        return MessageKind::Note;
    case kModePatchChange:
        return MessageKind::ProgramChange;
    case kModePitchBend:
        return MessageKind::PitchBend;
    case kModeAftertouch:
        return MessageKind::ChannelPressure;
    case kModeNrpn:
        return MessageKind::Nrpn;
    case kModeMmc:
        return MessageKind::Mmc;
    default:
        return MessageKind::None;
    }
}

bool hasNumber(MessageKind kind)
{
    return kind == MessageKind::ControlChange || kind == MessageKind::Note || kind == MessageKind::ProgramChange;
}
} // namespace

ControlMessage messageOf(const Settings &settings, int controlIndex)
{
    ControlMessage message;
    if (controlIndex < 0 || controlIndex >= kControlCount)
        return message;
    const Setting &setting = settings.controls[static_cast<std::size_t>(controlIndex)];
    if (!isAllowed(kindOf(controlIndex), setting.mode))
        return message;
    message.kind = kindOfMode(setting.mode);
    // MMC is System Exclusive: it has no channel and no number.
    if (message.kind == MessageKind::None || message.kind == MessageKind::Mmc)
        return message;
    message.channel = setting.channel == kGlobalChannel ? settings.globalChannel : setting.channel;
    message.number = hasNumber(message.kind) ? setting.ccNumber : 0;
    return message;
}

QString noteName(int note)
{
    static const char *const names[kNotesPerOctave] = {"C", "C#", "D", "D#", "E", "F",
                                                       "F#", "G", "G#", "A", "A#", "B"};
    const int octave = note / kNotesPerOctave + kOctaveOfNoteZero;
    return QString::fromLatin1(names[note % kNotesPerOctave]) + QString::number(octave);
}

QString describeMessage(const ControlMessage &message)
{
    const QString channel = QStringLiteral(" ch %1").arg(message.channel + 1);
    switch (message.kind) {
    case MessageKind::ControlChange:
        return QStringLiteral("CC %1").arg(message.number) + channel;
    case MessageKind::Note:
        return QStringLiteral("Note %1").arg(noteName(message.number)) + channel;
    case MessageKind::ProgramChange:
        return QStringLiteral("Program %1").arg(message.number) + channel;
    case MessageKind::PitchBend:
        return QStringLiteral("Pitch Bend") + channel;
    case MessageKind::ChannelPressure:
        return QStringLiteral("Aftertouch") + channel;
    case MessageKind::Nrpn:
        return QStringLiteral("NRPN") + channel;
    case MessageKind::Mmc:
        return QStringLiteral("MMC");
    case MessageKind::None:
        break;
    }
    return QString();
}
