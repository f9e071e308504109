#!/usr/bin/env bash
# tst_install.sh BUILD_DIR VERSION
# Installs the build into a staging folder and checks what the desktop gets:
# the files, the validators' verdicts, the compiled MIME type, and the
# installed program's command line without a display.
set -euo pipefail
build="$1"
version="$2"
stage="$(mktemp -d)"
trap 'rm -rf "$stage"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$stage" >/dev/null

id=org.telvir.TelvirEditor
for file in \
    bin/telvir-editor \
    bin/telvir \
    bin/telvir-keyboard-simulator \
    share/applications/$id.desktop \
    share/metainfo/$id.metainfo.xml \
    share/mime/packages/$id.xml \
    share/icons/hicolor/scalable/apps/$id.svg \
    share/icons/hicolor/48x48/apps/$id.png \
    share/icons/hicolor/128x128/apps/$id.png \
    share/icons/hicolor/256x256/apps/$id.png \
    share/man/man1/telvir-editor.1.gz \
    share/man/man1/telvir.1.gz \
    share/man/man1/telvir-keyboard-simulator.1.gz \
    share/doc/telvir-editor/changelog.gz \
    share/telvir/translations/telvir_de.qm \
    share/telvir/translations/telvir_fr.qm \
    share/telvir/translations/telvir_es.qm; do
    [ -s "$stage/$file" ] || fail "not installed: $file"
done
for size in 48 128 256; do
    file -b "$stage/share/icons/hicolor/${size}x${size}/apps/$id.png" | grep -q "PNG image data, $size x $size," \
        || fail "the $size px icon is not a $size x $size PNG"
done

desktop-file-validate "$stage/share/applications/$id.desktop" || fail "desktop-file-validate"
grep -qx 'Exec=telvir-editor %f' "$stage/share/applications/$id.desktop" || fail "Exec line"
grep -qx 'MimeType=application/x-telvir-settings;' "$stage/share/applications/$id.desktop" || fail "MimeType line"
appstreamcli validate --no-net "$stage/share/metainfo/$id.metainfo.xml" >/dev/null \
    || { appstreamcli validate --no-net "$stage/share/metainfo/$id.metainfo.xml"; fail "appstreamcli validate"; }
grep -q "<release version=\"$version\"" "$stage/share/metainfo/$id.metainfo.xml" || fail "metainfo release $version"
xmllint --noout "$stage/share/mime/packages/$id.xml" || fail "xmllint"

# The MIME database compiled from the package alone knows the type by its
# name and by its first eight bytes.
update-mime-database "$stage/share/mime" 2>/dev/null
grep -qx 'application/x-telvir-settings' "$stage/share/mime/types" || fail "MIME type not compiled"
grep -q '^50:application/x-telvir-settings:\*\.telvir$' "$stage/share/mime/globs2" || fail "glob *.telvir"
grep -aq 'TELVIR00' "$stage/share/mime/magic" || fail "magic TELVIR00"

# Man pages go in gzipped, as Debian's own do, and read without warnings.
for page in telvir-editor telvir telvir-keyboard-simulator; do
    gzipped="$stage/share/man/man1/$page.1.gz"
    [ ! -e "$stage/share/man/man1/$page.1" ] || fail "$page.1 installed uncompressed"
    gzip -t "$gzipped" || fail "$page.1.gz is not gzip data"
    man --warnings -l -Tutf8 "$gzipped" 2>&1 >/dev/null | grep . && fail "$page man page warnings"
done
zcat "$stage/share/man/man1/telvir-editor.1.gz" | grep -q "^\.TH .* $version\"" || fail "man page version"
for program in telvir-editor telvir; do
    grep -q "<binary>$program</binary>" "$stage/share/metainfo/$id.metainfo.xml" || fail "metainfo provides no $program"
done

# The command line is answered before anything needs a display.
editor="$stage/bin/telvir-editor"
output="$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$editor" --version)" || fail "--version exit status"
[ "$output" = "telvir-editor $version" ] || fail "--version printed '$output'"
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$editor" --help | grep -q -- '--verbose' || fail "--help"
# Started for its window without a display: one line that says so, not
# Qt's abort.
status=0
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$editor" >"$stage/out" 2>"$stage/err" || status=$?
[ "$status" -eq 1 ] || fail "without a display the editor gave exit status $status"
[ "$(wc -l <"$stage/err")" -eq 1 ] && grep -q '^telvir-editor: no display to show the window on' "$stage/err" \
    || fail "without a display the editor printed: $(cat "$stage/err")"
status=0
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$editor" --no-such-option >"$stage/out" 2>"$stage/err" || status=$?
[ "$status" -eq 2 ] || fail "an unknown option gave exit status $status"
[ ! -s "$stage/out" ] || fail "an unknown option printed on stdout"
grep -q '^Usage: ' "$stage/err" || fail "an unknown option printed no usage on stderr"
# Both programs speak the locale's language, and English where it asks for
# English or for none.
telvir="$stage/bin/telvir"
help_first_line() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@" --help | head -n 1; }
[ "$(help_first_line env LANGUAGE=de "$telvir")" = "Aufruf: telvir [--verbose] BEFEHL [ARGUMENTE]" ] || fail "LANGUAGE=de telvir --help"
[ "$(help_first_line env LANGUAGE=fr "$telvir")" = "Usage : telvir [--verbose] COMMANDE [ARGUMENTS]" ] || fail "LANGUAGE=fr telvir --help"
[ "$(help_first_line env LANGUAGE=es "$telvir")" = "Uso: telvir [--verbose] COMANDO [ARGUMENTOS]" ] || fail "LANGUAGE=es telvir --help"
[ "$(help_first_line env LANGUAGE= LC_ALL=de_DE.UTF-8 "$telvir")" = "Aufruf: telvir [--verbose] BEFEHL [ARGUMENTE]" ] \
    || fail "LC_ALL=de_DE telvir --help"
english="Usage: telvir [--verbose] COMMAND [ARGUMENTS]"
[ "$(help_first_line env LANGUAGE=en:de "$telvir")" = "$english" ] || fail "LANGUAGE=en:de telvir --help"
[ "$(help_first_line env LANGUAGE= LC_ALL=C "$telvir")" = "$english" ] || fail "LC_ALL=C telvir --help"
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM LANGUAGE=de "$editor" --help \
    | grep -q 'Konfigurationseditor für das USB-MIDI-Controller-Keyboard Telvir' || fail "LANGUAGE=de telvir-editor --help"
status=0
env LANGUAGE=de "$telvir" show "$stage/missing.telvir" 2>"$stage/err" || status=$?
[ "$status" -eq 1 ] || fail "show of a missing file gave exit status $status"
grep -qx "telvir: $stage/missing.telvir: Die Datei existiert nicht" "$stage/err" || fail "a German error: $(cat "$stage/err")"
echo "installed files, validators, command line and languages: all good"
