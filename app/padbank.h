#pragma once

// Pads 1..8 have markers of their own; pads 9..16 are the same markers with
// the pad bank switched high.

#include "model/controlcatalogue.h"

#include <QString>

constexpr int kFirstPadIndex = 16;
constexpr int kPadBankOffset = 8;

inline bool isLowPad(int controlIndex)
{
    return controlIndex >= kFirstPadIndex && controlIndex < kFirstPadIndex + kPadBankOffset;
}

inline bool isHighPad(int controlIndex)
{
    return isLowPad(controlIndex - kPadBankOffset);
}

inline QString labelOf(int controlIndex)
{
    return QString::fromLatin1(kControlLabels[static_cast<std::size_t>(controlIndex)]);
}
