#pragma once

// The prepared state of a buffer header, the same for input and output
// ports. Input ports call these under their lock, since the service's
// thread fills their buffers. Output ports change a header that is queued
// on them only under their lock, and prepare and unprepare without it: a
// header that is not queued belongs to its caller alone.
//
// The caller polls the done flag while the port may set it on another
// thread, so the port reads and writes the flags only through
// headerFlags/setHeaderFlags, never as a plain field.

#include "midi/portservice.h"

inline DWORD headerFlags(const MIDIHDR *header)
{
    return __atomic_load_n(&header->dwFlags, __ATOMIC_ACQUIRE);
}

inline void setHeaderFlags(MIDIHDR *header, DWORD flags)
{
    __atomic_store_n(&header->dwFlags, flags, __ATOMIC_RELEASE);
}

inline MMRESULT markHeaderPrepared(MIDIHDR *header, UINT headerSize)
{
    if (!header || headerSize < sizeof(MIDIHDR) || !header->lpData)
        return MMSYSERR_INVALPARAM;
    setHeaderFlags(header, headerFlags(header) | MHDR_PREPARED);
    return MMSYSERR_NOERROR;
}

// A header that is still queued on the port cannot be released yet.
inline MMRESULT markHeaderUnprepared(MIDIHDR *header, UINT headerSize)
{
    if (!header || headerSize < sizeof(MIDIHDR))
        return MMSYSERR_INVALPARAM;
    const DWORD flags = headerFlags(header);
    if (flags & MHDR_INQUEUE)
        return MIDIERR_STILLPLAYING;
    setHeaderFlags(header, flags & ~MHDR_PREPARED);
    return MMSYSERR_NOERROR;
}

// Whether a header may be handed to the port: it has a buffer, it is
// prepared and it is not queued already.
inline MMRESULT checkHeaderQueueable(const MIDIHDR *header, UINT headerSize)
{
    if (!header || headerSize < sizeof(MIDIHDR) || !header->lpData || header->dwBufferLength == 0)
        return MMSYSERR_INVALPARAM;
    const DWORD flags = headerFlags(header);
    if (!(flags & MHDR_PREPARED))
        return MIDIERR_UNPREPARED;
    if (flags & MHDR_INQUEUE)
        return MIDIERR_STILLPLAYING;
    return MMSYSERR_NOERROR;
}
