#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Fyzorin developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs a build into a temporary prefix, checks what a desktop needs, then
# runs the end-to-end test on the installed program (its dictionary in share/).
#   install-check.sh BUILD_DIR E2E_SCRIPT E2E_LAYOUT ARTIFACT_DIR [LIVEHELPD_OPTION...]
# (absolute paths; the options go to the end-to-end test's server)
set -euo pipefail
id=example.quellmark.fyzorin prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$1" --prefix "$prefix" >/dev/null
cd "$prefix"
desktop=share/applications/$id.desktop metainfo=share/metainfo/$id.metainfo.xml
for file in bin/Fyzorin1234 bin/livehelpd share/fyzorin/physicsdicionary2.txt "$desktop" "$metainfo" \
    share/icons/hicolor/scalable/apps/$id.svg share/man/man1/Fyzorin1234.1.gz share/man/man1/livehelpd.1.gz; do
    [ -f "$file" ] || fail "not installed: $file"
done
[ ! -e bin/physicsdicionary2.txt ] || fail "a dictionary lies in bin/: the installed program must use share/'s"
# The units and their options file are the package's alone: nothing lands
# outside the prefix.
if grep -v "^$prefix/" "$1/install_manifest.txt"; then fail "installed outside $prefix"; fi
desktop-file-validate "$desktop" || fail "the desktop entry is not valid"
grep -qx "Icon=$id" "$desktop" || fail "the desktop entry names another icon"
appstreamcli validate --no-net "$metainfo" || fail "the metainfo is not valid"
# Each size's PNG: a PNG's signature, then its IHDR chunk with width and height.
for size in 16 24 32 48 64 128 256; do
    icon=share/icons/hicolor/${size}x${size}/apps/$id.png
    [ "$(od -An -tx1 -N24 "$icon" | tr -d ' \n')" = "$(printf '89504e470d0a1a0a0000000d49484452%08x%08x' "$size" "$size")" ] \
        || fail "$icon is not a ${size}x${size} PNG"
done
bash "$2" bin/Fyzorin1234 bin/livehelpd "$3" "$4" "${@:5}"
