#pragma once

// The bytes by which the editor recognises the keyboard on a port pair.

#include "midi/portservice.h"

#include <string>

// Universal non-real-time System Exclusive (7E) to all devices (7F) with
// the sub-identifiers 0A 0B; a keyboard in normal mode answers it.
inline const std::string kHandshakeRequest("\xF0\x7E\x7F\x0A\x0B\xF7", 6);
inline const std::string kHandshakeReply("\xF0\x7E\x0A\x01\x03\x00\x01\xF7", 8);

// A keyboard started in its firmware upgrade mode answers two Note-Ons on
// channel 11 (9A 01 02, then 9A 7E 7D) with 9A 01 02. The probes go out as
// packed short messages: status in the low byte.
constexpr DWORD kUpgradeProbeFirst = 0x9A | (0x01 << 8) | (0x02 << 16);
constexpr DWORD kUpgradeProbeSecond = 0x9A | (0x7E << 8) | (0x7D << 16);
inline const std::string kUpgradeHandshakeReply("\x9A\x01\x02", 3);
// The second probe as it comes back from a device that echoes it.
inline const std::string kUpgradeProbeSecondBytes("\x9A\x7E\x7D", 3);
// Any other instrument on a port that got the probes would hold both
// notes: their Note-Offs, channel 11, velocity 0.
constexpr DWORD kUpgradeProbeFirstRelease = 0x8A | (0x01 << 8);
constexpr DWORD kUpgradeProbeSecondRelease = 0x8A | (0x7E << 8);
