#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Fyzorin developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Checks the packages on a fresh Debian 12: builds and checks both
# (scripts/check-packages.sh), makes a minimal Debian with debootstrap in a
# temporary folder and, with apt-get (which must pull in every dependency):
#   1. installs livehelpd alone, which must not bring Qt's GUI with it;
#   2. starts each unit's ExecStart as written there, with the options of
#      /etc/default/livehelpd, as an unprivileged user (a chroot has no
#      running systemd), and connects a client to it
#      (scripts/deb-unit-check.sh exec);
#   3. installs fyzorin and drives the installed program end to end;
#   4. boots the new system with systemd-nspawn and runs both units under
#      systemd itself (scripts/deb-unit-check.sh systemd): sandboxed, serving a
#      client, stopping cleanly.
# Needs root and the network; takes a few minutes.   scripts/check-deb.sh [MIRROR]
set -euo pipefail
cd "$(dirname "$0")/.."
mirror=${1:-http://deb.debian.org/debian}
scripts/deps.sh debootstrap systemd-container
scripts/build.sh release
debs=$(mktemp -d)
scripts/check-packages.sh build "$debs"

root=$(mktemp -d)
chmod 755 "$root" # the new system's "/": mktemp makes it root's alone
cleanup() {
    umount "$root/proc" 2>/dev/null || true
    # Never remove a tree that still has the system's /proc mounted in it.
    if mountpoint -q "$root/proc"; then
        echo "left $root in place: $root/proc is still mounted" >&2
    else
        rm -rf "$root"
    fi
    rm -rf "$debs"
}
trap cleanup EXIT
echo "== debootstrap bookworm into $root"
debootstrap --variant=minbase bookworm "$root" "$mirror" >"$root.log" 2>&1 || { tail "$root.log"; exit 1; }
rm -f "$root.log"
cp /etc/resolv.conf "$root/etc/resolv.conf"
mount -t proc proc "$root/proc"

mkdir -p "$root/root/check/tests/e2e" "$root/root/check/scripts" "$root/root/check/resources"
cp "$debs"/*.deb "$root/root/"
cp tests/e2e/e2e.sh "$root/root/check/tests/e2e/"
cp scripts/xvfb-lib.sh "$root/root/check/scripts/"
cp resources/example.quellmark.fyzorin.desktop "$root/root/check/resources/"
cp build/tests/e2e/e2e_layout "$root/root/check/"
cp scripts/deb-unit-check.sh "$root/root/"
in_root() { chroot "$root" env DEBIAN_FRONTEND=noninteractive bash -euo pipefail -c "$1"; }

echo "== apt-get install ./livehelpd_*.deb"
in_root "apt-get update -qq && apt-get install -y -qq ./root/livehelpd_*.deb >/dev/null
         for gui in libqt6gui6 libqt6widgets6; do
             if dpkg-query -W -f='\${Status}' \"\$gui\" 2>/dev/null | grep -q 'ok installed'; then
                 echo \"FAIL: livehelpd pulled in \$gui\" >&2; exit 1
             fi
         done"

echo "== the units' ExecStart, and a client"
in_root "/root/deb-unit-check.sh exec"

echo "== apt-get install ./fyzorin_*.deb, and the installed program end to end"
in_root "apt-get install -y -qq ./root/fyzorin_*.deb >/dev/null
         apt-get install -y -qq --no-install-recommends xvfb xauth xdotool xclip x11-utils >/dev/null
         cd /root/check && bash tests/e2e/e2e.sh /usr/bin/Fyzorin1234 /usr/bin/livehelpd ./e2e_layout /tmp/e2e"
echo "== the units under systemd, in the new system booted by systemd-nspawn"
in_root "apt-get install -y -qq --no-install-recommends systemd-sysv dbus >/dev/null"
cat >"$root/etc/systemd/system/unit-check.service" <<'UNIT'
[Unit]
Description=Checks the livehelpd units, then powers off
After=multi-user.target
[Service]
Type=oneshot
ExecStart=/root/deb-unit-check.sh systemd
[Install]
WantedBy=multi-user.target
UNIT
ln -sf /etc/systemd/system/unit-check.service "$root/etc/systemd/system/multi-user.target.wants/"
umount "$root/proc" # the container mounts its own
# --register=no, --keep-unit: no machined or scope unit needed on the host.
timeout 300 systemd-nspawn --quiet --register=no --keep-unit --directory="$root" --boot >/dev/null 2>&1 || true
cat "$root/root/unit-check.log" 2>/dev/null || true
[ "$(cat "$root/root/unit-check.status" 2>/dev/null)" = ok ] || { echo "FAIL: the units under systemd" >&2; exit 1; }

echo "both packages install on a fresh Debian 12; livehelpd without Qt's GUI; its units serve a client, also under systemd; the installed program works"
