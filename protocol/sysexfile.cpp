#include "protocol/sysexfile.h"

#include "commands/keyboardcommand.h"
#include "model/controlcatalogue.h"
#include "model/controlfields.h"
#include "model/globalparameters.h"
#include "model/settingsfile.h"
#include "protocol/parameterformat.h"
#include "protocol/parametermap.h"
#include "protocol/parametermessage.h"

namespace {
// A longer list would hide the sentence it belongs to.
constexpr int kNamesShown = 10;

static_assert(kSetLength == kReplyLength, "a set and a reply are read alike");

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

int offsetOf(const Settings &settings, const std::uint8_t &field)
{
    return int(reinterpret_cast<const char *>(&field) - settings.image());
}

bool isSelector(int selector)
{
    return selector == kGlobalGroup || selector == kCurveGroup
        || (selector >= kSubValue && selector < kSubValue + kSubParameterCount);
}

class SysexReader
{
public:
    explicit SysexReader(const QByteArray &bytes) : bytes_(bytes) {}

    bool read(SysexFile::Content *content, QString *error);

private:
    enum class Kind { None, Set, Reply };

    unsigned char byteAt(int offset) const { return static_cast<unsigned char>(bytes_[offset]); }
    bool messageAt(int offset);
    bool takeMessage(int offset);
    void leaveOutWhatAModeCannotHold();
    QStringList namesNotCarried() const;
    bool refuseByte(int offset);

    const QByteArray &bytes_;
    Settings settings_;
    SettingsFields carried_;
    Kind kind_ = Kind::None;
    int memory_ = -1;
    QString error_;
};

bool SysexReader::read(SysexFile::Content *content, QString *error)
{
    // Checked before anything is parsed, so a huge file costs nothing.
    if (bytes_.size() > SysexFile::kMaxSize) {
        setError(error, SysexFile::tr("Not a settings file of this keyboard: it is larger than %1 bytes.")
                            .arg(SysexFile::kMaxSize));
        return false;
    }
    for (int offset = 0; offset < bytes_.size(); offset += kSetLength) {
        if (!messageAt(offset) || !takeMessage(offset)) {
            setError(error, error_);
            return false;
        }
    }
    if (kind_ == Kind::None) {
        setError(error, SysexFile::tr("Not a settings file of this keyboard: it holds no messages."));
        return false;
    }
    leaveOutWhatAModeCannotHold();
    content->settings = settings_;
    content->memory = kind_ == Kind::Set ? std::optional<int>(memory_) : std::nullopt;
    content->notCarried = namesNotCarried();
    return true;
}

bool SysexReader::refuseByte(int offset)
{
    //: %1 is a byte in hexadecimal ("41"), %2 its position in the file.
    error_ = SysexFile::tr("Not a settings file of this keyboard: unexpected byte 0x%1 at offset %2.")
                 .arg(QStringLiteral("%1").arg(byteAt(offset), 2, 16, QLatin1Char('0')).toUpper())
                 .arg(offset);
    return false;
}

// The form of one message: the header, five data bytes and F7.
bool SysexReader::messageAt(int offset)
{
    const int header = int(kParamHeader.size());
    for (int position = 0; position < kSetLength; ++position) {
        const int at = offset + position;
        if (at >= bytes_.size()) {
            error_ = SysexFile::tr("Not a settings file of this keyboard: it ends inside the message "
                                   "that starts at offset %1.")
                         .arg(offset);
            return false;
        }
        const unsigned char byte = byteAt(at);
        const bool fits = position < header           ? byte == static_cast<unsigned char>(kParamHeader[position])
                          : position == kSetLength - 1 ? byte == kEndOfExclusive
                                                       : byte <= kMaxDataByte;
        if (!fits)
            return refuseByte(at);
    }
    return true;
}

// What the message says, and whether it belongs with the others.
bool SysexReader::takeMessage(int offset)
{
    // A reply's command and memory bytes are not the keyboard's to define:
    // anything but a set's command is taken for a reply.
    const Kind kind = byteAt(offset + kCommandByte) == kSetCommand ? Kind::Set : Kind::Reply;
    if (kind_ != Kind::None && kind != kind_) {
        error_ = SysexFile::tr("The file mixes set messages with the keyboard's replies (at offset %1); "
                               "it must hold only one of the two.")
                     .arg(offset);
        return false;
    }
    kind_ = kind;
    if (kind == Kind::Set) {
        const int slot = byteAt(offset + kSlotByte);
        if (slot >= kMemorySlotCount)
            return refuseByte(offset + kSlotByte);
        if (memory_ >= 0 && slot != memory_) {
            //: %1 and %3 are memories ("workArea", "1".."8"), %2 a position in the file.
            error_ = SysexFile::tr("The file holds set messages for memory %1 and, at offset %2, for memory %3; "
                                   "it must hold those of one memory only.")
                         .arg(KeyboardCommand::memoryName(memory_))
                         .arg(offset)
                         .arg(KeyboardCommand::memoryName(slot));
            return false;
        }
        memory_ = slot;
    }
    const int selector = byteAt(offset + kSelectorByte);
    const int number = byteAt(offset + kNumberByte);
    const int field = parameterOffset(selector, number);
    if (field < 0)
        return refuseByte(offset + (isSelector(selector) ? kNumberByte : kSelectorByte));
    // A set carries the same wire value that a read gets back.
    storeParameterReply(settings_, selector, number, byteAt(offset + kValueByte));
    carried_.set(std::size_t(field));
    return true;
}

// A write never sends the option of a mode that has none, and the only
// option such a mode can hold is 0.
void SysexReader::leaveOutWhatAModeCannotHold()
{
    for (int index = 0; index < kControlCount; ++index) {
        Setting &setting = settings_.controls[index];
        if (!carried_.test(std::size_t(offsetOf(settings_, setting.modeOption)))
            && optionsOfMode(setting.mode).isEmpty()) {
            setting.modeOption = 0;
            carried_.set(std::size_t(offsetOf(settings_, setting.modeOption)));
        }
    }
}

// The settings a write could have carried and the file did not; the mode
// and option of a control without modes never go on the wire.
QStringList SysexReader::namesNotCarried() const
{
    QStringList names;
    for (const GlobalParameter &global : kGlobalParameters) {
        if (!carried_.test(std::size_t(offsetOf(settings_, settings_.*global.value))))
            names << QLatin1String(global.label);
    }
    for (int index = 0; index < kControlCount; ++index) {
        const bool hasModes = kindOf(index) != ControlKind::None;
        for (const ControlField &field : kControlFields) {
            const bool modeField = field.value == &Setting::mode || field.value == &Setting::modeOption;
            if ((hasModes || !modeField)
                && !carried_.test(std::size_t(offsetOf(settings_, settings_.controls[index].*field.value))))
                names << QStringLiteral("%1 %2").arg(QLatin1String(kControlLabels[std::size_t(index)]),
                                                     QLatin1String(field.label));
        }
    }
    return names;
}
} // namespace

QByteArray SysexFile::messages(const Settings &settings, int slot)
{
    QByteArray bytes;
    forEachWrittenParameter(settings, WriteParts::all(), [&](const ParameterValue &parameter) {
        const ParameterSetBytes message =
            parameterSetBytes(kSetCommand, slot, parameter.selector, parameter.number, parameter.value);
        bytes.append(message.data(), int(message.size()));
        return true;
    });
    return bytes;
}

bool SysexFile::save(const QString &path, const Settings &settings, int slot, QString *error)
{
    return SettingsFile::writeSafely(path, messages(settings, slot), error);
}

bool SysexFile::parse(const QByteArray &bytes, Content *content, QString *error)
{
    return SysexReader(bytes).read(content, error);
}

bool SysexFile::load(const QString &path, Content *content, QString *error)
{
    QByteArray bytes;
    return SettingsFile::readStart(path, kMaxSize + 1, &bytes, error) && parse(bytes, content, error);
}

QString SysexFile::notCarriedText(const QStringList &names)
{
    if (names.isEmpty())
        return QString();
    if (names.size() == 1)
        //: %1 names a setting ("Pad #3 Mode").
        return tr("The file does not carry %1; it is the factory setting.").arg(names.first());
    QStringList shown = names.mid(0, kNamesShown);
    if (names.size() > kNamesShown)
        shown << QStringLiteral("...");
    //: %1 lists settings by name ("Pad #3 Mode, Cutoff CC Number").
    return tr("The file does not carry %n settings; they are the factory settings: %1", nullptr, int(names.size()))
        .arg(shown.join(QStringLiteral(", ")));
}
