#pragma once

class EditorDocument;
class QMainWindow;

// Sets up what the window offers besides its form for working with the
// keyboard as it is played: the MIDI monitor, following the keyboard, and
// sending changes live.
void attachKeyboardTools(QMainWindow &window, EditorDocument &document);
