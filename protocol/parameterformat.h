#pragma once

// The keyboard's parameter messages, byte by byte. All three forms are
// System Exclusive messages that open with the same six bytes:
//
//   request (editor -> keyboard), 11 bytes:
//     header, 01, slot, selector, number, F7
//   set (editor -> keyboard), 12 bytes:
//     header, 02, slot, selector, number, value, F7
//   reply (keyboard -> editor), 12 bytes:
//     header, two bytes the editor does not look at, selector, number, value, F7
//
// A parameter is addressed by (selector, number). Global parameters carry
// their group 0x40 or 0x41 as selector; a control's parameters carry the
// sub-parameter 0..6 as selector and the control's identifier as number.

#include <string>

// F0 opens the System Exclusive message, 00 20 6B is the manufacturer,
// 7F 42 are two fixed bytes of the keyboard's parameter protocol.
inline const std::string kParamHeader{'\xF0', '\x00', '\x20', '\x6B', '\x7F', '\x42'};

constexpr unsigned char kEndOfExclusive = 0xF7;
// Every byte between F0 and F7 must stay below 0x80, or the keyboard would
// take it for a status byte and break the message off.
constexpr int kMaxDataByte = 0x7F;

constexpr int kRequestCommand = 0x01;
constexpr int kSetCommand = 0x02;

constexpr int kRequestLength = 11;
constexpr int kSetLength = 12;
constexpr int kReplyLength = 12;

// Positions inside a message.
constexpr int kCommandByte = 6;  // request and set only
constexpr int kSlotByte = 7;     // request and set only
constexpr int kSelectorByte = 8;
constexpr int kNumberByte = 9;
constexpr int kValueByte = 10;   // set and reply

// Memory 0 is the keyboard's "workArea", 1..8 its stored memories.
constexpr int kWorkAreaSlot = 0;
constexpr int kMemorySlotCount = 9;

// The two groups of global parameters and their numbers.
constexpr int kGlobalGroup = 0x40;
constexpr int kCurveGroup = 0x41;
constexpr int kKnobModeNumber = 2;       // in kGlobalGroup
constexpr int kOctaveNumber = 3;         // in kGlobalGroup
constexpr int kGlobalChannelNumber = 6;  // in kGlobalGroup
constexpr int kVelocityCurveNumber = 1;  // in kCurveGroup
constexpr int kPadCurveNumber = 3;       // in kCurveGroup
constexpr int kAccelNumber = 4;          // in kCurveGroup

// Sub-parameters of a control, used as the selector of its messages.
enum SubParameter : int {
    kSubValue = 0,
    kSubMode = 1,
    kSubChannel = 2,
    kSubCcNumber = 3,
    kSubLsb = 4,
    kSubMsb = 5,
    kSubModeOption = 6,
};
constexpr int kSubParameterCount = 7;

// A control that follows the global channel (record value 16) is 65 on the wire.
constexpr int kWireChannelFollowsGlobal = 0x41;
