#include "midi/midiinputport.h"

#include "midi/midiheaderflags.h"

#include <cstring>

namespace {
// More unread input than this means the port's thread is stuck: later bytes
// are dropped instead of filling the memory.
constexpr std::size_t kMaxPendingBytes = 64 * 1024 * 1024;
// Stop and reset wait this long for the port's thread at most.
constexpr auto kRequestTimeout = std::chrono::seconds(10);
} // namespace

MidiInputPort::MidiInputPort(MIDIINPROC callback, DWORD_PTR instance)
    : handle_(reinterpret_cast<HMIDIIN>(this)), callback_(callback), instance_(instance)
{
}

MidiInputPort::~MidiInputPort()
{
    connection_.reset();
    if (thread_.joinable()) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            quit_ = true;
        }
        wake_.notify_all();
        thread_.join();
    }
}

MMRESULT MidiInputPort::open(MidiBackend &backend, UINT port)
{
    MMRESULT result = MMSYSERR_NOERROR;
    connection_ = backend.openInput(port, *this, result);
    if (!connection_)
        return result == MMSYSERR_NOERROR ? MMSYSERR_ERROR : result;
    thread_ = std::thread(&MidiInputPort::run, this);
    return MMSYSERR_NOERROR;
}

bool MidiInputPort::waitUntilLive()
{
    return connection_ && connection_->waitUntilLive();
}

MMRESULT MidiInputPort::close()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!buffers_.empty())
            return MIDIERR_STILLPLAYING;
        started_ = false;
    }
    // No more input after this, then the thread says goodbye and ends.
    connection_.reset();
    {
        std::lock_guard<std::mutex> lock(mutex_);
        quit_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id())
        thread_.join();
    return MMSYSERR_NOERROR;
}

MMRESULT MidiInputPort::prepare(MIDIHDR *header, UINT headerSize)
{
    std::lock_guard<std::mutex> lock(mutex_);
    return markHeaderPrepared(header, headerSize);
}

MMRESULT MidiInputPort::unprepare(MIDIHDR *header, UINT headerSize)
{
    std::lock_guard<std::mutex> lock(mutex_);
    return markHeaderUnprepared(header, headerSize);
}

MMRESULT MidiInputPort::addBuffer(MIDIHDR *header, UINT headerSize)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (const MMRESULT refused = checkHeaderQueueable(header, headerSize))
        return refused;
    header->dwFlags = (header->dwFlags & ~MHDR_DONE) | MHDR_INQUEUE;
    header->dwBytesRecorded = 0;
    buffers_.push_back(header);
    return MMSYSERR_NOERROR;
}

MMRESULT MidiInputPort::start()
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (!started_)
        startTime_ = std::chrono::steady_clock::now();
    started_ = true;
    return MMSYSERR_NOERROR;
}

MMRESULT MidiInputPort::stop()
{
    return carryOut(Request::Stop);
}

MMRESULT MidiInputPort::reset()
{
    return carryOut(Request::Reset);
}

MMRESULT MidiInputPort::carryOut(Request request)
{
    std::unique_lock<std::mutex> lock(mutex_);
    started_ = false;
    pending_.clear();
    if (std::this_thread::get_id() == thread_.get_id()) {
        // Called from the callback: the thread is ours already.
        lock.unlock();
        perform(request);
        return MMSYSERR_NOERROR;
    }
    // One request at a time; a reset covers a stop still waiting.
    if (request_ != Request::Reset)
        request_ = request;
    wake_.notify_all();
    const bool done = requestDone_.wait_for(lock, kRequestTimeout, [this] { return request_ == Request::None; });
    return done ? MMSYSERR_NOERROR : MMSYSERR_ERROR;
}

void MidiInputPort::receive(const unsigned char *bytes, std::size_t size)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!started_ || pending_.size() + size > kMaxPendingBytes)
            return;
        pending_.insert(pending_.end(), bytes, bytes + size);
    }
    wake_.notify_all();
}

void MidiInputPort::waitUntilHandled()
{
    std::unique_lock<std::mutex> lock(mutex_);
    if (std::this_thread::get_id() == thread_.get_id())
        return;
    handled_.wait_for(lock, kRequestTimeout, [this] { return pending_.empty() && !parsing_; });
}

void MidiInputPort::run()
{
    deliver(MIM_OPEN, 0);
    std::vector<unsigned char> bytes;
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return quit_ || request_ != Request::None || !pending_.empty(); });
        if (request_ != Request::None) {
            const Request request = request_;
            lock.unlock();
            perform(request);
            lock.lock();
            request_ = Request::None;
            requestDone_.notify_all();
            continue;
        }
        if (!pending_.empty()) {
            bytes.swap(pending_);
            parsing_ = true;
            lock.unlock();
            parser_.feed(bytes.data(), bytes.size(), *this);
            bytes.clear();
            lock.lock();
            parsing_ = false;
            if (pending_.empty())
                handled_.notify_all();
            continue;
        }
        if (quit_)
            break;
    }
    lock.unlock();
    parser_.reset(*this);
    deliver(MIM_CLOSE, 0);
}

void MidiInputPort::perform(Request request)
{
    parser_.reset(*this);
    droppingSysex_ = false;
    if (request != Request::Reset)
        return;
    // Every queued buffer goes back empty; the owner gets each one through
    // the callback before reset returns. Buffers the callback queues again
    // meanwhile stay queued, or a requeueing owner would never see the end.
    std::deque<MIDIHDR *> returned;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        returned.swap(buffers_);
        for (MIDIHDR *header : returned) {
            header->dwBytesRecorded = 0;
            header->dwFlags = (header->dwFlags & ~MHDR_INQUEUE) | MHDR_DONE;
        }
    }
    for (MIDIHDR *header : returned)
        deliver(MIM_LONGDATA, reinterpret_cast<DWORD_PTR>(header));
}

void MidiInputPort::deliver(UINT message, DWORD_PTR param1)
{
    DWORD timestamp = 0;
    if (message == MIM_DATA || message == MIM_LONGDATA || message == MIM_LONGERROR) {
        std::lock_guard<std::mutex> lock(mutex_);
        timestamp = DWORD(std::chrono::duration_cast<std::chrono::milliseconds>(
                              std::chrono::steady_clock::now() - startTime_).count());
    }
    if (callback_)
        callback_(handle_, message, instance_, param1, timestamp);
}

void MidiInputPort::handBackFront(UINT message)
{
    MIDIHDR *header = nullptr;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (buffers_.empty())
            return;
        header = buffers_.front();
        buffers_.pop_front();
        header->dwFlags = (header->dwFlags & ~MHDR_INQUEUE) | MHDR_DONE;
    }
    deliver(message, reinterpret_cast<DWORD_PTR>(header));
}

void MidiInputPort::shortMessage(DWORD packed)
{
    deliver(MIM_DATA, packed);
}

void MidiInputPort::sysexByte(unsigned char byte)
{
    if (droppingSysex_)
        return;
    MIDIHDR *header = nullptr;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (buffers_.empty()) {
            // No buffer to put it in: the rest of this message is lost.
            droppingSysex_ = true;
            return;
        }
        header = buffers_.front();
    }
    // The front buffer stays queued while it fills; only this thread takes
    // buffers off the queue, so it cannot go away meanwhile.
    header->lpData[header->dwBytesRecorded++] = static_cast<char>(byte);
    if (header->dwBytesRecorded >= header->dwBufferLength)
        handBackFront(MIM_LONGDATA);
}

void MidiInputPort::sysexEnd()
{
    if (droppingSysex_) {
        droppingSysex_ = false;
        return;
    }
    // A message that ended exactly at the end of a buffer went back already.
    if (frontHasBytes())
        handBackFront(MIM_LONGDATA);
}

void MidiInputPort::sysexBroken()
{
    if (droppingSysex_) {
        droppingSysex_ = false;
        return;
    }
    if (frontHasBytes())
        handBackFront(MIM_LONGERROR);
}

bool MidiInputPort::frontHasBytes()
{
    std::lock_guard<std::mutex> lock(mutex_);
    return !buffers_.empty() && buffers_.front()->dwBytesRecorded > 0;
}
