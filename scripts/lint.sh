#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Fyzorin developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The project's static checks. Each check prints what it found and the script
# exits non-zero if any check failed.
#   scripts/lint.sh              shellcheck, reuse and clang-format (no build needed)
#   scripts/lint.sh CHECK...     the named checks; clang-tidy reads the
#                                compile commands of build/ (the release preset)
set -euo pipefail
cd "$(dirname "$0")/.."

# Every tracked shell script: *.sh and the extension-less CI entry point.
# -x follows the files they source.
check_shellcheck() {
    local scripts
    mapfile -t scripts < <(git ls-files '*.sh' .ci/run)
    shellcheck -x "${scripts[@]}"
}

# Every file says its licence and copyright (REUSE: a header, or .reuse/dep5).
check_reuse() { reuse lint --quiet || reuse lint; }

# Every C++ file as .clang-format lays it out.
check_clang-format() {
    local sources
    mapfile -t sources < <(git ls-files '*.cpp' '*.h')
    clang-format --dry-run --Werror --style=file "${sources[@]}"
}

# The checks of .clang-tidy on the program's own code as the release build
# compiles it (what scripts/test.sh runs: a clang-tidy pass over the Qt
# headers costs seconds a file); clang-tidy-all adds the tests, benchmarks
# and tools.
tidy() { # FOLDERS-REGEX
    [ -f build/compile_commands.json ] || { echo "clang-tidy: build/ has no compile_commands.json" >&2; return 1; }
    run-clang-tidy -quiet -p build -j 2 "^$PWD/($1)/" >build/clang-tidy.log 2>&1 \
        || { grep -E 'warning:|error:' build/clang-tidy.log >&2; return 1; }
}
check_clang-tidy() { tidy 'app|core|forms|solvers|converters|dictionary|chat|livehelpd(?!/tests)'; }
check_clang-tidy-all() { tidy 'app|core|forms|solvers|converters|dictionary|chat|livehelpd|tests|bench|tools'; }

checks=("$@")
[ ${#checks[@]} -gt 0 ] || checks=(shellcheck reuse clang-format)
failed=()
for check in "${checks[@]}"; do
    "check_$check" || failed+=("$check")
done
if [ ${#failed[@]} -gt 0 ]; then
    echo "lint: failed: ${failed[*]}" >&2
    exit 1
fi
