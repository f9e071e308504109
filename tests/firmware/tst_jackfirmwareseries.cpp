// Firmware updates one after another on a loaded machine: two processes
// that only spin take the processors while 100,000-byte images go to the
// simulator program over a real JACK server (jackd2 with real-time
// threads, as a musician runs it, or PipeWire's with
// TELVIR_TEST_SERVER=pipewire). Every update must leave the keyboard
// holding the image byte for byte (the simulator reports its size and
// SHA-256 once the last block is in). A success for an image that did not
// arrive fails at once; a failure is first checked to have said so, with
// the keyboard still answering in its upgrade mode, and the series goes on
// so that the end lists every failure. It takes about twenty minutes, so
// it runs only with TELVIR_SOAK=1 (ctest -L soak).

#include "commands/keyboardcommand.h"
#include "commands/keyboardoutcome.h"
#include "jackkeyboardfixture.h"
#include "midi/midicontroller.h"
#include "support/wirebytes.h"

#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QRegularExpression>
#include <QThread>
#include <QtTest>

#include <memory>
#include <vector>

namespace {
constexpr int kUpdates = 50;
constexpr int kBusyProcesses = 2;
constexpr int kSearches = 10;
constexpr int kFramesPerPeriod = 256;
constexpr std::size_t kImageSize = 100000;
constexpr std::size_t kPaddedSize = 196 * 512;

// Processes that take a processor each until they are killed.
class BusyProcesses
{
public:
    explicit BusyProcesses(int count)
    {
        for (int i = 0; i < count; ++i) {
            auto process = std::make_unique<QProcess>();
            // The loop ends with the test, also when it is killed.
            process->start("sh", {"-c", "while kill -0 $PPID 2>/dev/null; do :; done"});
            if (process->waitForStarted())
                processes_.push_back(std::move(process));
        }
    }
    ~BusyProcesses()
    {
        for (const auto &process : processes_) {
            process->kill();
            process->waitForFinished();
        }
    }
    int running() const { return int(processes_.size()); }

private:
    std::vector<std::unique_ptr<QProcess>> processes_;
};

// The simulator's line for an image it took whole.
QString imageLine(const std::string &image)
{
    std::string padded = image;
    padded.resize(kPaddedSize, char(0xFF));
    const QByteArray digest = QCryptographicHash::hash(QByteArray::fromStdString(padded), QCryptographicHash::Sha256);
    return QString("firmware image: %1 bytes, sha256 %2").arg(kPaddedSize).arg(QString::fromLatin1(digest.toHex()));
}
} // namespace

class TestJackFirmwareSeries : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (qEnvironmentVariable("TELVIR_SOAK") != QLatin1String("1"))
            QSKIP("a series of twenty minutes: run with TELVIR_SOAK=1 (ctest -L soak)");
        // A transfer's own messages stay out of the log; why one stopped is in.
        QLoggingCategory::setFilterRules("telvir.midi.debug=false\ntelvir.jack.debug=true");
    }

    void fiftyUpdatesUnderLoadAllArriveWhole()
    {
        JackKeyboardFixture jack;
        // As a musician's server runs: real-time threads, which the busy
        // processes cannot hold back from a cycle.
        jack.setMusicianServer(kFramesPerPeriod);
        QVERIFY2(jack.start({"--upgrade"}), qPrintable(jack.error()));
        MidiController *link = MidiController::getInstance(true);
        QVERIFY2(link, qPrintable(jack.simulatorOutput().right(2000)));

        const BusyProcesses busy(kBusyProcesses);
        QCOMPARE(busy.running(), kBusyProcesses);

        int upgraded = 0;
        QStringList failures;
        QElapsedTimer series;
        series.start();
        for (int update = 0; update < kUpdates; ++update) {
            const std::string image = randomImage(kImageSize, quint32(1000 + update));
            const QString expectedLine = imageLine(image);
            const QString before = jack.simulatorOutput();
            const int imagesBefore = before.count(expectedLine);
            const int faultsBefore = before.count(QRegularExpression("(^|\n)(firmware fault|input overflow)"));
            // Each block but the last reports before its answer is awaited.
            int blocksSent = 0;
            QElapsedTimer clock;
            clock.start();
            const KeyboardOutcome outcome = KeyboardCommand::upgrade(*link, image, [&blocksSent](int) { ++blocksSent; });
            const qint64 took = clock.elapsed();
            // The last acknowledgement comes after the image line.
            const QString log = jack.simulatorOutput();
            const bool arrived = log.count(expectedLine) == imagesBefore + 1;
            if (outcome.succeeded()) {
                QVERIFY2(arrived, qPrintable(QString("update %1 reported success, but the keyboard does not hold "
                                                     "the image:\n%2")
                                                 .arg(update)
                                                 .arg(log.right(1500))));
                ++upgraded;
                qInfo("update %d arrived whole in %lld ms", update, took);
                continue;
            }
            // A server that ran no cycle for seconds says so instead.
            const QString message = outcomeMessage(outcome);
            QVERIFY2(message == QLatin1String("Could not upgrade firmware.")
                         || message == QLatin1String("The JACK server does not respond."),
                     qPrintable(message));
            const QStringList faults =
                log.split('\n').filter(QRegularExpression("^(firmware fault|input overflow)")).mid(faultsBefore);
            // An answer that was only late is still on its way: what came in
            // the next second tells a late answer from a lost one.
            QThread::sleep(1);
            QStringList cameLate;
            for (std::string late = MidiController::popMessage(); !late.empty(); late = MidiController::popMessage())
                cameLate << QString::fromLatin1(hexOf(late));
            failures << QString("update %1 failed after %2 ms with %3 blocks sent, \"%4\" (%5 the image; "
                                "simulator: %6; in the next second came: %7)")
                            .arg(update)
                            .arg(took)
                            .arg(blocksSent)
                            .arg(message)
                            .arg(arrived ? "the keyboard holds" : "the keyboard does not hold")
                            .arg(faults.isEmpty() ? QString("no fault") : faults.join("; "))
                            .arg(cameLate.isEmpty() ? QString("nothing") : cameLate.join(' '));
            const int logBeforeSearch = jack.simulatorOutput().size();
            // Still in its upgrade mode: a new search finds it there, once
            // the loaded server lets a search through.
            MidiController::releaseInstance();
            link = nullptr;
            QStringList searches;
            for (int search = 0; search < kSearches && !link; ++search) {
                const KeyboardOutcome found = KeyboardCommand::find(true, LinkSearch{}, &link);
                if (!link) {
                    searches << outcomeMessage(found);
                    QThread::sleep(1);
                }
            }
            QVERIFY2(link, qPrintable(failures.join('\n') + "\nsearches: " + searches.join("; ")
                                      + "\nsimulator: " + jack.simulatorOutput().right(1500)));
            // The search's probe ends the broken transfer, and the simulator
            // then says how many bytes it holds: as many blocks as went out
            // means its answer was lost, one fewer means the block was.
            const QString afterSearch = jack.simulatorOutput().mid(logBeforeSearch).trimmed();
            failures.last() += "; after the search the simulator said: " + (afterSearch.isEmpty() ? "nothing" : afterSearch);
            qInfo("%s", qPrintable(failures.last()));
        }
        qInfo("%d of %d updates arrived whole, %d failed and said so, in %lld s", upgraded, kUpdates,
              int(failures.size()), series.elapsed() / 1000);
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join('\n')));
    }
};

QTEST_GUILESS_MAIN(TestJackFirmwareSeries)
#include "tst_jackfirmwareseries.moc"
