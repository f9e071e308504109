#pragma once

// telvir-bench --files (and in the default run): ".syx" imports as "Load...",
// a drop and telvir convert make them, each the median of 21:
//   a 1 MB file of valid messages, refused for its size (target 100 ms);
//   the largest file taken (64 KB, some 5,400 messages), read whole
//     (target 100 ms);
//   beside them, as their reference, a ".telvir" file loaded the same way.
void benchSysexImport();
