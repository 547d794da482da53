#!/usr/bin/env bash
# End-to-end test: the built program in a real X window (Xvfb, no window
# manager), driven as a person would drive it. Mouse clicks land on the
# middle of a control, at the place its window definition gives it
# (printed by e2e_layout); text is typed with key presses; results are read
# back through the clipboard (click, ctrl+a, ctrl+c, xclip).
#
#   e2e.sh PROGRAM LIVEHELPD E2E_LAYOUT [ARTIFACT_DIR]
#
# Flows: formula solver, converters, physics dictionary, Live Help against
# livehelpd on the program's fixed chat port, then "&Exit".
set -euo pipefail

if [ $# -lt 3 ]; then
    echo "usage: $0 PROGRAM LIVEHELPD E2E_LAYOUT [ARTIFACT_DIR]" >&2
    exit 2
fi
program=$(realpath "$1")
server=$(realpath "$2")
layout_tool=$(realpath "$3")
artifacts=${4:-${TMPDIR:-/tmp}/fyzorin-e2e}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=../../scripts/xvfb-lib.sh
. "$here/../../scripts/xvfb-lib.sh"

chat_port=8765                          # fixed in the program (ProgramSettings), no override
chat_title="Brackwell - Live Help"      # set by the chat window at run time, not its definition's caption
# Where the program looks: beside itself, else where an installed one keeps it.
dictionary_file="$(dirname "$program")/physicsdicionary2.txt"
[ -e "$dictionary_file" ] || dictionary_file="$(dirname "$program")/../share/fyzorin/physicsdicionary2.txt"
wait_s=15                               # generous: the machine may be busy

for tool in Xvfb xdotool xclip xwininfo xdpyinfo; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed (scripts/deps.sh installs it)" >&2; exit 1; }
done

mkdir -p "$artifacts"
rm -f "$artifacts"/{program.log,livehelpd.log,bob.log,dictionary.expected,dictionary.read,failure.png}
runtime_dir=$(mktemp -d)

# ---- reporting --------------------------------------------------------------

started=$(now_ms)
step_name="setup"
step() {
    step_name=$*
    local t=$(( $(now_ms) - started ))
    printf '[%3d.%01ds] %s\n' $(( t / 1000 )) $(( t % 1000 / 100 )) "$step_name"
}

# Shows what went wrong, keeps a picture of the screen and the logs.
fail() {
    {
        echo "FAIL in step: $step_name"
        local line
        for line in "$@"; do echo "  $line"; done
        if [ -n "${DISPLAY:-}" ] && command -v import >/dev/null \
            && timeout 10 import -window root "$artifacts/failure.png" 2>/dev/null; then
            echo "  screenshot: $artifacts/failure.png"
        fi
        echo "  logs: $artifacts/"
        for log in program.log livehelpd.log; do
            [ -s "$artifacts/$log" ] || continue
            echo "  --- last lines of $log"
            tail -n 15 "$artifacts/$log" | sed 's/^/    /'
        done
    } >&2
    exit 1
}

# Text shown with its invisible characters, first 300 characters.
visible() {
    printf '%s' "$1" | head -c 300 | cat -A | sed ':a;N;$!ba;s/\n/\\n/g'
}

expect_equal() { # WHAT EXPECTED ACTUAL
    [ "$2" = "$3" ] || fail "$1" "expected: \"$(visible "$2")\"" "read:     \"$(visible "$3")\""
}

# ---- processes ----------------------------------------------------------------

XVFB_PID=
app_pid=
server_pid=
bob_fd=
bob_reader=
cleanup() {
    local status=$?
    set +e # every step of the cleanup runs, whatever fails before it
    [ -n "$bob_reader" ] && kill "$bob_reader" 2>/dev/null
    [ -n "$bob_fd" ] && exec {bob_fd}>&-
    local pid
    for pid in $app_pid $server_pid; do
        kill "$pid" 2>/dev/null && { timeout 5 tail --pid="$pid" -f /dev/null || kill -9 "$pid" 2>/dev/null; }
    done
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$runtime_dir"
    exit "$status"
}
trap cleanup EXIT
trap 'exit 143' TERM INT HUP

# ---- window definitions ---------------------------------------------------------

declare -A CAPTION CLIENT_W CLIENT_H MENU            # by window, menu entry
declare -A KIND CONTAINER CX CY CW CH TEXT          # by window/control
declare -A CONTROLS                                 # window -> its control names

load_layout() { # WINDOW
    local win=$1 tag name kind container x y w h caption
    # Tab-separated; the caption is last, so its spaces (even trailing ones) survive.
    while IFS=$'\t' read -r tag name kind container x y w h caption; do
        case $tag in
        window) CAPTION[$win]=$kind ;;
        client) CLIENT_W[$win]=$name; CLIENT_H[$win]=$kind ;;
        control)
            KIND[$win/$name]=$kind; CONTAINER[$win/$name]=$container TEXT[$win/$name]=$caption
            CX[$win/$name]=$x; CY[$win/$name]=$y; CW[$win/$name]=$w; CH[$win/$name]=$h
            CONTROLS[$win]+="$name "
            ;;
        menu) MENU[$win/$name]=$kind ;;
        esac
    done < <("$layout_tool" "$win" || true)
    [ -n "${CAPTION[$win]+x}" ] || fail "e2e_layout knows no window \"$win\""
}

# Name of the control of WINDOW whose caption is exactly CAPTION.
captioned() { # WINDOW CAPTION
    local name
    for name in ${CONTROLS[$1]}; do
        [ "${TEXT[$1/$name]}" = "$2" ] && { echo "$name"; return 0; }
    done
    fail "window $1 has no control captioned \"$2\""
}

# Controls of KIND inside FRAME, left to right.
inside() { # WINDOW FRAME KIND
    local name
    for name in ${CONTROLS[$1]}; do
        [ "${CONTAINER[$1/$name]}" = "$2" ] && [ "${KIND[$1/$name]}" = "$3" ] && echo "${CX[$1/$name]} $name"
    done | sort -n | cut -d' ' -f2
}

for win in frmPhysicsMain Formulasolvers Voltage2 converters dictionary Chat; do
    load_layout "$win"
done

# ---- driving the windows ----------------------------------------------------------

pointed_window= # set by point_at

# Id of the visible window of a definition (title: its caption, or TITLE).
window_id() { # WINDOW [TITLE]
    local title=${2:-${CAPTION[$1]}}
    visible_window_titled "$title" || fail "no visible window titled \"$title\""
}

await_window() { # TITLE
    wait_for_title "$1" "$wait_s" >/dev/null \
        || fail "the window \"$1\" did not appear within ${wait_s}s" \
                "visible windows: $(for id in $(xdotool search --onlyvisible --name . 2>/dev/null); do printf '"%s" ' "$(xdotool getwindowname "$id")"; done)"
}

await_gone() { # TITLE
    wait_for_title_gone "$1" "$wait_s" || fail "the window \"$1\" was still visible after ${wait_s}s"
}

# Moves the pointer onto the middle of a control (or DX DY from its top
# left) and checks that it lies over that window, not one in front of it.
# The menu bar's height is the window's height beyond its defined client area.
point_at() { # WINDOW CONTROL [TITLE] [DX DY]
    local win=$1 ctl=$2 title=${3:-} id
    [ -n "${KIND[$win/$ctl]+x}" ] || fail "window $win has no control $ctl"
    id=$(window_id "$win" "$title")
    local WIDTH HEIGHT X Y SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$id")"
    [ "$WIDTH" -eq "${CLIENT_W[$win]}" ] \
        || fail "window $win is ${WIDTH} pixels wide, its definition's client area ${CLIENT_W[$win]}"
    local menubar=$(( HEIGHT - ${CLIENT_H[$win]} ))
    local dx=${4:-$(( ${CW[$win/$ctl]} / 2 ))} dy=${5:-$(( ${CH[$win/$ctl]} / 2 ))}
    local px=$(( ${CX[$win/$ctl]} + dx )) py=$(( menubar + ${CY[$win/$ctl]} + dy ))
    # No --sync: it stalls when the pointer is already there.
    xdotool mousemove --window "$id" "$px" "$py"
    eval "$(xdotool getmouselocation --shell)"
    [ "$WINDOW" = "$id" ] || fail "control $win.$ctl at ($px,$py) is covered by \"$(xdotool getwindowname "$WINDOW" 2>/dev/null)\""
    pointed_window=$id
}

# Waits until the X keyboard focus is on window ID. The program takes the
# focus when it handles a click or shows a window; keys pressed before that
# would reach another window.
await_focus() { # ID
    local deadline=$(( $(now_ms) + wait_s * 1000 ))
    until [ "$(xdotool getwindowfocus -f 2>/dev/null)" = "$1" ]; do
        [ "$(now_ms)" -lt "$deadline" ] \
            || fail "window \"$(xdotool getwindowname "$1")\" did not take the keyboard focus within ${wait_s}s" \
                    "focus is on: \"$(xdotool getwindowname "$(xdotool getwindowfocus -f)" 2>/dev/null)\""
        sleep 0.02
    done
}

click() { # WINDOW CONTROL [TITLE] [DX DY]
    point_at "$@"
    xdotool click 1
}

# A click that keys will follow.
click_for_keys() { # WINDOW CONTROL [TITLE] [DX DY]
    click "$@"
    await_focus "$pointed_window"
}

# Replaces a text box's text by typing, as a person would: click, select all, type.
type_into() { # WINDOW CONTROL TEXT [TITLE]
    click_for_keys "$1" "$2" "${4:-}"
    xdotool key ctrl+a
    xdotool type --delay 20 -- "$3"
}

# Presses KEYS (the copy) and prints what the clipboard then holds; a marker
# put there first tells a fresh copy from an old one. Empty after WAIT seconds.
copy_with() { # WAIT KEYS...
    local wait=$1 marker="e2e-marker-$RANDOM$RANDOM"
    shift
    clipboard_set "$marker" || fail "could not put a marker into the clipboard"
    xdotool key --delay 20 "$@"
    local deadline=$(( $(now_ms) + wait * 1000 )) text
    while true; do
        text=$(clipboard_get; printf x)
        text=${text%x}
        [ "$text" != "$marker" ] && { printf '%s' "$text"; return 0; }
        [ "$(now_ms)" -lt "$deadline" ] || return 0
        sleep 0.05
    done
}

# The whole text of a control, read through the clipboard. An empty box
# copies nothing, so it reads as empty once WAIT seconds have passed.
read_text() { # WINDOW CONTROL [TITLE] [WAIT]
    click_for_keys "$1" "$2" "${3:-}"
    copy_with "${4:-$wait_s}" ctrl+a ctrl+c
}

# The items of a list box, one a line: focus it by a click below its
# items, then Home and Down walk the items, ctrl+c copying each.
read_list() { # WINDOW CONTROL [TITLE]
    click_for_keys "$1" "$2" "${3:-}" $(( ${CW[$1/$2]} / 2 )) $(( ${CH[$1/$2]} - 6 ))
    local item previous= count=0
    item=$(copy_with 2 Home ctrl+c)
    while [ -n "$item" ] && [ "$item" != "$previous" ] && [ "$count" -lt 20 ]; do
        printf '%s\n' "$item"
        previous=$item
        count=$(( count + 1 ))
        item=$(copy_with 2 Down ctrl+c)
    done
}

# Reads a control with READER (read_text, or read_list for a list box's
# items, one a line) until it shows EXPECTED: data may still be on its way.
# Trailing line ends do not count ($(...) drops them).
await_read() { # READER WHAT WINDOW CONTROL EXPECTED [TITLE]
    local deadline=$(( $(now_ms) + wait_s * 1000 )) shown
    while true; do
        shown=$("$1" "$3" "$4" "${6:-}")
        [ "$shown" = "$5" ] && return 0
        [ "$(now_ms)" -lt "$deadline" ] || expect_equal "$2" "$5" "$shown"
        sleep 0.3
    done
}

# Access key of a menu entry: the letter after "&".
access_key() { # WINDOW MENU-ENTRY
    local caption=${MENU[$1/$2]:-}
    [[ $caption == *"&"?* ]] || fail "menu entry $1.$2 has no access key"
    local key=${caption#*&}
    printf '%s' "${key:0:1}" | tr '[:upper:]' '[:lower:]'
}

# ---- start --------------------------------------------------------------------------

step "chat port $chat_port must be free"
if (exec 3<>"/dev/tcp/127.0.0.1/$chat_port") 2>/dev/null; then
    fail "127.0.0.1:$chat_port is taken by something else; the program's chat port is fixed, so this test needs it" \
         "listener: $(ss -ltnpH "sport = :$chat_port" 2>/dev/null | head -n 1)"
fi

step "start Xvfb, livehelpd and the program"
start_xvfb || fail "could not start Xvfb"
"$server" --listen 127.0.0.1 --port "$chat_port" 2>"$artifacts/livehelpd.log" &
server_pid=$!

# The program reads the system locale for its decimal separator; C makes it ".".
# Scaling variables would change the pixel geometry.
(
    unset QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR QT_ENABLE_HIGHDPI_SCALING QT_FONT_DPI
    export QT_QPA_PLATFORM=xcb LC_ALL=C.UTF-8 XDG_RUNTIME_DIR="$runtime_dir"
    exec "$program"
) >"$artifacts/program.log" 2>&1 &
app_pid=$!

deadline=$(( $(now_ms) + wait_s * 1000 ))
until grep -q "listening on" "$artifacts/livehelpd.log"; do
    kill -0 "$server_pid" 2>/dev/null || fail "livehelpd ended before listening on 127.0.0.1:$chat_port"
    [ "$(now_ms)" -lt "$deadline" ] || fail "livehelpd did not report listening within ${wait_s}s"
    sleep 0.05
done

main_title=${CAPTION[frmPhysicsMain]}
wait_s=$(( wait_s * 2 )) await_window "$main_title" # a busy machine starts programs slowly

# ---- 1. a formula solver ------------------------------------------------------------

step "formula solvers: open the index"
click frmPhysicsMain "$(captioned frmPhysicsMain "Formula Solvers")"
await_window "${CAPTION[Formulasolvers]}"
await_gone "$main_title"

step "formula solvers: Voltage equation, V = I x R"
click Formulasolvers "$(captioned Formulasolvers "Voltage Equation ")"
await_window "${CAPTION[Voltage2]}"
current=2.5 resistance=4
expected=$(awk -v i="$current" -v r="$resistance" 'BEGIN { printf "%.15G", i * r }')
type_into Voltage2 Text2 "$current"
type_into Voltage2 Text3 "$resistance"
click Voltage2 "$(captioned Voltage2 Calculate)"
value=$(read_text Voltage2 Text1)
expect_equal "voltage for I = $current, R = $resistance (result box Text1)" "$expected" "$value"
value=$(read_text Voltage2 Text2)
expect_equal "current box Text2 keeps what was typed" "$current" "$value"

step "formula solvers: Back to the index, Back to the main window"
click Voltage2 "$(captioned Voltage2 Back)"
await_gone "${CAPTION[Voltage2]}"
await_window "${CAPTION[Formulasolvers]}"
click Formulasolvers "$(captioned Formulasolvers Back)"
await_gone "${CAPTION[Formulasolvers]}"
await_window "$main_title"

# ---- 2. converters --------------------------------------------------------------------

step "converters: open"
click frmPhysicsMain "$(captioned frmPhysicsMain Converters)"
await_window "${CAPTION[converters]}"

# In every frame the left box takes the value, the right one shows the result.
convert_in() { # FRAME-CAPTION VALUE EXPECTED CLICK(yes|no)
    local frame boxes
    frame=$(captioned converters "$1")
    mapfile -t boxes < <(inside converters "$frame" TextBox)
    [ "${#boxes[@]}" -eq 2 ] || fail "frame \"$1\" holds ${#boxes[@]} text boxes, not 2"
    type_into converters "${boxes[0]}" "$2"
    [ "$4" = yes ] && click converters "$(inside converters "$frame" Button)"
    local value
    value=$(read_text converters "${boxes[1]}")
    expect_equal "\"$1\" of $2 (box ${boxes[1]})" "$3" "$value"
}
step "converters: kilometres to miles, Convert"
convert_in "Kilometers to miles " 10 "$(awk 'BEGIN { printf "%.15G", 10 * 0.624 }')" yes
step "converters: celsius to fahrenheit, Convert"
convert_in "celcius to fahrenheit" 100 212 yes
step "converters: inches to centimetres, converted while typing"
convert_in "inches to centimeters" 12 "$(awk 'BEGIN { printf "%.15G", 12 * 2.54 }')" no

step "converters: Back"
click converters "$(captioned converters Back)"
await_gone "${CAPTION[converters]}"
await_window "$main_title"

# ---- 3. physics dictionary ------------------------------------------------------------

step "dictionary: open and copy its text"
click frmPhysicsMain "$(captioned frmPhysicsMain "Physics Dictionary")"
await_window "${CAPTION[dictionary]}"
[ -r "$dictionary_file" ] || fail "no dictionary file where the program looks: $dictionary_file"
# Line ends as the window shows them: CR LF and a lone CR become LF.
sed 's/\r$//' "$dictionary_file" | tr '\r' '\n' >"$artifacts/dictionary.expected"
read_text dictionary Text1 >"$artifacts/dictionary.read"

# Entries are the paragraphs "Term - definition".
entries() { awk 'NF && / - / { print }' "$1"; }
term() { sed -n "${2}p" <(entries "$1") | sed 's/ - .*//'; }
expected_count=$(entries "$artifacts/dictionary.expected" | wc -l)
read_count=$(entries "$artifacts/dictionary.read" | wc -l)
step "dictionary: $read_count entries read, $expected_count in the file"
expect_equal "number of dictionary entries" "$expected_count" "$read_count"
expect_equal "first dictionary entry" "$(term "$artifacts/dictionary.expected" 1)" "$(term "$artifacts/dictionary.read" 1)"
expect_equal "last dictionary entry" "$(term "$artifacts/dictionary.expected" '$')" "$(term "$artifacts/dictionary.read" '$')"
# The whole text too, but for the final line end.
if ! cmp -s <(sed -e :a -e '/^\n*$/{$d;N;ba' -e '}' "$artifacts/dictionary.expected") \
            <(sed -e :a -e '/^\n*$/{$d;N;ba' -e '}' "$artifacts/dictionary.read"); then
    fail "the dictionary window's text differs from $dictionary_file" \
         "first difference: $(diff "$artifacts/dictionary.expected" "$artifacts/dictionary.read" | head -n 4 | cut -c1-120 | tr '\n' '|')"
fi

step "dictionary: Back"
click dictionary "$(captioned dictionary Back)"
await_gone "${CAPTION[dictionary]}"
await_window "$main_title"

# ---- 4. Live Help -----------------------------------------------------------------------

name=Alice
step "live help: open, name $name, connect to 127.0.0.1"
click frmPhysicsMain "$(captioned frmPhysicsMain "Live Help")"
disconnected="$chat_title [Disconnected]"
connected="$chat_title [Connected]"
await_window "$disconnected"
await_gone "$main_title"
type_into Chat txtName "$name" "$disconnected"
click Chat "$(captioned Chat "Connect To Chat")" "$disconnected"
await_window "Connect"
await_focus "$(window_id - Connect)"
xdotool key ctrl+a
xdotool type --delay 20 -- 127.0.0.1
xdotool key Return
await_gone "Connect"
await_window "$connected"

step "live help: people online shows $name"
await_read read_list "people online" Chat List "$name" "$connected"

step "live help: a second client, Bob, joins"
exec {bob_fd}<>"/dev/tcp/127.0.0.1/$chat_port" || fail "the raw client could not connect to 127.0.0.1:$chat_port"
cat <&"$bob_fd" >"$artifacts/bob.log" &
bob_reader=$!
printf '%s' "name|Bob" >&"$bob_fd"

# What Bob has received so far holds TEXT (messages have no terminator).
bob_receives() { # WHAT TEXT
    local deadline=$(( $(now_ms) + wait_s * 1000 ))
    until grep -qF -- "$2" "$artifacts/bob.log"; do
        [ "$(now_ms)" -lt "$deadline" ] \
            || fail "$1" "expected Bob to receive: \"$2\"" "Bob received:           \"$(visible "$(cat "$artifacts/bob.log")")\""
        sleep 0.05
    done
}
bob_receives "Bob's people online list" "cons|$name|Bob|"
await_read read_list "people online, in order of arrival" Chat List "$name"$'\n'"Bob" "$connected"

step "live help: $name sends a line, Bob receives it"
line="Hello from $name"
type_into Chat txtOut "$line" "$connected"
xdotool key Return
bob_receives "the line typed into txtOut and sent with Enter" "text|$name|$line"
# Emptied: a letter typed now is all it holds.
type_after=x
click_for_keys Chat txtOut "$connected"
xdotool type -- "$type_after"
value=$(copy_with "$wait_s" ctrl+a ctrl+c)
expect_equal "the message box txtOut after sending (emptied, then \"$type_after\" typed)" "$type_after" "$value"
xdotool key BackSpace

step "live help: Bob sends a line, the chat log shows it"
printf '%s' "text|hello from Bob" >&"$bob_fd"
await_read read_text "chat log txtChat" Chat txtChat "-=$name=-"$'\n'"$line"$'\n'"-=Bob=-"$'\n'"hello from Bob" "$connected"

# ---- the end: back to the main window, "&Exit" by its access key -------------------------

step "exit: Back To Main, then the main window's Exit by its access key"
click Chat "$(captioned Chat "Back To Main")" "$connected"
await_gone "$connected"
await_window "$main_title"
click_for_keys frmPhysicsMain Label1 # the title: a click that does nothing but focus
xdotool key "alt+$(access_key frmPhysicsMain mnuExit)"
timeout "$wait_s" tail --pid="$app_pid" -f /dev/null || fail "the program was still running ${wait_s}s after Exit"
status=0
wait "$app_pid" || status=$?
app_pid=
expect_equal "the program's exit status" 0 "$status"
bob_receives "people online after $name's program ended" "cons|Bob|"

step "passed"
