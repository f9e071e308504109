#!/usr/bin/env bash
# tst_debianpackage.sh BUILD_DIR VERSION
# Makes the Debian package of the build, checks that apt could install it
# here (its dependencies resolve) and that the program runs from the
# unpacked package, all without installing it.
set -euo pipefail
build="$1"
version="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

arch="$(dpkg --print-architecture)"
package="$work/telvir-editor_${version}_${arch}.deb"
(cd "$build" && cpack -G DEB -B "$work" >"$work/cpack.log") || { cat "$work/cpack.log"; fail "cpack"; }
[ -f "$package" ] || fail "no $(basename "$package") among: $(ls "$work")"

field() { dpkg-deb --field "$package" "$1"; }
[ "$(field Package)" = telvir-editor ] || fail "package name"
[ "$(field Version)" = "$version" ] || fail "package version"
[ "$(field Section)" = sound ] || fail "section"
field Depends | grep -q 'libqt[56]widgets' || fail "no Qt dependency computed: $(field Depends)"

apt-get install --simulate "$package" >"$work/apt.log" 2>&1 || { cat "$work/apt.log"; fail "apt cannot resolve the package"; }
grep -q "^Inst telvir-editor ($version" "$work/apt.log" || { cat "$work/apt.log"; fail "apt would not install it"; }

mkdir "$work/root"
dpkg-deb -x "$package" "$work/root"
for file in usr/share/applications/org.telvir.TelvirEditor.desktop usr/share/doc/telvir-editor/copyright \
    usr/bin/telvir usr/share/man/man1/telvir.1.gz usr/share/man/man1/telvir-editor.1.gz \
    usr/share/telvir/translations/telvir_de.qm usr/share/telvir/translations/telvir_fr.qm \
    usr/share/telvir/translations/telvir_es.qm; do
    [ -s "$work/root/$file" ] || fail "not in the package: $file"
done
output="$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$work/root/usr/bin/telvir-editor" --version)" \
    || fail "the packaged program's --version failed"
[ "$output" = "telvir-editor $version" ] || fail "the packaged program printed '$output'"
echo "$(basename "$package"): dependencies resolve, the program runs"
