#pragma once

// The keyboard's side of the MIDI conversation, without any transport:
// complete messages in, answers out. It knows the discovery handshakes,
// nine parameter memories and the firmware upgrade mode, and it has
// switches for the faults a real keyboard or a busy MIDI bus shows.
// Thread-safe: a transport may feed it from its own thread while a test
// reads its state.

#include <array>
#include <chrono>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <utility>
#include <vector>

// "F0 7E 7F " and so on: bytes as the simulator prints and reports them.
std::string hex(const std::string &bytes);

struct SimulatorReply
{
    std::string bytes;
    int delayMs = 0; // how long after the triggering message it is sent
};

class KeyboardSimulator
{
public:
    enum class HandshakeReply { Exact, ExtraByte, MissingByte };

    static constexpr int kMemoryCount = 9; // 0 = "workArea", 1..8
    static constexpr int kBlockSize = 512;

    explicit KeyboardSimulator(bool upgradeMode = false);

    // One complete message that reached the keyboard; returns its answers
    // in the order they are sent.
    std::vector<SimulatorReply> receive(const std::string &message);

    // Switches for faults.
    void setSilent(bool silent);                  // answers nothing at all
    void setHandshakeDelayMs(int delayMs);        // late handshake answer
    void setHandshakeReply(HandshakeReply reply); // one byte more or less
    void setUnrelatedTraffic(bool on);            // foreign messages before each answer
    void setAnswerParameters(bool on);            // off: handshake only
    void setParameterReplyLimit(int limit);       // answer only the first `limit` requests; -1 = all
    void setDuplicateReplies(bool on);            // every parameter reply twice
    // A slow keyboard. It takes one parameter message every `intervalUs`
    // microseconds, with room for `room` waiting; what comes faster is
    // lost, requests as well as sets. 0 takes any number at once.
    void setTakeInterval(int intervalUs, int room = 1);
    void setLoseSetEvery(int count);              // every Nth set message is lost; 0 = none
    void setLoseRequestEvery(int count);          // every Nth request goes unanswered; 0 = none
    // Parameter messages lost by the switches above so far.
    int lostCount() const;
    void setUpgradeMode(bool on);                 // started while the shift key was held
    void dropAcknowledgement(int index);          // 0 = size, k = after block k (1-based)
    void delayAcknowledgement(int index, int delayMs);

    // Parameter memories. A parameter is addressed by (selector, number):
    // globals by group 0x40/0x41 and number, controls by sub-parameter 0..6
    // and the control's identifier. Values are the keyboard's wire values.
    int value(int slot, int selector, int number) const; // -1 when it has none
    void setValue(int slot, int selector, int number, int value);
    // How many parameters a memory holds (all are filled at start).
    int parameterCount(int slot) const;

    // What the keyboard received, in order.
    std::vector<std::string> received() const;
    int receivedCount() const;
    void clearReceived();

    // Firmware upgrade results.
    int announcedBlocks() const;             // -1 before any announcement
    std::string firmwareImage() const;       // every data byte received, fillers included
    bool firmwareComplete() const;           // the last block arrived
    std::vector<std::string> firmwareErrors() const;

    // The handshake and firmware bytes, as the keyboard knows them.
    static const std::string kHandshakeRequest;
    static const std::string kHandshakeReply;
    static const std::string kUpgradeProbeFirst;
    static const std::string kUpgradeProbeSecond;
    static const std::string kUpgradeReply;
    static const std::string kParameterHeader;

private:
    using Address = std::pair<int, int>;
    using Memory = std::map<Address, int>;

    void fillFactoryMemory(Memory &memory);
    void answerNormal(const std::string &message, std::vector<SimulatorReply> &replies);
    void answerUpgrade(const std::string &message, std::vector<SimulatorReply> &replies);
    void acknowledge(const std::string &ack, std::vector<SimulatorReply> &replies);
    void addUnrelatedTraffic(std::vector<SimulatorReply> &replies, int delayMs) const;
    // Whether a slow keyboard loses this parameter message.
    bool loses(unsigned char command);

    mutable std::mutex mutex_;
    std::array<Memory, kMemoryCount> memories_;
    std::vector<std::string> received_;

    bool silent_ = false;
    int handshakeDelayMs_ = 0;
    HandshakeReply handshakeReply_ = HandshakeReply::Exact;
    bool unrelatedTraffic_ = false;
    bool answerParameters_ = true;
    int parameterReplyLimit_ = -1;
    int parameterRepliesSent_ = 0;
    bool duplicateReplies_ = false;
    bool upgradeMode_ = false;
    int takeIntervalUs_ = 0;
    int takeRoom_ = 1;
    // How many messages wait to be taken, as of lastArrival_.
    double waiting_ = 0;
    std::chrono::steady_clock::time_point lastArrival_{};
    int loseSetEvery_ = 0;
    int setsSeen_ = 0;
    int loseRequestEvery_ = 0;
    int requestsSeen_ = 0;
    int lost_ = 0;

    // Firmware transfer state.
    bool probeStarted_ = false;  // 9A 01 02 seen, 9A 7E 7D may follow
    int announcedBlocks_ = -1;
    int acknowledgementIndex_ = 0;
    std::string image_;
    bool complete_ = false;
    std::vector<std::string> firmwareErrors_;
    std::set<int> droppedAcks_;
    std::map<int, int> delayedAcks_;
};
