#include "keyboardsimulator.h"

#include <algorithm>
#include <cstdio>

namespace {
std::string bytes(std::initializer_list<unsigned char> list)
{
    return std::string(list.begin(), list.end());
}

unsigned char at(const std::string &message, std::size_t index)
{
    return static_cast<unsigned char>(message[index]);
}

// The keyboard's own identifiers and factory state, kept apart from the
// editor's tables on purpose: the simulator checks the editor, not itself.
constexpr unsigned char kIdentifiers[37] = {
    0x30, 0x01, 0x02, 0x09, 0x0B, 0x0C, 0x0D, 0x0E, 0x33, 0x03, 0x04, 0x0A, 0x05, 0x06, 0x07, 0x08,
    0x70, 0x71, 0x72, 0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79, 0x7A, 0x7B, 0x7C, 0x7D, 0x7E, 0x7F,
    0x10, 0x11, 0x41, 0x40, 0x50,
};
constexpr unsigned char kFactoryNumbers[37] = {
    7, 74, 71, 93, 73, 75, 79, 72, 114, 76, 77, 91, 18, 19, 16, 17,
    36, 37, 38, 39, 40, 41, 42, 43, 22, 23, 24, 25, 26, 27, 28, 29,
    0, 0, 0, 1, 64,
};

// Factory (mode, option) of a control by index.
std::pair<int, int> factoryMode(int index)
{
    if (index < 16) return {1, 0};   // knobs: Continuous, absolute
    if (index < 24) return {9, 1};   // pads 1..8: Midi Note, gate
    if (index < 32) return {8, 1};   // pads 9..16: Switched, gate
    switch (index) {
    case 34: return {12, 0};         // pitch wheel: Pitch Bend, standard
    case 35: return {14, 0};         // mod wheel: Aftertouch, standard
    case 36: return {8, 1};          // pedal: Switched, gate
    default: return {0, 0};          // octave buttons
    }
}

constexpr unsigned char kRequest = 0x01;
constexpr unsigned char kSet = 0x02;
constexpr unsigned char kChannelFollowsGlobal = 0x41; // 65 on the wire
} // namespace

std::string hex(const std::string &bytes)
{
    std::string text;
    char digits[4];
    for (unsigned char byte : bytes) {
        std::snprintf(digits, sizeof digits, "%02X ", byte);
        text += digits;
    }
    return text;
}

const std::string KeyboardSimulator::kHandshakeRequest = bytes({0xF0, 0x7E, 0x7F, 0x0A, 0x0B, 0xF7});
const std::string KeyboardSimulator::kHandshakeReply = bytes({0xF0, 0x7E, 0x0A, 0x01, 0x03, 0x00, 0x01, 0xF7});
const std::string KeyboardSimulator::kUpgradeProbeFirst = bytes({0x9A, 0x01, 0x02});
const std::string KeyboardSimulator::kUpgradeProbeSecond = bytes({0x9A, 0x7E, 0x7D});
const std::string KeyboardSimulator::kUpgradeReply = bytes({0x9A, 0x01, 0x02});
const std::string KeyboardSimulator::kParameterHeader = bytes({0xF0, 0x00, 0x20, 0x6B, 0x7F, 0x42});

KeyboardSimulator::KeyboardSimulator(bool upgradeMode)
    : upgradeMode_(upgradeMode)
{
    for (Memory &memory : memories_)
        fillFactoryMemory(memory);
}

void KeyboardSimulator::fillFactoryMemory(Memory &memory)
{
    memory[{0x40, 2}] = 0x01; // knob mode absolute
    memory[{0x40, 3}] = 0x00; // no octave shift
    memory[{0x40, 6}] = 0x00; // channel 1
    memory[{0x41, 1}] = 0x00; // key velocity curve linear
    memory[{0x41, 3}] = 0x00; // pad velocity curve linear
    memory[{0x41, 4}] = 0x00; // knob acceleration slow
    for (int index = 0; index < 37; ++index) {
        const int id = kIdentifiers[index];
        const auto [mode, option] = factoryMode(index);
        memory[{0, id}] = 0;
        memory[{1, id}] = mode;
        memory[{2, id}] = kChannelFollowsGlobal;
        memory[{3, id}] = kFactoryNumbers[index];
        memory[{4, id}] = 0;
        memory[{5, id}] = 127;
        memory[{6, id}] = option;
    }
}

std::vector<SimulatorReply> KeyboardSimulator::receive(const std::string &message)
{
    std::lock_guard<std::mutex> lock(mutex_);
    received_.push_back(message);
    std::vector<SimulatorReply> replies;
    if (upgradeMode_)
        answerUpgrade(message, replies);
    else
        answerNormal(message, replies);
    if (silent_)
        replies.clear();
    return replies;
}

void KeyboardSimulator::answerNormal(const std::string &message, std::vector<SimulatorReply> &replies)
{
    if (message == kHandshakeRequest) {
        std::string reply = kHandshakeReply;
        if (handshakeReply_ == HandshakeReply::ExtraByte)
            reply.insert(reply.size() - 1, 1, '\x00');
        else if (handshakeReply_ == HandshakeReply::MissingByte)
            reply.erase(reply.size() - 2, 1);
        if (unrelatedTraffic_)
            addUnrelatedTraffic(replies, handshakeDelayMs_);
        replies.push_back({reply, handshakeDelayMs_});
        return;
    }
    if (message.size() < 11 || message.compare(0, kParameterHeader.size(), kParameterHeader) != 0
        || at(message, message.size() - 1) != 0xF7)
        return;

    const unsigned char command = at(message, 6);
    const int slot = at(message, 7);
    const int selector = at(message, 8);
    const int number = at(message, 9);
    if (slot >= kMemoryCount)
        return;
    Memory &memory = memories_[slot];
    if (loses(command))
        return;

    if (command == kSet && message.size() == 12) {
        memory[{selector, number}] = at(message, 10);
        return;
    }
    if (command != kRequest || message.size() != 11 || !answerParameters_)
        return;
    if (parameterReplyLimit_ >= 0 && parameterRepliesSent_ >= parameterReplyLimit_)
        return;
    ++parameterRepliesSent_;

    const auto found = memory.find({selector, number});
    const unsigned char value = found == memory.end() ? 0 : static_cast<unsigned char>(found->second);
    std::string reply = kParameterHeader;
    reply += bytes({0x00, static_cast<unsigned char>(slot), static_cast<unsigned char>(selector),
                    static_cast<unsigned char>(number), value, 0xF7});
    if (unrelatedTraffic_)
        addUnrelatedTraffic(replies, 0);
    replies.push_back({reply, 0});
    if (duplicateReplies_)
        replies.push_back({reply, 0});
}

bool KeyboardSimulator::loses(unsigned char command)
{
    bool lost = false;
    if (takeIntervalUs_ > 0) {
        // The waiting messages are taken one an interval; one that finds
        // no room is gone.
        const auto now = std::chrono::steady_clock::now();
        const double taken =
            std::chrono::duration<double, std::micro>(now - lastArrival_).count() / double(takeIntervalUs_);
        waiting_ = std::max(0.0, waiting_ - taken);
        lastArrival_ = now;
        if (waiting_ + 1 > takeRoom_ + 1e-9)
            lost = true;
        else
            waiting_ += 1;
    }
    if (command == kSet && loseSetEvery_ > 0 && ++setsSeen_ % loseSetEvery_ == 0)
        lost = true;
    if (command == kRequest && loseRequestEvery_ > 0 && ++requestsSeen_ % loseRequestEvery_ == 0)
        lost = true;
    if (lost)
        ++lost_;
    return lost;
}

void KeyboardSimulator::answerUpgrade(const std::string &message, std::vector<SimulatorReply> &replies)
{
    const bool transferRunning = announcedBlocks_ > 0 && !complete_;
    if (message.size() != 3) {
        if (transferRunning)
            firmwareErrors_.push_back("unexpected message " + hex(message));
        return;
    }
    const unsigned char status = at(message, 0);
    const unsigned char high = at(message, 1);
    const unsigned char low = at(message, 2);

    if (status == 0x9A) {
        if (message == kUpgradeProbeSecond && probeStarted_) {
            // 9A 01 02 was the first half of a probe, not an announcement.
            probeStarted_ = false;
            announcedBlocks_ = -1;
            acknowledgementIndex_ = 0;
            replies.clear();
            if (unrelatedTraffic_)
                addUnrelatedTraffic(replies, handshakeDelayMs_);
            replies.push_back({kUpgradeReply, handshakeDelayMs_});
            return;
        }
        probeStarted_ = message == kUpgradeProbeFirst;
        if (high > 0x7F || low > 0x0F) {
            firmwareErrors_.push_back("bad size announcement " + hex(message));
            return;
        }
        if (transferRunning && !image_.empty())
            firmwareErrors_.push_back("transfer interrupted after " + std::to_string(image_.size()) + " bytes");
        // A size announcement: the block count, high part first.
        announcedBlocks_ = (high << 4) | low;
        acknowledgementIndex_ = 0;
        image_.clear();
        complete_ = false;
        acknowledge(bytes({0x9A, 0x01, 0x03}), replies);
        return;
    }
    probeStarted_ = false;
    if (status != 0x90) {
        firmwareErrors_.push_back("unexpected status " + hex(message));
        return;
    }
    if (announcedBlocks_ <= 0 || complete_) {
        firmwareErrors_.push_back("data outside a transfer " + hex(message));
        return;
    }
    if (high > 0x0F || low > 0x0F) {
        firmwareErrors_.push_back("data byte halves above 0x0F " + hex(message));
        return;
    }
    image_.push_back(static_cast<char>((high << 4) | low));
    if (image_.size() % kBlockSize != 0)
        return;
    const int blocksDone = static_cast<int>(image_.size() / kBlockSize);
    if (blocksDone < announcedBlocks_) {
        acknowledge(bytes({0x9A, 0x01, 0x04}), replies);
    } else {
        complete_ = true;
        acknowledge(bytes({0x9A, 0x01, 0x05}), replies);
    }
}

void KeyboardSimulator::acknowledge(const std::string &ack, std::vector<SimulatorReply> &replies)
{
    const int index = acknowledgementIndex_++;
    if (droppedAcks_.count(index))
        return;
    const auto delayed = delayedAcks_.find(index);
    const int delayMs = delayed == delayedAcks_.end() ? 0 : delayed->second;
    if (unrelatedTraffic_)
        addUnrelatedTraffic(replies, delayMs);
    replies.push_back({ack, delayMs});
}

void KeyboardSimulator::addUnrelatedTraffic(std::vector<SimulatorReply> &replies, int delayMs) const
{
    replies.push_back({bytes({0x90, 0x3C, 0x40}), delayMs});                    // Note-On, channel 1
    replies.push_back({bytes({0xB0, 0x07, 0x64}), delayMs});                    // Control Change
    replies.push_back({bytes({0x9A, 0x3C, 0x00}), delayMs});                    // Note-On channel 11, velocity 0
    replies.push_back({bytes({0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7}), delayMs});  // someone's identity request
    replies.push_back({bytes({0xF0, 0x00, 0x20, 0x6B, 0x7F, 0x42, 0x00, 0x00, 0x40, 0xF7}), delayMs});
}

void KeyboardSimulator::setSilent(bool silent) { std::lock_guard<std::mutex> lock(mutex_); silent_ = silent; }
void KeyboardSimulator::setHandshakeDelayMs(int delayMs) { std::lock_guard<std::mutex> lock(mutex_); handshakeDelayMs_ = delayMs; }
void KeyboardSimulator::setHandshakeReply(HandshakeReply reply) { std::lock_guard<std::mutex> lock(mutex_); handshakeReply_ = reply; }
void KeyboardSimulator::setUnrelatedTraffic(bool on) { std::lock_guard<std::mutex> lock(mutex_); unrelatedTraffic_ = on; }
void KeyboardSimulator::setAnswerParameters(bool on) { std::lock_guard<std::mutex> lock(mutex_); answerParameters_ = on; }
void KeyboardSimulator::setDuplicateReplies(bool on) { std::lock_guard<std::mutex> lock(mutex_); duplicateReplies_ = on; }
void KeyboardSimulator::setUpgradeMode(bool on) { std::lock_guard<std::mutex> lock(mutex_); upgradeMode_ = on; }

void KeyboardSimulator::setTakeInterval(int intervalUs, int room)
{
    std::lock_guard<std::mutex> lock(mutex_);
    takeIntervalUs_ = std::max(0, intervalUs);
    takeRoom_ = std::max(1, room);
    waiting_ = 0;
}

void KeyboardSimulator::setLoseSetEvery(int count) { std::lock_guard<std::mutex> lock(mutex_); loseSetEvery_ = std::max(0, count); setsSeen_ = 0; }
void KeyboardSimulator::setLoseRequestEvery(int count) { std::lock_guard<std::mutex> lock(mutex_); loseRequestEvery_ = std::max(0, count); requestsSeen_ = 0; }
int KeyboardSimulator::lostCount() const { std::lock_guard<std::mutex> lock(mutex_); return lost_; }

void KeyboardSimulator::setParameterReplyLimit(int limit)
{
    std::lock_guard<std::mutex> lock(mutex_);
    parameterReplyLimit_ = limit;
    parameterRepliesSent_ = 0;
}

void KeyboardSimulator::dropAcknowledgement(int index) { std::lock_guard<std::mutex> lock(mutex_); droppedAcks_.insert(index); }
void KeyboardSimulator::delayAcknowledgement(int index, int delayMs) { std::lock_guard<std::mutex> lock(mutex_); delayedAcks_[index] = delayMs; }

int KeyboardSimulator::value(int slot, int selector, int number) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (slot < 0 || slot >= kMemoryCount)
        return -1;
    const auto found = memories_[slot].find({selector, number});
    return found == memories_[slot].end() ? -1 : found->second;
}

void KeyboardSimulator::setValue(int slot, int selector, int number, int value)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (slot >= 0 && slot < kMemoryCount)
        memories_[slot][{selector, number}] = value;
}

int KeyboardSimulator::parameterCount(int slot) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return slot >= 0 && slot < kMemoryCount ? static_cast<int>(memories_[slot].size()) : 0;
}

std::vector<std::string> KeyboardSimulator::received() const { std::lock_guard<std::mutex> lock(mutex_); return received_; }
int KeyboardSimulator::receivedCount() const { std::lock_guard<std::mutex> lock(mutex_); return static_cast<int>(received_.size()); }
void KeyboardSimulator::clearReceived() { std::lock_guard<std::mutex> lock(mutex_); received_.clear(); }
int KeyboardSimulator::announcedBlocks() const { std::lock_guard<std::mutex> lock(mutex_); return announcedBlocks_; }
std::string KeyboardSimulator::firmwareImage() const { std::lock_guard<std::mutex> lock(mutex_); return image_; }
bool KeyboardSimulator::firmwareComplete() const { std::lock_guard<std::mutex> lock(mutex_); return complete_; }
std::vector<std::string> KeyboardSimulator::firmwareErrors() const { std::lock_guard<std::mutex> lock(mutex_); return firmwareErrors_; }
