#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Fyzorin developers
# SPDX-License-Identifier: GPL-3.0-or-later

# A virtual X server, windows found by exact title, the clipboard: helpers for
# the smoke test and the scripts that show the program. Source it, then call
# start_xvfb; the server's pid is in XVFB_PID, and stop_xvfb ends it.

# Starts Xvfb on a free display and exports DISPLAY; the server's pid is in
# XVFB_PID.
start_xvfb() {
    local numberfile
    numberfile=$(mktemp)
    # -displayfd: Xvfb takes the first free display itself and reports its
    # number, so scripts starting at the same moment never share a display
    # (and never mistake another's server for their own). -noreset: without
    # it the server resets when its last client leaves, as the readiness
    # check below does, and a program connecting during the reset may fail.
    Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp -noreset 3>"$numberfile" >/dev/null 2>&1 &
    XVFB_PID=$!
    # A loaded machine may take seconds; a server that ended is not waited for.
    within 60000 xvfb_answers_or_ended "$numberfile"
    rm -f "$numberfile"
    [ -n "${DISPLAY:-}" ] && return 0
    stop_xvfb
    echo "could not start Xvfb" >&2
    return 1
}
xvfb_answers_or_ended() { # NUMBERFILE: exports DISPLAY once the server answers there
    local n
    unset DISPLAY
    n=$(head -n 1 "$1")
    if [[ $n =~ ^[0-9]+$ ]] && DISPLAY=":$n" xdpyinfo >/dev/null 2>&1; then
        export DISPLAY=":$n"
        return 0
    fi
    ! kill -0 "$XVFB_PID" 2>/dev/null
}

# Stops the server start_xvfb started and waits until it is gone: a server
# still shutting down removes its display's socket file, even when the next
# server has already taken the same display number and made that file anew.
stop_xvfb() {
    [ -n "${XVFB_PID:-}" ] || return 0
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=
}

# Milliseconds since the epoch.
now_ms() {
    local t=${EPOCHREALTIME//[!0-9]/}
    echo $(( t / 1000 ))
}

# Runs COMMAND until it succeeds, for at most MS milliseconds; returns 1 if it
# never did. Whoever calls it decides what a time-out means.
within() { # MS COMMAND...
    local deadline=$(( $(now_ms) + $1 ))
    shift
    until "$@"; do
        [ "$(now_ms)" -lt "$deadline" ] || return 1
        sleep 0.05
    done
}

# The title as an anchored extended regular expression. xdotool matches it
# without regard to case, so callers confirm the exact title afterwards.
title_regex() {
    printf '^%s$' "$(printf '%s' "$1" | sed 's/[][\\.^$*+?(){}|/]/\\&/g')"
}

# Prints the id of a viewable window whose title is exactly TITLE.
visible_window_titled() {
    local title=$1 id
    for id in $(xdotool search --onlyvisible --name "$(title_regex "$title")" 2>/dev/null || true); do
        if [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$title" ]; then
            echo "$id"
            return 0
        fi
    done
    return 1
}

# Waits up to SECONDS (whole) for a viewable window titled exactly TITLE;
# prints its id.
wait_for_title() {
    within $(( $2 * 1000 )) visible_window_titled "$1"
}

# The CLIPBOARD selection's text, as its owner gives it.
clipboard_get() {
    xclip -o -selection clipboard 2>/dev/null
}

# Makes TEXT the clipboard's content; returns once the X server reports the
# new owner, so that a later copy cannot be overtaken by this one. xclip
# stays in the background as the owner until another program takes over.
clipboard_set() {
    printf '%s' "$1" | xclip -i -selection clipboard >/dev/null 2>&1
    within 5000 clipboard_holds "$1"
}
clipboard_holds() { [ "$(clipboard_get)" = "$1" ]; } # TEXT
