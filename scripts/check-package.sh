#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian packages twice from scratch, the second time with the
# builder's umask, build folder, time zone, language and (as root) user all
# changed, and checks that the two builds are the same bytes, that lintian
# has nothing to say about the source and the binary packages, and that no
# installed file names a folder it was built in.
# Takes two full builds: `make package-check`, not part of `make test`.
#   check-package.sh [package-dir]
set -uo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build-package}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
chmod 755 "$scratch"
failed=0
fail() { echo "FAIL: $*" >&2; failed=1; }

# build <package-dir> [user]: the package build, its log kept for a failure.
build() {
  local log=$scratch/build.log
  if ! ./scripts/build-package.sh "$@" >"$log" 2>&1; then
    cat "$log" >&2
    echo "FAIL: building the package in $1" >&2
    exit 1
  fi
}

# The first build as the developer builds, the second as someone else
# would: group-writable umask, a longer folder of another name, a time zone
# fourteen hours ahead, a German UTF-8 language, and another user.
(umask 0022; TZ=UTC LC_ALL=C LANGUAGE= build "$dir")
other=$scratch/elsewhere/a-longer-folder-name
mkdir -p "$other"
user=
if [ "$(id -u)" -eq 0 ] && id nobody >/dev/null 2>&1; then
  user=nobody
  chmod 755 "$scratch/elsewhere"
else
  export USER=vorlix-builder LOGNAME=vorlix-builder
fi
(umask 0002; TZ=Pacific/Kiritimati LC_ALL=C.UTF-8 LANG=de_DE.UTF-8 LANGUAGE=de build "$other" $user)
echo "second build: umask 0002, in $other, TZ=Pacific/Kiritimati, LC_ALL=C.UTF-8, LANGUAGE=de, user ${user:-$USER}"

count=0
for deb in "$dir"/*.deb; do
  name=$(basename "$deb")
  count=$((count + 1))
  if cmp "$deb" "$other/$name"; then
    echo "same bytes: $name"
  else
    fail "$name differs between the two builds"
  fi
done
[ $count -eq 2 ] || fail "expected the package and its -dbgsym, got: $(ls "$dir")"

if command -v lintian >/dev/null; then
  # Overridden tags are not shown: each override says why it is there.
  # (Its standard error only warns that it runs as root.)
  out=$(lintian --pedantic -I -E "$dir"/*.changes 2>/dev/null) || fail "lintian exited with an error"
  [ -z "$out" ] || fail "lintian: $out"
else
  echo "lintian not installed: not run"
fi

root=$scratch/root
for deb in "$dir"/*.deb; do dpkg-deb -x "$deb" "$root"; done
for place in "$PWD" "$(cd "$dir" && pwd)" "$other"; do
  if grep -rl -F "$place" "$root"; then
    fail "the files above name the build folder $place"
  fi
done

[ $failed -eq 0 ] && echo "package check: all checks passed"
exit $failed
