#pragma once

// telvir-bench --checked: a write into the work area as it goes now,
// asked back and checked, against what the protocol alone would take for
// the same certainty: the plain write and then a read (target 1.2), over
// in-process ports and, with --jack, over a private JACK server with the
// simulator program; and a write to a keyboard that takes one message a
// millisecond and loses what comes faster, whole, with the time it took,
// first with nothing known of it and then at the pace the first one kept.
void benchCheckedWrite(bool jack);
