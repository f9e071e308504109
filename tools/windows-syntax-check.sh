#!/usr/bin/env bash
# Type-checks every product source (core library, editor, telvir) as a
# Windows build sees it: mingw-w64's g++ with _WIN32 defined, so the WinMM
# port service is the one compiled, against the Qt 5 headers. Nothing is
# linked or run; any error fails the script.
set -euo pipefail
cd "$(dirname "$0")/.."

compiler=x86_64-w64-mingw32-g++-posix
qt_headers="$(qmake -qt=qt5 -query QT_INSTALL_HEADERS 2>/dev/null || echo /usr/include/x86_64-linux-gnu/qt5)"
uic="$(qmake -qt=qt5 -query QT_INSTALL_LIBEXECS 2>/dev/null || echo /usr/lib/qt5/bin)/uic"
[ -x "$uic" ] || uic=/usr/lib/qt5/bin/uic
command -v "$compiler" >/dev/null || { echo "windows-syntax-check: $compiler is missing" >&2; exit 1; }

generated="$(mktemp -d)"
trap 'rm -rf "$generated"' EXIT
for form in app/*.ui; do
    "$uic" "$form" -o "$generated/ui_$(basename "$form" .ui).h"
done

# The port service over RtMidi and JACK is what Windows builds leave out:
# the sources of the `if(NOT WIN32)` block of midi/CMakeLists.txt.
mapfile -t not_on_windows < <(sed -n '/^if(NOT WIN32)/,/^else()/p' midi/CMakeLists.txt \
    | grep -o '[a-z]*\.cpp' | sed 's|^|midi/|')
[ ${#not_on_windows[@]} -gt 0 ] || { echo "windows-syntax-check: no sources found for other systems" >&2; exit 1; }

sources=()
for source in model/*.cpp midi/*.cpp protocol/*.cpp firmware/*.cpp commands/*.cpp sheet/*.cpp app/*.cpp cli/*.cpp \
    translations/*.cpp; do
    printf '%s\n' "${not_on_windows[@]}" | grep -qx "$source" || sources+=("$source")
done

version="$(sed -n 's/^project(TelvirEditor VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)"
flags=(-std=c++17 -fsyntax-only -Wall -Wextra -Wpedantic -fPIC
       -DUNICODE -D_UNICODE -DTELVIR_VERSION="\"$version\"" -DTELVIR_TRANSLATIONS_DIR="\"share/telvir/translations\""
       -I. -Iapp -I"$generated"
       -isystem "$qt_headers" -isystem "$qt_headers/QtCore" -isystem "$qt_headers/QtGui"
       -isystem "$qt_headers/QtWidgets" -isystem "$qt_headers/QtSql")

# The compiler names each file and line that fails; xargs fails if any does.
printf '%s\0' "${sources[@]}" | xargs -0 -n1 -P"$(nproc)" "$compiler" "${flags[@]}" \
    || { echo "windows-syntax-check: the sources above do not compile for Windows" >&2; exit 1; }
echo "windows-syntax-check: ${#sources[@]} sources type-check for Windows (WinMM)"
