#!/usr/bin/env bash
# Builds everything and runs every test, in three builds: Qt 5 plain (whose
# tests on a real MIDI server run on jackd2 and then once more on PipeWire's
# JACK), Qt 6 under AddressSanitizer + UndefinedBehaviorSanitizer and Qt 5
# under ThreadSanitizer. It also reads the JACK callback's code for locks,
# allocations and logging, and type-checks the sources for Windows.
#
# Each build's tests run when it is built, with no compiler beside them:
# first those that need no MIDI server, side by side on every core, then
# those on a private JACK server (CTest label jack) one at a time, as their
# timing margins are for one loaded machine. Each stage says how long it
# took. The command goes on after a failed suite and fails at the end,
# naming it. The minute on a JACK server at 64 frames a period and the
# firmware series (CTest label soak) want a machine to themselves and are
# run on their own: ctest -L soak.
#
# TELVIR_SANITIZE chooses otherwise: "off" builds Qt 5 and Qt 6 without
# sanitizers, "thread" (or any other list for -fsanitize=) only that build
# with Qt 5.
set -euo pipefail
cd "$(dirname "$0")/.."

# stage NAME COMMAND...: runs the command and says how long it took.
stage() {
    local name="$1" start=$SECONDS result=0
    shift
    "$@" || result=$?
    echo "== $name: $((SECONDS - start)) s"
    return $result
}

stage "Packages" bash tools/install-deps.sh

failed=()

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
    cmake -S . -B "$dir" -DBUILD_TESTING=ON -DTELVIR_QT_MAJOR="$2" -DTELVIR_SANITIZE="$1" >/dev/null \
        && cmake --build "$dir" -j"$(nproc)"
}

# tests SANITIZERS QT_MAJOR: every test of the build but the soaks, then
# with Qt 5 and no sanitizer the real-server tests on PipeWire's JACK.
tests() {
    local dir
    dir="$(build_dir_of "$1" "$2")"
    local result=0
    (cd "$dir" && ctest -LE 'jack|soak' -j"$(nproc)" --output-on-failure) || result=1
    echo "== Tests on a real MIDI server"
    (cd "$dir" && ctest -L jack -LE soak --output-on-failure) || result=1
    if [ -z "$1" ] && [ "$2" = 5 ]; then
        local libjack
        libjack="$(dpkg -L pipewire-jack | grep '/pipewire-0.3/jack/libjack\.so\.0$' | head -n 1)"
        echo "== Tests on a real MIDI server with PipeWire's JACK"
        (cd "$dir" && LD_LIBRARY_PATH="$(dirname "$libjack")${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}" \
            TELVIR_TEST_SERVER=pipewire ctest -L jack -LE soak --output-on-failure) || result=1
    fi
    return $result
}

# build_and_test SANITIZERS QT_MAJOR
build_and_test() {
    local name="Qt $2${1:+ and -fsanitize=$1}"
    if ! stage "Build with $name" build "$1" "$2"; then
        failed+=("build with $name")
        return
    fi
    echo "== Tests with $name"
    stage "Tests with $name" tests "$1" "$2" || failed+=("$name")
}

echo "== The JACK process callback's code path"
python3 tools/realtime-check.py || failed+=("real-time check")

case "${TELVIR_SANITIZE:-}" in
    "")
        build_and_test "" 5
        stage "Windows type-check" bash tools/windows-syntax-check.sh || failed+=("Windows type-check")
        build_and_test "address,undefined" 6
        build_and_test "thread" 5 ;;
    off)
        build_and_test "" 5
        stage "Windows type-check" bash tools/windows-syntax-check.sh || failed+=("Windows type-check")
        build_and_test "" 6 ;;
    *)
        build_and_test "$TELVIR_SANITIZE" 5 ;;
esac

if [ ${#failed[@]} -gt 0 ]; then
    printf 'FAILED: %s\n' "${failed[@]}"
    exit 1
fi
echo "All tests passed."
