#!/usr/bin/env bash
# Builds everything and runs every test: a plain build with Qt 5 (whose tests
# on a real MIDI server run on jackd2 and then once more on PipeWire's JACK),
# a plain build with Qt 6, an AddressSanitizer + UndefinedBehaviorSanitizer
# build and a ThreadSanitizer build, both with Qt 5; it also reads the JACK
# callback's code for locks, allocations and logging, and type-checks the
# sources for Windows. Last, alone on the machine, the minute on a JACK
# server at 64 frames a period (CTest label soak).
#
# Each build's tests run, one at a time, while the next build compiles: they
# mostly wait for MIDI timers and servers, the compiler wants the
# processors. Those suites' output goes to build-tests*/test.log and is
# shown when each ends; the last build's tests run two at a time with
# nothing else. The command fails if any suite failed.
#
# TELVIR_SANITIZE chooses otherwise: "off" runs the two plain builds only,
# "thread" (or any other list for -fsanitize=) only that build.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/install-deps.sh

failed=()
background=""
background_name=""

build_dir_of() {
    local sanitize="$1" qt="$2"
    local dir="build-tests${sanitize:+-${sanitize//,/-}}"
    [ "$qt" = 5 ] || dir="$dir-qt$qt"
    echo "$dir"
}

# build SANITIZERS QT_MAJOR
build() {
    local dir
    dir="$(build_dir_of "$1" "$2")"
    echo "== Building with Qt $2${1:+ and -fsanitize=$1} in $dir"
    cmake -S . -B "$dir" -DBUILD_TESTING=ON -DTELVIR_QT_MAJOR="$2" -DTELVIR_SANITIZE="$1" >/dev/null
    cmake --build "$dir" -j"$(nproc)"
}

# tests SANITIZERS QT_MAJOR JOBS: every test of the build but the soak,
# JOBS at a time, then with Qt 5 and no sanitizer the real-server tests on
# PipeWire's JACK.
tests() {
    local dir
    dir="$(build_dir_of "$1" "$2")"
    local result=0
    # The real-server tests start servers of their own names and may run
    # beside the others.
    (cd "$dir" && ctest -j"$3" -LE soak --output-on-failure) || result=1
    if [ -z "$1" ] && [ "$2" = 5 ]; then
        local libjack
        libjack="$(dpkg -L pipewire-jack | grep '/pipewire-0.3/jack/libjack\.so\.0$' | head -n 1)"
        echo "== Tests on a real MIDI server with PipeWire's JACK"
        (cd "$dir" && LD_LIBRARY_PATH="$(dirname "$libjack")${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}" \
            TELVIR_TEST_SERVER=pipewire ctest -L jack --output-on-failure) || result=1
    fi
    return $result
}

# Waits for the suite running in the background, shows its output.
finish_background() {
    [ -n "$background" ] || return 0
    local log="$background_log"
    if wait "$background"; then :; else failed+=("$background_name"); fi
    echo "== Tests with $background_name"
    cat "$log"
    background=""
}

# start_tests SANITIZERS QT_MAJOR: that build's tests in the background,
# one at a time: the compiler has the processors meanwhile, and the tests'
# timing margins are for one loaded machine, not for two tests on it.
start_tests() {
    finish_background
    local dir
    dir="$(build_dir_of "$1" "$2")"
    background_name="Qt $2${1:+ and -fsanitize=$1}"
    background_log="$dir/test.log"
    tests "$1" "$2" 1 >"$background_log" 2>&1 &
    background=$!
}

# The soak wants the processors to itself: a loaded machine makes any
# client late.
soak() {
    echo "== The minute at 64 frames a period (Qt 5)"
    (cd build-tests && ctest -L soak --output-on-failure) || failed+=("soak")
}

echo "== The JACK process callback's code path"
python3 tools/realtime-check.py || failed+=("real-time check")

case "${TELVIR_SANITIZE:-}" in
    "" | off)
        build "" 5
        start_tests "" 5
        bash tools/windows-syntax-check.sh || failed+=("Windows type-check")
        build "" 6
        start_tests "" 6
        if [ -z "${TELVIR_SANITIZE:-}" ]; then
            build "address,undefined" 5
            start_tests "address,undefined" 5
            build "thread" 5
        fi
        finish_background
        if [ -z "${TELVIR_SANITIZE:-}" ]; then
            echo "== Tests with Qt 5 and -fsanitize=thread"
            tests "thread" 5 2 || failed+=("Qt 5 and -fsanitize=thread")
        fi
        soak ;;
    *)
        build "$TELVIR_SANITIZE" 5
        echo "== Tests with Qt 5 and -fsanitize=$TELVIR_SANITIZE"
        tests "$TELVIR_SANITIZE" 5 2 || failed+=("Qt 5 and -fsanitize=$TELVIR_SANITIZE") ;;
esac

if [ ${#failed[@]} -gt 0 ]; then
    printf 'FAILED: %s\n' "${failed[@]}"
    exit 1
fi
echo "All tests passed."
