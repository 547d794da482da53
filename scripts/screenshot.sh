#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Fyzorin developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Takes a screenshot of the main window under a virtual X server:
#   scripts/screenshot.sh [build-dir] [output.png]
# Needs ImageMagick's import (scripts/deps.sh imagemagick).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
out=${2:-docs/main-window.png}
# shellcheck source=scripts/xvfb-lib.sh
. scripts/xvfb-lib.sh
XVFB_PID=
[ -n "${DISPLAY:-}" ] || start_xvfb
trap 'kill ${app:-} 2>/dev/null; stop_xvfb' EXIT
QT_QPA_PLATFORM=xcb "$build/Fyzorin1234" 2>/dev/null &
app=$!
window=$(wait_for_title "Fyzorin - Main" 30) || { echo "the main window did not appear" >&2; exit 1; }
sleep 1
import -window "$window" "$out"
echo "$out"
