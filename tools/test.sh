#!/usr/bin/env bash
# Builds everything and runs every test, first in a plain build, then in an
# AddressSanitizer + UndefinedBehaviorSanitizer build; ends with CTest's
# summary line. TELVIR_SANITIZE chooses otherwise: "off" runs the plain
# build only, "thread" (or any other list for -fsanitize=) only that build.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/install-deps.sh

run_suite() {
    local sanitize="$1"
    local build_dir="build-tests${sanitize:+-${sanitize//,/-}}"
    echo "== Tests${sanitize:+ with -fsanitize=$sanitize}"
    cmake -S . -B "$build_dir" -DBUILD_TESTING=ON -DTELVIR_SANITIZE="$sanitize" >/dev/null
    cmake --build "$build_dir" -j"$(nproc)"
    (cd "$build_dir" && ctest --output-on-failure)
}

case "${TELVIR_SANITIZE:-}" in
    "") run_suite ""; run_suite "address,undefined" ;;
    off) run_suite "" ;;
    *) run_suite "$TELVIR_SANITIZE" ;;
esac
