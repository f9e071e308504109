#!/usr/bin/env bash
# Starts the editor on a private X server inside a private D-Bus session with
# the accessibility bus, and reads it through that bus as a screen reader
# does (atspireader.py). Usage: tst_accessibilitybus.sh EDITOR
set -euo pipefail
editor="$1"
here="$(cd "$(dirname "$0")" && pwd)"
runtime="$(mktemp -d)"
trap 'rm -rf "$runtime"' EXIT
export XDG_RUNTIME_DIR="$runtime"
# The bus daemons say who they started; only the reader's own lines matter.
xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
    dbus-run-session -- /usr/bin/python3 "$here/atspireader.py" "$editor" \
    2> >(grep -v -e 'dbus-daemon' -e 'SpiRegistry' >&2)
