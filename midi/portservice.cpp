// The port service's operations over the chosen MIDI backend. Handles are
// the port objects themselves, checked against the set of open ones so a
// stale or made-up handle gets MMSYSERR_INVALHANDLE instead of a crash.

#include "midi/portservice.h"

#include "midi/midibackend.h"
#include "midi/midiinputport.h"
#include "midi/midioutputport.h"
#include "midi/combinedmidibackend.h"
#include "midi/rtmidibackend.h"
#ifdef TELVIR_HAVE_JACK
#include "midi/jackmidibackend.h"
#endif

#include <QString>

#include <atomic>
#include <cstdint>
#include <cstring>
#include <mutex>
#include <set>
#include <string>
#include <vector>

namespace {
std::mutex backendMutex;
std::shared_ptr<MidiBackend> installedBackend;

std::mutex handleMutex;
std::set<MidiInputPort *> openInputs;
std::set<MidiOutputPort *> openOutputs;
// Counts the closes; changed only under handleMutex, together with the sets.
std::atomic<std::uint64_t> closeCount{0};

// A handle that this thread found open, and how many closes there had been
// then. Every System Exclusive message asks for its output handle three
// times (prepare, send, unprepare) and every input buffer for its input
// handle once, so a thread remembers its last handle and looks it up again
// only after some port was closed.
template <typename Port>
struct CheckedHandle
{
    Port *port = nullptr;
    std::uint64_t closeCount = 0;
};

// The open port behind a handle, or null for a handle that is not open.
template <typename Port, typename Handle>
Port *openPort(Handle handle, const std::set<Port *> &open)
{
    auto *port = reinterpret_cast<Port *>(handle);
    thread_local CheckedHandle<Port> lastChecked;
    if (port && port == lastChecked.port && closeCount.load(std::memory_order_acquire) == lastChecked.closeCount)
        return port;
    std::lock_guard<std::mutex> lock(handleMutex);
    if (!open.count(port))
        return nullptr;
    lastChecked.port = port;
    lastChecked.closeCount = closeCount.load(std::memory_order_relaxed);
    return port;
}

// Takes a handle out of its set; the caller holds handleMutex.
template <typename Port>
void forgetPort(Port *port, std::set<Port *> &open)
{
    open.erase(port);
    closeCount.fetch_add(1, std::memory_order_release);
}

MidiInputPort *inputPort(HMIDIIN handle)
{
    return openPort(handle, openInputs);
}

MidiOutputPort *outputPort(HMIDIOUT handle)
{
    return openPort(handle, openOutputs);
}

// Closes the port and forgets its handle; a port that refuses to close
// stays open and known.
template <typename Port>
MMRESULT closePort(Port *port, std::set<Port *> &open)
{
    if (!port)
        return MMSYSERR_INVALHANDLE;
    const MMRESULT result = port->close();
    if (result != MMSYSERR_NOERROR)
        return result;
    {
        std::lock_guard<std::mutex> lock(handleMutex);
        forgetPort(port, open);
    }
    delete port;
    return MMSYSERR_NOERROR;
}

// The product name as the caps structures carry it: at most 31 characters
// and a terminating zero.
void copyName(const std::string &name, WCHAR (&target)[MAXPNAMELEN])
{
    const std::wstring wide = QString::fromStdString(name).left(MAXPNAMELEN - 1).toStdWString();
    std::fill(std::begin(target), std::end(target), L'\0');
    std::copy(wide.begin(), wide.end(), target);
}

const char *errorText(MMRESULT result)
{
    switch (result) {
    case MMSYSERR_NOERROR: return "The operation was carried out.";
    case MMSYSERR_ERROR: return "The MIDI system reported an error.";
    case MMSYSERR_BADDEVICEID: return "There is no MIDI port with this number.";
    case MMSYSERR_NOTENABLED: return "The MIDI driver is not enabled.";
    case MMSYSERR_ALLOCATED: return "The MIDI port is in use by another program.";
    case MMSYSERR_INVALHANDLE: return "The MIDI port handle is not valid.";
    case MMSYSERR_NODRIVER: return "No MIDI driver is available.";
    case MMSYSERR_NOMEM: return "There is not enough memory for this MIDI operation.";
    case MMSYSERR_NOTSUPPORTED: return "The MIDI port does not support this operation.";
    case MMSYSERR_BADERRNUM: return "The error number is not known.";
    case MMSYSERR_INVALFLAG: return "A flag given to the MIDI system is not valid.";
    case MMSYSERR_INVALPARAM: return "A parameter given to the MIDI system is not valid.";
    case MIDIERR_UNPREPARED: return "The MIDI buffer header was not prepared.";
    case MIDIERR_STILLPLAYING: return "The MIDI buffer is still in use.";
    case MIDIERR_NOMAP: return "No MIDI map was found.";
    case MIDIERR_NOTREADY: return "The MIDI port did not finish sending in time.";
    case MIDIERR_NODEVICE: return "The MIDI port is no longer present.";
    case MIDIERR_INVALIDSETUP: return "The MIDI setup is damaged.";
    case MIDIERR_BADOPENMODE: return "The MIDI port cannot be used in this mode.";
    default: return nullptr;
    }
}

MMRESULT copyErrorText(MMRESULT result, LPWSTR text, UINT textLength)
{
    if (!text || textLength == 0)
        return MMSYSERR_INVALPARAM;
    const char *known = errorText(result);
    const std::string message = known ? known : "Unknown MIDI error " + std::to_string(result) + ".";
    const std::wstring wide = QString::fromStdString(message).left(int(textLength) - 1).toStdWString();
    std::copy(wide.begin(), wide.end(), text);
    text[wide.size()] = L'\0';
    return known ? MMSYSERR_NOERROR : MMSYSERR_BADERRNUM;
}
} // namespace

void installMidiBackend(std::shared_ptr<MidiBackend> backend)
{
    std::lock_guard<std::mutex> lock(backendMutex);
    installedBackend = std::move(backend);
}

std::shared_ptr<MidiBackend> currentMidiBackend()
{
    std::lock_guard<std::mutex> lock(backendMutex);
    // The one place where the backend is chosen: a test's, or the system's.
    if (!installedBackend) {
        // The system's ports: RtMidi's (the ALSA sequencer, CoreMIDI), then JACK's.
        std::vector<std::shared_ptr<MidiBackend>> parts {std::make_shared<RtMidiBackend>()};
#ifdef TELVIR_HAVE_JACK
        parts.push_back(std::make_shared<JackMidiBackend>(RtMidiBackend::kClientName));
#endif
        installedBackend = std::make_shared<CombinedMidiBackend>(std::move(parts));
    }
    return installedBackend;
}

UINT midiOutGetNumDevs()
{
    return UINT(currentMidiBackend()->outputPortNames(true).size());
}

UINT midiInGetNumDevs()
{
    return UINT(currentMidiBackend()->inputPortNames(true).size());
}

MMRESULT midiOutGetDevCapsW(UINT_PTR deviceId, LPMIDIOUTCAPSW caps, UINT capsSize)
{
    if (!caps || capsSize < sizeof(MIDIOUTCAPSW))
        return MMSYSERR_INVALPARAM;
    const std::vector<std::string> names = currentMidiBackend()->outputPortNames(false);
    if (deviceId >= names.size())
        return MMSYSERR_BADDEVICEID;
    std::memset(caps, 0, sizeof(MIDIOUTCAPSW));
    caps->wTechnology = MOD_MIDIPORT;
    caps->wChannelMask = 0xFFFF;
    copyName(names[deviceId], caps->szPname);
    return MMSYSERR_NOERROR;
}

MMRESULT midiInGetDevCapsW(UINT_PTR deviceId, LPMIDIINCAPSW caps, UINT capsSize)
{
    if (!caps || capsSize < sizeof(MIDIINCAPSW))
        return MMSYSERR_INVALPARAM;
    const std::vector<std::string> names = currentMidiBackend()->inputPortNames(false);
    if (deviceId >= names.size())
        return MMSYSERR_BADDEVICEID;
    std::memset(caps, 0, sizeof(MIDIINCAPSW));
    copyName(names[deviceId], caps->szPname);
    return MMSYSERR_NOERROR;
}

MMRESULT midiOutGetErrorTextW(MMRESULT result, LPWSTR text, UINT textLength)
{
    return copyErrorText(result, text, textLength);
}

MMRESULT midiInGetErrorTextW(MMRESULT result, LPWSTR text, UINT textLength)
{
    return copyErrorText(result, text, textLength);
}

MMRESULT midiOutOpen(LPHMIDIOUT handle, UINT deviceId, DWORD_PTR callback, DWORD_PTR, DWORD flags)
{
    if (!handle)
        return MMSYSERR_INVALPARAM;
    *handle = nullptr;
    // Output completion is waited for through the done flag; no callbacks.
    if ((flags & CALLBACK_TYPEMASK) != CALLBACK_NULL || callback != 0)
        return MMSYSERR_NOTSUPPORTED;
    std::shared_ptr<MidiBackend> backend = currentMidiBackend();
    if (deviceId >= backend->outputPortNames(false).size())
        return MMSYSERR_BADDEVICEID;
    auto port = std::make_unique<MidiOutputPort>();
    const MMRESULT result = port->open(*backend, deviceId);
    if (result != MMSYSERR_NOERROR)
        return result;
    std::lock_guard<std::mutex> lock(handleMutex);
    openOutputs.insert(port.get());
    *handle = reinterpret_cast<HMIDIOUT>(port.release());
    return MMSYSERR_NOERROR;
}

MMRESULT midiOutClose(HMIDIOUT handle)
{
    return closePort(outputPort(handle), openOutputs);
}

MMRESULT midiOutShortMsg(HMIDIOUT handle, DWORD message)
{
    MidiOutputPort *port = outputPort(handle);
    return port ? port->sendShort(message) : MMSYSERR_INVALHANDLE;
}

MMRESULT midiOutPrepareHeader(HMIDIOUT handle, LPMIDIHDR header, UINT headerSize)
{
    MidiOutputPort *port = outputPort(handle);
    return port ? port->prepare(header, headerSize) : MMSYSERR_INVALHANDLE;
}

MMRESULT midiOutUnprepareHeader(HMIDIOUT handle, LPMIDIHDR header, UINT headerSize)
{
    MidiOutputPort *port = outputPort(handle);
    return port ? port->unprepare(header, headerSize) : MMSYSERR_INVALHANDLE;
}

MMRESULT midiOutLongMsg(HMIDIOUT handle, LPMIDIHDR header, UINT headerSize)
{
    MidiOutputPort *port = outputPort(handle);
    return port ? port->sendLong(header, headerSize) : MMSYSERR_INVALHANDLE;
}

MMRESULT midiOutReset(HMIDIOUT handle)
{
    MidiOutputPort *port = outputPort(handle);
    return port ? port->reset() : MMSYSERR_INVALHANDLE;
}

MMRESULT midiInOpen(LPHMIDIIN handle, UINT deviceId, DWORD_PTR callback, DWORD_PTR instance, DWORD flags)
{
    if (!handle)
        return MMSYSERR_INVALPARAM;
    *handle = nullptr;
    const DWORD callbackType = flags & CALLBACK_TYPEMASK;
    if (callbackType != CALLBACK_FUNCTION && callbackType != CALLBACK_NULL)
        return MMSYSERR_NOTSUPPORTED;
    const MIDIINPROC function = callbackType == CALLBACK_FUNCTION ? reinterpret_cast<MIDIINPROC>(callback) : nullptr;
    std::shared_ptr<MidiBackend> backend = currentMidiBackend();
    if (deviceId >= backend->inputPortNames(false).size())
        return MMSYSERR_BADDEVICEID;
    auto port = std::make_unique<MidiInputPort>(function, instance);
    {
        std::lock_guard<std::mutex> lock(handleMutex);
        openInputs.insert(port.get());
    }
    // Registered first: the callback may hand buffers back from now on.
    const MMRESULT result = port->open(*backend, deviceId);
    if (result != MMSYSERR_NOERROR) {
        std::lock_guard<std::mutex> lock(handleMutex);
        forgetPort(port.get(), openInputs);
        return result;
    }
    *handle = port->handle();
    port.release();
    return MMSYSERR_NOERROR;
}

MMRESULT midiInClose(HMIDIIN handle)
{
    return closePort(inputPort(handle), openInputs);
}

MMRESULT midiInPrepareHeader(HMIDIIN handle, LPMIDIHDR header, UINT headerSize)
{
    MidiInputPort *port = inputPort(handle);
    return port ? port->prepare(header, headerSize) : MMSYSERR_INVALHANDLE;
}

MMRESULT midiInUnprepareHeader(HMIDIIN handle, LPMIDIHDR header, UINT headerSize)
{
    MidiInputPort *port = inputPort(handle);
    return port ? port->unprepare(header, headerSize) : MMSYSERR_INVALHANDLE;
}

MMRESULT midiInAddBuffer(HMIDIIN handle, LPMIDIHDR header, UINT headerSize)
{
    MidiInputPort *port = inputPort(handle);
    return port ? port->addBuffer(header, headerSize) : MMSYSERR_INVALHANDLE;
}

MMRESULT midiInStart(HMIDIIN handle)
{
    MidiInputPort *port = inputPort(handle);
    return port ? port->start() : MMSYSERR_INVALHANDLE;
}

MMRESULT midiInStop(HMIDIIN handle)
{
    MidiInputPort *port = inputPort(handle);
    return port ? port->stop() : MMSYSERR_INVALHANDLE;
}

MMRESULT midiInReset(HMIDIIN handle)
{
    MidiInputPort *port = inputPort(handle);
    return port ? port->reset() : MMSYSERR_INVALHANDLE;
}

MMRESULT midiOutDrain(HMIDIOUT handle, DWORD *unsent)
{
    DWORD lost = 0;
    MidiOutputPort *port = outputPort(handle);
    const MMRESULT result = port ? port->drain(lost) : MMSYSERR_INVALHANDLE;
    if (unsent)
        *unsent = lost;
    return result;
}

std::vector<std::string> midiOutRewritingListeners(HMIDIOUT handle)
{
    MidiOutputPort *port = outputPort(handle);
    return port ? port->rewritingListeners() : std::vector<std::string>();
}

bool midiSystemNotResponding()
{
    return currentMidiBackend()->notResponding();
}

bool midiConnectionConfirmed(HMIDIOUT output, HMIDIIN input)
{
    MidiOutputPort *outputConnection = outputPort(output);
    MidiInputPort *inputConnection = inputPort(input);
    return outputConnection && inputConnection && outputConnection->waitUntilLive()
           && inputConnection->waitUntilLive();
}

std::string midiWhyNoPorts()
{
    return currentMidiBackend()->whyNoPorts();
}
