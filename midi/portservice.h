#pragma once

// The operating system's MIDI port service under its WinMM names. On
// Windows it is WinMM itself. Elsewhere the same names, types and result
// codes are declared here and implemented over a MIDI backend (RtMidi, or an
// in-process virtual one for tests), so the code above this layer is the
// same on every platform.

#include <string>
#include <vector>

#ifdef _WIN32

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <mmsystem.h>

#else

#include <cstdint>

using UINT = unsigned int;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
// Pointer-sized, because callbacks carry pointers in these.
using DWORD_PTR = std::uintptr_t;
using UINT_PTR = std::uintptr_t;
using MMRESULT = UINT;
using MMVERSION = UINT;
using LPSTR = char *;
using WCHAR = wchar_t;
using LPWSTR = wchar_t *;

#define CALLBACK

// Opaque port handles; the service knows what they point to.
struct MidiInHandleType;
struct MidiOutHandleType;
using HMIDIIN = MidiInHandleType *;
using HMIDIOUT = MidiOutHandleType *;
using LPHMIDIIN = HMIDIIN *;
using LPHMIDIOUT = HMIDIOUT *;

constexpr MMRESULT MMSYSERR_NOERROR = 0;
constexpr MMRESULT MMSYSERR_ERROR = 1;
constexpr MMRESULT MMSYSERR_BADDEVICEID = 2;
constexpr MMRESULT MMSYSERR_NOTENABLED = 3;
constexpr MMRESULT MMSYSERR_ALLOCATED = 4;
constexpr MMRESULT MMSYSERR_INVALHANDLE = 5;
constexpr MMRESULT MMSYSERR_NODRIVER = 6;
constexpr MMRESULT MMSYSERR_NOMEM = 7;
constexpr MMRESULT MMSYSERR_NOTSUPPORTED = 8;
constexpr MMRESULT MMSYSERR_BADERRNUM = 9;
constexpr MMRESULT MMSYSERR_INVALFLAG = 10;
constexpr MMRESULT MMSYSERR_INVALPARAM = 11;
constexpr MMRESULT MIDIERR_UNPREPARED = 64;
constexpr MMRESULT MIDIERR_STILLPLAYING = 65;
constexpr MMRESULT MIDIERR_NOMAP = 66;
constexpr MMRESULT MIDIERR_NOTREADY = 67;
constexpr MMRESULT MIDIERR_NODEVICE = 68;
constexpr MMRESULT MIDIERR_INVALIDSETUP = 69;
constexpr MMRESULT MIDIERR_BADOPENMODE = 70;

constexpr UINT MAXPNAMELEN = 32;
constexpr UINT MAXERRORLENGTH = 256;

// How midiInOpen/midiOutOpen are told about the callback.
constexpr DWORD CALLBACK_TYPEMASK = 0x00070000;
constexpr DWORD CALLBACK_NULL = 0x00000000;
constexpr DWORD CALLBACK_FUNCTION = 0x00030000;

// Input callback messages.
constexpr UINT MIM_OPEN = 0x3C1;
constexpr UINT MIM_CLOSE = 0x3C2;
constexpr UINT MIM_DATA = 0x3C3;
constexpr UINT MIM_LONGDATA = 0x3C4;
constexpr UINT MIM_ERROR = 0x3C5;
constexpr UINT MIM_LONGERROR = 0x3C6;
constexpr UINT MIM_MOREDATA = 0x3CC;

// Buffer header flags.
constexpr DWORD MHDR_DONE = 0x00000001;
constexpr DWORD MHDR_PREPARED = 0x00000002;
constexpr DWORD MHDR_INQUEUE = 0x00000004;

struct MIDIHDR
{
    LPSTR lpData;
    DWORD dwBufferLength;
    DWORD dwBytesRecorded;
    DWORD_PTR dwUser;
    DWORD dwFlags;
    MIDIHDR *lpNext;
    DWORD_PTR reserved;
    DWORD dwOffset;
    DWORD_PTR dwReserved[8];
};
using LPMIDIHDR = MIDIHDR *;

struct MIDIOUTCAPSW
{
    WORD wMid;
    WORD wPid;
    MMVERSION vDriverVersion;
    WCHAR szPname[MAXPNAMELEN];
    WORD wTechnology;
    WORD wVoices;
    WORD wNotes;
    WORD wChannelMask;
    DWORD dwSupport;
};
using LPMIDIOUTCAPSW = MIDIOUTCAPSW *;

struct MIDIINCAPSW
{
    WORD wMid;
    WORD wPid;
    MMVERSION vDriverVersion;
    WCHAR szPname[MAXPNAMELEN];
    DWORD dwSupport;
};
using LPMIDIINCAPSW = MIDIINCAPSW *;

constexpr WORD MOD_MIDIPORT = 1;

// The input callback given to midiInOpen with CALLBACK_FUNCTION.
using MIDIINPROC = void(CALLBACK *)(HMIDIIN handle, UINT message, DWORD_PTR instance,
                                    DWORD_PTR param1, DWORD_PTR param2);

UINT midiOutGetNumDevs();
UINT midiInGetNumDevs();
MMRESULT midiOutGetDevCapsW(UINT_PTR deviceId, LPMIDIOUTCAPSW caps, UINT capsSize);
MMRESULT midiInGetDevCapsW(UINT_PTR deviceId, LPMIDIINCAPSW caps, UINT capsSize);
MMRESULT midiOutGetErrorTextW(MMRESULT result, LPWSTR text, UINT textLength);
MMRESULT midiInGetErrorTextW(MMRESULT result, LPWSTR text, UINT textLength);

MMRESULT midiOutOpen(LPHMIDIOUT handle, UINT deviceId, DWORD_PTR callback, DWORD_PTR instance, DWORD flags);
MMRESULT midiOutClose(HMIDIOUT handle);
MMRESULT midiOutShortMsg(HMIDIOUT handle, DWORD message);
MMRESULT midiOutPrepareHeader(HMIDIOUT handle, LPMIDIHDR header, UINT headerSize);
MMRESULT midiOutUnprepareHeader(HMIDIOUT handle, LPMIDIHDR header, UINT headerSize);
MMRESULT midiOutLongMsg(HMIDIOUT handle, LPMIDIHDR header, UINT headerSize);
MMRESULT midiOutReset(HMIDIOUT handle);

MMRESULT midiInOpen(LPHMIDIIN handle, UINT deviceId, DWORD_PTR callback, DWORD_PTR instance, DWORD flags);
MMRESULT midiInClose(HMIDIIN handle);
MMRESULT midiInPrepareHeader(HMIDIIN handle, LPMIDIHDR header, UINT headerSize);
MMRESULT midiInUnprepareHeader(HMIDIIN handle, LPMIDIHDR header, UINT headerSize);
MMRESULT midiInAddBuffer(HMIDIIN handle, LPMIDIHDR header, UINT headerSize);
MMRESULT midiInStart(HMIDIIN handle);
MMRESULT midiInStop(HMIDIIN handle);
MMRESULT midiInReset(HMIDIIN handle);

#endif

// Beyond WinMM: true when the MIDI system confirms that both ports are
// connected and carry messages from now on, after a few milliseconds at
// most; false when it cannot tell (WinMM, the ALSA sequencer, CoreMIDI, the
// in-process ports), and then the keyboard is given its settle time.
#ifdef _WIN32
inline bool midiConnectionConfirmed(HMIDIOUT, HMIDIIN)
{
    return false;
}
#else
bool midiConnectionConfirmed(HMIDIOUT output, HMIDIIN input);
#endif

// Beyond WinMM: waits until every message sent on the port so far has left
// the program, as a program that ends or closes the port right after a send
// needs. Messages that cannot go out within a bounded wait are given up and
// counted in *unsent. MIDIERR_NODEVICE when the port they were sent to is
// gone (the keyboard left): they went out into nothing. WinMM's done flag
// already means "gone out", and its port fails when its device leaves.
#ifdef _WIN32
inline MMRESULT midiOutDrain(HMIDIOUT, DWORD *unsent)
{
    if (unsent)
        *unsent = 0;
    return MMSYSERR_NOERROR;
}
#else
MMRESULT midiOutDrain(HMIDIOUT output, DWORD *unsent);
#endif

// Beyond WinMM: the ports other than the one it was opened for that listen
// to the output, where the MIDI system may change what the output sends for
// them in a way the opened port sees too (PipeWire's JACK); empty where that
// cannot happen, as on WinMM.
#ifdef _WIN32
inline std::vector<std::string> midiOutRewritingListeners(HMIDIOUT)
{
    return {};
}
#else
std::vector<std::string> midiOutRewritingListeners(HMIDIOUT output);
#endif

// Beyond WinMM: true once a call into the MIDI system missed its deadline
// (a JACK server stalled by one of its clients), until the system answers
// again; the ports of such a system fail at once instead of waiting.
#ifdef _WIN32
inline bool midiSystemNotResponding()
{
    return false;
}
#else
bool midiSystemNotResponding();
#endif

// Beyond WinMM: why the service lists no port at all, in words for the
// user, one reason per MIDI system tried ("no ALSA sequencer (...); no JACK
// server running"); empty when it cannot tell.
#ifdef _WIN32
inline std::string midiWhyNoPorts()
{
    return "no MIDI device is installed";
}
#else
std::string midiWhyNoPorts();
#endif
