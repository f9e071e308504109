#pragma once

// How many data bytes follow a status byte in a short message: 2 for most
// channel messages, 1 for Program Change, Channel Pressure, time code and
// song select, 0 for tune request and real-time bytes; -1 for a byte that is
// no status, or one that starts or ends System Exclusive (or is undefined).
// Header-only, so that every platform's port service and its tap share it.
inline int shortMessageDataLength(unsigned char status)
{
    if (status < 0x80)
        return -1;
    switch (status & 0xF0) {
    case 0xC0: // Program Change
    case 0xD0: // Channel Pressure
        return 1;
    case 0xF0:
        break;
    default:
        return 2;
    }
    switch (status) {
    case 0xF1: // time code quarter frame
    case 0xF3: // song select
        return 1;
    case 0xF2: // song position
        return 2;
    case 0xF0:
    case 0xF7:
    case 0xF4:
    case 0xF5:
        return -1;
    default: // tune request and real-time bytes
        return 0;
    }
}
