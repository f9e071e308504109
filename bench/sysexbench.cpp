#include "sysexbench.h"

#include "benchtimer.h"
#include "model/settingsdocument.h"
#include "protocol/sysexfile.h"

#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
constexpr int kRuns = 21;
constexpr double kTargetMs = 100;

// The median time of loading `path` kRuns times; whether the load took it.
double medianLoadMs(const QString &path, bool *taken)
{
    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run) {
        Settings settings;
        const BenchTimer timer;
        *taken = SettingsDocument::load(path, &settings);
        times.push_back(timer.elapsedMs());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

void row(const char *what, const QString &path, bool expectTaken, double targetMs)
{
    bool taken = false;
    const double ms = medianLoadMs(path, &taken);
    const bool ok = ms <= targetMs && taken == expectTaken;
    std::printf("%-44s %11.3f ms  target <= %8.1f ms  ratio %.3f  %s%s\n", what, ms, targetMs, ms / targetMs,
                ok ? "ok" : "MISSED", taken == expectTaken ? "" : (taken ? " (taken)" : " (refused)"));
}
} // namespace

void benchSysexImport()
{
    QTemporaryDir dir;
    const QByteArray write = SysexFile::messages(Settings(), 0);
    QByteArray huge;
    while (huge.size() < 1024 * 1024)
        huge += write;
    const QByteArray largest = huge.left(int(SysexFile::kMaxSize / write.size() * write.size()));
    const QString hugePath = dir.filePath(QStringLiteral("huge.syx"));
    const QString largestPath = dir.filePath(QStringLiteral("largest.syx"));
    const QString telvirPath = dir.filePath(QStringLiteral("factory.telvir"));
    if (!dir.isValid() || !writeFile(hugePath, huge) || !writeFile(largestPath, largest)
        || !SettingsDocument::save(telvirPath, Settings())) {
        std::printf("no temporary files for the .syx imports\n");
        return;
    }
    std::printf("Settings files, median of %d loads:\n", kRuns);
    row(".syx import of 1 MB (refused)", hugePath, false, kTargetMs);
    row(".syx import of 64 KB (read)", largestPath, true, kTargetMs);
    row(".telvir load (reference)", telvirPath, true, kTargetMs);
}
