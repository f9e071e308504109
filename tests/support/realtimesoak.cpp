#include "realtimesoak.h"

#include "commands/keyboardcommand.h"
#include "jackkeyboardfixture.h"
#include "midi/jackclient.h"
#include "midi/midicontroller.h"
#include "midi/miditap.h"
#include "midi/rtmidibackend.h"
#include "model/settings.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextStream>

#include <atomic>
#include <thread>
#include <vector>

namespace {
// The link is made and its ports settled before the flood begins.
constexpr std::chrono::milliseconds kPlayDelay {1000};
constexpr std::chrono::milliseconds kEditInterval {30};
// A read is over in a few milliseconds; one a second, as a user clicks.
constexpr std::chrono::milliseconds kReadInterval {1000};
// The monitor's timer; the tap holds 4,096 copies, more than a second's flood.
constexpr std::chrono::milliseconds kTapInterval {33};
// After the run, what is still on its way is waited for this long at most.
constexpr std::chrono::seconds kSettleTime {15};
// The Cutoff knob: CC 74 on channel 1.
constexpr unsigned char kKnobStatus = 0xb0;
constexpr unsigned char kKnobNumber = 0x4a;

QString writeFlood(QTemporaryDir &folder, long long count)
{
    const QString path = folder.filePath(QStringLiteral("flood.txt"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    QTextStream out(&file);
    for (long long index = 0; index < count; ++index)
        out << QStringLiteral("B0 4A %1\n").arg(int(index % 128), 2, 16, QLatin1Char('0')).toUpper();
    return path;
}

// Cutoff's "Value" in memory 0, as Live sends it.
std::string cutoffValue(int value)
{
    return std::string("\xf0\x00\x20\x6b\x7f\x42\x02\x00\x00\x01", 10) + char(value & 0x7f) + '\xf7';
}

long long countKnobCopies(std::vector<TappedMessage> &copies)
{
    long long count = 0;
    for (const TappedMessage &copy : copies) {
        const std::string bytes = copy.bytes();
        if (copy.direction == TappedMessage::Direction::In && bytes.size() == 3
            && static_cast<unsigned char>(bytes[0]) == kKnobStatus && static_cast<unsigned char>(bytes[1]) == kKnobNumber)
            ++count;
    }
    copies.clear();
    return count;
}

long long playedCount(const QString &simulatorOutput)
{
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("played: (\\d+) messages")).match(simulatorOutput);
    return match.hasMatch() ? match.captured(1).toLongLong() : -1;
}
} // namespace

RealtimeSoakResult RealtimeSoak::run(std::chrono::seconds duration)
{
    RealtimeSoakResult result;
    result.framesPerPeriod = kFramesPerPeriod;
    result.sampleRate = kSampleRate;
    QTemporaryDir folder;
    const long long flood = kFloodRate * static_cast<long long>(duration.count());
    const QString floodFile = writeFlood(folder, flood);
    if (floodFile.isEmpty()) {
        result.error = QStringLiteral("cannot write the flood's file");
        return result;
    }

    JackKeyboardFixture jack;
    jack.setMusicianServer(kFramesPerPeriod);
    if (!jack.start({"--play", floodFile, "--play-rate", QString::number(kFloodRate), "--play-after-link",
                     "--play-delay", QString::number(kPlayDelay.count())})) {
        result.error = jack.error();
        return result;
    }
    MidiTap::setEnabled(true);
    MidiController *link = MidiController::getInstance(false);
    if (!link) {
        MidiTap::setEnabled(false);
        result.error = QStringLiteral("the editor did not link: ") + jack.simulatorOutput() + jack.serverOutput();
        return result;
    }

    std::atomic<bool> stop {false};
    std::atomic<int> reads {0};
    std::atomic<int> readsFailed {0};
    std::thread reader([&] {
        while (!stop.load()) {
            Settings settings;
            const KeyboardOutcome outcome = KeyboardCommand::read(*link, settings);
            ++reads;
            if (!outcome.succeeded() && readsFailed++ == 0)
                result.readFailure = outcomeMessage(outcome);
            std::this_thread::sleep_for(kReadInterval);
        }
    });
    std::thread editor([&] {
        for (int value = 0; !stop.load(); ++value) {
            const std::string message = cutoffValue(value);
            if (link->sendLongMessage(message.data(), int(message.size())) != 0)
                ++result.editsRefused;
            ++result.edits;
            std::this_thread::sleep_for(kEditInterval);
        }
    });

    std::vector<TappedMessage> copies;
    const auto end = std::chrono::steady_clock::now() + duration;
    while (std::chrono::steady_clock::now() < end) {
        std::this_thread::sleep_for(kTapInterval);
        MidiTap::drain(copies, MidiTap::kCapacity);
        result.tapped += countKnobCopies(copies);
    }
    stop = true;
    reader.join();
    editor.join();
    result.reads = reads.load();
    result.readsFailed = readsFailed.load();

    // The rest of the flood, until the simulator has played it all and its
    // copies are in.
    const auto settled = std::chrono::steady_clock::now() + kSettleTime;
    while (std::chrono::steady_clock::now() < settled) {
        std::this_thread::sleep_for(kTapInterval);
        MidiTap::drain(copies, MidiTap::kCapacity);
        result.tapped += countKnobCopies(copies);
        result.played = playedCount(jack.simulatorOutput());
        if (result.played >= 0 && result.tapped >= result.played)
            break;
    }
    result.tapDropped = static_cast<long long>(MidiTap::dropped());
    MidiTap::setEnabled(false);
    result.longestCycle = JackClient::longestCycle();

    result.serverOutput = jack.serverOutput();
    const QString editorClient = QString::fromLatin1(RtMidiBackend::kClientName);
    for (const QString &line : result.serverOutput.split(QLatin1Char('\n'))) {
        // A client still "Triggered" had not begun: it waited for another.
        if (!line.contains(QLatin1String("JackEngine::XRun")) || line.contains(QLatin1String("state = Triggered")))
            continue;
        (line.contains(editorClient) ? result.editorXruns : result.otherXruns) << line.trimmed();
    }
    return result;
}
