#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Fyzorin developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs what is missing, builds a Release build in build/ and starts Fyzorin.
# The Live Help server livehelpd runs beside it on 127.0.0.1:8765, unless
# something already listens there, and stops when Fyzorin ends. The script
# exits with Fyzorin's status.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh run

chat_port=8765
server_pid=
app_pid=
# shellcheck disable=SC2317 # run by a trap; shellcheck 0.9 misses it before the final exit
stop_server() {
    if [ -n "$server_pid" ]; then
        kill "$server_pid" 2>/dev/null || true
        wait "$server_pid" 2>/dev/null || true
    fi
}
# A signal to this script ends the program (the script then ends with it),
# or the script itself when the program has not started yet.
# shellcheck disable=SC2317 # run by a trap; shellcheck 0.9 misses it before the final exit
on_signal() {
    if [ -n "$app_pid" ]; then
        kill "$app_pid" 2>/dev/null || true
    else
        exit "$1"
    fi
}
trap stop_server EXIT
trap 'on_signal 129' HUP
trap 'on_signal 130' INT
trap 'on_signal 143' TERM

# A connection that opens means the port is taken (by a server started
# earlier, or by anything else).
if (exec 3<>"/dev/tcp/127.0.0.1/$chat_port") 2>/dev/null; then
    echo "run.sh: 127.0.0.1:$chat_port is taken; not starting livehelpd" >&2
else
    build/livehelpd/livehelpd --listen 127.0.0.1 --port "$chat_port" &
    server_pid=$!
fi

# In the background so that a signal to this script reaches the program at
# once (a foreground program would have to end first); wait also returns
# when a signal arrives, hence the loop.
build/Fyzorin1234 &
app_pid=$!
while true; do
    status=0
    wait "$app_pid" || status=$?
    kill -0 "$app_pid" 2>/dev/null || break
done
exit "$status"
