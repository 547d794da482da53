#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz/ and runs each for a
# while: scripts/fuzz.sh [seconds per target, default 60]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
scripts/deps.sh clang
CXX=clang++ scripts/build.sh build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFYZORIN_FUZZ=ON \
    -DFYZORIN_BUILD_TESTS=OFF -DFYZORIN_BUILD_BENCH=OFF
for fuzzer in build-fuzz/fuzz/fuzz_*; do
    [ -f "$fuzzer" ] && [ -x "$fuzzer" ] || continue
    corpus=build-fuzz/corpus/$(basename "$fuzzer")
    mkdir -p "$corpus"
    echo "== $(basename "$fuzzer"): ${seconds}s"
    "$fuzzer" -max_total_time="$seconds" -max_len=256 -print_final_stats=1 "$corpus"
done
