#!/usr/bin/env bash
# The project's static checks. Each check prints what it found and the script
# exits non-zero if any check failed:   scripts/lint.sh
set -euo pipefail
cd "$(dirname "$0")/.."

# Every tracked shell script: *.sh and the extension-less CI entry point.
# -x follows the files they source.
check_shellcheck() {
    local scripts
    mapfile -t scripts < <(git ls-files '*.sh' .ci/run)
    shellcheck -x "${scripts[@]}"
}

checks=(shellcheck)
failed=()
for check in "${checks[@]}"; do
    "check_$check" || failed+=("$check")
done
if [ ${#failed[@]} -gt 0 ]; then
    echo "lint: failed: ${failed[*]}" >&2
    exit 1
fi
