#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Fyzorin developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Checks the newcomer's path: scripts/run.sh, run in a fresh clone of this
# repository, builds the program and shows its main window "Fyzorin - Main".
set -euo pipefail
cd "$(dirname "$0")/.."
work=$(mktemp -d)
# shellcheck source=scripts/xvfb-lib.sh
. scripts/xvfb-lib.sh
start_xvfb
cleanup() {
    if [ -n "${run_pid:-}" ]; then
        kill -- -"$run_pid" 2>/dev/null || true
    fi
    stop_xvfb
    rm -rf "$work"
}
trap cleanup EXIT

git clone --quiet . "$work/fyzorin"
setsid bash -c "cd '$work/fyzorin' && QT_QPA_PLATFORM=xcb exec scripts/run.sh" >"$work/run.log" 2>&1 &
run_pid=$!
if window=$(wait_for_title "Fyzorin - Main" 900); then
    echo "run.sh from a fresh clone shows \"Fyzorin - Main\" (window $window)"
else
    echo "run.sh from a fresh clone did not show \"Fyzorin - Main\"; its output:" >&2
    cat "$work/run.log" >&2
    exit 1
fi
