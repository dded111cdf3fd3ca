#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages a task needs, but only those that are missing.
# Uses sudo when not run as root.
#   install-deps.sh [run|test|package|package-check|assets]...   (default: run)
#     run            building and running the player
#     test           run, and what the test suite, the fuzz targets and the
#                    benchmarks start: X server, window manager, session and
#                    accessibility buses, screen reader, sound server, song
#                    makers, validators
#     package        what debian/control names for building the packages
#     package-check  package, and lintian
#     assets         run, and what the artwork generator draws with
set -euo pipefail

build=(
  g++ make cmake pkgconf
  qt6-base-dev qt6-l10n-tools libsdl2-dev libmpg123-dev libpulse-dev
  libxcb1-dev libxcb-shape0-dev libpng-dev
)
# What the windows show: the fonts the about box and its message ask for, the
# fallback font, and Qt's translations of its standard buttons and dialogs.
run=(
  "${build[@]}"
  fonts-noto-cjk fonts-arphic-uming fonts-liberation2 fonts-dejavu-core
  qt6-translations-l10n
)
test=(
  "${run[@]}"
  xvfb x11-utils xdotool imagemagick openbox
  dbus-daemon dbus-bin at-spi2-core python3-pyatspi gir1.2-atspi-2.0 python3-gi
  orca speech-dispatcher
  pulseaudio pulseaudio-utils sox lame mpg123 playerctl
  desktop-file-utils appstream mandoc file qt6-svg-dev
  clang libclang-rt-dev
)
package=("${build[@]}" dpkg-dev debhelper)
package_check=("${package[@]}" lintian)
assets=("${run[@]}" qt6-svg-dev imagemagick)

[ $# -gt 0 ] || set -- run
packages=()
for set in "$@"; do
  case $set in
    run) packages+=("${run[@]}") ;;
    test) packages+=("${test[@]}") ;;
    package) packages+=("${package[@]}") ;;
    package-check) packages+=("${package_check[@]}") ;;
    assets) packages+=("${assets[@]}") ;;
    *) echo "install-deps: unknown set '$set'" >&2; exit 2 ;;
  esac
done

missing=()
for p in $(printf '%s\n' "${packages[@]}" | sort -u); do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing missing packages: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  sudo=()
else
  sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
