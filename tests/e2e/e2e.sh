#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Fyzorin developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Smoke test of the program in Xvfb (xcb, no window manager), driven by clicks
# where the window definitions put the controls (e2e_layout) and key presses;
# text read back through the clipboard. CI runs it with both cores busy, so
# every step waits for a condition, with a generous time-out.
#   e2e.sh PROGRAM LIVEHELPD E2E_LAYOUT ARTIFACT_DIR
set -euo pipefail
# shellcheck source=scripts/xvfb-lib.sh
. "$(dirname "${BASH_SOURCE[0]}")/../../scripts/xvfb-lib.sh"
program=$(realpath "$1") server=$(realpath "$2") layout=$(realpath "$3") artifacts=$4
port=8765 wait_s=30 # the program's fixed chat port; seconds for any one condition
main="Fyzorin - Main" off="Brackwell - Live Help [Disconnected]" on="Brackwell - Live Help [Connected]"
mkdir -p "$artifacts" && rm -f "$artifacts"/*.log
runtime_dir=$(mktemp -d) XVFB_PID='' app='' server_pid='' bob='' step=start text=''

fail() { echo "FAIL in step \"$step\": $*" >&2; tail -n 15 "$artifacts"/{program,livehelpd}.log >&2; exit 1; }
cleanup() { # leaves out the processes not started yet
    local rc=$?; kill ${bob:+"$bob"} ${app:+"$app"} ${server_pid:+"$server_pid"} ${XVFB_PID:+"$XVFB_PID"} 2>/dev/null
    wait; rm -rf "$runtime_dir"; exit $rc; }
trap cleanup EXIT; trap 'exit 143' TERM INT HUP

last_read() { echo "${text:+; read \"${text:0:200}\" (${#text} characters)}"; } # for a failure message
await() { # WHAT COMMAND...: runs COMMAND until it succeeds; a failure shows the text last read
    local what=$1 deadline=$(( $(now_ms) + wait_s * 1000 )); shift
    until "$@"; do [ "$(now_ms)" -lt "$deadline" ] || fail "$what, not within ${wait_s}s$(last_read)"; sleep 0.1; done
}
shown() { wait_for_title "$1" "$wait_s" || fail "no window \"$1\" shown within ${wait_s}s"; }
has_focus() { [ "$(xdotool getwindowfocus -f 2>/dev/null)" = "$(shown "$1")" ]; } # TITLE
focus_on() { await "\"$1\" takes the keyboard focus" has_focus "$1"; }

# Clicks the middle of CONTROL of the window definition WINDOW, shown as TITLE.
# The menu bar above the client area is the window's extra height.
click() { # WINDOW CONTROL TITLE
    local id x y client height; id=$(shown "$3")
    read -r x y client < <("$layout" "$1" "$2") || fail "e2e_layout knows no $1.$2"
    height=$(xdotool getwindowgeometry --shell "$id" | sed -n 's/^HEIGHT=//p')
    [ -n "$height" ] || fail "no geometry for \"$3\""
    xdotool mousemove --window "$id" "$x" $(( height - client + y )) click 1
}
type_into() { click "$1" "$2" "$3"; focus_on "$3"; xdotool key ctrl+a type --delay 20 -- "$4"; }
# Reads a control's whole text until it is EXPECTED: data may still be on its
# way. A marker put into the clipboard first tells a fresh copy from an old one.
marker_replaced() { [ "$(clipboard_get)" != e2e-marker ]; }
reads() { # WINDOW CONTROL TITLE EXPECTED
    click "$1" "$2" "$3"; focus_on "$3"
    clipboard_set e2e-marker && xdotool key --delay 20 ctrl+a ctrl+c
    await "$1.$2 copies its text" marker_replaced
    text=$(clipboard_get) && [ "$text" = "$4" ]
}
expect_text() { await "$1.$2 shows \"${4:0:80}\"" reads "$@"; text=; }

start_xvfb || fail "could not start Xvfb"
"$server" --listen 127.0.0.1 --port "$port" 2>"$artifacts/livehelpd.log" & server_pid=$!
# C locale: "." as the decimal separator. Scaling would move the controls.
env -u QT_SCALE_FACTOR -u QT_SCREEN_SCALE_FACTORS -u QT_FONT_DPI -u QT_ENABLE_HIGHDPI_SCALING \
    QT_QPA_PLATFORM=xcb LC_ALL=C.UTF-8 XDG_RUNTIME_DIR="$runtime_dir" "$program" >"$artifacts/program.log" 2>&1 & app=$!
await "livehelpd listens" grep -q "listening on" "$artifacts/livehelpd.log"
# Bob, a raw client, names himself long before the program connects.
exec {bob_fd}<>"/dev/tcp/127.0.0.1/$port"
cat <&"$bob_fd" >"$artifacts/bob.log" & bob=$!
printf 'name|Bob' >&"$bob_fd"

step="formula solvers: Voltage equation, V = I x R"
click frmPhysicsMain Command4 "$main"
click Formulasolvers Command26 "Fyzorin - Formula Solvers"
type_into Voltage2 Text2 "Voltage equation" 2.5
type_into Voltage2 Text3 "Voltage equation" 4
click Voltage2 Command2 "Voltage equation"
expect_text Voltage2 Text1 "Voltage equation" 10
click Voltage2 Command1 "Voltage equation"
click Formulasolvers Command1 "Fyzorin - Formula Solvers"

step="desktop: the main window's class is the desktop entry's StartupWMClass, so they share a taskbar entry"
class=$(sed -n 's/^StartupWMClass=//p' "$(dirname "$0")/../../resources/example.quellmark.fyzorin.desktop")
xprop -id "$(shown "$main")" WM_CLASS | grep -q "\"$class\"\$" || fail "WM_CLASS is not \"$class\""

step="dictionary: the file's whole text"
dictionary="$(dirname "$program")/physicsdicionary2.txt" # beside the program, or installed in share/
[ -e "$dictionary" ] || dictionary="$(dirname "$program")/../share/fyzorin/physicsdicionary2.txt"
click frmPhysicsMain Command2 "$main"
expect_text dictionary Text1 Dictionary "$(sed 's/\r$//' "$dictionary" | tr '\r' '\n')"
click dictionary Command1 Dictionary

step="live help: the program connects as Guest, a line each way with Bob"
click frmPhysicsMain Command3 "$main"
click Chat Command2 "$off"; focus_on Connect
xdotool key ctrl+a type --delay 20 -- 127.0.0.1; xdotool key Return
type_into Chat txtOut "$on" "Hello from Guest"; xdotool key Return
await "Bob receives the program's line" grep -qF "text|Guest|Hello from Guest" "$artifacts/bob.log"
printf 'text|hello from Bob' >&"$bob_fd"
expect_text Chat txtChat "$on" $'-=Guest=-\nHello from Guest\n-=Bob=-\nhello from Bob'

step="exit: Back To Main, then the main window's menu, Exit by its access key"
click Chat Command1 "$on"
click frmPhysicsMain Label1 "$main"; focus_on "$main" # the title: a click that only focuses
xdotool key alt+e
timeout "$wait_s" tail --pid="$app" -f /dev/null || fail "still running ${wait_s}s after Exit"
wait "$app" || fail "the program's exit status is $?"
