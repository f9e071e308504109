#pragma once

// The prepared state of a buffer header, the same for input and output
// ports. The caller holds its port's lock: the service's thread reads the
// flags too.

#include "midi/portservice.h"

inline MMRESULT markHeaderPrepared(MIDIHDR *header, UINT headerSize)
{
    if (!header || headerSize < sizeof(MIDIHDR) || !header->lpData)
        return MMSYSERR_INVALPARAM;
    header->dwFlags |= MHDR_PREPARED;
    return MMSYSERR_NOERROR;
}

// A header that is still queued on the port cannot be released yet.
inline MMRESULT markHeaderUnprepared(MIDIHDR *header, UINT headerSize)
{
    if (!header || headerSize < sizeof(MIDIHDR))
        return MMSYSERR_INVALPARAM;
    if (header->dwFlags & MHDR_INQUEUE)
        return MIDIERR_STILLPLAYING;
    header->dwFlags &= ~MHDR_PREPARED;
    return MMSYSERR_NOERROR;
}

// Whether a header may be handed to the port: it has a buffer, it is
// prepared and it is not queued already.
inline MMRESULT checkHeaderQueueable(const MIDIHDR *header, UINT headerSize)
{
    if (!header || headerSize < sizeof(MIDIHDR) || !header->lpData || header->dwBufferLength == 0)
        return MMSYSERR_INVALPARAM;
    if (!(header->dwFlags & MHDR_PREPARED))
        return MIDIERR_UNPREPARED;
    if (header->dwFlags & MHDR_INQUEUE)
        return MIDIERR_STILLPLAYING;
    return MMSYSERR_NOERROR;
}
