#!/usr/bin/env bash
# Builds the editor, telvir and the keyboard simulator, and starts the
# editor with the arguments given: `bash tools/start.sh --demo` tries it
# without a keyboard, on the simulator.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/install-deps.sh
cmake -S . -B build -DBUILD_TESTING=OFF >/dev/null
cmake --build build --target telvir-editor telvir telvir-keyboard-simulator -j"$(nproc)"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    cat >&2 <<TEXT
No display: the editor's window cannot be shown here (neither DISPLAY nor
WAYLAND_DISPLAY is set). Start it on a desktop, or on a virtual X server
and take a picture of its screen:
    Xvfb :99 -screen 0 1024x768x24 &
    DISPLAY=:99 build/app/telvir-editor --demo &
    sleep 5; DISPLAY=:99 import -window root editor.png     # the window, as a picture
    DISPLAY=:99 xdotool key Return                           # answers its box
telvir needs no display: build/cli/telvir --help
TEXT
    exit 1
fi
case " $* " in
    *" --demo "*) ;;
    *) echo "No keyboard at hand? bash tools/start.sh --demo tries the editor on the keyboard simulator." ;;
esac
exec build/app/telvir-editor "$@"
