#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need,
# but only those that are missing. Needs root (or sudo) when it installs.
set -euo pipefail

packages=(
    cmake g++ make pkg-config
    qtbase5-dev qtbase5-dev-tools libqt5svg5 libqt5svg5-dev
    qt6-base-dev qt6-base-dev-tools
    qttools5-dev qttools5-dev-tools qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools
    qttranslations5-l10n qt6-translations-l10n
    libqt5sql5-sqlite libqt6sql6-sqlite
    librtmidi-dev libjack-jackd2-dev
    jackd2 pipewire pipewire-jack
    g++-mingw-w64-x86-64-posix
    xvfb x11-utils imagemagick
    at-spi2-core dbus python3-pyatspi xdotool
    fonts-liberation fonts-dejavu-core
    desktop-file-utils appstream libxml2-utils shared-mime-info man-db file
    dpkg-dev lintian python3
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
as_root=()
[ "$(id -u)" -ne 0 ] && as_root=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
