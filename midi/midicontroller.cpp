#include "midi/midicontroller.h"

#include "midi/canceltoken.h"
#include "midi/handshake.h"
#include "midi/handshakeround.h"
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

// Among several keyboards, the first preferred one, then the others in
// port order.
std::vector<PortNumbers> linkOrder(std::vector<PortNumbers> keyboards, const std::vector<PortNumbers> &preferred)
{
    std::stable_sort(keyboards.begin(), keyboards.end(), [&preferred](const PortNumbers &a, const PortNumbers &b) {
        return std::find(preferred.begin(), preferred.end(), a) < std::find(preferred.begin(), preferred.end(), b);
    });
    return keyboards;
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

    const std::vector<PortNumbers> preferred = listedPairs(outputs, inputs, search.preferred);
    std::vector<PortNumbers> keyboards;
    {
        HandshakeRound round(upgradeMode_, outputs, inputs, search);
        if (search.onlyPair) {
            const std::vector<PortNumbers> only = listedPairs(outputs, inputs, {*search.onlyPair});
            if (!only.empty() && round.tryPair(only.front()))
                keyboards = only;
        } else {
            for (std::size_t i = 0; i < preferred.size() && !search.everyKeyboard && keyboards.empty(); ++i) {
                const PortNumbers pair = preferred[i];
                const bool accepted =
                    !search.acceptPair || search.acceptPair({outputs[pair.first], inputs[pair.second]});
                if (cancelled(search.cancel))
                    break;
                if (accepted && round.tryPair(pair))
                    keyboards.push_back(pair);
            }
            if (keyboards.empty() && !cancelled(search.cancel))
                keyboards = round.findKeyboards();
        }
        round.finish(keyboards);
    }

    // The round's ports are closed; the link opens its own pair, with the
    // buffers a link needs. The keyboard answered a moment ago.
    for (const PortNumbers &pair : linkOrder(keyboards, preferred)) {
        if (cancelled(search.cancel))
            break;
        closeInput();
        closeOutput();
        if (midiOutOpen(&output_, pair.first, 0, 0, CALLBACK_NULL) != MMSYSERR_NOERROR) {
            output_ = nullptr;
            continue;
        }
        if (!openInputPort(&input_, pair.second, reinterpret_cast<DWORD_PTR>(&MidiController::midiInProc),
                           reinterpret_cast<DWORD_PTR>(this), inputHeaders_, kInputBufferCount)) {
            input_ = nullptr;
            continue;
        }
        // Where the MIDI system can tell, the first request goes out only
        // once both connections carry messages.
        midiConnectionConfirmed(output_, input_);
        deviceName_ = PortNames::output(pair.first);
        portPair_ = {outputs[pair.first], inputs[pair.second]};
        for (const PortNumbers &keyboard : keyboards)
            foundKeyboards_.push_back({outputs[keyboard.first], inputs[keyboard.second]});
        emptyQueue();
        return;
    }
    closeInput();
    closeOutput();
    inputBlocks_.reset();
    throw std::exception();
}

bool MidiController::openInputPort(HMIDIIN *handle, UINT port, DWORD_PTR callback, DWORD_PTR instance,
                                   MIDIHDR *headers, int count)
{
    if (midiInOpen(handle, port, callback, instance, CALLBACK_FUNCTION)
        != MMSYSERR_NOERROR) {
        *handle = nullptr;
        return false;
    }
    for (int i = 0; i < count; ++i) {
        MMRESULT result = midiInPrepareHeader(*handle, &headers[i], sizeof(MIDIHDR));
        if (result != MMSYSERR_NOERROR)
            qCDebug(lcMidi) << errorText(result);
        result = midiInAddBuffer(*handle, &headers[i], sizeof(MIDIHDR));
        if (result != MMSYSERR_NOERROR)
            qCDebug(lcMidi) << errorText(result);
    }
    if (midiInStart(*handle) != MMSYSERR_NOERROR) {
        closeInputPort(*handle, headers, count);
        *handle = nullptr;
        return false;
    }
    return true;
}

void MidiController::closeInputPort(HMIDIIN handle, MIDIHDR *headers, int count)
{
    // Reset hands every queued buffer back through the callback.
    midiInStop(handle);
    const MMRESULT resetResult = midiInReset(handle);
    if (resetResult != MMSYSERR_NOERROR)
        qCDebug(lcMidi) << errorText(resetResult);
    for (int i = 0; i < count; ++i) {
        midiInUnprepareHeader(handle, &headers[i], sizeof(MIDIHDR));
        headers[i].dwBufferLength = kInputBufferSize;
        headers[i].dwBytesRecorded = 0;
        headers[i].dwFlags &= ~MHDR_DONE;
    }
    const MMRESULT closeResult = midiInClose(handle);
    if (closeResult != MMSYSERR_NOERROR)
        qCDebug(lcMidi) << errorText(closeResult);
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
    // The callback does not queue buffers again while closing_ is set.
    closing_ = true;
    closeInputPort(input_, inputHeaders_, kInputBufferCount);
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
    return sendLongMessage(output_, data, length);
}

int MidiController::sendLongMessage(HMIDIOUT output, const char *data, int length)
{
    const int result = sendLongMessageUntapped(output, data, length);
    if (data && length > 0)
        MidiTap::record(TappedMessage::Direction::Out, data, std::size_t(length), result != MMSYSERR_NOERROR);
    return result;
}

int MidiController::sendLongMessageUntapped(HMIDIOUT output, const char *data, int length)
{
    if (!output)
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

    MMRESULT result = midiOutPrepareHeader(output, &header, sizeof header);
    if (result != MMSYSERR_NOERROR)
        return int(result);
    result = midiOutLongMsg(output, &header, sizeof header);
    if (result != MMSYSERR_NOERROR) {
        errorText(result);
        midiOutUnprepareHeader(output, &header, sizeof header);
        return int(result);
    }

    // Most ports take the message at once; the clock is read only for one
    // that does not.
    if (!headerDone(header)) {
        const auto deadline = std::chrono::steady_clock::now() + kSendTimeout;
        do {
            if (std::chrono::steady_clock::now() >= deadline) {
                // Take the message back from the stuck port.
                midiOutReset(output);
                result = MIDIERR_NOTREADY;
                break;
            }
            QThread::msleep(kPollMs);
        } while (!headerDone(header));
    }
    for (int attempt = 0; midiOutUnprepareHeader(output, &header, sizeof header) == MIDIERR_STILLPLAYING; ++attempt) {
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
