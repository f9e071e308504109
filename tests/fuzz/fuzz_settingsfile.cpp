// Any bytes as a settings file: either rejected with the record untouched,
// or accepted with the record equal to the 265 bytes after the magic. An
// accepted record also survives the trip through a settings document.
// The same bytes as a ".syx" file: refused with a reason and nothing taken,
// or taken from whole messages only, and then written and read back alike.

#include "model/settingsfile.h"
#include "model/settingsjson.h"
#include "protocol/sysexfile.h"
#include "protocol/wirevalues.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {
void asSysex(const QByteArray &content)
{
    SysexFile::Content taken;
    taken.memory = 99;
    QString error;
    if (!SysexFile::parse(content, &taken, &error)) {
        if (error.isEmpty() || taken.memory != 99)
            std::abort();
        return;
    }
    if (content.isEmpty() || content.size() % 12 != 0 || content.size() > SysexFile::kMaxSize)
        std::abort();
    // What was read, written again, reads back as the very same record.
    SysexFile::Content again;
    const QByteArray written = SysexFile::messages(taken.settings, taken.memory.value_or(0));
    if (!SysexFile::parse(written, &again, &error) || again.memory != taken.memory.value_or(0))
        std::abort();
    SysexFile::Content twice;
    if (!SysexFile::parse(SysexFile::messages(again.settings, 0), &twice)
        || std::memcmp(twice.settings.image(), again.settings.image(), Settings::kImageSize) != 0)
        std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray content(reinterpret_cast<const char *>(data), int(size));
    asSysex(content);
    Settings settings;
    const Settings before = settings;
    QString error;
    if (SettingsFile::parse(content, &settings, &error)) {
        if (size < std::size_t(kSettingsFileSize)
            || std::memcmp(settings.image(), data + kSettingsMagicSize, Settings::kImageSize) != 0)
            std::abort();
        // Sending must never see an octave code outside the table.
        if (octaveToWire(settings.octave) > 0x44)
            std::abort();
        Settings fromDocument;
        if (!SettingsJson::fromJson(SettingsJson::toJson(settings), &fromDocument)
            || std::memcmp(fromDocument.image(), settings.image(), Settings::kImageSize) != 0)
            std::abort();
    } else if (error.isEmpty() || std::memcmp(settings.image(), before.image(), Settings::kImageSize) != 0) {
        std::abort();
    }
    return 0;
}
