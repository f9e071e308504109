// The port-service layer over in-process ports: framing of whatever bytes
// a port delivers, the input buffers and their return through the callback,
// reset and close, and the output operations with their result codes.

#include "midi/midibackend.h"
#include "midi/portservice.h"
#include "midi/virtualmidibackend.h"
#include "support/wirebytes.h"

#include <QtTest>

#include <atomic>
#include <cstring>
#include <mutex>
#include <random>
#include <thread>
#include <vector>

namespace {
const std::string kPort = "Port";

// What a callback saw, in order: short messages as their bytes, System
// Exclusive buffers as "long:"/"error:" and their recorded bytes.
struct Recorder
{
    std::mutex mutex;
    std::vector<std::string> events;
    std::atomic<int> calls{0};
    std::atomic<bool> requeue{true};
    bool closed = false;
    bool wrongThread = false;
    std::thread::id testThread = std::this_thread::get_id();

    static void CALLBACK callback(HMIDIIN handle, UINT message, DWORD_PTR instance, DWORD_PTR param1, DWORD_PTR)
    {
        auto *self = reinterpret_cast<Recorder *>(instance);
        ++self->calls;
        std::lock_guard<std::mutex> lock(self->mutex);
        if (std::this_thread::get_id() == self->testThread)
            self->wrongThread = true;
        switch (message) {
        case MIM_DATA: {
            const unsigned char status = param1 & 0xFF;
            std::string bytes{char(status), char((param1 >> 8) & 0xFF), char((param1 >> 16) & 0xFF)};
            self->events.push_back("short:" + hexOf(bytes).toStdString());
            break;
        }
        case MIM_LONGDATA:
        case MIM_LONGERROR: {
            auto *header = reinterpret_cast<MIDIHDR *>(param1);
            const std::string bytes(header->lpData, header->dwBytesRecorded);
            self->events.push_back((message == MIM_LONGDATA ? "long:" : "error:") + hexOf(bytes).toStdString());
            if (self->requeue)
                midiInAddBuffer(handle, header, sizeof(MIDIHDR));
            break;
        }
        case MIM_CLOSE:
            self->closed = true;
            break;
        default:
            break;
        }
    }

    std::vector<std::string> take()
    {
        std::lock_guard<std::mutex> lock(mutex);
        std::vector<std::string> taken;
        taken.swap(events);
        return taken;
    }

    int count()
    {
        std::lock_guard<std::mutex> lock(mutex);
        return int(events.size());
    }
};

// One input port with `count` buffers of `size` bytes queued and started.
struct OpenInput
{
    OpenInput(Recorder &recorder, int count = 4, int size = 16)
        : recorder(recorder), blocks(std::size_t(count) * std::size_t(size)), headers(std::size_t(count))
    {
        const MMRESULT opened = midiInOpen(&handle, 0, reinterpret_cast<DWORD_PTR>(&Recorder::callback),
                                           reinterpret_cast<DWORD_PTR>(&recorder), CALLBACK_FUNCTION);
        if (opened != MMSYSERR_NOERROR)
            return;
        for (int i = 0; i < count; ++i) {
            MIDIHDR &header = headers[std::size_t(i)];
            std::memset(&header, 0, sizeof header);
            header.lpData = blocks.data() + i * size;
            header.dwBufferLength = DWORD(size);
            midiInPrepareHeader(handle, &header, sizeof header);
            midiInAddBuffer(handle, &header, sizeof header);
        }
        midiInStart(handle);
    }

    ~OpenInput()
    {
        if (!handle)
            return;
        recorder.requeue = false;
        midiInReset(handle);
        for (MIDIHDR &header : headers)
            midiInUnprepareHeader(handle, &header, sizeof header);
        midiInClose(handle);
    }

    Recorder &recorder;
    HMIDIIN handle = nullptr;
    std::vector<char> blocks;
    std::vector<MIDIHDR> headers;
};

std::vector<std::string> list(std::initializer_list<const char *> items)
{
    return std::vector<std::string>(items.begin(), items.end());
}
} // namespace

class TestPortService : public QObject
{
    Q_OBJECT

    std::shared_ptr<VirtualMidiBackend> backend;

    void expectEvents(Recorder &recorder, const std::vector<std::string> &expected)
    {
        QTRY_COMPARE(recorder.count(), int(expected.size()));
        QTest::qWait(20); // nothing more may follow
        QCOMPARE(recorder.take(), expected);
    }

private slots:
    void init()
    {
        backend = std::make_shared<VirtualMidiBackend>(std::vector<std::string>{kPort, "A port with a name much longer than thirty-one characters"},
                                                       std::vector<std::string>{kPort});
        installMidiBackend(backend);
    }

    void cleanup()
    {
        installMidiBackend(nullptr);
        backend.reset();
    }

    void portsAreCountedAndNamedWithTheLengthLimit()
    {
        QCOMPARE(midiOutGetNumDevs(), 2u);
        QCOMPARE(midiInGetNumDevs(), 1u);
        MIDIOUTCAPSW caps;
        QCOMPARE(midiOutGetDevCapsW(1, &caps, sizeof caps), MMSYSERR_NOERROR);
        QCOMPARE(QString::fromWCharArray(caps.szPname), QString("A port with a name much longer "));
        QCOMPARE(midiOutGetDevCapsW(2, &caps, sizeof caps), MMSYSERR_BADDEVICEID);
        HMIDIOUT output = nullptr;
        QCOMPARE(midiOutOpen(&output, 2, 0, 0, CALLBACK_NULL), MMSYSERR_BADDEVICEID);
        QVERIFY(!output);
    }

    void errorTextsFitTheGivenBuffer()
    {
        wchar_t text[120];
        QCOMPARE(midiOutGetErrorTextW(MIDIERR_STILLPLAYING, text, 120), MMSYSERR_NOERROR);
        QVERIFY(!QString::fromWCharArray(text).isEmpty());
        wchar_t small[8];
        midiOutGetErrorTextW(MMSYSERR_INVALHANDLE, small, 8);
        QCOMPARE(int(std::wcslen(small)), 7);
        QCOMPARE(midiOutGetErrorTextW(12345, text, 120), MMSYSERR_BADERRNUM);
    }

    void inputIsFramedIntoShortMessagesAndSystemExclusiveBuffers()
    {
        Recorder recorder;
        OpenInput input(recorder, 4, 16);
        QVERIFY(input.handle);

        // Running status, a real-time byte inside System Exclusive, a stray
        // data byte, one- and no-data-byte messages.
        backend->inject(kPort, wire("9a3c40" "3e00" "f0 01 f8 02 f7" "05" "c005" "fe" "f7"));
        expectEvents(recorder, list({"short:9a 3c 40", "short:9a 3e 00", "short:f8 00 00", "long:f0 01 02 f7",
                                     "short:c0 05 00", "short:fe 00 00"}));

        // A message longer than a buffer goes on in the next one.
        backend->inject(kPort, wire("f0 0102030405060708090a0b0c0d0e0f 1011 f7"));
        expectEvents(recorder, list({"long:f0 01 02 03 04 05 06 07 08 09 0a 0b 0c 0d 0e 0f", "long:10 11 f7"}));

        // Bytes may arrive in any pieces.
        backend->inject(kPort, wire("f0 7e"));
        backend->inject(kPort, wire("0a f7 9a"));
        backend->inject(kPort, wire("01 02"));
        expectEvents(recorder, list({"long:f0 7e 0a f7", "short:9a 01 02"}));
    }

    void aBrokenSystemExclusiveMessageComesBackAsAnError()
    {
        Recorder recorder;
        OpenInput input(recorder, 4, 16);
        QVERIFY(input.handle);
        backend->inject(kPort, wire("f0 01 02 903c40"));
        backend->inject(kPort, wire("f0 03 f0 04 f7"));
        expectEvents(recorder, list({"error:f0 01 02", "short:90 3c 40", "error:f0 03", "long:f0 04 f7"}));
    }

    void withoutFreeBuffersTheRestOfAMessageIsDropped()
    {
        Recorder recorder;
        recorder.requeue = false;
        OpenInput input(recorder, 2, 4);
        QVERIFY(input.handle);
        backend->inject(kPort, wire("f0 01 02 03 04 05 06 07 08 09 f7 9a0102"));
        expectEvents(recorder, list({"long:f0 01 02 03", "long:04 05 06 07", "short:9a 01 02"}));

        // Buffers queued again take the next message whole.
        midiInAddBuffer(input.handle, &input.headers[0], sizeof(MIDIHDR));
        backend->inject(kPort, wire("f0 7f f7"));
        expectEvents(recorder, list({"long:f0 7f f7"}));
    }

    void anyBytesAreSurvivedAndFramedSoundly()
    {
        Recorder recorder;
        OpenInput input(recorder, 8, 64);
        QVERIFY(input.handle);
        std::mt19937 random(20261207);
        std::string noise;
        for (int i = 0; i < 200000; ++i)
            noise += char(random() & 0xFF);
        // A huge message as well.
        noise += wire("f0") + std::string(100000, '\x11') + wire("f7");
        backend->inject(kPort, noise);
        backend->inject(kPort, wire("9a7f7f"));
        QTRY_VERIFY_WITH_TIMEOUT([&] {
            std::lock_guard<std::mutex> lock(recorder.mutex);
            return !recorder.events.empty() && recorder.events.back() == "short:9a 7f 7f";
        }(), 20000);
        for (const std::string &event : recorder.take()) {
            if (event.rfind("short:", 0) == 0) {
                const QByteArray bytes = QByteArray::fromHex(QByteArray::fromStdString(event.substr(6)));
                QVERIFY(quint8(bytes[0]) >= 0x80);
                QVERIFY(quint8(bytes[1]) < 0x80 && quint8(bytes[2]) < 0x80);
            } else {
                QVERIFY(event.size() <= 6 + 64 * 3);
            }
        }
    }

    void resetHandsBackEveryBufferEmptyBeforeItReturns()
    {
        Recorder recorder;
        OpenInput input(recorder, 6, 16);
        QVERIFY(input.handle);
        backend->inject(kPort, wire("f0 01 02"));
        backend->waitUntilHandled(kPort);
        QCOMPARE(midiInClose(input.handle), MIDIERR_STILLPLAYING);

        recorder.requeue = false;
        QCOMPARE(midiInStop(input.handle), MMSYSERR_NOERROR);
        QCOMPARE(recorder.take(), list({"error:f0 01 02"}));
        QCOMPARE(midiInReset(input.handle), MMSYSERR_NOERROR);
        // Six buffers came back, the broken message's one among them.
        QCOMPARE(recorder.take(), list({"long:", "long:", "long:", "long:", "long:"}));
        for (const MIDIHDR &header : input.headers) {
            QVERIFY(header.dwFlags & MHDR_DONE);
            QVERIFY(!(header.dwFlags & MHDR_INQUEUE));
        }
        // A stopped port takes no input.
        backend->inject(kPort, wire("9a0102"));
        backend->waitUntilHandled(kPort);
        QCOMPARE(recorder.count(), 0);

        QCOMPARE(midiInUnprepareHeader(input.handle, &input.headers[0], sizeof(MIDIHDR)), MMSYSERR_NOERROR);
        const int callsBeforeClose = recorder.calls;
        QCOMPARE(midiInClose(input.handle), MMSYSERR_NOERROR);
        QVERIFY(recorder.closed);
        QCOMPARE(recorder.calls.load(), callsBeforeClose + 1);
        QVERIFY(!recorder.wrongThread);
        QCOMPARE(midiInStart(input.handle), MMSYSERR_INVALHANDLE);
        QVERIFY(!backend->isInputOpen(kPort));
        input.handle = nullptr;
    }

    void resetEndsEvenWhenTheCallbackQueuesEveryBufferAgain()
    {
        Recorder recorder;
        OpenInput input(recorder, 3, 16);
        QVERIFY(input.handle);
        QCOMPARE(midiInReset(input.handle), MMSYSERR_NOERROR);
        QCOMPARE(recorder.take(), list({"long:", "long:", "long:"}));
        // They are queued again, so the port cannot close yet.
        QCOMPARE(midiInClose(input.handle), MIDIERR_STILLPLAYING);
    }

    void outputPacksShortMessagesAndRefusesUnpreparedHeaders()
    {
        HMIDIOUT output = nullptr;
        QCOMPARE(midiOutOpen(&output, 0, 0, 0, CALLBACK_NULL), MMSYSERR_NOERROR);
        QCOMPARE(midiOutShortMsg(output, 0x7D7E9A), MMSYSERR_NOERROR);
        QCOMPARE(midiOutShortMsg(output, 0x0005C0), MMSYSERR_NOERROR);
        QCOMPARE(midiOutShortMsg(output, 0x00003C), MMSYSERR_INVALPARAM); // no status byte
        QCOMPARE(midiOutShortMsg(output, 0x00903C90), MMSYSERR_INVALPARAM); // data byte above 7F

        char bytes[] = "\xF0\x7E\x7F\x0A\x0B\xF7";
        MIDIHDR header{};
        header.lpData = bytes;
        header.dwBufferLength = 6;
        QCOMPARE(midiOutLongMsg(output, &header, sizeof header), MIDIERR_UNPREPARED);
        QCOMPARE(midiOutPrepareHeader(output, &header, sizeof header), MMSYSERR_NOERROR);
        QCOMPARE(midiOutLongMsg(output, &header, sizeof header), MMSYSERR_NOERROR);
        QVERIFY(header.dwFlags & MHDR_DONE);
        QCOMPARE(midiOutUnprepareHeader(output, &header, sizeof header), MMSYSERR_NOERROR);

        std::vector<QByteArray> sent;
        for (const std::string &message : backend->sent(kPort))
            sent.push_back(hexOf(message));
        QCOMPARE(sent, (std::vector<QByteArray>{"9a 7e 7d", "c0 05", "f0 7e 7f 0a 0b f7"}));

        // A message that never finishes is "still playing" until a reset.
        backend->setLongMessagesNeverFinish(kPort, true);
        QCOMPARE(midiOutPrepareHeader(output, &header, sizeof header), MMSYSERR_NOERROR);
        QCOMPARE(midiOutLongMsg(output, &header, sizeof header), MMSYSERR_NOERROR);
        QVERIFY(!(header.dwFlags & MHDR_DONE));
        QCOMPARE(midiOutUnprepareHeader(output, &header, sizeof header), MIDIERR_STILLPLAYING);
        QCOMPARE(midiOutClose(output), MIDIERR_STILLPLAYING);
        QCOMPARE(midiOutReset(output), MMSYSERR_NOERROR);
        QVERIFY(header.dwFlags & MHDR_DONE);
        QCOMPARE(midiOutUnprepareHeader(output, &header, sizeof header), MMSYSERR_NOERROR);

        QCOMPARE(midiOutClose(output), MMSYSERR_NOERROR);
        QCOMPARE(midiOutShortMsg(output, 0x7D7E9A), MMSYSERR_INVALHANDLE);
        QCOMPARE(midiOutClose(nullptr), MMSYSERR_INVALHANDLE);
    }

    void aClosedHandleIsRefusedEvenRightAfterItsLastUse()
    {
        HMIDIOUT kept = nullptr;
        HMIDIOUT closed = nullptr;
        QCOMPARE(midiOutOpen(&kept, 0, 0, 0, CALLBACK_NULL), MMSYSERR_NOERROR);
        QCOMPARE(midiOutOpen(&closed, 0, 0, 0, CALLBACK_NULL), MMSYSERR_NOERROR);

        char bytes[] = "\xF0\x7E\x7F\x0A\x0B\xF7";
        MIDIHDR header{};
        header.lpData = bytes;
        header.dwBufferLength = 6;
        const auto sendWhole = [&header](HMIDIOUT output) {
            return std::vector<MMRESULT>{midiOutPrepareHeader(output, &header, sizeof header),
                                         midiOutLongMsg(output, &header, sizeof header),
                                         midiOutUnprepareHeader(output, &header, sizeof header)};
        };
        const std::vector<MMRESULT> sent(3, MMSYSERR_NOERROR);
        const std::vector<MMRESULT> refused(3, MMSYSERR_INVALHANDLE);

        // Used on this thread and on another one just before it closes.
        QCOMPARE(sendWhole(closed), sent);
        std::vector<MMRESULT> otherThread;
        std::thread([&] { otherThread = sendWhole(closed); }).join();
        QCOMPARE(otherThread, sent);
        QCOMPARE(midiOutClose(closed), MMSYSERR_NOERROR);

        QCOMPARE(sendWhole(closed), refused);
        QCOMPARE(midiOutShortMsg(closed, 0x7D7E9A), MMSYSERR_INVALHANDLE);
        QCOMPARE(midiOutReset(closed), MMSYSERR_INVALHANDLE);
        QCOMPARE(midiOutClose(closed), MMSYSERR_INVALHANDLE);
        std::thread([&] { otherThread = sendWhole(closed); }).join();
        QCOMPARE(otherThread, refused);
        QCOMPARE(sendWhole(reinterpret_cast<HMIDIOUT>(&header)), refused);

        // The other handle is untouched by the close, on both threads.
        QCOMPARE(sendWhole(kept), sent);
        std::thread([&] { otherThread = sendWhole(kept); }).join();
        QCOMPARE(otherThread, sent);
        QCOMPARE(int(backend->sent(kPort).size()), 4);
        QCOMPARE(midiOutClose(kept), MMSYSERR_NOERROR);
        QCOMPARE(sendWhole(kept), refused);
    }

    void aClosedInputHandleTakesNoMoreBuffers()
    {
        Recorder recorder;
        HMIDIIN handle = nullptr;
        {
            OpenInput input(recorder, 1);
            QVERIFY(input.handle);
            handle = input.handle;
            QVERIFY(backend->inject(kPort, wire("f001f7")));
            expectEvents(recorder, list({"long:f0 01 f7"}));
        }
        char block[16];
        MIDIHDR header{};
        header.lpData = block;
        header.dwBufferLength = sizeof block;
        QCOMPARE(midiInPrepareHeader(handle, &header, sizeof header), MMSYSERR_INVALHANDLE);
        QCOMPARE(midiInAddBuffer(handle, &header, sizeof header), MMSYSERR_INVALHANDLE);
        QCOMPARE(midiInStart(handle), MMSYSERR_INVALHANDLE);
        QVERIFY(!backend->isInputOpen(kPort));
    }

    void inProcessPortsDoNotVouchForTheirConnections()
    {
        // Like the ALSA sequencer, CoreMIDI and WinMM, they cannot tell when
        // a connection carries messages: the keyboard keeps its settle time.
        Recorder recorder;
        OpenInput input(recorder);
        HMIDIOUT output = nullptr;
        QCOMPARE(midiOutOpen(&output, 0, 0, 0, CALLBACK_NULL), MMSYSERR_NOERROR);
        QVERIFY(!midiConnectionConfirmed(output, input.handle));
        QCOMPARE(midiOutClose(output), MMSYSERR_NOERROR);
    }

    void anInputPortOpensOnlyOnce()
    {
        Recorder recorder;
        OpenInput first(recorder);
        QVERIFY(first.handle);
        HMIDIIN second = nullptr;
        QCOMPARE(midiInOpen(&second, 0, reinterpret_cast<DWORD_PTR>(&Recorder::callback),
                            reinterpret_cast<DWORD_PTR>(&recorder), CALLBACK_FUNCTION),
                 MMSYSERR_ALLOCATED);
        QVERIFY(!second);
    }
};

QTEST_GUILESS_MAIN(TestPortService)
#include "tst_portservice.moc"
