#include "app/keyboardtools.h"

#include "app/livesender.h"
#include "app/midimonitor.h"

void attachKeyboardTools(MainWindow &window)
{
    LiveSender::attachTo(window);
    MidiMonitor::attachTo(window);
}
