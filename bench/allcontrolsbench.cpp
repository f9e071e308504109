#include "allcontrolsbench.h"

#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
constexpr int kRuns = 11;
constexpr double kOpenTargetMs = 100.0;
constexpr double kFrameMs = 1000.0 / 60.0;

double medianOf(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double percentileOf(std::vector<double> values, double share)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, std::size_t(share * double(values.size())))];
}

void row(const char *what, double measuredMs, double targetMs)
{
    const double ratio = measuredMs / targetMs;
    std::printf("%-44s %11.3f ms  target <= %8.1f ms  ratio %.3f  %s\n", what, measuredMs, targetMs, ratio,
                ratio <= 1.0 ? "ok" : "MISSED");
}
} // namespace

void benchAllControls()
{
    std::vector<double> opens;
    std::vector<double> edits;
    for (int run = 0; run < kRuns; ++run) {
        QProcess probe;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        // No MIDI ports: the window starts without a keyboard at once.
        environment.insert("JACK_DEFAULT_SERVER", "telvir-bench-no-server");
        if (environment.value("QT_QPA_PLATFORM").isEmpty())
            environment.insert("QT_QPA_PLATFORM", "offscreen");
        probe.setProcessEnvironment(environment);
        probe.start(QCoreApplication::applicationDirPath() + "/bench-all-controls", QStringList());
        probe.waitForFinished(60000);
        for (const QByteArray &line : probe.readAllStandardOutput().split('\n')) {
            if (line.startsWith("open-ms "))
                opens.push_back(line.mid(8).trimmed().toDouble());
            else if (line.startsWith("edit-ms "))
                edits.push_back(line.mid(8).trimmed().toDouble());
        }
    }
    if (opens.empty() || edits.empty()) {
        std::printf("All Controls: the probe gave no figures\n");
        return;
    }
    std::printf("The \"All Controls\" table, offscreen, %d runs of the probe:\n", kRuns);
    row("table opened and painted, median", medianOf(opens), kOpenTargetMs);
    row("table opened and painted, slowest run", *std::max_element(opens.begin(), opens.end()), kOpenTargetMs);
    row(qPrintable(QString("edit shown in both windows, median of %1").arg(edits.size())), medianOf(edits), kFrameMs);
    row("edit shown in both windows, 99th percentile", percentileOf(edits, 0.99), kFrameMs);
}
