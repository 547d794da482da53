#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Fyzorin developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Smoke test of the program in Xvfb (xcb, no window manager), driven by clicks
# where the window definitions put the controls (e2e_layout) and key presses;
# text read back through the clipboard. CI runs it with both cores busy, so
# every step waits for a condition, and gives up only at its deadline.
#   e2e.sh PROGRAM LIVEHELPD E2E_LAYOUT ARTIFACT_DIR [LIVEHELPD_OPTION...]
set -euo pipefail
# A network of its own (loopback only), where nothing else can hold the
# program's chat port, if this system lets a user make one; otherwise the
# port must be free.
if [ -z "${E2E_OWN_NETWORK:-}" ] && command -v ip >/dev/null && unshare -rn true 2>/dev/null; then
    E2E_OWN_NETWORK=1 exec unshare -rn bash "${BASH_SOURCE[0]}" "$@"
fi
[ -z "${E2E_OWN_NETWORK:-}" ] || ip link set lo up
# shellcheck source=scripts/xvfb-lib.sh
. "$(dirname "${BASH_SOURCE[0]}")/../../scripts/xvfb-lib.sh"
program=$(realpath "$1") server=$(realpath "$2") layout=$(realpath "$3") artifacts=$4
shift 4
server_options=("$@")
port=8765 wait_s=60 # the program's fixed chat port; seconds a step may wait for any one condition
main="Fyzorin - Main" off="Brackwell - Live Help [Disconnected]" on="Brackwell - Live Help [Connected]"
mkdir -p "$artifacts" && rm -f "$artifacts"/*.log
runtime_dir=$(mktemp -d) XVFB_PID='' app='' server_pid='' bob='' step=start text=''

fail() { echo "FAIL in step \"$step\": $*" >&2; tail -n 15 "$artifacts"/{program,livehelpd}.log >&2; exit 1; }
cleanup() { # leaves out the processes not started yet
    local rc=$?; kill ${bob:+"$bob"} ${app:+"$app"} ${server_pid:+"$server_pid"} ${XVFB_PID:+"$XVFB_PID"} 2>/dev/null
    wait; rm -rf "$runtime_dir"; exit $rc; }
trap cleanup EXIT; trap 'exit 143' TERM INT HUP

# Only a step fails, and only at its deadline: the conditions it waits for
# return non-zero, and are tried again.
last_read() { echo "${text:+; read \"${text:0:200}\" (${#text} characters)}"; } # for a failure message
await() { # WHAT COMMAND...: runs COMMAND until it succeeds; a failure shows the text last read
    local what=$1; shift
    within $(( wait_s * 1000 )) "$@" || fail "$what, not within ${wait_s}s$(last_read)"
}
has_focus() { # TITLE
    local id; id=$(visible_window_titled "$1") && [ "$(xdotool getwindowfocus -f 2>/dev/null)" = "$id" ]
}
focus_on() { await "\"$1\" takes the keyboard focus" has_focus "$1"; }

# Sets at to where the window definition of WINDOW puts CONTROL: "X Y CLIENT_HEIGHT".
locate() { at=$("$layout" "$1" "$2") || fail "e2e_layout knows no $1.$2"; } # WINDOW CONTROL
# Clicks X,Y of the client area of the window titled TITLE, once it is shown.
# The menu bar above the client area is the window's extra height.
click_at() { # TITLE X Y CLIENT_HEIGHT
    local id height
    id=$(visible_window_titled "$1") || return 1
    height=$(xdotool getwindowgeometry --shell "$id" 2>/dev/null | sed -n 's/^HEIGHT=//p')
    [ -n "$height" ] && xdotool mousemove --window "$id" "$2" $(( height - $4 + $3 )) click 1
}
click() { # WINDOW CONTROL TITLE
    local at; locate "$1" "$2"
    # shellcheck disable=SC2086 # X Y CLIENT_HEIGHT
    await "\"$3\" is shown, for a click on $1.$2" click_at "$3" $at
}
type_into() { click "$1" "$2" "$3"; focus_on "$3"; xdotool key ctrl+a type --delay 20 -- "$4"; }

# One try at copying a control's whole text into $text: click it, select all,
# copy, each within PATIENCE ms. A marker put into the clipboard first tells a
# fresh copy from an old one. A copy can copy nothing, when text arriving in
# the control clears the selection just before it: the marker stays, and the
# next try starts again from the click.
copy_text() { # TITLE X Y CLIENT_HEIGHT PATIENCE
    click_at "$1" "$2" "$3" "$4" && within "$5" has_focus "$1" && clipboard_set e2e-marker || return 1
    xdotool key --delay 20 ctrl+a ctrl+c && within "$5" marker_replaced && text=$(clipboard_get)
}
marker_replaced() { ! clipboard_holds e2e-marker; }
reads() { # TITLE X Y CLIENT_HEIGHT EXPECTED: one try; the next waits longer for its copy
    copy_text "$1" "$2" "$3" "$4" "$patience" && [ "$text" = "$5" ] && return
    patience=$(( patience < 8000 ? patience * 2 : patience ))
    return 1
}
# Copies a control's whole text until it is EXPECTED, as data may still be on its way.
expect_text() { # WINDOW CONTROL TITLE EXPECTED
    local at patience=500 # reads' own, across its tries
    locate "$1" "$2"
    # shellcheck disable=SC2086 # X Y CLIENT_HEIGHT
    await "$1.$2 shows \"${4:0:80}\"" reads "$3" $at "$4"
    text=
}

start_xvfb || fail "could not start Xvfb"
"$server" --listen 127.0.0.1 --port "$port" "${server_options[@]}" 2>"$artifacts/livehelpd.log" & server_pid=$!
# C locale: "." as the decimal separator. Scaling would move the controls.
env -u QT_SCALE_FACTOR -u QT_SCREEN_SCALE_FACTORS -u QT_FONT_DPI -u QT_ENABLE_HIGHDPI_SCALING \
    QT_QPA_PLATFORM=xcb LC_ALL=C.UTF-8 XDG_RUNTIME_DIR="$runtime_dir" "$program" >"$artifacts/program.log" 2>&1 & app=$!
server_started() { grep -q "listening on" "$artifacts/livehelpd.log" || ! kill -0 "$server_pid" 2>/dev/null; }
await "livehelpd starts" server_started
grep -q "listening on" "$artifacts/livehelpd.log" || fail "livehelpd ended without listening"
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
id=$(visible_window_titled "$main") || fail "no window \"$main\""
xprop -id "$id" WM_CLASS | grep -q "\"$class\"\$" || fail "WM_CLASS is not \"$class\""

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
