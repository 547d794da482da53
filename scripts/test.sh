#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test twice: in a Release
# build (build/) and under AddressSanitizer and UndefinedBehaviorSanitizer
# (build-sanitize/). Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

echo "== Release build"
scripts/build.sh build -DCMAKE_BUILD_TYPE=Release -DFYZORIN_BUILD_BENCH=ON
(cd build && ctest --output-on-failure -j2)

echo "== Sanitizer build"
scripts/build.sh build-sanitize -DCMAKE_BUILD_TYPE=Debug -DFYZORIN_SANITIZE=ON
(cd build-sanitize && ctest --output-on-failure -j2)
