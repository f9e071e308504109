#pragma once

class MainWindow;

// Sets up what the window offers besides its form for working with the
// keyboard as it is played: the MIDI monitor, following the keyboard, and
// sending changes live.
void attachKeyboardTools(MainWindow &window);
