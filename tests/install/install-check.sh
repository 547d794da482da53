#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Fyzorin developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs a build into a temporary prefix, checks what a desktop needs, then
# runs the end-to-end test on the installed program (its dictionary in share/).
#   install-check.sh BUILD_DIR E2E_SCRIPT E2E_LAYOUT ARTIFACT_DIR   (absolute paths)
set -euo pipefail
id=example.quellmark.fyzorin prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$1" --prefix "$prefix" >/dev/null
cd "$prefix"
desktop=share/applications/$id.desktop metainfo=share/metainfo/$id.metainfo.xml icon=share/icons/hicolor/48x48/apps/$id.png
for file in bin/Fyzorin1234 bin/livehelpd share/fyzorin/physicsdicionary2.txt "$desktop" "$metainfo" "$icon" \
    share/icons/hicolor/scalable/apps/$id.svg share/icons/hicolor/256x256/apps/$id.png; do
    [ -f "$file" ] || fail "not installed: $file"
done
[ ! -e bin/physicsdicionary2.txt ] || fail "a dictionary lies in bin/: the installed program must use share/'s"
desktop-file-validate "$desktop" || fail "the desktop entry is not valid"
grep -qx "Icon=$id" "$desktop" || fail "the desktop entry names another icon"
appstreamcli validate --no-net "$metainfo" || fail "the metainfo is not valid"
# A PNG's signature, then its IHDR chunk: width and height, 48 x 48.
[ "$(od -An -tx1 -N24 "$icon" | tr -d ' \n')" = 89504e470d0a1a0a0000000d494844520000003000000030 ] \
    || fail "the icon is not a 48x48 PNG"
bash "$2" bin/Fyzorin1234 bin/livehelpd "$3" "$4"
