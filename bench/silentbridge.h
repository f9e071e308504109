#pragma once

// Silent MIDI devices as JACK lists hardware: ports of one bridge client
// ("a2j", or PipeWire's "Midi-Bridge"), not a client of their own each.
// Every device has a port to send to and one to read from; nothing sent
// to it is ever answered. The ports go with the object.

#include <QString>

typedef struct _jack_client jack_client_t;

class SilentBridge
{
public:
    // On the server named by JACK_DEFAULT_SERVER; error() says why not.
    explicit SilentBridge(int devices);
    ~SilentBridge();

    SilentBridge(const SilentBridge &) = delete;
    SilentBridge &operator=(const SilentBridge &) = delete;

    bool isReady() const { return error_.isEmpty(); }
    QString error() const { return error_; }

private:
    jack_client_t *client_ = nullptr;
    QString error_;
};
