#include "model/settings.h"

#include <cstring>

Settings::Settings()
    : globalChannel(0), padCurve(0), accel(0), velocityCurve(0), octave(0), knobMode(0)
{
    for (int index = 0; index < kControlCount; ++index)
        controls[index].setDefaults(index);
}

Settings Settings::fromBytes(const char *bytes)
{
    Settings settings;
    std::memcpy(static_cast<void *>(&settings), bytes, kImageSize);
    return settings;
}

const char *Settings::image() const
{
    return reinterpret_cast<const char *>(this);
}

int Settings::differencesFrom(const Settings &other) const
{
    const char *mine = image();
    const char *theirs = other.image();
    int differences = 0;
    for (std::size_t offset = 0; offset < kImageSize; ++offset)
        differences += mine[offset] != theirs[offset] ? 1 : 0;
    return differences;
}
