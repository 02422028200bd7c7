#!/usr/bin/env bash
# Builds OBITRACK and starts it on the embedded database.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

BUILD="${OBITRACK_BUILD_DIR:-build}"
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DOBITRACK_BUILD_TESTS=OFF -DOBITRACK_BUILD_BENCH=OFF
cmake --build "$BUILD" --parallel "$(nproc)" --target obitrack obitrack-cli

exec "$BUILD/src/app/obitrack" "$@"
