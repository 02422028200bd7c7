#!/usr/bin/env bash
# Starts the local PostgreSQL 15 server on loopback and makes sure the test
# role exists. Prints the environment the tests read.
set -euo pipefail

# Only the KEY=VALUE lines go to stdout; everything the server tools print
# (e.g. "Removed stale pid file.") goes to stderr so callers can eval stdout.
exec 3>&1 1>&2

PG_USER="${OBITRACK_TEST_PG_USER:-obitrack_test}"
PG_PW="${OBITRACK_TEST_PG_PW:-obitrack_test}"
PG_PORT="${OBITRACK_TEST_PG_PORT:-5432}"

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
als_postgres() {
  if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"; else sudo -u postgres "$@"; fi
}

if ! $SUDO pg_lsclusters -h 2>/dev/null | grep -q '^15 *main'; then
  $SUDO pg_createcluster 15 main >/dev/null 3>&-
fi
if ! $SUDO pg_lsclusters -h | grep -q '^15 *main.*online'; then
  # The server must not inherit fd 3: a reader waiting for the end of our
  # output would otherwise wait for the server to exit.
  $SUDO pg_ctlcluster 15 main start 3>&-
fi

for i in $(seq 1 30); do
  if als_postgres psql -p "$PG_PORT" -qtAc 'select 1' >/dev/null 2>&1; then break; fi
  sleep 1
done

als_postgres psql -p "$PG_PORT" -v ON_ERROR_STOP=1 -q <<SQL >/dev/null
DO \$\$
BEGIN
  IF NOT EXISTS (SELECT FROM pg_roles WHERE rolname = '${PG_USER}') THEN
    CREATE ROLE ${PG_USER} LOGIN CREATEDB PASSWORD '${PG_PW}';
  END IF;
END
\$\$;
SQL

echo "OBITRACK_TEST_PG_SERVER=127.0.0.1:${PG_PORT}" >&3
echo "OBITRACK_TEST_PG_USER=${PG_USER}" >&3
echo "OBITRACK_TEST_PG_PW=${PG_PW}" >&3
