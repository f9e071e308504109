#pragma once

// The one live link to the keyboard: an output and an input port found by a
// handshake, the input callback that fills the process-wide message queue,
// and the output of short and System Exclusive messages.

#include "midi/linksearch.h"
#include "midi/portpair.h"
#include "midi/portservice.h"

#include <QString>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

constexpr int kInputBufferCount = 512;
constexpr int kInputBufferSize = 512;

// Every message the keyboard sent that matters (0x9A Note-Ons and System
// Exclusive buffers), oldest first. Guarded by queueMutex.
extern std::deque<std::string> inputQueue;
extern std::mutex queueMutex;
// Notified whenever a message is queued or a CancelToken is cancelled.
extern std::condition_variable queueChanged;

class MidiController
{
public:
    // The live link in the requested mode, made by discovery when there is
    // none or when it is in the other mode; null when no keyboard answers.
    static MidiController *getInstance(bool upgradeMode);
    // The same, with a discovery that runs as `search` says.
    static MidiController *getInstance(bool upgradeMode, const LinkSearch &search);
    static void releaseInstance();
    // Runs `use` with the live link in normal mode, during which no other
    // thread can replace or release the link; false, without calling it,
    // when there is none, or when a search holds the link longer than
    // `patience`. Never searches.
    static bool useLiveInstance(const std::function<void(MidiController &)> &use,
                                std::chrono::milliseconds patience = std::chrono::milliseconds(100));

    // Discovery; throws std::exception when no port pair answers. Among
    // several keyboards the first preferred one is linked, else the first
    // listed. Nothing is stored: the caller remembers the pair that
    // answered, if it wants.
    explicit MidiController(bool upgradeMode, const LinkSearch &search = {});
    ~MidiController();

    MidiController(const MidiController &) = delete;
    MidiController &operator=(const MidiController &) = delete;

    void closeInput();
    void closeOutput();

    bool upgradeMode() const { return upgradeMode_; }
    // Product name of the keyboard's output port.
    const QString &deviceName() const { return deviceName_; }
    // The linked pair, by the names the port service lists.
    const PortPair &portPair() const { return portPair_; }
    // Every keyboard the search that made this link found, this one
    // among them, by output and then input number.
    const std::vector<PortPair> &foundKeyboards() const { return foundKeyboards_; }

    // Input callback, run on the port service's thread.
    static void CALLBACK midiInProc(HMIDIIN handle, UINT message, DWORD_PTR instance,
                                    DWORD_PTR param1, DWORD_PTR param2);
    // The oldest queued message, or an empty string. Never waits.
    static std::string popMessage();
    // Waits until `ready` holds for the queued messages (checked under
    // queueMutex), `timeout` has passed or `cancel` is cancelled; true only
    // in the first case.
    static bool waitForMessages(std::chrono::steady_clock::duration timeout,
                                const std::function<bool(const std::deque<std::string> &)> &ready,
                                const CancelToken *cancel = nullptr);

    // Result codes are the port service's: 0 = sent.
    int sendLongMessage(const char *data, int length);
    // The same on any open output port.
    static int sendLongMessage(HMIDIOUT output, const char *data, int length);
    int sendShortMessage(unsigned char status, unsigned char data1, unsigned char data2);
    // Waits until every message sent so far has left the program and
    // returns how many never will (0 when all went out; see midiOutDrain).
    // `destinationGone`, when given, learns whether the port they were sent
    // to has gone meanwhile, so that none of them arrived.
    int drainOutput(bool *destinationGone = nullptr);
    // Other programs' ports listening to the output for which the MIDI
    // system may change what the keyboard gets (see midiOutRewritingListeners).
    std::vector<std::string> outputRewritingListeners() const;

    // The keyboard's parameter protocol.
    int requestParameter(int command, int slot, int selector, int number);
    int setParameter(int command, int slot, int selector, int number, int value);

    // Streams a firmware image in 512-byte blocks; false at the first
    // missing acknowledgement. progress gets 0..100. Nothing is sent, or
    // nothing more, while outputRewritingListeners() names a port.
    bool sendFirmware(const std::string &image, const std::function<void(int)> &progress);

    // An input port opened with `callback` (a function as midiInProc), its
    // `count` headers prepared
    // and queued, and started; false (and nothing left open) when it would
    // not open or start.
    static bool openInputPort(HMIDIIN *handle, UINT port, DWORD_PTR callback, DWORD_PTR instance,
                              MIDIHDR *headers, int count);
    // Stopped, its buffers handed back and unprepared, and closed. The
    // callback must not queue buffers again meanwhile.
    static void closeInputPort(HMIDIIN handle, MIDIHDR *headers, int count);

private:
    static int sendLongMessageUntapped(HMIDIOUT output, const char *data, int length);

    HMIDIIN input_ = nullptr;
    HMIDIOUT output_ = nullptr;
    MIDIHDR inputHeaders_[kInputBufferCount];
    // The 512-byte data blocks of inputHeaders_, in one piece.
    std::unique_ptr<char[]> inputBlocks_;
    // Set by the GUI thread while it closes the input, read by the callback.
    std::atomic<bool> closing_{false};
    const bool upgradeMode_;
    QString deviceName_;
    PortPair portPair_;
    std::vector<PortPair> foundKeyboards_;
};
