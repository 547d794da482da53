#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Fyzorin developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Checks the two Debian packages of a Release build: makes them with cpack,
# runs lintian (no errors, no warnings; every informational tag explained in
# docs/packaging.md), checks what each holds and depends on, and verifies
# the systemd units at their installed paths with systemd-analyze.
#   scripts/check-packages.sh [BUILD_DIR] [OUT_DIR]   (default: build, a temporary folder)
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$source_dir/build}" && pwd)
out=${2:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
[ -n "$out" ] || out=$work/debs
mkdir -p "$out"
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

rm -f "$out"/fyzorin_*.deb "$out"/livehelpd_*.deb
(cd "$build" && cpack -G DEB -B "$out" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log" >&2; exit 1; }
rm -rf "$out/_CPack_Packages"
fyzorin=$(echo "$out"/fyzorin_*.deb) livehelpd=$(echo "$out"/livehelpd_*.deb)
if [ ! -f "$fyzorin" ] || [ ! -f "$livehelpd" ]; then echo "FAIL: cpack made $(ls "$out")" >&2; exit 1; fi
echo "== $(basename "$fyzorin") $(basename "$livehelpd")"

# lintian: errors and warnings fail; informational tags must be known.
lintian --display-info --pedantic --fail-on error,warning "$fyzorin" "$livehelpd" >"$work/lintian.log" 2>&1 \
    || fail "lintian reports errors or warnings"
grep -E '^[EWIPX]: ' "$work/lintian.log" || true
while read -r tag; do
    grep -q -- "\`$tag\`" "$source_dir/docs/packaging.md" || fail "lintian's $tag is not explained in docs/packaging.md"
done < <(sed -n -E 's/^[IPX]: [^ ]+ ([a-z0-9.+-]+).*/\1/p' "$work/lintian.log" | sort -u)

# What each package holds and needs.
depends=$(dpkg-deb -f "$livehelpd" Depends)
[[ $depends == *libqt6network6* ]] || fail "livehelpd does not depend on Qt Network: $depends"
if [[ $depends =~ libqt6(widgets|gui) ]]; then fail "livehelpd pulls in Qt's GUI: $depends"; fi
[ "$(dpkg-deb --info "$livehelpd" conffiles)" = /etc/default/livehelpd ] || fail "/etc/default/livehelpd is not livehelpd's one conffile"
# (A copyright file, a changelog and a manual page for every program are
# lintian's errors and warnings above.)
if dpkg-deb --fsys-tarfile "$fyzorin" | tar -t | grep livehelpd; then fail "fyzorin holds livehelpd's files"; fi
for package in "$fyzorin" "$livehelpd"; do
    name=$(dpkg-deb -f "$package" Package)
    [ "$(dpkg-deb -f "$package" Version)" = "$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")" ] \
        || fail "$name's version is not the project's"
done

# The units, with the package's files where the package puts them, beside
# this system's own units (the targets they refer to).
root=$work/root
dpkg-deb -x "$livehelpd" "$root"
cp -a -n /usr/lib/systemd/system/. "$root/usr/lib/systemd/system/"
# Any message (an unknown key, say) is a failure: it would only be logged.
if ! verify=$(systemd-analyze verify --man=no --root="$root" livehelpd.service livehelpd@192.0.2.10.service 2>&1) \
    || [ -n "$verify" ]; then
    fail "systemd-analyze verify: $verify"
fi

[ "$failures" -eq 0 ] || { cat "$work/lintian.log" >&2; exit 1; }
echo "both packages pass lintian, hold what they should, and their units verify"
