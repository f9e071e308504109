#pragma once

// The keyboard commands that the editor and telvir share: find the
// keyboard, read its settings, write them into a memory, update its
// firmware. Each returns what it came to; the front doors show or print
// outcomeMessage() of it and decide what to do with files and windows.
// They run on whatever thread calls them and never show anything.

#include "commands/keyboardoutcome.h"
#include "midi/linksearch.h"
#include "model/librarykeyboard.h"

#include <QString>

#include <functional>
#include <optional>
#include <string>

class CancelToken;
class MidiController;
struct ReadReport;
struct Settings;
struct WriteParts;
struct WriteReport;

class KeyboardCommand
{
public:
    // The live link in the mode asked for, found as `search` says (the
    // caller passes the pairs to prefer and remembers the one that
    // answered); `*link` is null unless the outcome is Linked.
    static KeyboardOutcome find(bool upgradeMode, const LinkSearch &search, MidiController **link);

    // Reads the keyboard's memory 0 into `settings`, `paceMs` between
    // messages, asking again for answers that did not come; `report`, when
    // given, learns what was requested and what stayed unanswered.
    static KeyboardOutcome read(MidiController &link, Settings &settings, ReadReport *report = nullptr,
                                const CancelToken *cancel = nullptr, int paceMs = 0);

    // Writes `settings` into keyboard memory `slot` (0 = "workArea", 1..8);
    // `report`, when given, learns which fields are on the keyboard now.
    // A write into memory 0 is checked: its values are asked back and
    // what differs is sent again (see WriteCheck); only what came back
    // right counts as on the keyboard.
    static KeyboardOutcome write(MidiController &link, const Settings &settings, int slot,
                                 WriteReport *report = nullptr, int paceMs = 0);
    // Writes only the parts of `settings` that `parts` names; unchecked
    // when `checked` is false, for one check after several writes.
    static KeyboardOutcome write(MidiController &link, const Settings &settings, int slot, const WriteParts &parts,
                                 WriteReport *report, int paceMs = 0, bool checked = true);
    // Checks that memory 0 holds `parts` of `sent`, sending again what it
    // does not; `report` learns which of them are on the keyboard.
    static KeyboardOutcome check(MidiController &link, const Settings &sent, const WriteParts &parts, int paceMs,
                                 WriteReport *report, const CancelToken *cancel = nullptr);

    // The firmware image in `path`, or the outcome that refuses it before
    // anything is sent.
    static std::optional<KeyboardOutcome> readFirmware(const QString &path, std::string *image);

    // Streams `image` to a keyboard in its upgrade mode; `progress` gets 0..100.
    static KeyboardOutcome upgrade(MidiController &link, const std::string &image,
                                   const std::function<void(int)> &progress);

    // "workArea" is memory 0, the one the keyboard plays from; "1".."8".
    static QString memoryName(int slot);
    // The memory a user names: "workArea" in any letter case, or 0..8.
    static std::optional<int> memorySlot(const QString &name);

    // The keyboard on `pair`, as the library names the keyboards it wrote to.
    static LibraryKeyboard libraryKeyboard(const PortPair &pair);
};
