#!/usr/bin/env bash
# Builds everything and runs every test; ends with CTest's summary line.
# TELVIR_SANITIZE=address,undefined or TELVIR_SANITIZE=thread builds a
# sanitizer build in a folder of its own.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/install-deps.sh
sanitize="${TELVIR_SANITIZE:-}"
build_dir="build-tests${sanitize:+-${sanitize//,/-}}"
cmake -S . -B "$build_dir" -DBUILD_TESTING=ON -DTELVIR_SANITIZE="$sanitize" >/dev/null
cmake --build "$build_dir" -j"$(nproc)"
cd "$build_dir"
ctest --output-on-failure
