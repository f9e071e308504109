#pragma once

#include "model/controlcatalogue.h"
#include "model/setting.h"

#include <array>
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <type_traits>
#include <vector>

class CancelToken;

// Wire form of each octave code 0..8: the size of the shift, plus 0x40 for a
// downward shift (codes 1..4 are +1..+4, codes 5..8 are -1..-4).
constexpr std::array<std::uint8_t, 9> kOctaveCodes = {0x00, 0x01, 0x02, 0x03, 0x04,
                                                      0x41, 0x42, 0x43, 0x44};

struct ReadReport;
struct WriteParts;
struct WriteReport;

// The whole keyboard configuration. Its 265-byte image is the body of a
// settings file, so the fields, their order and their sizes are fixed.
struct Settings
{
    std::uint8_t globalChannel; // 0..15 = channel 1..16
    std::uint8_t padCurve;      // 0..3: Linear, Logarithmic, Exponential, Full
    std::uint8_t accel;         // 0..2: Slow, Medium, Fast
    std::uint8_t velocityCurve; // 0..3, as padCurve
    std::uint8_t octave;        // 0..8, see kOctaveCodes
    std::uint8_t knobMode;      // 0 absolute, 1 relative
    Setting controls[kControlCount];

    // The factory settings.
    Settings();

    // The record whose image equals the kImageSize bytes at `bytes`.
    static Settings fromBytes(const char *bytes);

    // Read-only view of the record's image.
    const char *image() const;

    // How many settings differ from `other`. Every global field and every
    // field of every control is one byte, so this counts differing bytes.
    int differencesFrom(const Settings &other) const;
    bool operator==(const Settings &other) const { return differencesFrom(other) == 0; }
    bool operator!=(const Settings &other) const { return !(*this == other); }

    // Reads the keyboard's memory 0 into this record and returns how many
    // replies were accepted (0 without a link). Fields without a reply keep
    // their values. Ends as soon as every request has had its reply, at the
    // latest after a second, or when `cancel` is cancelled.
    // `report`, when given, learns what was asked and what stayed unanswered.
    int recv(const CancelToken *cancel = nullptr, ReadReport *report = nullptr);
    // The same over `link`, `paceMs` between messages; answers that did not
    // come are asked for again, a few rounds at most, each slower.
    int recv(MidiController &link, int paceMs, const CancelToken *cancel, ReadReport *report);

    // Writes this record into keyboard memory `slot` (0 = "workArea",
    // 1..8). Every message is tried even after a refusal, but none after
    // one that stalled; false when there is no link or the port refused
    // any message. `counts`, when given, receives how many messages were
    // handed to the port, how many were refused and whether it stalled.
    bool send(int slot, MessageCounts *counts = nullptr) const;
    // The same over `link`, for the parts of the record that `parts` names;
    // `report` learns which fields are on the keyboard now.
    bool send(MidiController &link, int slot, const WriteParts &parts, WriteReport &report, int paceMs = 0) const;

    static constexpr std::size_t kImageSize = 6 + kControlCount * sizeof(Setting);
};

// One flag for each byte of a record's image.
using SettingsFields = std::bitset<Settings::kImageSize>;

// What a read asked the keyboard for and what it did not answer.
struct ReadReport
{
    int requested = 0;
    // Offsets into the record's image of the fields no reply came for.
    std::vector<std::size_t> unanswered;
    // The fields asked for; the others keep the record's values.
    SettingsFields asked;
    // The pace of the round that got the last missing answers, when the
    // read had to go slower than it began; 0 otherwise.
    int slowedPaceMs = 0;
};

// The parts of a record that a write sends: all of them unless it says less.
struct WriteParts
{
    std::bitset<6> globals;              // positions in the order of a write
    std::bitset<kControlCount> controls; // by control index

    static WriteParts all()
    {
        WriteParts parts;
        parts.globals.set();
        parts.controls.set();
        return parts;
    }
};

// What a write did. A field is on the keyboard only when a set message
// carrying it was taken by the MIDI service and went out; a write leaves
// out what the messages cannot say (a number of 0, the option of a mode
// that has none), and such a field keeps whatever the keyboard held.
struct WriteReport
{
    MessageCounts counts;
    SettingsFields tried;   // a set message carrying the field was sent
    SettingsFields carried; // and it went out
    // The port the messages went to is gone: none of them arrived.
    bool portGone = false;
    // Read back and found missing or different after every round of
    // sending again: not on the keyboard, whatever the copy held.
    SettingsFields unverified;
    // The pace at which the keyboard took everything, when the check had
    // to go slower than the write began; 0 otherwise.
    int slowedPaceMs = 0;
};

static_assert(Settings::kImageSize == 265, "the settings image is 265 bytes");
static_assert(sizeof(Settings) == Settings::kImageSize, "Settings has no padding");
static_assert(std::is_standard_layout_v<Settings>, "Settings is copied as its byte image");
static_assert(std::has_unique_object_representations_v<Settings>, "Settings has no padding");
static_assert(std::is_trivially_copyable_v<Settings>, "Settings is copied as its byte image");
