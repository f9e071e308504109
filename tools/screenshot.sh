#!/usr/bin/env bash
# screenshot.sh BUILD_DIR LANGUAGE OUT.png
# The editor's window as the README shows it: linked to the keyboard
# simulator over a private JACK server, "Pad #11" selected and the mouse over
# "Cutoff", in the language given (en, de, fr, es), on a virtual X server.
# Needs jackd2, xvfb, xdotool and imagemagick (tools/install-deps.sh).
set -euo pipefail
build="$(cd "$1" && pwd)"
language="$2"
out="$3"

work="$(mktemp -d)"
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    [ -n "${KEEP_LOGS:-}" ] && cp -r "$work" "$KEEP_LOGS"
    rm -rf "$work"
}
trap cleanup EXIT

# One name for every run (unless one is given): JACK's server list has eight
# places, and a server that did not end cleanly keeps its place until one of
# the same name starts.
export JACK_DEFAULT_SERVER="${JACK_DEFAULT_SERVER:-telvir-screenshot-$language}"
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
export LANGUAGE="$language" LC_ALL=C.UTF-8
display=":$((90 + $$ % 100))"

jackd --no-realtime -d dummy -r 48000 -p 256 >"$work/jackd.log" 2>&1 &
pids+=($!)
sleep 2
"$build/tools/simulator/telvir-keyboard-simulator" --api jack --name "Telvir Keyboard" >"$work/simulator.log" 2>&1 &
pids+=($!)
for _ in $(seq 50); do grep -q ready "$work/simulator.log" && break; sleep 0.2; done

Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
sleep 1
export DISPLAY="$display"
"$build/app/telvir-editor" >"$work/editor.log" 2>&1 &
editor=$!
pids+=("$editor")

# The boxes of the start (linked, settings read) come before the window and
# are answered with Return, until the window stands alone for three seconds.
visible() { (xdotool search --onlyvisible "$@" 2>/dev/null || true) | wc -l; }
alone=0
for _ in $(seq 60); do
    sleep 1
    if [ "$(visible --pid "$editor")" -gt "$(visible --name '^MainWindow$')" ]; then
        alone=0
        xdotool key Return
    elif [ "$(visible --name '^MainWindow$')" -eq 1 ]; then
        alone=$((alone + 1))
        [ "$alone" -ge 3 ] && break
    fi
done
window="$(xdotool search --name '^MainWindow$' | head -n 1)"
xdotool windowmove "$window" 0 0
# The form lies below the menu bar: the window grew by the bar's height, so
# the points below (taken on the form's 605 pixels) move down by that much.
eval "$(xdotool getwindowgeometry --shell "$window")"
down=$((HEIGHT - 605))
# Pad 3, then the pad-bank button: "Pad #11". Then the mouse rests on Cutoff.
# The first click, on the picture's keys where no marker lies, only makes
# the window the active one.
for marker in "400 500" "320 356" "115 323"; do
    set -- $marker
    xdotool mousemove "$1" $(($2 + down))
    sleep 0.5
    xdotool click 1
    sleep 0.5
done
xdotool mousemove 249 $((248 + down))
sleep 2
import -window root -crop "${WIDTH}x${HEIGHT}+0+0" +repage "$out"
echo "wrote $out"
