#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Fyzorin developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the libFuzzer targets with clang in build-fuzz/ and runs each for a
# while, one after the other:
#   scripts/fuzz.sh [seconds per target, default 60] [target names...]
# With no names every target runs. Corpora grow in build-fuzz/corpus/NAME
# (the committed seeds in fuzz/seeds/NAME are read too), full logs go to
# build-fuzz/logs/NAME.log and crashing inputs to build-fuzz/artifacts/NAME/.
# Exits non-zero if any target crashed or reported a fault.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
[ $# -gt 0 ] && shift
all=(fuzz_numerictext fuzz_chatprotocol fuzz_chatwindow)
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=("${all[@]}")

# Inputs longer than a message needs only slow the search down.
max_len() {
    case $1 in
    fuzz_numerictext) echo 256 ;;
    fuzz_chatprotocol) echo 1024 ;;
    fuzz_chatwindow) echo 512 ;;
    *) echo 256 ;;
    esac
}

dictionary() {
    case $1 in
    fuzz_chatprotocol | fuzz_chatwindow) echo fuzz/chat.dict ;;
    esac
}

scripts/deps.sh clang
scripts/build.sh fuzz --target "${targets[@]}"

failed=()
for name in "${targets[@]}"; do
    corpus=build-fuzz/corpus/$name
    artifacts=build-fuzz/artifacts/$name
    log=build-fuzz/logs/$name.log
    mkdir -p "$corpus" "$artifacts" build-fuzz/logs
    options=(-max_total_time="$seconds" -max_len="$(max_len "$name")" -timeout=30
             -print_final_stats=1 -artifact_prefix="$artifacts/")
    dict=$(dictionary "$name")
    [ -z "$dict" ] || options+=(-dict="$dict")
    seeds=()
    [ -d "fuzz/seeds/$name" ] && seeds=("fuzz/seeds/$name")
    echo "== $name: ${seconds}s, log in $log"
    echo "build-fuzz/fuzz/$name ${options[*]} $corpus ${seeds[*]}"
    if QT_QPA_PLATFORM=offscreen "build-fuzz/fuzz/$name" "${options[@]}" "$corpus" "${seeds[@]}" >"$log" 2>&1; then
        grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -n 1 || true
        grep -E '^(Done [0-9]+ runs|stat::)' "$log" || true
        echo "corpus: $(find "$corpus" -type f | wc -l) inputs, $(find "$corpus" -type f -printf '%s\n' | awk '{ s += $1 } END { print s + 0 }') bytes"
    else
        echo "!! $name failed; the end of its log:"
        tail -n 60 "$log"
        failed+=("$name")
    fi
done

if [ ${#failed[@]} -gt 0 ]; then
    echo "Failed: ${failed[*]}"
    exit 1
fi
