#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Fyzorin developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs the Debian packages Fyzorin needs to build, test and run, if any
# are missing. Needs root (or sudo). Extra package names may be passed.
set -euo pipefail

packages=(
    g++ cmake ninja-build pkg-config git libbenchmark-dev
    qt6-base-dev qt6-base-dev-tools libgl-dev
    fonts-liberation2
    xvfb xauth x11-utils socat xdotool xclip
    iproute2 util-linux
    appstream desktop-file-utils dpkg-dev librsvg2-bin
    help2man scdoc lintian systemd
    shellcheck clang-format clang-tidy reuse
    "$@"
)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' \
        || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
