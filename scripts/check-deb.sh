#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Fyzorin developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Checks the .deb on a fresh Debian 12: builds the package, makes a minimal
# Debian with debootstrap in a temporary folder, installs the package there
# with apt-get (which must pull in every dependency), and drives the
# installed program end to end inside it. Needs root and the network; takes
# a few minutes.   scripts/check-deb.sh [MIRROR]
set -euo pipefail
cd "$(dirname "$0")/.."
mirror=${1:-http://deb.debian.org/debian}
scripts/deps.sh debootstrap
scripts/build.sh release
rm -f build/fyzorin_*.deb
(cd build && cpack -G DEB >/dev/null)
deb=$(ls build/fyzorin_*.deb)

root=$(mktemp -d)
cleanup() {
    umount "$root/proc" 2>/dev/null || true
    # Never remove a tree that still has the system's /proc mounted in it.
    if mountpoint -q "$root/proc"; then
        echo "left $root in place: $root/proc is still mounted" >&2
    else
        rm -rf "$root"
    fi
}
trap cleanup EXIT
echo "== debootstrap bookworm into $root"
debootstrap --variant=minbase bookworm "$root" "$mirror" >"$root.log" 2>&1 || { tail "$root.log"; exit 1; }
rm -f "$root.log"
cp /etc/resolv.conf "$root/etc/resolv.conf"
mount -t proc proc "$root/proc"

mkdir -p "$root/root/check/tests/e2e" "$root/root/check/scripts"
cp "$deb" "$root/root/"
cp tests/e2e/e2e.sh "$root/root/check/tests/e2e/"
cp scripts/xvfb-lib.sh "$root/root/check/scripts/"
cp build/tests/e2e/e2e_layout "$root/root/check/"

echo "== apt-get install ./$(basename "$deb")"
chroot "$root" env DEBIAN_FRONTEND=noninteractive bash -c \
    "apt-get update -qq && apt-get install -y -qq ./root/$(basename "$deb") >/dev/null"
echo "== the installed program, end to end"
chroot "$root" env DEBIAN_FRONTEND=noninteractive bash -c \
    "apt-get install -y -qq --no-install-recommends xvfb xauth xdotool xclip x11-utils >/dev/null
     cd /root/check && bash tests/e2e/e2e.sh /usr/bin/Fyzorin1234 /usr/bin/livehelpd ./e2e_layout /tmp/e2e"
echo "$(basename "$deb") installs on a fresh Debian 12 and the installed program works"
