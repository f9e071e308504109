// The parameter-protocol part of MidiController: it lives with the protocol,
// the rest of the class with the transport.

#include "midi/midicontroller.h"

#include "protocol/parametermessage.h"

int MidiController::requestParameter(int command, int slot, int selector, int number)
{
    const ParameterRequestBytes message = parameterRequestBytes(command, slot, selector, number);
    return sendLongMessage(message.data(), static_cast<int>(message.size()));
}

int MidiController::setParameter(int command, int slot, int selector, int number, int value)
{
    const ParameterSetBytes message = parameterSetBytes(command, slot, selector, number, value);
    return sendLongMessage(message.data(), static_cast<int>(message.size()));
}
