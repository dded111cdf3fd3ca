#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian source package and its binary packages (vorlix and
# vorlix-dbgsym) with dpkg-buildpackage, from a copy of the working tree in
# <package-dir>/vorlix-<version>: the files git tracks and the new ones it
# does not ignore. The packages land in <package-dir>.
#   build-package.sh <package-dir> [user]
# With a user (and run as root), the copy is theirs and they build it.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=$1
user=${2:-}
version=$(dpkg-parsechangelog -S Version)
src=$dir/vorlix-$version

rm -rf "$dir"
mkdir -p "$src"
# Files deleted in the working tree but not yet in git are left out.
git ls-files -z --cached --others --exclude-standard |
  while IFS= read -r -d '' f; do
    if [ -e "$f" ] || [ -L "$f" ]; then printf '%s\0' "$f"; fi
  done |
  tar -c --null --no-recursion -T - | tar -x -C "$src"

build=(dpkg-buildpackage -us -uc "-J${JOBS:-$(nproc)}")
if [ -n "$user" ]; then
  chown -R "$user:" "$dir"
  (cd "$src" && runuser -u "$user" -- sh -c 'umask "$1"; shift; exec "$@"' - "$(umask)" \
     env HOME="$PWD/.." "${build[@]}")
else
  (cd "$src" && "${build[@]}")
fi
