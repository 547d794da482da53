#!/usr/bin/env bash
# Installs what is missing, builds a Release build in build/ and starts Fyzorin.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j2 --target Fyzorin1234
exec build/Fyzorin1234
