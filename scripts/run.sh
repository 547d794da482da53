#!/usr/bin/env bash
# Installs what is missing, builds a Release build in build/ and starts Fyzorin.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh build -DCMAKE_BUILD_TYPE=Release
exec build/Fyzorin1234
