#pragma once

// telvir-bench --realtime: the editor for a minute on a JACK server at 64
// frames a period with a flood, Live edits and reads at once (RealtimeSoak);
// prints the process callback's longest run beside the period, and the
// xruns that name the editor's client.
void benchRealtime();
