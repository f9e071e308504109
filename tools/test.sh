#!/usr/bin/env bash
# Builds everything and runs every test, first in a plain build with Qt 5
# (whose tests on a real MIDI server run on jackd2 and then once more on
# PipeWire's JACK), then in a plain build with Qt 6, then in an
# AddressSanitizer + UndefinedBehaviorSanitizer build with Qt 5; in between
# it type-checks the sources for Windows. Ends with CTest's summary line.
# TELVIR_SANITIZE chooses otherwise: "off" runs the two plain builds only,
# "thread" (or any other list for -fsanitize=) only that build.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/install-deps.sh

# run_suite SANITIZERS [QT_MAJOR]
run_suite() {
    local sanitize="$1"
    local qt="${2:-5}"
    local build_dir="build-tests${sanitize:+-${sanitize//,/-}}"
    [ "$qt" = 5 ] || build_dir="$build_dir-qt$qt"
    echo "== Tests with Qt $qt${sanitize:+ and -fsanitize=$sanitize}"
    cmake -S . -B "$build_dir" -DBUILD_TESTING=ON -DTELVIR_QT_MAJOR="$qt" -DTELVIR_SANITIZE="$sanitize" >/dev/null
    cmake --build "$build_dir" -j"$(nproc)"
    (cd "$build_dir" && ctest --output-on-failure)
}

# The tests labelled jack once more, with PipeWire's libjack in place of
# jackd2's: their fixture then starts a private PipeWire server.
run_pipewire_suite() {
    local libjack
    libjack="$(dpkg -L pipewire-jack | grep '/pipewire-0.3/jack/libjack\.so\.0$' | head -n 1)"
    echo "== Tests on a real MIDI server with PipeWire's JACK"
    (cd build-tests && LD_LIBRARY_PATH="$(dirname "$libjack")${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}" \
        TELVIR_TEST_SERVER=pipewire ctest -L jack --output-on-failure)
}

case "${TELVIR_SANITIZE:-}" in
    "") run_suite ""; run_pipewire_suite; bash tools/windows-syntax-check.sh
        run_suite "" 6; run_suite "address,undefined" ;;
    off) run_suite ""; run_pipewire_suite; bash tools/windows-syntax-check.sh
        run_suite "" 6 ;;
    *) run_suite "$TELVIR_SANITIZE" ;;
esac
