#!/usr/bin/env bash
# tst_debianpackage.sh BUILD_DIR VERSION
# Makes the Debian package of the build, checks that apt could install it
# here (its dependencies resolve), that lintian finds no error and no
# warning in it, that its programs carry Debian's hardening and that the
# program runs from the unpacked package, all without installing it.
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
    usr/share/doc/telvir-editor/changelog.gz usr/bin/telvir usr/bin/telvir-keyboard-simulator \
    usr/share/man/man1/telvir.1.gz usr/share/man/man1/telvir-editor.1.gz \
    usr/share/man/man1/telvir-keyboard-simulator.1.gz \
    usr/share/telvir/translations/telvir_de.qm usr/share/telvir/translations/telvir_fr.qm \
    usr/share/telvir/translations/telvir_es.qm; do
    [ -s "$work/root/$file" ] || fail "not in the package: $file"
done
# The changelog's latest entry is this version's.
zcat "$work/root/usr/share/doc/telvir-editor/changelog.gz" | head -n 1 | grep -q "^telvir-editor ($version) " \
    || fail "the changelog's first entry is not $version: $(zcat "$work/root/usr/share/doc/telvir-editor/changelog.gz" | head -n 1)"

# Built with dpkg-buildflags' hardening: fortified libc calls, the stack
# protector, read-only relocations, bound at start.
for program in telvir-editor telvir telvir-keyboard-simulator; do
    binary="$work/root/usr/bin/$program"
    readelf -lW "$binary" | grep -q GNU_RELRO || fail "$program: no RELRO (built without Debian's hardening flags?)"
    readelf -dW "$binary" | grep -Eq 'FLAGS.*(BIND_NOW| NOW)' || fail "$program: not bound at start (-z now)"
    symbols="$(readelf --dyn-syms -W "$binary")"
    grep -q '__stack_chk_fail' <<<"$symbols" || fail "$program: no stack protector"
    grep -Eq '__[a-z_]+_chk(@|$| )' <<<"$symbols" || fail "$program: no fortified libc call (-D_FORTIFY_SOURCE)"
done

# Lintian's errors and warnings, as Debian's archive would see them.
command -v lintian >/dev/null || fail "lintian is not installed (tools/install-deps.sh installs it)"
# Its exit status also fails the test when lintian itself cannot run.
if ! lintian --fail-on error,warning --tag-display-limit 0 "$package" >"$work/lintian.log" 2>&1; then
    cat "$work/lintian.log" >&2
    fail "lintian reports the errors or warnings above"
fi

output="$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$work/root/usr/bin/telvir-editor" --version)" \
    || fail "the packaged program's --version failed"
[ "$output" = "telvir-editor $version" ] || fail "the packaged program printed '$output'"
echo "$(basename "$package"): dependencies resolve, lintian is content, hardened, the program runs"
