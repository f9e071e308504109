// Any bytes as a settings file: either rejected with the record untouched,
// or accepted with the record equal to the 265 bytes after the magic. An
// accepted record also survives the trip through a settings document.

#include "model/settingsfile.h"
#include "model/settingsjson.h"
#include "protocol/wirevalues.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray content(reinterpret_cast<const char *>(data), int(size));
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
