#include "livebench.h"

#include "jackkeyboardfixture.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
constexpr int kEdits = 200;
constexpr double kEditTargetMs = 20;
constexpr double kFollowTargetMs = 50;
constexpr double kStallTargetMs = 50;
constexpr double kGrowthTargetMb = 5;
constexpr int kFollowMessages = 100;
constexpr int kFollowRate = 10;    // a knob turned now and then, not a sweep
constexpr int kFloodRate = 3000;
constexpr int kFloodSeconds = 10;
// The window's start-up (search and read) is over before anything plays.
constexpr int kPlayDelayMs = 2000;

// Cutoff's "Value" set message to memory 0, up to its value byte.
const QString kValueSetStart = QStringLiteral("F0 00 20 6B 7F 42 02 00 00 01 ");

struct Line
{
    long long ns = 0;
    QStringList fields;
};

// Lines of `text` starting with `prefix`, their first field after it read
// as the clock, the rest kept.
std::vector<Line> stampedLines(const QString &text, const QString &prefix)
{
    std::vector<Line> lines;
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        if (!line.startsWith(prefix))
            continue;
        QStringList fields = line.mid(prefix.size()).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (fields.isEmpty())
            continue;
        lines.push_back({fields.takeFirst().toLongLong(), fields});
    }
    return lines;
}

QString runProbe(const QStringList &arguments, int timeoutMs)
{
    QProcess probe;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (environment.value("QT_QPA_PLATFORM").isEmpty())
        environment.insert("QT_QPA_PLATFORM", "offscreen");
    probe.setProcessEnvironment(environment);
    probe.start(QCoreApplication::applicationDirPath() + "/bench-live-window", arguments);
    if (!probe.waitForFinished(timeoutMs))
        probe.kill();
    return QString::fromLocal8Bit(probe.readAllStandardOutput());
}

void reportLatencies(const char *what, std::vector<double> latencies, int expected, double targetMs)
{
    if (latencies.empty()) {
        std::printf("%-44s no measurement\n", what);
        return;
    }
    std::sort(latencies.begin(), latencies.end());
    const double median = latencies[latencies.size() / 2];
    const double longest = latencies.back();
    std::printf("%-44s median %8.3f ms  longest %8.3f ms  of %d/%d  target <= %.0f ms  %s\n", what, median, longest,
                int(latencies.size()), expected, targetMs, longest <= targetMs ? "ok" : "MISSED");
}

void benchEdits(JackKeyboardFixture &jack)
{
    if (!jack.restartSimulator({"--verbose", "--timestamps"})) {
        std::printf("JACK: %s\n", qPrintable(jack.error()));
        return;
    }
    const QString probe = runProbe({"edits", QString::number(kEdits)}, 60000);
    const std::vector<Line> edits = stampedLines(probe, QStringLiteral("edit "));
    std::vector<Line> arrived;
    for (const Line &line : stampedLines(jack.simulatorOutput(), QStringLiteral("in:  "))) {
        if (line.fields.join(QLatin1Char(' ')).startsWith(kValueSetStart.trimmed()))
            arrived.push_back(line);
    }
    std::vector<double> latencies;
    for (std::size_t i = 0; i < edits.size() && i < arrived.size(); ++i)
        latencies.push_back(double(arrived[i].ns - edits[i].ns) / 1e6);
    if (arrived.size() != edits.size())
        std::printf("  %d edits, %d arrived\n", int(edits.size()), int(arrived.size()));
    reportLatencies("Live: field change to message at the keyboard", latencies, kEdits, kEditTargetMs);
}

QString writePlayFile(QTemporaryDir &folder, const QString &name, int count, const QStringList &cycle)
{
    const QString path = folder.filePath(name);
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    QTextStream out(&file);
    for (int i = 0; i < count; ++i)
        out << cycle[i % cycle.size()] << '\n';
    return path;
}

void benchFollow(JackKeyboardFixture &jack, QTemporaryDir &folder)
{
    // Cutoff (CC 74) and Resonance (CC 71) in turns: each selects the other.
    const QString file = writePlayFile(folder, "follow.txt", kFollowMessages, {"B0 4A 40", "B0 47 40"});
    if (!jack.restartSimulator({"--verbose", "--timestamps", "--play", file, "--play-rate",
                                QString::number(kFollowRate), "--play-after-link", "--play-delay",
                                QString::number(kPlayDelayMs)})) {
        std::printf("JACK: %s\n", qPrintable(jack.error()));
        return;
    }
    const QString probe = runProbe({"follow"}, 60000);
    const std::vector<Line> selections = stampedLines(probe, QStringLiteral("selected "));
    std::vector<Line> played;
    for (const Line &line : stampedLines(jack.simulatorOutput(), QStringLiteral("out: "))) {
        if (line.fields.value(0) == QLatin1String("B0"))
            played.push_back(line);
    }
    // Each played message is matched with the first selection after it.
    std::vector<double> latencies;
    std::size_t next = 0;
    for (const Line &message : played) {
        while (next < selections.size() && selections[next].ns < message.ns)
            ++next;
        if (next == selections.size())
            break;
        latencies.push_back(double(selections[next].ns - message.ns) / 1e6);
        ++next;
    }
    reportLatencies("Follow: played message to selected marker", latencies, kFollowMessages, kFollowTargetMs);
}

void benchFlood(JackKeyboardFixture &jack, QTemporaryDir &folder)
{
    const int count = kFloodRate * kFloodSeconds;
    QStringList sweep;
    for (int value = 0; value < 128; ++value)
        sweep << QStringLiteral("B0 4A %1").arg(value, 2, 16, QLatin1Char('0')).toUpper();
    const QString file = writePlayFile(folder, "flood.txt", count, sweep);
    if (!jack.restartSimulator({"--play", file, "--play-rate", QString::number(kFloodRate), "--play-after-link",
                                "--play-delay", QString::number(kPlayDelayMs)})) {
        std::printf("JACK: %s\n", qPrintable(jack.error()));
        return;
    }
    const QString probe = runProbe({"flood", QString::number(count)}, 90000);
    long long seen = -1;
    double stallMs = -1;
    long startKb = 0, endKb = 0;
    for (const QString &line : probe.split(QLatin1Char('\n'))) {
        const QStringList fields = line.split(QLatin1Char(' '));
        if (fields.value(0) == QLatin1String("count"))
            seen = fields.value(1).toLongLong();
        else if (fields.value(0) == QLatin1String("stall-ms"))
            stallMs = fields.value(1).toDouble();
        else if (fields.value(0) == QLatin1String("rss-start-kb"))
            startKb = fields.value(1).toLong();
        else if (fields.value(0) == QLatin1String("rss-end-kb"))
            endKb = fields.value(1).toLong();
    }
    const double growthMb = (endKb - startKb) / 1024.0;
    std::printf("Monitor open, %d messages a second for %d s:\n", kFloodRate, kFloodSeconds);
    std::printf("%-44s %11lld of %d  %s\n", "  messages the monitor counted", seen, count,
                seen == count ? "ok" : "MISSED");
    std::printf("%-44s %11.3f ms  target <= %8.1f ms  %s\n", "  longest GUI stall", stallMs, kStallTargetMs,
                stallMs >= 0 && stallMs <= kStallTargetMs ? "ok" : "MISSED");
    std::printf("%-44s %11.1f MB  (%.1f -> %.1f MB)  target <= %.0f MB  %s\n", "  resident memory growth", growthMb,
                startKb / 1024.0, endKb / 1024.0, kGrowthTargetMb, growthMb <= kGrowthTargetMb ? "ok" : "MISSED");
}
} // namespace

void benchLive()
{
    if (qEnvironmentVariableIsEmpty("JACK_DEFAULT_SERVER"))
        qputenv("JACK_DEFAULT_SERVER", "telvir-live");
    JackKeyboardFixture jack;
    if (!jack.start()) {
        std::printf("JACK: %s\n", qPrintable(jack.error()));
        return;
    }
    QTemporaryDir folder;
    std::printf("The editor's window over JACK, live and monitoring:\n");
    benchEdits(jack);
    benchFollow(jack, folder);
    benchFlood(jack, folder);
}
