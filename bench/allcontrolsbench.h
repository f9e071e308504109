#pragma once

// telvir-bench rows of the "All Controls" table: how soon it opens, and how
// soon an edit in it shows in the editor (bench-all-controls probe).
void benchAllControls();
