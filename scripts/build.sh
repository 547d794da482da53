#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Fyzorin developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Configures and builds one preset of CMakePresets.json (its folder is named
# there): scripts/build.sh PRESET [cmake --build options, e.g. --target NAME]
set -euo pipefail
cd "$(dirname "$0")/.."
preset=$1
shift
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j2 "$@"
