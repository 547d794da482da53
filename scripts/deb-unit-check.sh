#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Fyzorin developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs inside the Debian 12 that scripts/check-deb.sh boots with
# systemd-nspawn, as a unit of its own: starts livehelpd.service and
# livehelpd@127.0.0.2.service, checks that each runs sandboxed and serves a
# client, stops it, writes "ok" or "fail" to /root/unit-check.status and
# powers the system off. Its output is in /root/unit-check.log.
exec >/root/unit-check.log 2>&1
set -u
result=ok
fail() { echo "FAIL: $*"; result=fail; }

check() { # UNIT ADDRESS
    local unit=$1 address=$2 pid uid reply=''
    systemctl start "$unit" || { fail "$unit did not start"; return; }
    for _ in $(seq 100); do journalctl -q -u "$unit" | grep -q "listening on" && break; sleep 0.1; done
    pid=$(systemctl show -P MainPID "$unit")
    uid=$(awk '/^Uid:/ { print $2 }' "/proc/$pid/status")
    # systemd gives dynamic users the ids 61184 to 65519.
    (( ${uid:-0} >= 61184 && ${uid:-0} <= 65519 )) || fail "$unit runs as uid $uid, not as a dynamic user"
    grep -Eq '^NoNewPrivs:\s+1$' "/proc/$pid/status" || fail "$unit may gain privileges"
    grep -Eq '^Seccomp:\s+2$' "/proc/$pid/status" || fail "$unit has no system call filter"
    if exec 3<>"/dev/tcp/$address/8765"; then
        printf 'name|Ann' >&3
        IFS= read -r -t 3 -d '' reply <&3
        exec 3>&-
    fi
    [[ $reply == cons\|*Ann* ]] || fail "$unit answered \"$reply\""
    systemctl stop "$unit"
    [ "$(systemctl show -P Result "$unit")" = success ] || fail "$unit did not stop cleanly"
    journalctl -q -u "$unit" | grep -q "stopped (" || fail "$unit did not log its stop"
    journalctl -q -u "$unit" --no-pager
}

check livehelpd.service 127.0.0.1
check livehelpd@127.0.0.2.service 127.0.0.2
echo "$result" >/root/unit-check.status
systemctl poweroff
