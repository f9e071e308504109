// The JACK backend on a private JACK server, against a device made here with
// libjack itself: which ports are listed, bursts longer than one process
// cycle, input up to the moment a port closes, input that comes faster than
// it is read, long System Exclusive messages, and a server that goes away
// and comes back.

#include "jackkeyboardfixture.h"
#include "midi/jackmidibackend.h"
#include "support/recordingsink.h"
#include "support/wirebytes.h"

#include <jack/jack.h>
#include <jack/midiport.h>

#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QtTest>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

namespace {
const char *const kEditorClient = "Telvir Backend Test";

// A MIDI device on the JACK server: "<name>:in" records what arrives,
// "<name>:out" sends what it is given.
class TestDevice
{
public:
    explicit TestDevice(const char *name)
    {
        client_ = jack_client_open(name, JackNoStartServer, nullptr);
        if (!client_)
            return;
        in_ = jack_port_register(client_, "in", JACK_DEFAULT_MIDI_TYPE, JackPortIsInput, 0);
        out_ = jack_port_register(client_, "out", JACK_DEFAULT_MIDI_TYPE, JackPortIsOutput, 0);
        jack_set_process_callback(client_, &TestDevice::process, this);
        jack_activate(client_);
    }
    ~TestDevice()
    {
        if (client_)
            jack_client_close(client_);
    }

    bool ready() const { return client_ && in_ && out_; }

    std::vector<std::string> received()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return received_;
    }
    void send(const std::string &message)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        toSend_.push_back(message);
    }
    std::size_t pending()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return toSend_.size();
    }

private:
    static int process(jack_nframes_t frames, void *self)
    {
        auto *device = static_cast<TestDevice *>(self);
        std::lock_guard<std::mutex> lock(device->mutex_);
        void *in = jack_port_get_buffer(device->in_, frames);
        for (jack_nframes_t index = 0; index < jack_midi_get_event_count(in); ++index) {
            jack_midi_event_t event;
            if (jack_midi_event_get(&event, in, index) == 0)
                device->received_.emplace_back(reinterpret_cast<const char *>(event.buffer), event.size);
        }
        void *out = jack_port_get_buffer(device->out_, frames);
        jack_midi_clear_buffer(out);
        while (!device->toSend_.empty()) {
            const std::string &message = device->toSend_.front();
            if (jack_midi_event_write(out, 0, reinterpret_cast<const jack_midi_data_t *>(message.data()),
                                      message.size()) != 0)
                break;
            device->toSend_.pop_front();
        }
        return 0;
    }

    jack_client_t *client_ = nullptr;
    jack_port_t *in_ = nullptr;
    jack_port_t *out_ = nullptr;
    std::mutex mutex_;
    std::vector<std::string> received_;
    std::deque<std::string> toSend_;
};

UINT numberOf(const std::vector<std::string> &ports, const std::string &name)
{
    return UINT(std::find(ports.begin(), ports.end(), name) - ports.begin());
}

// The port "Test Device:in", opened as an output of the backend.
std::unique_ptr<MidiBackendOutput> openDeviceInput(JackMidiBackend &backend)
{
    const std::vector<std::string> outputs = backend.outputPortNames(true);
    MMRESULT result = MMSYSERR_ERROR;
    return backend.openOutput(numberOf(outputs, "Test Device:in"), result);
}

// Waits up to `ms` for the condition.
bool eventually(const std::function<bool()> &condition, int ms = 3000)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > ms)
            return false;
        QThread::msleep(5);
    }
    return true;
}


// A parameter request with a running number in its address bytes, so that
// order and completeness can be checked.
std::string numberedMessage(int number)
{
    std::string message = wire("f000206b7f42 01 00 00 00 f7");
    message[7] = char(number >> 14 & 0x7F);
    message[8] = char(number >> 7 & 0x7F);
    message[9] = char(number & 0x7F);
    return message;
}
// A sink whose first delivery waits until it is let go: the reader that
// delivers falls behind meanwhile.
class HeldSink : public RecordingSink
{
public:
    void receive(const unsigned char *bytes, std::size_t size) override
    {
        {
            std::unique_lock<std::mutex> lock(mutex_);
            held_ = true;
            released_.wait(lock, [this] { return !holding_; });
        }
        RecordingSink::receive(bytes, size);
    }
    bool held()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return held_;
    }
    void release()
    {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            holding_ = false;
        }
        released_.notify_all();
    }

private:
    std::mutex mutex_;
    std::condition_variable released_;
    bool holding_ = true;
    bool held_ = false;
};

// Warnings come on the JACK client's reader thread.
std::mutex warningsMutex;
QStringList warnings;
void keepWarning(QtMsgType type, const QMessageLogContext &, const QString &text)
{
    std::lock_guard<std::mutex> lock(warningsMutex);
    if (type == QtWarningMsg)
        warnings << text;
}
QStringList keptWarnings()
{
    std::lock_guard<std::mutex> lock(warningsMutex);
    return warnings;
}
} // namespace

class TestJackBackend : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QLoggingCategory::setFilterRules("telvir.*.debug=false");
        QVERIFY2(jack_.start(), qPrintable(jack_.error()));
    }

    void othersPortsAreListedButNeverOurOwn()
    {
        TestDevice device("Test Device");
        QVERIFY(device.ready());
        JackMidiBackend backend(kEditorClient);
        const std::vector<std::string> outputs = backend.outputPortNames(true);
        const std::vector<std::string> inputs = backend.inputPortNames(true);
        QVERIFY(numberOf(outputs, "Test Device:in") < outputs.size());
        QVERIFY(numberOf(outputs, JackKeyboardFixture::keyboardInputPort().toStdString()) < outputs.size());
        QVERIFY(numberOf(inputs, "Test Device:out") < inputs.size());

        MMRESULT result = MMSYSERR_ERROR;
        RecordingSink sink;
        auto output = backend.openOutput(numberOf(outputs, "Test Device:in"), result);
        QCOMPARE(result, MMSYSERR_NOERROR);
        auto input = backend.openInput(numberOf(inputs, "Test Device:out"), sink, result);
        QCOMPARE(result, MMSYSERR_NOERROR);
        // Now the editor has ports of its own on the server.
        for (const std::vector<std::string> &names : {backend.outputPortNames(true), backend.inputPortNames(true)}) {
            for (const std::string &name : names)
                QVERIFY2(name.find(kEditorClient) != 0, name.c_str());
        }
        QVERIFY(!backend.openOutput(UINT(outputs.size()), result));
        QCOMPARE(result, MMSYSERR_BADDEVICEID);
    }

    void aBurstLongerThanOneCycleArrivesWholeAndInOrder()
    {
        TestDevice device("Test Device");
        QVERIFY(device.ready());
        JackMidiBackend backend(kEditorClient);
        auto output = openDeviceInput(backend);
        QVERIFY(output);
        bool finished = false;

        // 220 KB at once: many cycles' MIDI buffers, several times what the
        // port's queue holds, and far more than the 16 KB that RtMidi's JACK
        // output holds before it drops.
        constexpr int kMessages = 20000;
        for (int number = 0; number < kMessages; ++number) {
            finished = false;
            QCOMPARE(output->send(numberedMessage(number), finished), MMSYSERR_NOERROR);
            QVERIFY(finished);
        }
        QVERIFY(eventually([&] { return device.received().size() >= kMessages; }));
        const std::vector<std::string> received = device.received();
        QCOMPARE(int(received.size()), kMessages);
        for (int number = 0; number < kMessages; ++number)
            QCOMPARE(hexOf(received[std::size_t(number)]), hexOf(numberedMessage(number)));
    }

    void inputReachesTheSinkUntilThePortCloses()
    {
        TestDevice device("Test Device");
        QVERIFY(device.ready());
        JackMidiBackend backend(kEditorClient);
        const std::vector<std::string> inputs = backend.inputPortNames(true);
        MMRESULT result = MMSYSERR_ERROR;
        RecordingSink sink;
        auto input = backend.openInput(numberOf(inputs, "Test Device:out"), sink, result);
        QVERIFY(input);

        device.send(wire("9a 01 03"));
        device.send(wire("f0 7e 0a 01 03 00 01 f7"));
        QVERIFY(eventually([&] { return sink.received().size() == 2; }));
        QCOMPARE(hexOf(sink.received()[0]), QByteArray("9a 01 03"));
        QCOMPARE(hexOf(sink.received()[1]), QByteArray("f0 7e 0a 01 03 00 01 f7"));

        input.reset();
        device.send(wire("9a 01 05"));
        QThread::msleep(200);
        QCOMPARE(sink.received().size(), std::size_t(2));
    }

    void inputFasterThanItIsReadLosesWholeMessagesAndSaysHowMany()
    {
        TestDevice device("Test Device");
        QVERIFY(device.ready());
        JackMidiBackend backend(kEditorClient);
        const std::vector<std::string> inputs = backend.inputPortNames(true);
        MMRESULT result = MMSYSERR_ERROR;
        HeldSink sink;
        auto input = backend.openInput(numberOf(inputs, "Test Device:out"), sink, result);
        QVERIFY(input);

        device.send(wire("9a 01 03"));
        QVERIFY(eventually([&] { return sink.held(); }));
        // More than the editor keeps for a reader that does not run: many
        // cycles' worth of 1,000-byte messages, each numbered.
        jack_client_t *probe = jack_client_open("Test Buffer Size", JackNoStartServer, nullptr);
        QVERIFY(probe);
        const std::size_t bufferSize = jack_port_type_get_buffer_size(probe, JACK_DEFAULT_MIDI_TYPE);
        jack_client_close(probe);
        const int count = int(std::max<std::size_t>(bufferSize * 32, 1 << 17) / 1000);
        std::string message(1000, '\x11');
        message.front() = '\xf0';
        message.back() = '\xf7';
        for (int number = 0; number < count; ++number) {
            message[1] = char(number >> 7 & 0x7F);
            message[2] = char(number & 0x7F);
            device.send(message);
        }
        QVERIFY(eventually([&] { return device.pending() == 0; }, 10000));
        QThread::msleep(100);

        const QtMessageHandler previous = qInstallMessageHandler(keepWarning);
        sink.release();
        const bool settled = eventually([] { return !keptWarnings().isEmpty(); });
        qInstallMessageHandler(previous);
        QVERIFY(settled);
        QThread::msleep(200);
        const std::vector<std::string> received = sink.received();
        QVERIFY(received.size() > 1);
        QVERIFY(int(received.size()) < count + 1);
        QCOMPARE(hexOf(received[0]), QByteArray("9a 01 03"));
        // What came is whole and in order; what was lost is counted.
        int last = -1;
        for (std::size_t index = 1; index < received.size(); ++index) {
            QCOMPARE(received[index].size(), std::size_t(1000));
            const int number = received[index][1] << 7 | received[index][2];
            QVERIFY(number > last);
            last = number;
        }
        const int lost = count + 1 - int(received.size());
        QCOMPARE(keptWarnings().size(), 1);
        QCOMPARE(keptWarnings().at(0),
                 QStringLiteral("%1 MIDI messages arrived while the input's ring was full and were lost").arg(lost));
    }

    void closedPortsStayConnectedForTheNextOpenThenAreKeptWithoutConnections()
    {
        // libjack changes its list of a client's ports unguarded while its
        // own thread may walk it: once the client runs, the editor's ports
        // are never made or removed, only connected and disconnected. And
        // connecting is what a search pays for with every port: a port
        // closed a moment ago is taken again as it is, still connected.
        auto device = std::make_unique<TestDevice>("Test Device");
        QVERIFY(device->ready());
        std::atomic<int> connectionsMade{0};
        // Closed however the test ends: its callback counts into this frame.
        const std::unique_ptr<jack_client_t, int (*)(jack_client_t *)> observing(
            jack_client_open("Port Observer", JackNoStartServer, nullptr), &jack_client_close);
        jack_client_t *observer = observing.get();
        QVERIFY(observer);
        jack_set_port_connect_callback(
            observer,
            [](jack_port_id_t, jack_port_id_t, int connected, void *count) {
                if (connected)
                    ++*static_cast<std::atomic<int> *>(count);
            },
            &connectionsMade);
        QCOMPARE(jack_activate(observer), 0);
        const auto editorPorts = [observer] {
            std::vector<std::string> names;
            if (const char **ports = jack_get_ports(observer, (std::string(kEditorClient) + ":").c_str(), nullptr, 0)) {
                for (const char **name = ports; *name; ++name)
                    names.emplace_back(*name);
                jack_free(ports);
            }
            std::sort(names.begin(), names.end());
            return names;
        };
        JackMidiBackend backend(kEditorClient);
        QVERIFY(!backend.outputPortNames(true).empty());
        const std::vector<std::string> made = {std::string(kEditorClient) + ":in", std::string(kEditorClient) + ":out"};
        QCOMPARE(editorPorts(), made);
        const jack_port_t *kept = jack_port_by_name(observer, made[1].c_str());
        QVERIFY(kept);
        // One exchange each way over freshly opened ports, which are closed again.
        const auto exchange = [&](TestDevice &with) {
            const std::vector<std::string> outputs = backend.outputPortNames(true);
            const std::vector<std::string> inputs = backend.inputPortNames(true);
            MMRESULT result = MMSYSERR_ERROR;
            RecordingSink sink;
            auto output = backend.openOutput(numberOf(outputs, "Test Device:in"), result);
            auto input = backend.openInput(numberOf(inputs, "Test Device:out"), sink, result);
            if (!output || !input)
                return false;
            const std::size_t before = with.received().size();
            bool finished = false;
            if (output->send(wire("9a 02 00"), finished) != MMSYSERR_NOERROR)
                return false;
            with.send(wire("9a 01 03"));
            return eventually([&] { return with.received().size() == before + 1; })
                   && eventually([&] { return sink.received().size() == 1; });
        };
        for (int round = 0; round < 3; ++round) {
            QVERIFY(exchange(*device));
            QCOMPARE(editorPorts(), made);
            // Closed, and still connected for the next open.
            QCOMPARE(jack_port_connected(kept), 1);
        }
        QVERIFY(eventually([&] { return connectionsMade.load() >= 2; }));
        QCOMPARE(connectionsMade.load(), 2);

        // Left alone for a while, they are disconnected and kept.
        QVERIFY(eventually([&] { return jack_port_connected(kept) == 0; }, 10000));
        QCOMPARE(editorPorts(), made);
        QVERIFY(exchange(*device));
        QVERIFY(eventually([&] { return connectionsMade.load() >= 4; }));

        // The device went away while they waited, and came back: they are
        // connected to it anew, not taken for connected.
        device.reset();
        QVERIFY(eventually([&] { return jack_port_connected(kept) == 0; }));
        device = std::make_unique<TestDevice>("Test Device");
        QVERIFY(device->ready());
        QVERIFY(exchange(*device));
        QCOMPARE(editorPorts(), made);
    }

    void longSystemExclusiveGoesWholeAndOneTooLongIsRefused()
    {
        TestDevice device("Test Device");
        QVERIFY(device.ready());
        JackMidiBackend backend(kEditorClient);
        auto output = openDeviceInput(backend);
        QVERIFY(output);
        bool finished = false;

        std::string sysex = randomImage(8000, 3);
        for (char &byte : sysex)
            byte = char(byte & 0x7F);
        sysex.front() = char(0xF0);
        sysex.back() = char(0xF7);
        QCOMPARE(output->send(sysex, finished), MMSYSERR_NOERROR);
        QVERIFY(eventually([&] { return device.received().size() == 1; }));
        QVERIFY(device.received()[0] == sysex);

        // Larger than any MIDI buffer of the server: it could never go out.
        std::string huge(256 * 1024, char(0x10));
        huge.front() = char(0xF0);
        huge.back() = char(0xF7);
        QCOMPARE(output->send(huge, finished), MMSYSERR_NOTSUPPORTED);
    }

    void aServerThatGoesAwayIsFoundAgainWhenItComesBack()
    {
        JackMidiBackend backend(kEditorClient);
        std::vector<std::string> outputs = backend.outputPortNames(true);
        const std::string keyboard = JackKeyboardFixture::keyboardInputPort().toStdString();
        MMRESULT result = MMSYSERR_ERROR;
        auto output = backend.openOutput(numberOf(outputs, keyboard), result);
        QVERIFY(output);

        jack_.stop();
        // The port stays an object that refuses, and closing it is safe.
        bool finished = false;
        QVERIFY(eventually([&] { return output->send(wire("9a 01 02"), finished) != MMSYSERR_NOERROR; }));
        QCOMPARE(output->send(wire("9a 01 02"), finished), MIDIERR_NODEVICE);
        output.reset();
        QVERIFY(backend.outputPortNames(true).empty());
        QVERIFY(!backend.openOutput(0, result));

        QVERIFY2(jack_.start(), qPrintable(jack_.error()));
        // A server just found missing is not asked again for a moment.
        QVERIFY(eventually([&] {
            outputs = backend.outputPortNames(true);
            return numberOf(outputs, keyboard) < outputs.size();
        }));
        output = backend.openOutput(numberOf(outputs, keyboard), result);
        QVERIFY(output);
        QCOMPARE(output->send(wire("9a 01 02"), finished), MMSYSERR_NOERROR);
    }

private:
    JackKeyboardFixture jack_;
};

QTEST_GUILESS_MAIN(TestJackBackend)
#include "tst_jackbackend.moc"
