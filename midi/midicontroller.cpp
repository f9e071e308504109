#include "midi/midicontroller.h"

#include "midi/canceltoken.h"
#include "midi/handshake.h"
#include "midi/messagecopybuffer.h"
#include "midi/miditap.h"
#include "midi/portnames.h"
#include "midi/searchorder.h"

#include <QLoggingCategory>
#include <QThread>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <algorithm>
#include <exception>
#include <optional>
#include <vector>
#include <memory>

Q_LOGGING_CATEGORY(lcMidi, "telvir.midi", QtWarningMsg)

std::deque<std::string> inputQueue;
std::mutex queueMutex;
std::condition_variable queueChanged;

namespace {
// Timed, so that a live send gives up on a link that a search is replacing.
std::timed_mutex instanceMutex;
MidiController *liveLink = nullptr;

// Pauses of the handshake: the keyboard needs time after the port opens,
// and answers within a few hundred milliseconds. A pair is given up when no
// answer came within the two answer waits; an answer that comes sooner
// ends the wait at once.
constexpr std::chrono::milliseconds kSettleTime{300};
constexpr std::chrono::milliseconds kAnswerTime{300};
constexpr std::chrono::milliseconds kExtraAnswerTime{300};

constexpr unsigned long kPollMs = 10;
// A port that takes longer than this to send one System Exclusive message
// is stuck; the editor gives up instead of freezing.
constexpr auto kSendTimeout = std::chrono::seconds(3);
constexpr int kUnprepareAttempts = 100;

// A device that floods the port while nobody reads must not eat the memory:
// beyond this the oldest entries go. No reader ever lags this far behind.
constexpr std::size_t kMaxQueuedMessages = 65536;

constexpr unsigned char kKeyboardStatus = 0x9A; // Note-On, channel 11
constexpr int kErrorTextLength = 120;

QString errorText(MMRESULT result)
{
    wchar_t text[kErrorTextLength] = {};
    midiOutGetErrorTextW(result, text, kErrorTextLength);
    return QString::fromWCharArray(text);
}

void appendToQueue(std::string message)
{
    {
        std::lock_guard<std::mutex> lock(queueMutex);
        if (inputQueue.size() >= kMaxQueuedMessages)
            inputQueue.pop_front();
        inputQueue.push_back(std::move(message));
    }
    queueChanged.notify_all();
}

void emptyQueue()
{
    std::lock_guard<std::mutex> lock(queueMutex);
    inputQueue.clear();
}

// One per thread, so that sends on two threads never share a block.
thread_local MessageCopyBuffer sendCopy;

// The pairs a search tries, in order, as port numbers.
std::vector<PortNumbers> plannedPairs(const std::vector<std::string> &outputs, const std::vector<std::string> &inputs,
                                      const LinkSearch &search)
{
    std::vector<PortNumbers> order;
    if (search.onlyPair) {
        order = searchOrder(outputs, inputs, {*search.onlyPair});
        order.resize(std::min<std::size_t>(order.size(), 1));
        if (!order.empty() && PortPair{outputs[order[0].first], inputs[order[0].second]} != *search.onlyPair)
            order.clear();
        return order;
    }
    order = searchOrder(outputs, inputs, search.preferred);
    if (search.acceptPair) {
        order.erase(std::remove_if(order.begin(), order.end(),
                                   [&](const PortNumbers &numbers) {
                                       return !search.acceptPair({outputs[numbers.first], inputs[numbers.second]});
                                   }),
                    order.end());
    }
    return order;
}

bool cancelled(const CancelToken *cancel)
{
    return cancel && cancel->cancelled();
}

bool headerDone(const MIDIHDR &header)
{
    // The service sets the flag from its own side; read it afresh each time.
    return *static_cast<const volatile DWORD *>(&header.dwFlags) & MHDR_DONE;
}
} // namespace

MidiController *MidiController::getInstance(bool upgradeMode)
{
    return getInstance(upgradeMode, LinkSearch{});
}

MidiController *MidiController::getInstance(bool upgradeMode, const LinkSearch &search)
{
    std::lock_guard<std::timed_mutex> lock(instanceMutex);
    if (liveLink && liveLink->upgradeMode_ == upgradeMode)
        return liveLink;
    delete liveLink;
    liveLink = nullptr;
    try {
        liveLink = new MidiController(upgradeMode, search);
    } catch (const std::exception &) {
        liveLink = nullptr;
    }
    return liveLink;
}

bool MidiController::useLiveInstance(const std::function<void(MidiController &)> &use,
                                     std::chrono::milliseconds patience)
{
    std::unique_lock<std::timed_mutex> lock(instanceMutex, std::defer_lock);
    // Held for long only by a search, which means there is no link now.
    // Until the system clock, not the steady one: libstdc++ waits for the
    // steady clock with pthread_mutex_clocklock, which ThreadSanitizer does
    // not follow, and a few milliseconds of clock drift do no harm here.
    if (!lock.try_lock_until(std::chrono::system_clock::now() + patience))
        return false;
    if (!liveLink || liveLink->upgradeMode_)
        return false;
    use(*liveLink);
    return true;
}

void MidiController::releaseInstance()
{
    std::lock_guard<std::timed_mutex> lock(instanceMutex);
    delete liveLink;
    liveLink = nullptr;
}

MidiController::MidiController(bool upgradeMode, const LinkSearch &search)
    : upgradeMode_(upgradeMode)
{
    closing_ = false;
    bool found = false;

    std::vector<std::string> outputs;
    std::vector<std::string> inputs;
    for (const QString &name : PortNames::outputs())
        outputs.push_back(name.toStdString());
    for (const QString &name : PortNames::inputs())
        inputs.push_back(name.toStdString());

    inputBlocks_.reset(new char[std::size_t(kInputBufferCount) * kInputBufferSize]);
    for (int i = 0; i < kInputBufferCount; ++i) {
        std::memset(&inputHeaders_[i], 0, sizeof(MIDIHDR));
        inputHeaders_[i].lpData = inputBlocks_.get() + std::size_t(i) * kInputBufferSize;
        inputHeaders_[i].dwBufferLength = kInputBufferSize;
    }

    const std::string &expectedReply = upgradeMode_ ? kUpgradeHandshakeReply : kHandshakeReply;
    const auto holdsReply = [&expectedReply](const std::deque<std::string> &queue) {
        return std::find(queue.begin(), queue.end(), expectedReply) != queue.end();
    };
    const auto never = [](const std::deque<std::string> &) { return false; };

    const std::vector<PortNumbers> pairs = plannedPairs(outputs, inputs, search);
    // Each output is opened once, as long as pairs with it follow each other.
    long openOutput = -1;
    std::vector<UINT> unopenableOutputs;
    PortNumbers linked;
    for (std::size_t attempt = 0; attempt < pairs.size() && !found; ++attempt) {
        if (cancelled(search.cancel))
            break;
        const auto [output, input] = pairs[attempt];
        if (std::find(unopenableOutputs.begin(), unopenableOutputs.end(), output) != unopenableOutputs.end())
            continue;
        if (search.onAttempt)
            search.onAttempt({{outputs[output], inputs[input]}, int(attempt + 1), int(pairs.size())});

        if (openOutput != long(output)) {
            closeOutput();
            openOutput = -1;
            if (midiOutOpen(&output_, output, 0, 0, CALLBACK_NULL) != MMSYSERR_NOERROR) {
                output_ = nullptr;
                unopenableOutputs.push_back(output);
                continue;
            }
            openOutput = long(output);
        }
        closeInput();
        if (midiInOpen(&input_, input, reinterpret_cast<DWORD_PTR>(&MidiController::midiInProc),
                       reinterpret_cast<DWORD_PTR>(this), CALLBACK_FUNCTION) != MMSYSERR_NOERROR) {
            input_ = nullptr;
            continue;
        }
        for (MIDIHDR &header : inputHeaders_) {
            MMRESULT result = midiInPrepareHeader(input_, &header, sizeof(MIDIHDR));
            if (result != MMSYSERR_NOERROR)
                qCDebug(lcMidi) << errorText(result);
            result = midiInAddBuffer(input_, &header, sizeof(MIDIHDR));
            if (result != MMSYSERR_NOERROR)
                qCDebug(lcMidi) << errorText(result);
        }
        if (midiInStart(input_) != MMSYSERR_NOERROR)
            continue;

        // Where the MIDI system vouches that both connections carry messages
        // (JACK: connected, and a process cycle ran with them), the device
        // had its port open all along and the handshake goes at once.
        // Elsewhere the port was opened just now: the settle time, which
        // only a cancel interrupts.
        if (!midiConnectionConfirmed(output_, input_))
            waitForMessages(kSettleTime, never, search.cancel);
        if (cancelled(search.cancel))
            break;
        MMRESULT lastResult = MMSYSERR_NOERROR;
        if (upgradeMode_) {
            lastResult = midiOutShortMsg(output_, kUpgradeProbeFirst);
            MidiTap::recordShort(TappedMessage::Direction::Out, kUpgradeProbeFirst, lastResult != MMSYSERR_NOERROR);
            if (lastResult == MMSYSERR_NOERROR) {
                lastResult = midiOutShortMsg(output_, kUpgradeProbeSecond);
                MidiTap::recordShort(TappedMessage::Direction::Out, kUpgradeProbeSecond,
                                     lastResult != MMSYSERR_NOERROR);
            }
        } else {
            lastResult = sendLongMessage(kHandshakeRequest.data(), int(kHandshakeRequest.size()));
        }
        if (lastResult != MMSYSERR_NOERROR) {
            qCDebug(lcMidi) << errorText(lastResult);
            continue;
        }
        // A handshake still waiting to leave (a JACK server that runs no
        // cycles) can get no answer; the pair's wait would only hide that.
        if (drainOutput() > 0)
            continue;
        qCDebug(lcMidi) << "waiting";
        waitForMessages(kAnswerTime + kExtraAnswerTime, holdsReply, search.cancel);

        // Whatever came besides the answer is dropped with it.
        for (std::string message = popMessage(); !message.empty(); message = popMessage()) {
            if (message == expectedReply) {
                found = true;
                linked = pairs[attempt];
                break;
            }
        }
    }

    if (found) {
        deviceName_ = PortNames::output(linked.first);
        portPair_ = {outputs[linked.first], inputs[linked.second]};
        emptyQueue();
        return;
    }
    closeInput();
    closeOutput();
    inputBlocks_.reset();
    throw std::exception();
}

MidiController::~MidiController()
{
    closeInput();
    closeOutput();
}

void MidiController::closeInput()
{
    if (!input_)
        return;
    closing_ = true;
    // Reset hands every queued buffer back through the callback, which does
    // not queue it again while closing_ is set.
    midiInStop(input_);
    const MMRESULT resetResult = midiInReset(input_);
    if (resetResult != MMSYSERR_NOERROR)
        qCDebug(lcMidi) << errorText(resetResult);
    for (MIDIHDR &header : inputHeaders_) {
        midiInUnprepareHeader(input_, &header, sizeof(MIDIHDR));
        header.dwBufferLength = kInputBufferSize;
        header.dwBytesRecorded = 0;
        header.dwFlags &= ~MHDR_DONE;
    }
    const MMRESULT closeResult = midiInClose(input_);
    if (closeResult != MMSYSERR_NOERROR)
        qCDebug(lcMidi) << errorText(closeResult);
    input_ = nullptr;
    emptyQueue();
    closing_ = false;
}

void MidiController::closeOutput()
{
    if (!output_)
        return;
    drainOutput();
    midiOutClose(output_);
    output_ = nullptr;
}

void CALLBACK MidiController::midiInProc(HMIDIIN handle, UINT message, DWORD_PTR instance,
                                         DWORD_PTR param1, DWORD_PTR)
{
    auto *link = reinterpret_cast<MidiController *>(instance);
    switch (message) {
    case MIM_DATA: {
        // The tap sees every short message; the queue only the keyboard's own.
        MidiTap::recordShort(TappedMessage::Direction::In, DWORD(param1));
        const auto status = static_cast<unsigned char>(param1 & 0xFF);
        if (status != kKeyboardStatus)
            return;
        appendToQueue(std::string{char(status), char((param1 >> 8) & 0xFF), char((param1 >> 16) & 0xFF)});
        return;
    }
    case MIM_LONGDATA: {
        auto *header = reinterpret_cast<MIDIHDR *>(param1);
        if (header->dwBytesRecorded != 0) {
            // The dump is built outside the queue lock, and only when the
            // debug log shows it: a settings read brings 258 buffers.
            if (lcMidi().isDebugEnabled()) {
                std::string hex;
                hex.reserve(header->dwBytesRecorded * 3);
                char digits[4];
                for (DWORD i = 0; i < header->dwBytesRecorded; ++i) {
                    std::snprintf(digits, sizeof digits, "%02hhX ", static_cast<unsigned char>(header->lpData[i]));
                    hex += digits;
                }
                qCDebug(lcMidi, "%s", hex.c_str());
            }
            MidiTap::record(TappedMessage::Direction::In, header->lpData, header->dwBytesRecorded);
            appendToQueue(std::string(header->lpData, header->dwBytesRecorded));
        }
        if (!link->closing_)
            midiInAddBuffer(handle, header, sizeof(MIDIHDR));
        return;
    }
    case MIM_LONGERROR:
        if (!link->closing_)
            midiInAddBuffer(handle, reinterpret_cast<MIDIHDR *>(param1), sizeof(MIDIHDR));
        return;
    default:
        return;
    }
}

bool MidiController::waitForMessages(std::chrono::steady_clock::duration timeout,
                                     const std::function<bool(const std::deque<std::string> &)> &ready,
                                     const CancelToken *cancel)
{
    std::unique_lock<std::mutex> lock(queueMutex);
    queueChanged.wait_for(lock, timeout, [&] { return cancelled(cancel) || ready(inputQueue); });
    return !cancelled(cancel) && ready(inputQueue);
}

std::string MidiController::popMessage()
{
    std::lock_guard<std::mutex> lock(queueMutex);
    if (inputQueue.empty())
        return {};
    std::string message = std::move(inputQueue.front());
    inputQueue.pop_front();
    return message;
}

int MidiController::sendLongMessage(const char *data, int length)
{
    const int result = sendLongMessageUntapped(data, length);
    if (data && length > 0)
        MidiTap::record(TappedMessage::Direction::Out, data, std::size_t(length), result != MMSYSERR_NOERROR);
    return result;
}

int MidiController::sendLongMessageUntapped(const char *data, int length)
{
    if (!output_)
        return MMSYSERR_INVALHANDLE;
    if (!data || length <= 0)
        return MMSYSERR_INVALPARAM;
    // The port reads from its own copy, so the caller's bytes are never
    // touched and may go away as soon as this returns.
    char *const copy = sendCopy.take(std::size_t(length));
    std::memcpy(copy, data, std::size_t(length));

    MIDIHDR header;
    std::memset(&header, 0, sizeof header);
    header.lpData = copy;
    header.dwBufferLength = DWORD(length);
    header.dwBytesRecorded = DWORD(length);

    MMRESULT result = midiOutPrepareHeader(output_, &header, sizeof header);
    if (result != MMSYSERR_NOERROR)
        return int(result);
    result = midiOutLongMsg(output_, &header, sizeof header);
    if (result != MMSYSERR_NOERROR) {
        errorText(result);
        midiOutUnprepareHeader(output_, &header, sizeof header);
        return int(result);
    }

    // Most ports take the message at once; the clock is read only for one
    // that does not.
    if (!headerDone(header)) {
        const auto deadline = std::chrono::steady_clock::now() + kSendTimeout;
        do {
            if (std::chrono::steady_clock::now() >= deadline) {
                // Take the message back from the stuck port.
                midiOutReset(output_);
                result = MIDIERR_NOTREADY;
                break;
            }
            QThread::msleep(kPollMs);
        } while (!headerDone(header));
    }
    for (int attempt = 0; midiOutUnprepareHeader(output_, &header, sizeof header) == MIDIERR_STILLPLAYING; ++attempt) {
        if (attempt == kUnprepareAttempts) {
            // The port still holds the bytes: leave them to it rather than
            // free or reuse memory it may read.
            sendCopy.abandon();
            return MIDIERR_NOTREADY;
        }
        QThread::msleep(kPollMs);
    }
    return int(result);
}

int MidiController::sendShortMessage(unsigned char status, unsigned char data1, unsigned char data2)
{
    if (!output_)
        return MMSYSERR_INVALHANDLE;
    const DWORD packed = DWORD(status) | (DWORD(data1) << 8) | (DWORD(data2) << 16);
    const MMRESULT result = midiOutShortMsg(output_, packed);
    MidiTap::recordShort(TappedMessage::Direction::Out, packed, result != MMSYSERR_NOERROR);
    return int(result);
}

std::vector<std::string> MidiController::outputRewritingListeners() const
{
    return output_ ? midiOutRewritingListeners(output_) : std::vector<std::string>();
}

int MidiController::drainOutput(bool *destinationGone)
{
    if (destinationGone)
        *destinationGone = false;
    if (!output_)
        return 0;
    DWORD unsent = 0;
    const MMRESULT result = midiOutDrain(output_, &unsent);
    if (result != MMSYSERR_NOERROR)
        qCDebug(lcMidi) << errorText(result);
    if (destinationGone)
        *destinationGone = result == MIDIERR_NODEVICE;
    return int(unsent);
}
