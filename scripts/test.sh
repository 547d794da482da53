#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Fyzorin developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs what is missing, runs the static checks (scripts/lint.sh; clang-tidy
# on the program's code after the Release build, whose compile commands it
# reads), builds,
# and runs every test twice: in a Release build (build/) and under
# AddressSanitizer and UndefinedBehaviorSanitizer (build-sanitize/). Exits
# non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/lint.sh

# The test presets set the tests' environment (offscreen windows, the
# sanitizers' options).
echo "== Release build"
scripts/build.sh release
scripts/lint.sh clang-tidy
ctest --preset release

echo "== Sanitizer build"
scripts/build.sh asan
ctest --preset asan
