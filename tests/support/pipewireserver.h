#pragma once

// PipeWire in place of jackd2 under JackKeyboardFixture, chosen by
// TELVIR_TEST_SERVER=pipewire, with PipeWire's libjack loaded in place of
// jackd2's (LD_LIBRARY_PATH=/usr/lib/<arch>/pipewire-0.3/jack, as pw-jack
// does it). The server runs in a runtime folder of its own, without a
// session manager, its core named as the JACK server the test uses: the
// editor hands that name to libjack, and clients that name no server
// (RtMidi's, the tests' own) find it by PIPEWIRE_REMOTE.

#include <QByteArrayList>
#include <QString>
#include <QStringList>

class PipeWireServer
{
public:
    static bool chosen();

    // Points this process and the ones it starts at the server `name`.
    static void useServer(const QString &name);

    // The program and arguments that start the server `name`, with its
    // runtime folder made afresh; false with *error when PipeWire's libjack
    // is not the one this process uses or the folder cannot be written.
    static bool prepare(const QString &name, QString *program, QStringList *arguments, QString *error);

    // The runtime folder goes once its server has stopped.
    static void cleanUp(const QString &name);

    // True for the command line of a server started for `name`.
    static bool isServerOf(const QByteArrayList &commandLine, const QString &name);

private:
    static QString runtimeFolder(const QString &name);
    static QString configFile(const QString &name);
};
