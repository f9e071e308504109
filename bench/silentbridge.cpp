#include "silentbridge.h"

#include <jack/jack.h>
#include <jack/midiport.h>

SilentBridge::SilentBridge(int devices)
{
    jack_status_t status {};
    client_ = jack_client_open("Silent Bridge", JackNoStartServer, &status);
    if (!client_) {
        error_ = QString("no JACK client (status 0x%1)").arg(int(status), 0, 16);
        return;
    }
    // Named as a2jmidid names a device's two ports: nothing pairs them
    // but the words in brackets.
    for (int device = 1; device <= devices; ++device) {
        const QString name = QString("Silent %1").arg(device, 2, 10, QChar('0'));
        const QByteArray playback = QString("%1 (playback)").arg(name).toUtf8();
        const QByteArray capture = QString("%1 (capture)").arg(name).toUtf8();
        if (!jack_port_register(client_, playback.constData(), JACK_DEFAULT_MIDI_TYPE, JackPortIsInput, 0)
            || !jack_port_register(client_, capture.constData(), JACK_DEFAULT_MIDI_TYPE, JackPortIsOutput, 0)) {
            error_ = "could not register the ports of " + name;
            return;
        }
    }
    // A device that never answers has nothing to do in a cycle.
    jack_set_process_callback(client_, [](jack_nframes_t, void *) { return 0; }, nullptr);
    if (jack_activate(client_) != 0)
        error_ = "could not activate the bridge client";
}

SilentBridge::~SilentBridge()
{
    if (client_)
        jack_client_close(client_);
}
