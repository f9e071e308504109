#include "app/keyboardtools.h"

#include "app/livesender.h"
#include "app/midimonitor.h"

void attachKeyboardTools(QMainWindow &window, EditorDocument &document)
{
    LiveSender::attachTo(window, document);
    MidiMonitor::attachTo(window, document);
}
