// bench-silent-bridge N: N silent MIDI devices as ports of one JACK client
// (see SilentBridge) until stdin closes; prints "ready" once they are there.

#include "silentbridge.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv)
{
    const int devices = argc > 1 ? std::atoi(argv[1]) : 0;
    if (devices <= 0) {
        std::fprintf(stderr, "usage: bench-silent-bridge DEVICES\n");
        return 2;
    }
    SilentBridge bridge(devices);
    if (!bridge.isReady()) {
        std::fprintf(stderr, "%s\n", qPrintable(bridge.error()));
        return 1;
    }
    std::printf("ready\n");
    std::fflush(stdout);
    while (std::getchar() != EOF) {
    }
    return 0;
}
