#!/usr/bin/env bash
# Installs a build into a temporary prefix and checks what a desktop needs,
# then drives the installed program end to end.
#   install-check.sh BUILD_DIR E2E_SCRIPT E2E_LAYOUT ARTIFACT_DIR
set -euo pipefail
build=$1 e2e=$2 layout=$3 artifacts=$4
id=example.quellmark.fyzorin
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null
for file in bin/Fyzorin1234 bin/livehelpd share/fyzorin/physicsdicionary2.txt \
            "share/applications/$id.desktop" "share/metainfo/$id.metainfo.xml" \
            "share/icons/hicolor/48x48/apps/$id.png"; do
    [ -f "$prefix/$file" ] || fail "not installed: $file"
done
# The installed program must find the dictionary in share/, not beside itself.
[ ! -e "$prefix/bin/physicsdicionary2.txt" ] || fail "a dictionary lies in bin/"
desktop-file-validate "$prefix/share/applications/$id.desktop" || fail "the desktop entry is not valid"
grep -qx "Icon=$id" "$prefix/share/applications/$id.desktop" || fail "the desktop entry names another icon"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" || fail "the metainfo is not valid"
# A PNG starts with its signature, then the IHDR chunk: width and height.
[ "$(od -An -tx1 -N24 "$prefix/share/icons/hicolor/48x48/apps/$id.png" | tr -d ' \n')" \
    = 89504e470d0a1a0a0000000d494844520000003000000030 ] || fail "the icon is not a 48x48 PNG"

bash "$e2e" "$prefix/bin/Fyzorin1234" "$prefix/bin/livehelpd" "$layout" "$artifacts"
echo "installed into $prefix: files valid, the installed program passed the end-to-end run"
