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

    // Reads the keyboard's memory 0 into `settings`; `report`, when given,
    // learns what was requested and what stayed unanswered.
    static KeyboardOutcome read(MidiController &link, Settings &settings, ReadReport *report = nullptr,
                                const CancelToken *cancel = nullptr);

    // Writes `settings` into keyboard memory `slot` (0 = "workArea", 1..8);
    // `report`, when given, learns which fields are on the keyboard now.
    static KeyboardOutcome write(MidiController &link, const Settings &settings, int slot,
                                 WriteReport *report = nullptr);
    // Writes only the parts of `settings` that `parts` names.
    static KeyboardOutcome write(MidiController &link, const Settings &settings, int slot, const WriteParts &parts,
                                 WriteReport *report);

    // The firmware image in `path`, or the outcome that refuses it before
    // anything is sent.
    static std::optional<KeyboardOutcome> readFirmware(const QString &path, std::string *image);

    // Streams `image` to a keyboard in its upgrade mode; `progress` gets 0..100.
    static KeyboardOutcome upgrade(MidiController &link, const std::string &image,
                                   const std::function<void(int)> &progress);

    // "workArea" is memory 0, the one the keyboard plays from; "1".."8".
    static QString memoryName(int slot);
    static std::optional<int> memorySlot(const QString &name);

    // The keyboard on `pair`, as the library names the keyboards it wrote to.
    static LibraryKeyboard libraryKeyboard(const PortPair &pair);
};
