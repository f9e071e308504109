#pragma once

// Conversions between the fields of the settings records and the values
// the keyboard keeps on the wire, both ways.
//
// Reading stores what the keyboard sent, narrowed to a byte; a global value
// outside its range becomes 0. Writing must never put a byte of 0x80 or more
// into a message, yet a record loaded from a file can hold any byte, so a
// global value outside its range goes out as a read would have stored it
// (as 0) and a control value above 127 goes out as 127.

#include <cstdint>

// Largest valid value of each global field.
constexpr std::uint8_t kMaxKnobMode = 1;
constexpr std::uint8_t kMaxOctave = 8;
constexpr std::uint8_t kMaxGlobalChannel = 15;
constexpr std::uint8_t kMaxCurve = 3;
constexpr std::uint8_t kMaxAccel = 2;

// Any integer as a data byte of a message: below 0 is 0, above 127 is 127.
std::uint8_t toDataByte(int value);

// Record -> wire.
std::uint8_t knobModeToWire(std::uint8_t knobMode);      // 0 -> 0x01, 1 -> 0x7F
std::uint8_t octaveToWire(std::uint8_t octave);          // kOctaveCodes[octave]
std::uint8_t globalToWire(std::uint8_t value, std::uint8_t maximum);
std::uint8_t channelToWire(std::uint8_t channel);        // kGlobalChannel -> 65
std::uint8_t controlValueToWire(std::uint8_t value);

// Wire -> record; `wire` is a reply's value byte read as a signed byte.
std::uint8_t knobModeFromWire(int wire);
std::uint8_t octaveFromWire(int wire);
std::uint8_t globalFromWire(int wire, std::uint8_t maximum);
std::uint8_t channelFromWire(int wire);                  // 65 -> kGlobalChannel
std::uint8_t controlValueFromWire(int wire);
