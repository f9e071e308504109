#pragma once

// PipeWire's libjack "fixes" what it hands to a JACK client's MIDI inputs:
// a Note-On with velocity 0 arrives as a Note-Off with velocity 64. The
// keyboard's protocols need the bytes as they were sent (a firmware byte
// whose low half is 0 travels as such a Note-On), so every JACK client of
// this project turns that off. jackd2's libjack knows no such setting.
//
// A client of another program, with PipeWire's default, does it too, and
// in the very buffer every reader of the port shares: once it listens to
// the editor's output, the keyboard may get the rewritten messages.

#include <jack/jack.h>

#include <cstdlib>
#include <cstring>
#include <string>

class PipeWireJackMidi
{
public:
    // True when the libjack in use is PipeWire's, whose version text says
    // so ("3.0.0.0 (using PipeWire 0.3.65)"); jackd2's is "1.9.21".
    static bool inUse()
    {
        const char *version = jack_get_version_string();
        return version && std::strstr(version, "PipeWire");
    }

    // Call before the first JACK client opens. The setting reaches
    // PipeWire's libjack through PIPEWIRE_PROPS; properties the user put
    // there stay, and so does the user's own choice of this one.
    static void keepEventsAsSent()
    {
        const char *const key = "jack.fix-midi-events";
        const char *given = std::getenv("PIPEWIRE_PROPS");
        std::string properties = given ? given : "";
        if (properties.find(key) != std::string::npos)
            return;
        const std::string setting = std::string(key) + " = false";
        const std::size_t open = properties.find('{');
        if (open == std::string::npos)
            properties = "{ " + setting + " " + properties + " }";
        else
            properties.insert(open + 1, " " + setting + " ");
        ::setenv("PIPEWIRE_PROPS", properties.c_str(), 1);
    }
};
