#pragma once

// The search for keyboards among all ports at once. The handshake is a
// universal message to all devices and every input can listen at the same
// time, so one round finds every input on which a keyboard answers: each
// open output gets the handshake once, every open input listens. The output
// that reached an answering input is then found by asking the output of
// the same device first, and else by halving the outputs left. A pair can
// also be tried alone. Ports stay open from one step to the next and are
// all closed when the round goes; an output that got the upgrade-mode
// Note-Ons and is not a keyboard's gets the matching Note-Offs first.

#include "midi/linksearch.h"
#include "midi/portservice.h"
#include "midi/searchorder.h"

#include <chrono>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class HandshakeRound
{
public:
    // The ports as listed at the start of the search.
    HandshakeRound(bool upgradeMode, std::vector<std::string> outputs, std::vector<std::string> inputs,
                   const LinkSearch &search);
    ~HandshakeRound();

    HandshakeRound(const HandshakeRound &) = delete;
    HandshakeRound &operator=(const HandshakeRound &) = delete;

    // True when the keyboard answers on this pair alone.
    bool tryPair(PortNumbers pair);
    // Every pair on which a keyboard answered, lowest output first. Outputs
    // and inputs are those of some accepted pair; a pair found counts only
    // when accepted itself.
    std::vector<PortNumbers> findKeyboards();
    // Note-Offs where upgrade-mode Note-Ons went to anything but a keyboard
    // found (the outputs of `keyboards`), then every port closed.
    void finish(const std::vector<PortNumbers> &keyboards);

    static void CALLBACK inputProc(HMIDIIN handle, UINT message, DWORD_PTR instance, DWORD_PTR param1,
                                   DWORD_PTR param2);

private:
    using Clock = std::chrono::steady_clock;
    struct Listener;
    struct Heard
    {
        unsigned input;
        std::string message;
        Clock::time_point at;
    };
    struct Answer
    {
        unsigned input;
        Clock::duration latency; // from the end of the sends
    };
    static constexpr long kAnyInput = -1;
    static constexpr long kWholeTime = -2;

    bool accepted(unsigned output, unsigned input) const;
    bool openOutput(unsigned output);
    bool openInput(unsigned input);
    void closeInput(Listener &listener);
    // Waits for new ports to carry messages: a moment where the MIDI
    // system vouches for them, the settle time elsewhere.
    void settle(const std::vector<unsigned> &outputs, const std::vector<unsigned> &inputs);
    // The handshake to each output; the outputs that took it (none when
    // it cannot leave the program).
    std::vector<unsigned> sendHandshake(const std::vector<unsigned> &outputs);
    void forgetHeard();
    // Under queueMutex: the reply came on `input`, and it was no echo.
    bool answered(unsigned input) const;
    // The inputs that answered, once `input` did (kAnyInput: any) and
    // `grace` more has passed, or at `timeout` (always with kWholeTime).
    std::vector<Answer> awaitReplies(Clock::duration timeout, long input, Clock::duration grace);
    // The handshake to `outputs` alone: true when `input` answered.
    bool probe(const std::vector<unsigned> &outputs, unsigned input, Clock::duration wait);
    // The output among `outputs` that reached the keyboard answering on
    // `input`, by halves; -1 when none could be told.
    long halve(unsigned input, std::vector<unsigned> outputs, Clock::duration wait);
    long findOutput(unsigned input, const std::vector<unsigned> &outputs, Clock::duration latency);
    void tell(SearchStep::Kind kind, const PortPair &pair, int outputs, int inputs) const;
    bool cancelled() const;

    const bool upgradeMode_;
    const std::vector<std::string> outputNames_;
    const std::vector<std::string> inputNames_;
    const LinkSearch &search_;

    std::vector<HMIDIOUT> outputs_;
    std::vector<bool> outputFailed_;
    // Handshakes each output took, for the Note-Offs of upgrade mode.
    std::vector<int> handshakes_;
    std::vector<std::unique_ptr<Listener>> listeners_;
    std::vector<bool> inputFailed_;
    // The replies and echoes heard since forgetHeard(). Guarded by
    // queueMutex, whose condition wakes the waits (and a cancel).
    std::vector<Heard> heard_;
};
