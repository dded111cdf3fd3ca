#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Turns the debug-symbol package CPack writes (<name>-dbgsym_*.ddeb) into the
# Debian one (<name>-dbgsym_*.deb): CMake 3.25 lists its files in md5sums by
# their paths in the build folder, and the package has no documents: as in
# Debian's own, its doc folder is a link to that of the package it belongs to.
#   finish-dbgsym.sh <package-dir>
set -euo pipefail
cd "$1"
shopt -s nullglob
for ddeb in *-dbgsym_*.ddeb; do
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  dpkg-deb -R "$ddeb" "$work/root"
  pkg=$(dpkg-deb -f "$ddeb" Package)
  owner=${pkg%-dbgsym}
  mkdir -p "$work/root/usr/share/doc"
  ln -s "$owner" "$work/root/usr/share/doc/$pkg"
  chmod -x "$work"/root/usr/lib/debug/.build-id/*/*.debug
  (cd "$work/root" && find usr -type f | LC_ALL=C sort | xargs md5sum) >"$work/root/DEBIAN/md5sums"
  sed -i '/^Package-Type:/d' "$work/root/DEBIAN/control"
  # dpkg-deb takes the times from SOURCE_DATE_EPOCH when it is set.
  dpkg-deb --root-owner-group -Zxz --build "$work/root" "${ddeb%.ddeb}.deb" >/dev/null
  rm -rf "$work" "$ddeb"
  trap - EXIT
  echo "finish-dbgsym: ${ddeb%.ddeb}.deb"
done
