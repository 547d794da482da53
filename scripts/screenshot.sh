#!/usr/bin/env bash
# Takes a screenshot of the main window under a virtual X server:
#   scripts/screenshot.sh [build-dir] [output.png]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
out=${2:-docs/main-window.png}
display=:$(( 90 + RANDOM % 100 ))
Xvfb "$display" -screen 0 640x480x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$app" "$xvfb" 2>/dev/null || true' EXIT
sleep 1
DISPLAY=$display QT_QPA_PLATFORM=xcb "$build/Fyzorin1234" &
app=$!
for _ in $(seq 50); do
    window=$(DISPLAY=$display xwininfo -root -tree 2>/dev/null | awk '/"Fyzorin - Main"/ {print $1; exit}')
    [ -n "$window" ] && break
    sleep 0.2
done
[ -n "${window:-}" ] || { echo "the main window did not appear" >&2; exit 1; }
sleep 1
DISPLAY=$display import -window "$window" "$out"
echo "$out"
