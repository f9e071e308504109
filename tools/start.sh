#!/usr/bin/env bash
# Builds the editor and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/install-deps.sh
cmake -S . -B build -DBUILD_TESTING=OFF >/dev/null
cmake --build build --target telvir-editor -j"$(nproc)"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found: starting the editor on a virtual X server (xvfb-run)."
    exec xvfb-run -a -s "-screen 0 1024x768x24" build/app/telvir-editor "$@"
fi
exec build/app/telvir-editor "$@"
