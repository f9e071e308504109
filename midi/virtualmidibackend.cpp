#include "midi/virtualmidibackend.h"

#include "midi/portchanges.h"

#include <algorithm>

class VirtualMidiBackend::Output : public MidiBackendOutput
{
public:
    Output(std::shared_ptr<VirtualMidiBackend> backend, std::string port)
        : backend_(std::move(backend)), port_(std::move(port))
    {
    }

    MMRESULT send(const std::string &message, bool &finished) override
    {
        return backend_->take(port_, message, finished);
    }

private:
    const std::shared_ptr<VirtualMidiBackend> backend_;
    const std::string port_;
};

class VirtualMidiBackend::Input : public MidiBackendInput
{
public:
    Input(std::shared_ptr<VirtualMidiBackend> backend, std::string port)
        : backend_(std::move(backend)), port_(std::move(port))
    {
    }

    ~Input() override { backend_->closeInput(port_); }

private:
    const std::shared_ptr<VirtualMidiBackend> backend_;
    const std::string port_;
};

VirtualMidiBackend::VirtualMidiBackend(std::vector<std::string> outputPorts, std::vector<std::string> inputPorts)
    : outputPorts_(std::move(outputPorts)), inputPorts_(std::move(inputPorts))
{
    for (const std::string &port : outputPorts_)
        outputs_[port];
}

namespace {
bool listed(const std::vector<std::string> &ports, const std::string &port)
{
    return std::find(ports.begin(), ports.end(), port) != ports.end();
}
} // namespace

void VirtualMidiBackend::plugIn(const std::string &outputPort, const std::string &inputPort)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!listed(outputPorts_, outputPort))
            outputPorts_.push_back(outputPort);
        if (!listed(inputPorts_, inputPort))
            inputPorts_.push_back(inputPort);
    }
    PortChanges::notify();
}

void VirtualMidiBackend::unplug(const std::string &outputPort, const std::string &inputPort)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        outputPorts_.erase(std::remove(outputPorts_.begin(), outputPorts_.end(), outputPort), outputPorts_.end());
        inputPorts_.erase(std::remove(inputPorts_.begin(), inputPorts_.end(), inputPort), inputPorts_.end());
    }
    PortChanges::notify();
}

void VirtualMidiBackend::setOutputListener(OutputListener listener)
{
    std::lock_guard<std::mutex> lock(mutex_);
    listener_ = std::move(listener);
}

void VirtualMidiBackend::refuseSends(const std::string &outputPort, int count, MMRESULT result)
{
    std::lock_guard<std::mutex> lock(mutex_);
    OutputState &state = outputs_[outputPort];
    state.refusals = count;
    state.refusalResult = result;
}

void VirtualMidiBackend::setLongMessagesNeverFinish(const std::string &outputPort, bool on)
{
    std::lock_guard<std::mutex> lock(mutex_);
    outputs_[outputPort].neverFinish = on;
}

std::vector<std::string> VirtualMidiBackend::sent(const std::string &outputPort) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    const auto found = outputs_.find(outputPort);
    return found == outputs_.end() ? std::vector<std::string>() : found->second.sent;
}

void VirtualMidiBackend::clearSent()
{
    std::lock_guard<std::mutex> lock(mutex_);
    for (auto &output : outputs_)
        output.second.sent.clear();
}

bool VirtualMidiBackend::inject(const std::string &inputPort, const std::string &bytes)
{
    // The sink is called under the lock, so the port cannot close meanwhile.
    std::lock_guard<std::mutex> lock(mutex_);
    const auto found = openInputs_.find(inputPort);
    if (found == openInputs_.end() || !listed(inputPorts_, inputPort))
        return false;
    found->second->receive(reinterpret_cast<const unsigned char *>(bytes.data()), bytes.size());
    return true;
}

bool VirtualMidiBackend::isInputOpen(const std::string &inputPort) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return openInputs_.count(inputPort) != 0;
}

void VirtualMidiBackend::waitUntilHandled(const std::string &inputPort)
{
    // Under the lock, so the port cannot close meanwhile; the port's thread
    // never takes this lock, so it can finish.
    std::lock_guard<std::mutex> lock(mutex_);
    const auto found = openInputs_.find(inputPort);
    if (found != openInputs_.end())
        found->second->waitUntilHandled();
}

std::vector<std::string> VirtualMidiBackend::outputPortNames(bool)
{
    std::lock_guard<std::mutex> lock(mutex_);
    return outputPorts_;
}

std::vector<std::string> VirtualMidiBackend::inputPortNames(bool)
{
    std::lock_guard<std::mutex> lock(mutex_);
    return inputPorts_;
}

std::vector<std::string> VirtualMidiBackend::presentPortNames(bool outputs)
{
    std::lock_guard<std::mutex> lock(mutex_);
    return outputs ? outputPorts_ : inputPorts_;
}

std::unique_ptr<MidiBackendOutput> VirtualMidiBackend::openOutput(UINT port, MMRESULT &result)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (port >= outputPorts_.size()) {
        result = MMSYSERR_BADDEVICEID;
        return nullptr;
    }
    result = MMSYSERR_NOERROR;
    return std::make_unique<Output>(shared_from_this(), outputPorts_[port]);
}

std::unique_ptr<MidiBackendInput> VirtualMidiBackend::openInput(UINT port, MidiInputSink &sink, MMRESULT &result)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (port >= inputPorts_.size()) {
        result = MMSYSERR_BADDEVICEID;
        return nullptr;
    }
    const std::string &name = inputPorts_[port];
    // Like a hardware input, one program at a time.
    if (openInputs_.count(name)) {
        result = MMSYSERR_ALLOCATED;
        return nullptr;
    }
    openInputs_[name] = &sink;
    result = MMSYSERR_NOERROR;
    return std::make_unique<Input>(shared_from_this(), name);
}

MMRESULT VirtualMidiBackend::take(const std::string &port, const std::string &message, bool &finished)
{
    OutputListener listener;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!listed(outputPorts_, port))
            return MIDIERR_NODEVICE;
        OutputState &state = outputs_[port];
        if (state.refusals != 0) {
            if (state.refusals > 0)
                --state.refusals;
            return state.refusalResult;
        }
        state.sent.push_back(message);
        finished = !(state.neverFinish && static_cast<unsigned char>(message[0]) == 0xF0);
        listener = listener_;
    }
    if (listener)
        listener(port, message);
    return MMSYSERR_NOERROR;
}

void VirtualMidiBackend::closeInput(const std::string &port)
{
    std::lock_guard<std::mutex> lock(mutex_);
    openInputs_.erase(port);
}
