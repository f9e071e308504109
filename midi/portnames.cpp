#include "midi/portnames.h"

QString PortNames::output(UINT port)
{
    MIDIOUTCAPSW caps{};
    if (midiOutGetDevCapsW(port, &caps, sizeof caps) != MMSYSERR_NOERROR)
        return {};
    return QString::fromWCharArray(caps.szPname);
}

QString PortNames::input(UINT port)
{
    MIDIINCAPSW caps{};
    if (midiInGetDevCapsW(port, &caps, sizeof caps) != MMSYSERR_NOERROR)
        return {};
    return QString::fromWCharArray(caps.szPname);
}

QStringList PortNames::outputs()
{
    QStringList names;
    const UINT count = midiOutGetNumDevs();
    for (UINT port = 0; port < count; ++port)
        names << output(port);
    return names;
}

QStringList PortNames::inputs()
{
    QStringList names;
    const UINT count = midiInGetNumDevs();
    for (UINT port = 0; port < count; ++port)
        names << input(port);
    return names;
}

QString PortNames::whyNone()
{
    return QString::fromStdString(midiWhyNoPorts());
}
