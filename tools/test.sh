#!/usr/bin/env bash
# Builds everything and runs every test, first in a plain build with Qt 5,
# then in a plain build with Qt 6, then in an AddressSanitizer +
# UndefinedBehaviorSanitizer build with Qt 5; ends with CTest's summary
# line. TELVIR_SANITIZE chooses otherwise: "off" runs the two plain builds
# only, "thread" (or any other list for -fsanitize=) only that build.
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

case "${TELVIR_SANITIZE:-}" in
    "") run_suite ""; run_suite "" 6; run_suite "address,undefined" ;;
    off) run_suite ""; run_suite "" 6 ;;
    *) run_suite "$TELVIR_SANITIZE" ;;
esac
