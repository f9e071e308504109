#include "soakbench.h"

#include "benchtimer.h"
#include "jackkeyboardfixture.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
// The first rounds fill the caches, pools and lazily made objects that
// any run of the editor has; growth counts from then on.
constexpr int kWarmupRounds = 5;
constexpr int kSampleEveryRounds = 10;
// A keyboard that is not noticed gone, or not linked again, within this is
// a failed cycle.
constexpr double kCycleLimitMs = 10000;
constexpr long kGrowthTargetKb = 1024;
constexpr int kAnswerTimeoutMs = 120000;

struct Memory
{
    long residentKb = 0;
    // Without JACK's shared memory and the mapped files.
    long anonymousKb = 0;
    long long heapBytes = 0;
};

// The editor process and its line-by-line commands (see soakeditor.cpp).
class SoakEditor
{
public:
    bool start(const QString &settingsFolder)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        // The searches remember the linked pair: never in the user's settings.
        environment.insert("XDG_CONFIG_HOME", settingsFolder);
        process_.setProcessEnvironment(environment);
        // The MIDI systems' complaints (no ALSA sequencer, say) go to a file.
        process_.setStandardErrorFile(errorLog());
        // TELVIR_SOAK_WRAPPER="heaptrack" (or "valgrind --tool=memcheck ...")
        // runs the editor under a memory tool.
        QStringList command = qEnvironmentVariable("TELVIR_SOAK_WRAPPER").split(' ', Qt::SkipEmptyParts);
        command << QCoreApplication::applicationDirPath() + "/bench-soak-editor";
        process_.start(command.takeFirst(), command);
        // A wrapper may print lines of its own first.
        QString ready;
        do
            ready = readLine();
        while (!ready.isEmpty() && !ready.startsWith("ready "));
        std::printf("  the editor started: %s\n", qPrintable(ready));
        return !ready.isEmpty();
    }

    ~SoakEditor()
    {
        process_.write("quit\n");
        if (!process_.waitForFinished(10000)) {
            process_.kill();
            process_.waitForFinished();
        }
    }

    // The answer's last line; the lines before it (failure boxes) go to `notes`.
    QString command(const QString &line, QStringList *notes = nullptr)
    {
        process_.write(line.toUtf8() + '\n');
        for (;;) {
            const QString answer = readLine();
            if (!answer.startsWith("box "))
                return answer;
            if (notes)
                *notes << answer.mid(4);
        }
    }

    // Empty while the editor runs; else how it ended.
    QString ended()
    {
        if (process_.state() != QProcess::NotRunning && !process_.waitForFinished(0))
            return QString();
        return process_.exitStatus() == QProcess::CrashExit ? QString("crashed (%1)").arg(process_.errorString())
                                                            : QString("ended with %1").arg(process_.exitCode());
    }

    static QString errorLog() { return QDir::temp().filePath("telvir-soak-editor.log"); }

    Memory memory()
    {
        const QStringList fields = command("memory").split(' ');
        return {fields.value(1).toLong(), fields.value(2).toLong(), fields.value(3).toLongLong()};
    }

private:
    QString readLine()
    {
        while (!process_.canReadLine())
            if (!process_.waitForReadyRead(kAnswerTimeoutMs))
                return QString();
        return QString::fromUtf8(process_.readLine()).trimmed();
    }

    QProcess process_;
};

// The milliseconds of a "status <ms>" answer, or -1 for a timeout.
double awaitedMs(const QString &answer)
{
    return answer.startsWith("status ") ? answer.mid(7).toDouble() : -1;
}

double percentile(std::vector<double> values, double fraction)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, std::size_t(fraction * double(values.size())))];
}

void printMemory(const char *when, const Memory &memory)
{
    std::printf("  %-40s resident %8.1f MB  anonymous %6.1f MB  heap in use %6.2f MB\n", when,
                memory.residentKb / 1024.0, memory.anonymousKb / 1024.0, memory.heapBytes / 1048576.0);
}
} // namespace

void benchSoak(int writes, int cycles)
{
    if (qEnvironmentVariableIsEmpty("JACK_DEFAULT_SERVER"))
        qputenv("JACK_DEFAULT_SERVER", "telvir-soak");
    QTemporaryDir settingsFolder;
    JackKeyboardFixture jack;
    if (!settingsFolder.isValid() || !jack.start()) {
        std::printf("soak: %s\n", qPrintable(jack.error()));
        return;
    }
    const int writesPerRound = writes / cycles;
    std::printf("Soak over JACK: %d writes and %d unplug/re-plug cycles, %d writes before each cycle\n"
                "(the editor's standard error in %s):\n",
                writesPerRound * cycles, cycles, writesPerRound, qPrintable(SoakEditor::errorLog()));
    BenchTimer wholeTimer;
    SoakEditor editor;
    if (!editor.start(settingsFolder.path()))
        return;

    int failedWrites = 0;
    int failedCycles = 0;
    double writeMs = 0;
    std::vector<double> goneMs, relinkedMs, replugMs;
    QStringList problems;
    Memory warm;
    for (int round = 1; round <= cycles; ++round) {
        const QStringList wrote = editor.command(QString("write %1").arg(writesPerRound), &problems).split(' ');
        failedWrites += wrote.value(0) == "wrote" ? wrote.value(2).toInt() : writesPerRound;
        writeMs += wrote.value(3).toDouble();

        jack.stopSimulator();
        const QString gone = editor.command("await No keyboard connected");
        goneMs.push_back(awaitedMs(gone));
        BenchTimer replugTimer;
        const bool restarted = jack.restartSimulator();
        const QString linked = restarted ? editor.command("await Connected to") : jack.error();
        relinkedMs.push_back(awaitedMs(linked));
        replugMs.push_back(replugTimer.elapsedMs());
        if (goneMs.back() < 0 || relinkedMs.back() < 0 || replugMs.back() > kCycleLimitMs) {
            ++failedCycles;
            problems << QString("cycle %1: unplugged: %2; plugged in: %3 (%4 ms)")
                            .arg(round)
                            .arg(gone, linked)
                            .arg(replugMs.back(), 0, 'f', 0);
        }

        const QString ended = editor.ended();
        if (!ended.isEmpty()) {
            std::printf("  the editor %s in round %d\n", qPrintable(ended), round);
            failedWrites += writesPerRound * (cycles - round);
            failedCycles += cycles - round;
            break;
        }

        if (round == kWarmupRounds) {
            warm = editor.memory();
            printMemory(qPrintable(QString("after warm-up (%1 writes, %2 cycles)")
                                       .arg(round * writesPerRound)
                                       .arg(round)),
                        warm);
        } else if (round % kSampleEveryRounds == 0 && round != cycles) {
            printMemory(qPrintable(QString("after %1 writes and %2 cycles").arg(round * writesPerRound).arg(round)),
                        editor.memory());
        }
    }
    const Memory end = editor.ended().isEmpty() ? editor.memory() : Memory();
    if (end.residentKb == 0 || warm.residentKb == 0) {
        std::printf("  no memory figures: the editor did not last\n");
    } else {
        printMemory("at the end", end);
        const long growthKb = end.residentKb - warm.residentKb;
        std::printf("  %-40s %+ld KB resident (target <= %ld KB) %s, anonymous %+ld KB, heap in use %+lld KB\n",
                    "growth after warm-up", growthKb, kGrowthTargetKb, growthKb <= kGrowthTargetKb ? "ok" : "MISSED",
                    end.anonymousKb - warm.anonymousKb, (end.heapBytes - warm.heapBytes) / 1024);
    }
    std::printf("  %-40s %d of %d\n", "failed writes", failedWrites, writesPerRound * cycles);
    std::printf("  %-40s %d of %d (limit %.0f ms each way)\n", "failed cycles", failedCycles, cycles, kCycleLimitMs);
    for (const QString &problem : problems)
        std::printf("    %s\n", qPrintable(problem));
    std::printf("  %-40s median %6.0f ms  max %6.0f ms\n", "unplug to \"No keyboard connected\"",
                percentile(goneMs, 0.5), percentile(goneMs, 1.0));
    std::printf("  %-40s median %6.0f ms  max %6.0f ms\n", "simulator up to \"Connected to ...\"",
                percentile(relinkedMs, 0.5), percentile(relinkedMs, 1.0));
    std::printf("  %-40s median %6.0f ms  max %6.0f ms\n", "re-plug (simulator start included)",
                percentile(replugMs, 0.5), percentile(replugMs, 1.0));
    std::printf("  %-40s %.1f s (writes %.1f s, %.1f ms each)\n", "time taken", wholeTimer.elapsedMs() / 1000,
                writeMs / 1000, writeMs / (writesPerRound * cycles));
}
