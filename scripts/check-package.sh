#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian packages twice from scratch in the same folder and checks
# that the two builds are the same bytes, that lintian finds nothing to say
# about them, and that no file in them names the folder it was built in.
# Takes two full builds: `make package-check`, not part of `make test`.
#   check-package.sh [package-dir]
set -uo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build-package}
first=$(mktemp -d)
trap 'rm -rf "$first"' EXIT
failed=0
fail() { echo "FAIL: $*" >&2; failed=1; }

build() {
  rm -rf "$dir"
  make --no-print-directory package PACKAGE_DIR="$dir" >"$first/build.log" 2>&1 ||
    { cat "$first/build.log" >&2; echo "FAIL: make package" >&2; exit 1; }
}

build
cp "$dir"/*.deb "$first/"
build
for deb in "$first"/*.deb; do
  name=$(basename "$deb")
  if cmp "$deb" "$dir/$name"; then
    echo "same bytes: $name"
  else
    fail "$name differs between two builds"
  fi
done
[ "$(ls "$dir"/*.deb | wc -l)" -eq 2 ] || fail "expected the package and its -dbgsym, got: $(ls "$dir")"

# The hardened build is lintian-clean but for the program folder under
# /usr/lib (the program finds its modules and data beside itself).
if command -v lintian >/dev/null; then
  out=$(lintian --pedantic -I "$dir"/*.deb 2>/dev/null |
        grep -v -e 'executable-in-usr-lib' \
                -e 'vorlix-dbgsym: cannot-check-whether-usr-share-doc-symlink-points-to-foreign-package')
  [ -z "$out" ] || fail "lintian: $out"
else
  echo "lintian not installed: not run"
fi

root=$first/root
for deb in "$dir"/*.deb; do dpkg-deb -x "$deb" "$root"; done
if grep -rl -F "$PWD" "$root"; then
  fail "the files above name the build folder $PWD"
fi

[ $failed -eq 0 ] && echo "package check: all checks passed"
exit $failed
