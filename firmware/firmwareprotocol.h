#pragma once

// How a firmware image travels to a keyboard in its upgrade mode: three-byte
// Note-On messages only. Channel 11 (0x9A) carries the control messages and
// the keyboard's answers, channel 1 (0x90) the image bytes, split into two
// halves so that no data byte is above 0x0F.

#include <cstddef>
#include <string>

namespace FirmwareProtocol {

constexpr unsigned char kControlStatus = 0x9A; // Note-On, channel 11
constexpr unsigned char kDataStatus = 0x90;    // Note-On, channel 1

// The keyboard takes the image in blocks of 512 bytes; the last block is
// padded with 0xFF, so it always receives whole blocks.
constexpr std::size_t kBlockSize = 512;
constexpr unsigned char kFillerByte = 0xFF;

// The announcement 9A, n >> 4, n & 0x0F carries the block count n; its high
// part must stay a MIDI data byte (below 0x80), which caps n at 2047.
constexpr std::size_t kMaxBlockCount = 0x7F * 16 + 0x0F;
constexpr std::size_t kMaxImageSize = kMaxBlockCount * kBlockSize; // 1,048,064 bytes

// The keyboard is given this long after the announcement and after each
// block before its answer is looked for.
constexpr int kAcknowledgementWaitMs = 100;
// An answer still counts until this long after the messages left the
// program: a loaded MIDI server may deliver them, and the answer, some
// cycles late. A later answer counts as missing.
constexpr int kAcknowledgementLimitMs = 3 * kAcknowledgementWaitMs;

// The keyboard's answers.
inline const std::string kSizeAccepted("\x9A\x01\x03", 3);
inline const std::string kBlockAccepted("\x9A\x01\x04", 3);
inline const std::string kImageComplete("\x9A\x01\x05", 3);

constexpr std::size_t blockCount(std::size_t imageSize)
{
    return (imageSize + kBlockSize - 1) / kBlockSize;
}

// An image the keyboard can take: at least one byte, at most 2047 blocks.
constexpr bool fitsKeyboard(std::size_t imageSize)
{
    return imageSize > 0 && imageSize <= kMaxImageSize;
}

} // namespace FirmwareProtocol
