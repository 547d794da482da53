#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Fyzorin developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Checks livehelpd's units inside the fresh Debian 12 of scripts/check-deb.sh:
# livehelpd.service on 127.0.0.1 and the room livehelpd@127.0.0.2, each
# serving a client named Ann.
#   deb-unit-check.sh exec      in the chroot, which has no running systemd:
#                               runs each unit's ExecStart as written, with the
#                               options of /etc/default/livehelpd, as nobody
#                               without new privileges; exits non-zero on a fault
#   deb-unit-check.sh systemd   in the system booted by systemd-nspawn, as a unit
#                               of its own: systemctl starts each unit, which must
#                               run sandboxed and stop cleanly; writes "ok" or
#                               "fail" to /root/unit-check.status (its output to
#                               /root/unit-check.log) and powers the system off
set -u
result=ok
fail() { echo "FAIL: $*"; result=fail; }

# Waits, up to a minute, until the output of COMMAND says the server listens.
until_listening() { # UNIT COMMAND...
    local unit=$1 deadline=$((SECONDS + 60))
    shift
    until "$@" | grep -q "listening on"; do
        ((SECONDS < deadline)) || { fail "$unit does not listen"; return 1; }
        sleep 0.1
    done
}

# A client named Ann, connecting to ADDRESS, must be listed back within a
# minute, until the server closes the connection.
lists_client() { # UNIT ADDRESS
    local reply='' piece status deadline=$((SECONDS + 60))
    if exec 3<>"/dev/tcp/$2/8765"; then
        printf 'name|Ann' >&3
        while [[ $reply != cons\|*Ann* ]] && ((SECONDS < deadline)); do
            piece=''
            IFS= read -r -t 1 -d '' piece <&3
            status=$? reply+=$piece
            [ "$status" -ne 1 ] || break # closed
        done
        exec 3>&-
    fi
    [[ $reply == cons\|*Ann* ]] || fail "$1 answered \"$reply\""
}

# Runs the unit's ExecStart (%I as INSTANCE) as systemd would: $VAR split
# into words.
as_written() { # UNIT ADDRESS INSTANCE
    local unit=$1 command pid
    command=$(sed -n "s/^ExecStart=//p" "/usr/lib/systemd/system/$unit" | sed "s/%I/$3/g")
    echo "$unit: $command"
    (
        # shellcheck source=/dev/null # the installed options file
        . /etc/default/livehelpd
        eval "exec setpriv --reuid=nobody --regid=nogroup --clear-groups --no-new-privs $command"
    ) 2>/tmp/unit.log &
    pid=$!
    until_listening "$unit" cat /tmp/unit.log && lists_client "$unit" "$2"
    kill "$pid"
    wait "$pid"
    cat /tmp/unit.log
}

under_systemd() { # UNIT ADDRESS
    local unit=$1 pid uid
    systemctl start "$unit" || { fail "$unit did not start"; return; }
    until_listening "$unit" journalctl -q -u "$unit" || return
    pid=$(systemctl show -P MainPID "$unit")
    uid=$(awk '/^Uid:/ { print $2 }' "/proc/$pid/status")
    # systemd gives dynamic users the ids 61184 to 65519.
    (( ${uid:-0} >= 61184 && ${uid:-0} <= 65519 )) || fail "$unit runs as uid $uid, not as a dynamic user"
    grep -Eq '^NoNewPrivs:\s+1$' "/proc/$pid/status" || fail "$unit may gain privileges"
    grep -Eq '^Seccomp:\s+2$' "/proc/$pid/status" || fail "$unit has no system call filter"
    lists_client "$unit" "$2"
    systemctl stop "$unit"
    [ "$(systemctl show -P Result "$unit")" = success ] || fail "$unit did not stop cleanly"
    journalctl -q -u "$unit" | grep -q "stopped (" || fail "$unit did not log its stop"
    journalctl -q -u "$unit" --no-pager
}

case ${1:-} in
exec)
    as_written livehelpd.service 127.0.0.1 ''
    as_written livehelpd@.service 127.0.0.2 127.0.0.2
    [ "$result" = ok ]
    ;;
systemd)
    exec >/root/unit-check.log 2>&1
    under_systemd livehelpd.service 127.0.0.1
    under_systemd livehelpd@127.0.0.2.service 127.0.0.2
    echo "$result" >/root/unit-check.status
    systemctl poweroff
    ;;
*)
    echo "usage: deb-unit-check.sh exec|systemd" >&2
    exit 2
    ;;
esac
