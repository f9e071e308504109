#pragma once

// Where each field of the settings records lives among the keyboard's
// parameters, and which of a control's parameters are exchanged in which
// order. Reading and writing both follow these lists, so the two cannot
// drift apart.

#include "protocol/parameterlist.h"

#include <array>
#include <cstdint>
#include <functional>

struct Setting;
struct Settings;
struct WriteParts;

// One global parameter: its address, the record field it carries and how
// the field's value goes on the wire.
struct GlobalParameterWire
{
    int selector;
    int number;
    std::uint8_t Settings::*field;
    std::uint8_t (*toWire)(std::uint8_t value);
};

// In the order they are exchanged.
extern const std::array<GlobalParameterWire, 6> kGlobalParameterWires;

// The parameter at `position` of kGlobalParameterWires with its wire value.
ParameterValue globalParameter(const Settings &settings, int position);

// The six global parameters in the order they are exchanged: knob mode,
// octave, global channel, velocity curve, pad curve, acceleration. The
// values are the wire values of `settings`.
ParameterList globalParameters(const Settings &settings);

// The parameters of control `index` whose record is `setting`, in sub-
// parameter order. The mode and the mode option are left out for a control
// without modes, the number when the record holds none (ccNumber 0). A
// write also leaves out the mode option when the record's mode has no
// options; a read asks for it anyway.
ParameterList controlParameters(const Setting &setting, int index, bool request);

// Every parameter that a write of the `parts` of `settings` sends, with
// its wire value, in the order the set messages go out: the global
// parameters, then the controls by index. `visit` returning false ends the
// walk. A write to the keyboard and a ".syx" file both come from here.
void forEachWrittenParameter(const Settings &settings, const WriteParts &parts,
                             const std::function<bool(const ParameterValue &)> &visit);

// Stores a reply's value into its field of `settings`, converted as the
// keyboard reads back. Returns whether the reply counts as accepted: every
// reply of the two global groups does, even one whose number the editor
// does not know; a control reply does when its identifier is known and its
// selector is a sub-parameter 0..6.
bool storeParameterReply(Settings &settings, int selector, int number, int value);

// The byte of `settings` that the parameter (selector, number) holds; null
// for an address that is none of the record's fields.
std::uint8_t *parameterField(Settings &settings, int selector, int number);

// Where in a record's image that field lives; -1 for an address that is
// none of the record's fields.
int parameterOffset(int selector, int number);

// Takes every message out of the input queue and stores the parameter
// replies among them into `settings`; returns how many were accepted.
// Anything that is not a reply is dropped. `onReply`, when given, learns the
// address of every reply taken, accepted or not.
int storeQueuedReplies(Settings &settings,
                       const std::function<void(int selector, int number)> &onReply = nullptr);
