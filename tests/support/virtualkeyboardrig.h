#pragma once

// In-process keyboards for tests. The rig installs virtual MIDI ports in
// the port service and plays simulated keyboards on them: every message
// the editor sends on an output port goes to the simulators attached to it,
// and their replies come back on the paired input port from a thread of the
// rig's own, after each reply's delay, through the port service's buffers
// just as a device's input would.
//
//     VirtualKeyboardRig rig({"Telvir Keyboard"}, {"Telvir Keyboard"});
//     KeyboardSimulator &keyboard = rig.attachSimulator("Telvir Keyboard", "Telvir Keyboard");
//     MidiController *link = MidiController::getInstance(false);
//
// The destructor releases the live link and puts the system's MIDI back,
// so each test function can build its own rig.

#include "keyboardsimulator.h"
#include "replyscheduler.h"
#include "midi/portservice.h"

#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class VirtualMidiBackend;

class VirtualKeyboardRig
{
public:
    static constexpr int kAlways = -1;

    // Output ports are the editor's outputs (towards a keyboard), input
    // ports its inputs; both are numbered in the order given.
    VirtualKeyboardRig(const std::vector<std::string> &outputPorts, const std::vector<std::string> &inputPorts);
    ~VirtualKeyboardRig();

    VirtualKeyboardRig(const VirtualKeyboardRig &) = delete;
    VirtualKeyboardRig &operator=(const VirtualKeyboardRig &) = delete;

    // A new simulated keyboard that listens on outputPort and answers on
    // inputPort. The rig owns it.
    KeyboardSimulator &attachSimulator(const std::string &outputPort, const std::string &inputPort,
                                       bool upgradeMode = false);
    // A device that sends back on inputPort whatever reaches outputPort
    // (a loopback such as ALSA's "Midi Through").
    void attachEcho(const std::string &outputPort, const std::string &inputPort);
    // The simulators in the order they were attached.
    KeyboardSimulator &simulator(int index = 0);

    // Every message the port took, in order (refused ones are not there).
    std::vector<std::string> sent(const std::string &outputPort) const;
    void clearSent();

    // The port refuses the next `count` messages (kAlways: all of them, 0:
    // none any more) with the given result code.
    void refuseSends(const std::string &outputPort, int count, MMRESULT result = MMSYSERR_ERROR);
    // System Exclusive messages on the port are taken but never finish.
    void setLongMessagesNeverFinish(const std::string &outputPort, bool on);

    // The ports come or go as a device's do when it is plugged in or out.
    void plugIn(const std::string &outputPort, const std::string &inputPort);
    void unplug(const std::string &outputPort, const std::string &inputPort);
    // Unplugs the device once its output port has taken `count` more
    // messages, as if the cable came out in the middle of a write.
    void unplugAfter(const std::string &outputPort, const std::string &inputPort, int count);

    // Bytes arriving on an input port as if a device sent them; returns once
    // they went through the port service's callback (MidiController::
    // midiInProc for a live link). Dropped when the port is not open.
    void inject(const std::string &inputPort, const std::string &bytes);
    bool isInputOpen(const std::string &inputPort) const;
    // Blocks until every reply due so far has gone through its input port's
    // callback, so a reply of the link is in inputQueue when this returns.
    void waitForReplies();

private:
    struct Attachment
    {
        std::string outputPort;
        std::string inputPort;
        KeyboardSimulator *simulator; // null for an echo
    };
    void messageSent(const std::string &outputPort, const std::string &message);

    std::shared_ptr<VirtualMidiBackend> backend_;

    mutable std::mutex mutex_;
    std::deque<std::unique_ptr<KeyboardSimulator>> simulators_;
    std::vector<Attachment> attachments_;
    struct PlannedUnplug
    {
        std::string outputPort;
        std::string inputPort;
        int messagesLeft = -1;
    } plannedUnplug_;

    std::unique_ptr<ReplyScheduler> replies_;
};
