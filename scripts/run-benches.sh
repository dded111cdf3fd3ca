#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs every benchmark that `make bench` built; each prints its own figures.
set -euo pipefail
build=${1:-build}
status=0
for b in "$build"/bench/bench_*; do
  [ -f "$b" ] && [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  VORLIX_SOURCE_DIR="$(pwd)" "$b" || status=1
  echo
done
exit $status
