#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Fyzorin developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds a Release build with the benchmarks in build-bench/, runs every
# benchmark program and prints one Markdown table: each benchmark against its
# floor from the same run, with the machine it ran on. Build and progress go
# to stderr, the table to stdout.
#   scripts/bench.sh                 print the table
#   scripts/bench.sh --update-doc    also write it into docs/performance.md
# Exits non-zero only when a benchmark program fails or a row's benchmark has
# no result; a missed target is marked in the table.
set -euo pipefail
cd "$(dirname "$0")/.."
update=()
case "${1:-}" in
    "") ;;
    --update-doc) update=(--update-doc docs/performance.md) ;;
    *) echo "usage: scripts/bench.sh [--update-doc]" >&2; exit 2 ;;
esac
scripts/deps.sh python3 >&2
scripts/build.sh bench >&2
# The start is also measured on a real X server.
# shellcheck source=scripts/xvfb-lib.sh
. scripts/xvfb-lib.sh
start_xvfb >&2
trap stop_xvfb EXIT
status=0
python3 scripts/bench-table.py build-bench "${update[@]}" || status=$?
echo "scripts/bench.sh took ${SECONDS} s" >&2
exit "$status"
