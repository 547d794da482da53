#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Fyzorin developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs the slow tests again and again, first on an idle machine, then with
# both cores kept busy by stress-ng; prints the output of every failed run
# and a summary, and exits non-zero if any run failed. A test that passes
# only on a quiet machine fails here. By hand; takes about half an hour.
#   scripts/check-flaky.sh [--asan] [TEST=RUNS...]
# The Release build (build/) by default, with end_to_end=20 install_and_run=20
# tst_chat=10 tst_livehelpd=10; --asan: the sanitizer build (build-sanitize/),
# which has the Qt Test suites only, with tst_chat=10 tst_livehelpd=10.
set -euo pipefail
cd "$(dirname "$0")/.."
preset=release plan=(end_to_end=20 install_and_run=20 tst_chat=10 tst_livehelpd=10)
if [ "${1:-}" = --asan ]; then
    preset=asan plan=(tst_chat=10 tst_livehelpd=10)
    shift
fi
[ $# -eq 0 ] || plan=("$@")
scripts/deps.sh stress-ng
scripts/build.sh "$preset" >/dev/null

log=$(mktemp) load=''
trap 'rm -f "$log"; [ -z "$load" ] || kill "$load" 2>/dev/null || true' EXIT
summary=() failures=0
run_each() { # CONDITION
    local entry name runs run passed started slowest
    for entry in "${plan[@]}"; do
        name=${entry%=*} runs=${entry#*=} passed=0 slowest=0
        for run in $(seq "$runs"); do
            started=$SECONDS
            if ctest --preset "$preset" --no-tests=error -R "^$name\$" >"$log" 2>&1; then
                passed=$((passed + 1))
            else
                failures=$((failures + 1))
                echo "== $name failed, $1, run $run of $runs:"
                cat "$log"
            fi
            slowest=$((SECONDS - started > slowest ? SECONDS - started : slowest))
        done
        summary+=("$(printf '%-16s %-7s %3d of %3d passed, slowest %3d s' "$name" "$1" "$passed" "$runs" "$slowest")")
        echo "${summary[-1]}"
    done
}

run_each idle
stress-ng --cpu "$(nproc)" --quiet &
load=$!
run_each loaded

echo "== $preset build, $(nproc) cores; loaded: stress-ng --cpu $(nproc)"
printf '%s\n' "${summary[@]}"
[ "$failures" -eq 0 ]
