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
