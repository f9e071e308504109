#pragma once

// telvir-bench --live: the editor's window (bench-live-window) over a
// private JACK server with the simulator program, timed on the monotonic
// clock that both stamp their lines with:
//   a field change with Live on to its first set message at the keyboard,
//     median and longest of 200 (target 20 ms);
//   a knob message played by the keyboard to its marker selected (target
//     50 ms);
//   3,000 messages a second for 10 s with the monitor open: every one
//     counted, the longest stall of the window's event loop (target 50 ms)
//     and the growth of its resident memory (target 5 MB).
void benchLive();
