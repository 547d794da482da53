#!/usr/bin/env bash
# Builds a Release build with the benchmarks in build-bench/ and runs them all.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh build-bench -DCMAKE_BUILD_TYPE=Release -DFYZORIN_BUILD_TESTS=OFF -DFYZORIN_BUILD_BENCH=ON
for program in build-bench/bench/bench_*; do
    if [ -f "$program" ] && [ -x "$program" ]; then
        "$program" "$@"
    fi
done
