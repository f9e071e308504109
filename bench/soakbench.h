#pragma once

// telvir-bench --soak: the editor's window (bench-soak-editor, a process of
// its own so that its memory is the editor's alone) writes to the simulated
// keyboard over a private JACK server while the simulator program is
// stopped and started again, as a keyboard unplugged and plugged in. Prints
// the window's resident memory after a warm-up and at the end, the failed
// writes and cycles, and the time taken.
void benchSoak(int writes, int cycles);
