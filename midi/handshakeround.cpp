#include "midi/handshakeround.h"

#include "midi/canceltoken.h"
#include "midi/handshake.h"
#include "midi/midicontroller.h"
#include "midi/miditap.h"

#include <algorithm>
#include <atomic>
#include <cstring>

namespace {
// The keyboard needs time after a port opens, and answers within a few
// hundred milliseconds; an answer that comes sooner ends the wait at once.
constexpr std::chrono::milliseconds kSettleTime{300};
constexpr std::chrono::milliseconds kAnswerTime{600};
// After the first answer of a round, how long the others may take: every
// keyboard got the handshake at the same moment.
constexpr std::chrono::milliseconds kOtherKeyboardsTime{50};
// A device that echoes the upgrade probe sends its second Note-On right
// after the first, which is all that tells it from the keyboard.
constexpr std::chrono::milliseconds kEchoTime{20};
// While the output of an answering input is looked for, a probe waits a
// few times as long as that input took to answer the round, within these
// bounds; a late answer is caught by the confirmation and a slow pass.
constexpr std::chrono::milliseconds kShortestProbe{60};
constexpr int kLatencyFactor = 4;

// Enough for the reply and whatever else a device sends meanwhile: the
// callback hands each buffer back as soon as its bytes are taken.
constexpr int kListenerBufferCount = 16;
constexpr unsigned char kKeyboardStatus = 0x9A; // Note-On, channel 11

using Clock = std::chrono::steady_clock;
} // namespace

struct HandshakeRound::Listener
{
    HandshakeRound *round = nullptr;
    unsigned input = 0;
    HMIDIIN handle = nullptr;
    MIDIHDR headers[kListenerBufferCount];
    std::unique_ptr<char[]> blocks;
    std::atomic<bool> closing{false};
};

HandshakeRound::HandshakeRound(bool upgradeMode, std::vector<std::string> outputs, std::vector<std::string> inputs,
                               const LinkSearch &search)
    : upgradeMode_(upgradeMode),
      outputNames_(std::move(outputs)),
      inputNames_(std::move(inputs)),
      search_(search),
      outputs_(outputNames_.size(), nullptr),
      outputFailed_(outputNames_.size(), false),
      handshakes_(outputNames_.size(), 0),
      listeners_(inputNames_.size()),
      inputFailed_(inputNames_.size(), false)
{
}

HandshakeRound::~HandshakeRound()
{
    finish({});
}

bool HandshakeRound::cancelled() const
{
    return search_.cancel && search_.cancel->cancelled();
}

void HandshakeRound::tell(SearchStep::Kind kind, const PortPair &pair, int outputs, int inputs) const
{
    if (search_.onStep)
        search_.onStep(SearchStep{kind, pair, outputs, inputs});
}

bool HandshakeRound::accepted(unsigned output, unsigned input) const
{
    return !search_.acceptPair || search_.acceptPair({outputNames_[output], inputNames_[input]});
}

bool HandshakeRound::openOutput(unsigned output)
{
    if (outputs_[output])
        return true;
    if (outputFailed_[output])
        return false;
    if (midiOutOpen(&outputs_[output], output, 0, 0, CALLBACK_NULL) != MMSYSERR_NOERROR) {
        outputs_[output] = nullptr;
        outputFailed_[output] = true;
        return false;
    }
    return true;
}

bool HandshakeRound::openInput(unsigned input)
{
    if (listeners_[input])
        return true;
    if (inputFailed_[input])
        return false;
    auto listener = std::make_unique<Listener>();
    listener->round = this;
    listener->input = input;
    listener->blocks.reset(new char[std::size_t(kListenerBufferCount) * kInputBufferSize]);
    for (int i = 0; i < kListenerBufferCount; ++i) {
        std::memset(&listener->headers[i], 0, sizeof(MIDIHDR));
        listener->headers[i].lpData = listener->blocks.get() + std::size_t(i) * kInputBufferSize;
        listener->headers[i].dwBufferLength = kInputBufferSize;
    }
    if (!MidiController::openInputPort(&listener->handle, input,
                                       reinterpret_cast<DWORD_PTR>(&HandshakeRound::inputProc),
                                       reinterpret_cast<DWORD_PTR>(listener.get()), listener->headers,
                                       kListenerBufferCount)) {
        inputFailed_[input] = true;
        return false;
    }
    listeners_[input] = std::move(listener);
    return true;
}

void HandshakeRound::closeInput(Listener &listener)
{
    listener.closing = true;
    MidiController::closeInputPort(listener.handle, listener.headers, kListenerBufferCount);
    listener.handle = nullptr;
}

void HandshakeRound::settle(const std::vector<unsigned> &outputs, const std::vector<unsigned> &inputs)
{
    if (outputs.empty() && inputs.empty())
        return;
    HMIDIOUT anyOutput = nullptr;
    HMIDIIN anyInput = nullptr;
    for (HMIDIOUT output : outputs_)
        anyOutput = anyOutput ? anyOutput : output;
    for (const std::unique_ptr<Listener> &listener : listeners_)
        anyInput = anyInput ? anyInput : (listener ? listener->handle : nullptr);
    // Where the MIDI system vouches that the connections carry messages
    // (JACK: connected, and a process cycle ran with them), the devices
    // had their ports open all along and the handshake goes at once.
    bool confirmed = anyOutput && anyInput;
    for (unsigned output : outputs)
        confirmed = confirmed && midiConnectionConfirmed(outputs_[output], anyInput);
    for (unsigned input : inputs)
        confirmed = confirmed && midiConnectionConfirmed(anyOutput, listeners_[input]->handle);
    if (!confirmed)
        MidiController::waitForMessages(kSettleTime, [](const std::deque<std::string> &) { return false; },
                                        search_.cancel);
}

std::vector<unsigned> HandshakeRound::sendHandshake(const std::vector<unsigned> &outputs)
{
    std::vector<unsigned> taken;
    for (unsigned output : outputs) {
        HMIDIOUT port = outputs_[output];
        MMRESULT result = MMSYSERR_NOERROR;
        if (upgradeMode_) {
            result = midiOutShortMsg(port, kUpgradeProbeFirst);
            MidiTap::recordShort(TappedMessage::Direction::Out, kUpgradeProbeFirst, result != MMSYSERR_NOERROR);
            if (result != MMSYSERR_NOERROR)
                continue;
            ++handshakes_[output];
            result = midiOutShortMsg(port, kUpgradeProbeSecond);
            MidiTap::recordShort(TappedMessage::Direction::Out, kUpgradeProbeSecond, result != MMSYSERR_NOERROR);
            // The second Note-On's Note-Off goes out even if it was refused:
            // a port that takes one message and not the next may have
            // taken part of it.
        } else {
            result = MidiController::sendLongMessage(port, kHandshakeRequest.data(), int(kHandshakeRequest.size()));
            if (result == MMSYSERR_NOERROR)
                ++handshakes_[output];
        }
        if (result == MMSYSERR_NOERROR)
            taken.push_back(output);
    }
    // A handshake still waiting to leave (a JACK server that runs no
    // cycles) can get no answer. One output tells it for all: waiting for
    // each in turn would cost a cycle or two per port.
    DWORD unsent = 0;
    if (!taken.empty() && (midiOutDrain(outputs_[taken.front()], &unsent), unsent > 0))
        taken.clear();
    return taken;
}

void HandshakeRound::forgetHeard()
{
    std::lock_guard<std::mutex> lock(queueMutex);
    heard_.clear();
}

bool HandshakeRound::answered(unsigned input) const
{
    const std::string &reply = upgradeMode_ ? kUpgradeHandshakeReply : kHandshakeReply;
    bool replied = false;
    for (const Heard &heard : heard_) {
        if (heard.input != input)
            continue;
        // A device that sends the second probe back echoes; its copy of
        // the first is no answer.
        if (upgradeMode_ && heard.message == kUpgradeProbeSecondBytes)
            return false;
        replied = replied || heard.message == reply;
    }
    return replied;
}

std::vector<HandshakeRound::Answer> HandshakeRound::awaitReplies(Clock::duration timeout, long input,
                                                                 Clock::duration grace)
{
    const Clock::time_point sent = Clock::now();
    const Clock::time_point deadline = sent + timeout;
    const auto anyAnswer = [&] {
        for (const Heard &heard : heard_) {
            if ((input == kAnyInput || heard.input == unsigned(input)) && answered(heard.input))
                return true;
        }
        return false;
    };

    std::unique_lock<std::mutex> lock(queueMutex);
    if (input == kWholeTime) {
        queueChanged.wait_until(lock, deadline, [&] { return cancelled(); });
    } else if (queueChanged.wait_until(lock, deadline, [&] { return cancelled() || anyAnswer(); })
               && grace.count() > 0) {
        queueChanged.wait_until(lock, std::min(deadline, Clock::now() + grace), [&] { return cancelled(); });
    }
    std::vector<Answer> answers;
    if (cancelled())
        return answers;
    const std::string &reply = upgradeMode_ ? kUpgradeHandshakeReply : kHandshakeReply;
    for (const Heard &heard : heard_) {
        const bool known = std::any_of(answers.begin(), answers.end(),
                                       [&](const Answer &answer) { return answer.input == heard.input; });
        if (!known && heard.message == reply && answered(heard.input))
            answers.push_back({heard.input, std::max(Clock::duration::zero(), heard.at - sent)});
    }
    std::sort(answers.begin(), answers.end(),
              [](const Answer &a, const Answer &b) { return a.input < b.input; });
    return answers;
}

bool HandshakeRound::probe(const std::vector<unsigned> &outputs, unsigned input, Clock::duration wait)
{
    forgetHeard();
    if (sendHandshake(outputs).empty())
        return false;
    const Clock::duration grace = upgradeMode_ ? Clock::duration(kEchoTime) : Clock::duration::zero();
    for (const Answer &answer : awaitReplies(wait, long(input), grace)) {
        if (answer.input == input)
            return true;
    }
    return false;
}

long HandshakeRound::halve(unsigned input, std::vector<unsigned> outputs, Clock::duration wait)
{
    while (outputs.size() > 1 && !cancelled()) {
        tell(SearchStep::Kind::Output, {std::string(), inputNames_[input]}, int(outputs.size()), 1);
        const std::vector<unsigned> half(outputs.begin(), outputs.begin() + long(outputs.size() / 2));
        if (probe(half, input, wait))
            outputs = half;
        else
            outputs.erase(outputs.begin(), outputs.begin() + long(half.size()));
    }
    if (outputs.size() != 1 || cancelled())
        return -1;
    // The last one left is asked alone even when its half answered: that
    // answer may have been a late one to the half before, on a loaded
    // machine, and then this output is not the keyboard's.
    tell(SearchStep::Kind::Output, {std::string(), inputNames_[input]}, 1, 1);
    return probe(outputs, input, wait) ? long(outputs.front()) : -1;
}

long HandshakeRound::findOutput(unsigned input, const std::vector<unsigned> &outputs, Clock::duration latency)
{
    // The round itself told it.
    if (outputs.size() == 1)
        return long(outputs.front());
    const Clock::duration quick =
        std::clamp<Clock::duration>(latency * kLatencyFactor, kShortestProbe, kAnswerTime);
    std::vector<unsigned> others;
    for (unsigned output : outputs) {
        if (!sameDevice(outputNames_[output], inputNames_[input])) {
            others.push_back(output);
            continue;
        }
        tell(SearchStep::Kind::Output, {outputNames_[output], inputNames_[input]}, int(outputs.size()), 1);
        if (probe({output}, input, quick))
            return long(output);
        if (cancelled())
            return -1;
    }
    // Answers to the round that are still on their way (a second keyboard
    // on the same input, a slow one) would be taken for the first half's.
    awaitReplies(quick, kWholeTime, Clock::duration::zero());
    const long found = halve(input, others, quick);
    if (found >= 0 || cancelled())
        return found;
    // An answer that came after the short wait misled the halving: once
    // more with the whole answer time, the output of the device included.
    return halve(input, outputs, kAnswerTime);
}

bool HandshakeRound::tryPair(PortNumbers pair)
{
    const auto [output, input] = pair;
    tell(SearchStep::Kind::Pair, {outputNames_[output], inputNames_[input]}, 1, 1);
    const bool outputNew = !outputs_[output];
    const bool inputNew = !listeners_[input];
    if (!openOutput(output) || !openInput(input))
        return false;
    settle(outputNew ? std::vector<unsigned>{output} : std::vector<unsigned>{},
           inputNew ? std::vector<unsigned>{input} : std::vector<unsigned>{});
    return !cancelled() && probe({output}, input, kAnswerTime);
}

std::vector<PortNumbers> HandshakeRound::findKeyboards()
{
    std::vector<PortNumbers> keyboards;
    std::vector<unsigned> outputs;
    std::vector<unsigned> inputs;
    std::vector<unsigned> newOutputs;
    std::vector<unsigned> newInputs;
    for (unsigned output = 0; output < outputNames_.size(); ++output) {
        bool wanted = false;
        for (unsigned input = 0; input < inputNames_.size() && !wanted; ++input)
            wanted = accepted(output, input);
        const bool isNew = !outputs_[output];
        if (wanted && openOutput(output)) {
            outputs.push_back(output);
            if (isNew)
                newOutputs.push_back(output);
        }
    }
    for (unsigned input = 0; input < inputNames_.size(); ++input) {
        bool wanted = false;
        for (unsigned output = 0; output < outputNames_.size() && !wanted; ++output)
            wanted = accepted(output, input);
        const bool isNew = !listeners_[input];
        if (wanted && openInput(input)) {
            inputs.push_back(input);
            if (isNew)
                newInputs.push_back(input);
        }
    }
    if (outputs.empty() || inputs.empty() || cancelled())
        return keyboards;
    tell(SearchStep::Kind::Round, {}, int(outputs.size()), int(inputs.size()));
    settle(newOutputs, newInputs);
    if (cancelled())
        return keyboards;

    forgetHeard();
    const std::vector<unsigned> reached = sendHandshake(outputs);
    if (reached.empty())
        return keyboards;
    const std::vector<Answer> answers =
        search_.everyKeyboard ? awaitReplies(kAnswerTime, kWholeTime, Clock::duration::zero())
                              : awaitReplies(kAnswerTime, kAnyInput,
                                             upgradeMode_ ? std::max(kOtherKeyboardsTime, kEchoTime)
                                                          : kOtherKeyboardsTime);
    for (const Answer &answer : answers) {
        const long output = findOutput(answer.input, reached, answer.latency);
        if (cancelled())
            return {};
        if (output >= 0 && accepted(unsigned(output), answer.input))
            keyboards.push_back({unsigned(output), answer.input});
    }
    std::sort(keyboards.begin(), keyboards.end());
    return keyboards;
}

void HandshakeRound::finish(const std::vector<PortNumbers> &keyboards)
{
    std::vector<bool> released(outputs_.size(), false);
    for (unsigned output = 0; output < outputs_.size(); ++output) {
        const bool keyboard = std::any_of(keyboards.begin(), keyboards.end(),
                                          [output](const PortNumbers &pair) { return pair.first == output; });
        if (!outputs_[output] || !upgradeMode_ || keyboard)
            continue;
        // Whatever else listens there would hold the notes until played again.
        for (int i = 0; i < handshakes_[output]; ++i) {
            for (DWORD release : {kUpgradeProbeFirstRelease, kUpgradeProbeSecondRelease}) {
                const MMRESULT result = midiOutShortMsg(outputs_[output], release);
                MidiTap::recordShort(TappedMessage::Direction::Out, release, result != MMSYSERR_NOERROR);
            }
        }
        released[output] = handshakes_[output] > 0;
    }
    for (unsigned output = 0; output < outputs_.size(); ++output) {
        if (!outputs_[output])
            continue;
        // The Note-Offs leave before the port closes; a handshake still
        // queued does not matter any more.
        if (released[output]) {
            DWORD unsent = 0;
            midiOutDrain(outputs_[output], &unsent);
        }
        handshakes_[output] = 0;
        midiOutClose(outputs_[output]);
        outputs_[output] = nullptr;
    }
    for (std::unique_ptr<Listener> &listener : listeners_) {
        if (listener)
            closeInput(*listener);
        listener.reset();
    }
    forgetHeard();
}

void CALLBACK HandshakeRound::inputProc(HMIDIIN handle, UINT message, DWORD_PTR instance, DWORD_PTR param1,
                                        DWORD_PTR)
{
    auto *listener = reinterpret_cast<Listener *>(instance);
    std::string bytes;
    switch (message) {
    case MIM_DATA:
        MidiTap::recordShort(TappedMessage::Direction::In, DWORD(param1));
        if ((param1 & 0xFF) != kKeyboardStatus)
            return;
        bytes = {char(param1 & 0xFF), char((param1 >> 8) & 0xFF), char((param1 >> 16) & 0xFF)};
        break;
    case MIM_LONGDATA: {
        auto *header = reinterpret_cast<MIDIHDR *>(param1);
        bytes.assign(header->lpData, header->dwBytesRecorded);
        if (!bytes.empty())
            MidiTap::record(TappedMessage::Direction::In, header->lpData, header->dwBytesRecorded);
        if (!listener->closing)
            midiInAddBuffer(handle, header, sizeof(MIDIHDR));
        break;
    }
    case MIM_LONGERROR:
        if (!listener->closing)
            midiInAddBuffer(handle, reinterpret_cast<MIDIHDR *>(param1), sizeof(MIDIHDR));
        return;
    default:
        return;
    }
    HandshakeRound &round = *listener->round;
    const std::string &reply = round.upgradeMode_ ? kUpgradeHandshakeReply : kHandshakeReply;
    // Only what tells a keyboard from the rest is kept: a device that
    // floods its port cannot fill the memory.
    if (bytes != reply && !(round.upgradeMode_ && bytes == kUpgradeProbeSecondBytes))
        return;
    {
        std::lock_guard<std::mutex> lock(queueMutex);
        round.heard_.push_back({listener->input, std::move(bytes), Clock::now()});
    }
    queueChanged.notify_all();
}
