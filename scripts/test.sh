#!/usr/bin/env bash
# Builds everything and runs every test, on SQLite and on a local PostgreSQL.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

BUILD="${OBITRACK_BUILD_DIR:-build-test}"
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DOBITRACK_WERROR=ON
cmake --build "$BUILD" --parallel "$(nproc)"

# The server's settings go through a file, not a pipe: a started server
# daemon could keep a pipe open and the read would never end. Take only
# well-formed OBITRACK_* assignments, whatever else gets printed.
PG_ENV="$(mktemp)"
trap 'rm -f "$PG_ENV"' EXIT
timeout 300 scripts/pg-test-server.sh >"$PG_ENV"
while IFS='=' read -r k v; do
  if [[ "$k" =~ ^OBITRACK_[A-Z_]+$ ]]; then export "$k=$v"; fi
done <"$PG_ENV"

cd "$BUILD"
ctest --output-on-failure --timeout 600 --parallel "$(nproc)"
