#include "midi/rtmidibackend.h"

#include <QCoreApplication>
#include <QLoggingCategory>

#include <atomic>
#include <memory>

#ifdef __linux__
#include <fcntl.h>
#include <unistd.h>
#endif

const char *const RtMidiBackend::kClientName = "Telvir Editor";

namespace {
Q_LOGGING_CATEGORY(lcRtMidi, "telvir.rtmidi", QtWarningMsg)

#ifdef __linux__
// Where the ALSA sequencer cannot be opened (no /dev/snd/seq in a container,
// or no permission), asking RtMidi for it makes alsa-lib print its complaint
// on stderr and RtMidi another before it throws; the device is tried first.
bool alsaSequencerOpens()
{
    const int device = ::open("/dev/snd/seq", O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (device < 0)
        return false;
    ::close(device);
    return true;
}
#endif

// Where the editor has its own JACK backend, RtMidi's is left out: RtMidi
// makes a JACK client for every open port. The dummy API has no ports.
bool triedHere(RtMidi::Api api)
{
#ifdef TELVIR_HAVE_JACK
    if (api == RtMidi::UNIX_JACK)
        return false;
#endif
    return api != RtMidi::RTMIDI_DUMMY;
}

// Why an API tried here cannot be asked for ports; empty when it can.
std::string unavailable(RtMidi::Api api)
{
#ifdef __linux__
    if (api == RtMidi::LINUX_ALSA && !alsaSequencerOpens())
        return QCoreApplication::translate("RtMidiBackend", "no ALSA sequencer (/dev/snd/seq cannot be opened)")
            .toStdString();
#else
    (void)api;
#endif
    return {};
}

bool listedHere(RtMidi::Api api)
{
    if (!triedHere(api))
        return false;
    const std::string reason = unavailable(api);
    if (!reason.empty()) {
        qCDebug(lcRtMidi) << QString::fromStdString(reason);
        return false;
    }
    return true;
}

// RtMidi reports errors through a callback once one is set, instead of
// throwing or printing on stderr; each connection keeps the last error, and
// warnings go to the debug log.
class ErrorRecord
{
public:
    static void report(RtMidiError::Type type, const std::string &text, void *record)
    {
        auto *self = static_cast<ErrorRecord *>(record);
        std::lock_guard<std::mutex> lock(self->mutex_);
        if (type == RtMidiError::WARNING || type == RtMidiError::DEBUG_WARNING) {
            qCDebug(lcRtMidi) << QString::fromStdString(text);
            return;
        }
        self->failed_ = true;
        self->text_ = text;
    }

    // True when an error came since the last call.
    bool takeError(std::string &text)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        const bool failed = failed_;
        failed_ = false;
        text = text_;
        return failed;
    }

private:
    std::mutex mutex_;
    bool failed_ = false;
    std::string text_;
};

class RtOutput : public MidiBackendOutput
{
public:
    RtOutput(std::unique_ptr<RtMidiOut> midi, std::unique_ptr<ErrorRecord> errors)
        : midi_(std::move(midi)), errors_(std::move(errors))
    {
    }

    ~RtOutput() override { midi_->closePort(); }

    MMRESULT send(const std::string &message, bool &finished) override
    {
        finished = true;
        std::string text;
        errors_->takeError(text);
        midi_->sendMessage(reinterpret_cast<const unsigned char *>(message.data()), message.size());
        if (errors_->takeError(text)) {
            qCDebug(lcRtMidi) << "MIDI output:" << QString::fromStdString(text);
            return MMSYSERR_ERROR;
        }
        return MMSYSERR_NOERROR;
    }

private:
    std::unique_ptr<RtMidiOut> midi_;
    std::unique_ptr<ErrorRecord> errors_;
};

class RtInput : public MidiBackendInput
{
public:
    explicit RtInput(MidiInputSink &sink) { sink_.store(&sink, std::memory_order_release); }

    ~RtInput() override
    {
        // Closing stops the callbacks before the sink goes away.
        if (midi_) {
            midi_->cancelCallback();
            midi_->closePort();
        }
    }

    void attach(std::unique_ptr<RtMidiIn> midi, std::unique_ptr<ErrorRecord> errors)
    {
        midi_ = std::move(midi);
        errors_ = std::move(errors);
    }

    static void received(double, std::vector<unsigned char> *message, void *input)
    {
        // The callback runs on the MIDI system's thread; the atomic makes the
        // sink's set-up visible there without trusting RtMidi's ordering.
        MidiInputSink *sink = static_cast<RtInput *>(input)->sink_.load(std::memory_order_acquire);
        if (message && !message->empty())
            sink->receive(message->data(), message->size());
    }

private:
    std::atomic<MidiInputSink *> sink_;
    std::unique_ptr<ErrorRecord> errors_;
    std::unique_ptr<RtMidiIn> midi_;
};

template <typename Midi>
std::unique_ptr<Midi> createMidi(RtMidi::Api api, ErrorRecord *errors)
{
    try {
        auto midi = std::make_unique<Midi>(api, RtMidiBackend::kClientName);
        midi->setErrorCallback(&ErrorRecord::report, errors);
        return midi;
    } catch (const RtMidiError &) {
        return nullptr; // this API does not run here
    }
}
} // namespace

void RtMidiBackend::addPorts(RtMidi *midi, RtMidi::Api api, std::vector<Port> &ports)
{
    if (!midi)
        return;
    const unsigned int count = midi->getPortCount();
    for (unsigned int index = 0; index < count; ++index) {
        const std::string name = midi->getPortName(index);
        if (!name.empty())
            ports.push_back({api, index, name});
    }
}

std::vector<RtMidiBackend::Port> RtMidiBackend::listPorts(bool outputs)
{
    std::vector<Port> ports;
    std::vector<RtMidi::Api> apis;
    RtMidi::getCompiledApi(apis);
    for (RtMidi::Api api : apis) {
        if (!listedHere(api))
            continue;
        ErrorRecord errors;
        if (outputs)
            addPorts(createMidi<RtMidiOut>(api, &errors).get(), api, ports);
        else
            addPorts(createMidi<RtMidiIn>(api, &errors).get(), api, ports);
    }
    return ports;
}

std::vector<std::string> RtMidiBackend::outputPortNames(bool refresh)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (refresh || !outputsListed_) {
        outputs_ = listPorts(true);
        outputsListed_ = true;
    }
    std::vector<std::string> names;
    for (const Port &port : outputs_)
        names.push_back(port.name);
    return names;
}

std::vector<std::string> RtMidiBackend::inputPortNames(bool refresh)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (refresh || !inputsListed_) {
        inputs_ = listPorts(false);
        inputsListed_ = true;
    }
    std::vector<std::string> names;
    for (const Port &port : inputs_)
        names.push_back(port.name);
    return names;
}

std::vector<std::string> RtMidiBackend::presentPortNames(bool outputs)
{
    std::vector<std::string> names;
    for (const Port &port : listPorts(outputs))
        names.push_back(port.name);
    return names;
}

std::string RtMidiBackend::whyNoPorts()
{
    std::string reasons;
    std::vector<RtMidi::Api> apis;
    RtMidi::getCompiledApi(apis);
    for (RtMidi::Api api : apis) {
        if (!triedHere(api))
            continue;
        std::string reason = unavailable(api);
        if (reason.empty()) {
            const QString name = QString::fromStdString(RtMidi::getApiDisplayName(api));
            ErrorRecord errors;
            const std::unique_ptr<RtMidiIn> input = createMidi<RtMidiIn>(api, &errors);
            const std::unique_ptr<RtMidiOut> output = createMidi<RtMidiOut>(api, &errors);
            QString text;
            //: %1 is a MIDI system ("ALSA").
            if (!input || !output)
                text = QCoreApplication::translate("RtMidiBackend", "no %1 (it does not start)").arg(name);
            //: %1 is a MIDI system ("ALSA").
            else if (input->getPortCount() == 0 && output->getPortCount() == 0)
                text = QCoreApplication::translate("RtMidiBackend", "no %1 port").arg(name);
            reason = text.toStdString();
        }
        if (reason.empty())
            continue;
        if (!reasons.empty())
            reasons += "; ";
        reasons += reason;
    }
    return reasons;
}

bool RtMidiBackend::findPort(RtMidi &midi, const Port &port, unsigned int &index)
{
    // Ports may have come or gone since the listing: find it by name.
    const unsigned int count = midi.getPortCount();
    if (port.index < count && midi.getPortName(port.index) == port.name) {
        index = port.index;
        return true;
    }
    for (index = 0; index < count; ++index) {
        if (midi.getPortName(index) == port.name)
            return true;
    }
    return false;
}

std::unique_ptr<MidiBackendOutput> RtMidiBackend::openOutput(UINT number, MMRESULT &result)
{
    Port port;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (number >= outputs_.size()) {
            result = MMSYSERR_BADDEVICEID;
            return nullptr;
        }
        port = outputs_[number];
    }
    auto errors = std::make_unique<ErrorRecord>();
    std::unique_ptr<RtMidiOut> midi = createMidi<RtMidiOut>(port.api, errors.get());
    unsigned int index = 0;
    if (!midi || !findPort(*midi, port, index)) {
        result = MIDIERR_NODEVICE;
        return nullptr;
    }
    std::string text;
    midi->openPort(index, "out");
    if (errors->takeError(text) || !midi->isPortOpen()) {
        qCDebug(lcRtMidi) << "MIDI output port" << QString::fromStdString(port.name) << QString::fromStdString(text);
        result = MMSYSERR_ALLOCATED;
        return nullptr;
    }
    result = MMSYSERR_NOERROR;
    return std::make_unique<RtOutput>(std::move(midi), std::move(errors));
}

std::unique_ptr<MidiBackendInput> RtMidiBackend::openInput(UINT number, MidiInputSink &sink, MMRESULT &result)
{
    Port port;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (number >= inputs_.size()) {
            result = MMSYSERR_BADDEVICEID;
            return nullptr;
        }
        port = inputs_[number];
    }
    auto errors = std::make_unique<ErrorRecord>();
    std::unique_ptr<RtMidiIn> midi = createMidi<RtMidiIn>(port.api, errors.get());
    unsigned int index = 0;
    if (!midi || !findPort(*midi, port, index)) {
        result = MIDIERR_NODEVICE;
        return nullptr;
    }
    auto input = std::make_unique<RtInput>(sink);
    // Everything passes: System Exclusive, timing and active sensing; what
    // matters is sorted out above this layer.
    midi->ignoreTypes(false, false, false);
    midi->setCallback(&RtInput::received, input.get());
    std::string text;
    midi->openPort(index, "in");
    if (errors->takeError(text) || !midi->isPortOpen()) {
        qCDebug(lcRtMidi) << "MIDI input port" << QString::fromStdString(port.name) << QString::fromStdString(text);
        midi->cancelCallback();
        result = MMSYSERR_ALLOCATED;
        return nullptr;
    }
    input->attach(std::move(midi), std::move(errors));
    result = MMSYSERR_NOERROR;
    return input;
}
