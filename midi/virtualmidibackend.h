#pragma once

// In-process MIDI ports for tests: named output and input ports that exist
// only inside this program. What the editor sends on an output port is
// recorded and handed to a listener; bytes injected into an input port reach
// whoever has it open, as if a device had sent them.

#include "midi/midibackend.h"

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class VirtualMidiBackend : public MidiBackend, public std::enable_shared_from_this<VirtualMidiBackend>
{
public:
    using OutputListener = std::function<void(const std::string &port, const std::string &message)>;
    static constexpr int kAlways = -1;

    VirtualMidiBackend(std::vector<std::string> outputPorts, std::vector<std::string> inputPorts);

    // Called on the sending thread, after the message was taken.
    void setOutputListener(OutputListener listener);

    // The port refuses the next `count` messages (kAlways: every one, 0: none
    // any more) with `result`.
    void refuseSends(const std::string &outputPort, int count, MMRESULT result);
    // System Exclusive messages are taken but never reported as gone out.
    void setLongMessagesNeverFinish(const std::string &outputPort, bool on);
    // Every message taken on the port, in order.
    std::vector<std::string> sent(const std::string &outputPort) const;
    void clearSent();

    // A device's two ports come or go as when it is plugged in or out.
    // While unplugged, a port is not listed, an open output refuses sends
    // (MIDIERR_NODEVICE) and an open input gets nothing. Either tells
    // PortChanges.
    void plugIn(const std::string &outputPort, const std::string &inputPort);
    void unplug(const std::string &outputPort, const std::string &inputPort);

    // Hands bytes to the input port; false when nobody has it open.
    bool inject(const std::string &inputPort, const std::string &bytes);
    bool isInputOpen(const std::string &inputPort) const;
    // Returns once what was injected so far has reached the port's callback.
    void waitUntilHandled(const std::string &inputPort);

    std::vector<std::string> outputPortNames(bool refresh) override;
    std::vector<std::string> inputPortNames(bool refresh) override;
    std::vector<std::string> presentPortNames(bool outputs) override;
    std::unique_ptr<MidiBackendOutput> openOutput(UINT port, MMRESULT &result) override;
    std::unique_ptr<MidiBackendInput> openInput(UINT port, MidiInputSink &sink, MMRESULT &result) override;

private:
    class Output;
    class Input;
    friend class Output;
    friend class Input;

    struct OutputState
    {
        int refusals = 0;
        MMRESULT refusalResult = MMSYSERR_ERROR;
        bool neverFinish = false;
        std::vector<std::string> sent;
    };

    MMRESULT take(const std::string &port, const std::string &message, bool &finished);
    void closeInput(const std::string &port);

    mutable std::mutex mutex_;
    std::vector<std::string> outputPorts_;
    std::vector<std::string> inputPorts_;
    OutputListener listener_;
    std::map<std::string, OutputState> outputs_;
    // The sink of each open input port.
    std::map<std::string, MidiInputSink *> openInputs_;
};
