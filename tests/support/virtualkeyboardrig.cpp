#include "virtualkeyboardrig.h"

#include "midi/midibackend.h"
#include "midi/midicontroller.h"
#include "midi/rememberedports.h"
#include "midi/virtualmidibackend.h"

#include <optional>
#include <stdexcept>

VirtualKeyboardRig::VirtualKeyboardRig(const std::vector<std::string> &outputPorts,
                                       const std::vector<std::string> &inputPorts)
    : backend_(std::make_shared<VirtualMidiBackend>(outputPorts, inputPorts))
{
    // A link left by an earlier test would still use the previous ports,
    // and a pair it remembered would change the order of the search.
    MidiController::releaseInstance();
    RememberedPorts::forget();
    backend_->setOutputListener([this](const std::string &port, const std::string &message) {
        messageSent(port, message);
    });
    replies_ = std::make_unique<ReplyScheduler>([this](const std::string &inputPort, const std::string &bytes) {
        backend_->inject(inputPort, bytes);
    });
    installMidiBackend(backend_);
}

VirtualKeyboardRig::~VirtualKeyboardRig()
{
    MidiController::releaseInstance();
    installMidiBackend(nullptr);
    backend_->setOutputListener(nullptr);
    replies_.reset();
    std::lock_guard<std::mutex> lock(queueMutex);
    inputQueue.clear();
}

KeyboardSimulator &VirtualKeyboardRig::attachSimulator(const std::string &outputPort, const std::string &inputPort,
                                                       bool upgradeMode)
{
    std::lock_guard<std::mutex> lock(mutex_);
    simulators_.push_back(std::make_unique<KeyboardSimulator>(upgradeMode));
    attachments_.push_back({outputPort, inputPort, simulators_.back().get()});
    return *simulators_.back();
}

void VirtualKeyboardRig::attachEcho(const std::string &outputPort, const std::string &inputPort)
{
    std::lock_guard<std::mutex> lock(mutex_);
    attachments_.push_back({outputPort, inputPort, nullptr});
}

KeyboardSimulator &VirtualKeyboardRig::simulator(int index)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (index < 0 || index >= int(simulators_.size()))
        throw std::out_of_range("no simulator with this index is attached");
    return *simulators_[std::size_t(index)];
}

std::vector<std::string> VirtualKeyboardRig::sent(const std::string &outputPort) const
{
    return backend_->sent(outputPort);
}

void VirtualKeyboardRig::clearSent()
{
    backend_->clearSent();
}

void VirtualKeyboardRig::refuseSends(const std::string &outputPort, int count, MMRESULT result)
{
    backend_->refuseSends(outputPort, count, result);
}

void VirtualKeyboardRig::setLongMessagesNeverFinish(const std::string &outputPort, bool on)
{
    backend_->setLongMessagesNeverFinish(outputPort, on);
}

void VirtualKeyboardRig::inject(const std::string &inputPort, const std::string &bytes)
{
    backend_->inject(inputPort, bytes);
    backend_->waitUntilHandled(inputPort);
}

bool VirtualKeyboardRig::isInputOpen(const std::string &inputPort) const
{
    return backend_->isInputOpen(inputPort);
}

void VirtualKeyboardRig::waitForReplies()
{
    replies_->waitUntilDueSent();
    std::vector<std::string> inputPorts;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        for (const Attachment &attachment : attachments_)
            inputPorts.push_back(attachment.inputPort);
    }
    for (const std::string &inputPort : inputPorts)
        backend_->waitUntilHandled(inputPort);
}

void VirtualKeyboardRig::messageSent(const std::string &outputPort, const std::string &message)
{
    std::vector<std::pair<KeyboardSimulator *, std::string>> listeners;
    std::optional<PlannedUnplug> unplugNow;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (plannedUnplug_.outputPort == outputPort && plannedUnplug_.messagesLeft > 0
            && --plannedUnplug_.messagesLeft == 0)
            unplugNow = plannedUnplug_;
        for (const Attachment &attachment : attachments_) {
            if (attachment.outputPort == outputPort)
                listeners.emplace_back(attachment.simulator, attachment.inputPort);
        }
    }
    for (const auto &[simulator, inputPort] : listeners) {
        if (!simulator) {
            replies_->schedule(inputPort, message, 0);
            continue;
        }
        for (const SimulatorReply &reply : simulator->receive(message))
            replies_->schedule(inputPort, reply.bytes, reply.delayMs);
    }
    if (unplugNow)
        backend_->unplug(unplugNow->outputPort, unplugNow->inputPort);
}

void VirtualKeyboardRig::unplugAfter(const std::string &outputPort, const std::string &inputPort, int count)
{
    std::lock_guard<std::mutex> lock(mutex_);
    plannedUnplug_ = {outputPort, inputPort, count};
}

void VirtualKeyboardRig::plugIn(const std::string &outputPort, const std::string &inputPort)
{
    backend_->plugIn(outputPort, inputPort);
}

void VirtualKeyboardRig::unplug(const std::string &outputPort, const std::string &inputPort)
{
    backend_->unplug(outputPort, inputPort);
}
