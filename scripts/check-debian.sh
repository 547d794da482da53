#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Fyzorin developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Checks the newcomer's path on a fresh Debian: makes a minimal system of
# SUITE (by default trixie, Debian 13) with debootstrap in a temporary folder,
# clones this repository's HEAD into it and runs the README's scripts/test.sh
# there, in a systemd-nspawn container: a root of its own, so the tests that
# make network namespaces run as they do on a machine. scripts/test.sh
# installs what it needs, builds with warnings as errors, and its
# run_from_fresh_clone test runs scripts/run.sh until the main window shows
# on Xvfb.
# Needs root and the network; takes about 15 minutes.
#   scripts/check-debian.sh [SUITE] [MIRROR]
set -euo pipefail
cd "$(dirname "$0")/.."
suite=${1:-trixie} mirror=${2:-http://deb.debian.org/debian}
scripts/deps.sh debootstrap systemd-container
root=$(mktemp -d) log=$(mktemp)
chmod 755 "$root" # the new system's "/": mktemp makes it root's alone
trap 'rm -rf "$root" "$log"' EXIT
started=$SECONDS

echo "== debootstrap $suite into $root"
debootstrap --variant=minbase "$suite" "$root" "$mirror" >"$log" 2>&1 || { tail "$log"; exit 1; }
git clone --quiet . "$root/root/fyzorin"
echo "== scripts/test.sh of $(git rev-parse --short HEAD) in Debian $(cat "$root/etc/debian_version")"
status=0
systemd-nspawn --quiet --register=no --keep-unit --directory="$root" --chdir=/root/fyzorin \
    scripts/test.sh 2>&1 | tee "$log" || status=$?

echo "== summary"
# shellcheck disable=SC2016 # expanded in the container
systemd-nspawn --quiet --register=no --keep-unit --directory="$root" bash -c \
    'g++ --version | head -n 1; cmake --version | head -n 1; clang-tidy --version | grep version
     dpkg-query -W -f "\${Package} \${Version}\n" qt6-base-dev clang-format lintian systemd' 2>/dev/null || true
sed 's/\x1b\[[0-9;]*m//g' "$log" | grep -E '^(== |[0-9]+% tests passed)' || true
verdict=passed
[ "$status" -eq 0 ] || verdict="FAILED (exit status $status)"
echo "Debian $(cat "$root/etc/debian_version") ($suite): scripts/test.sh $verdict in $((SECONDS - started)) s"
exit "$status"
