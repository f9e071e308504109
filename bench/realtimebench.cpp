#include "realtimebench.h"

#include "realtimesoak.h"

#include <QtGlobal>

#include <cstdio>

void benchRealtime()
{
    if (qEnvironmentVariableIsEmpty("JACK_DEFAULT_SERVER"))
        qputenv("JACK_DEFAULT_SERVER", "telvir-realtime");
    const RealtimeSoakResult result = RealtimeSoak::run(std::chrono::seconds(60));
    if (!result.error.isEmpty()) {
        std::printf("JACK: %s\n", qPrintable(result.error));
        return;
    }
    const double periodUs = 1e6 * result.framesPerPeriod / result.sampleRate;
    const double longestUs = double(result.longestCycle.count()) / 1e3;
    std::printf("JACK at %d frames / %d Hz, a minute of flood (%d a second), Live edits and reads:\n",
                result.framesPerPeriod, result.sampleRate, RealtimeSoak::kFloodRate);
    std::printf("%-44s %9.1f us  of a %.1f us period (%.1f %%)\n", "  longest process callback", longestUs, periodUs,
                100.0 * longestUs / periodUs);
    std::printf("%-44s %9d  (other clients: %d)\n", "  xruns naming the editor's client",
                int(result.editorXruns.size()), int(result.otherXruns.size()));
    std::printf("%-44s %9lld of %lld\n", "  flood messages the monitor counted", result.tapped, result.played);
    std::printf("%-44s %9d (%d failed), %d edits (%d refused)\n", "  reads", result.reads, result.readsFailed,
                result.edits, result.editsRefused);
}
