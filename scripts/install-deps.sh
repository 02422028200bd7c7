#!/usr/bin/env bash
# Installs what building, running and testing OBITRACK needs on Debian 12.
set -euo pipefail

PAKETE=(
  build-essential cmake ninja-build ccache pkg-config git
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libqt6sql6-psql
  libqt6serialport6-dev qt6-multimedia-dev libqt6opengl6-dev libgl-dev qt6-qpa-plugins
  libsqlite3-dev libgtest-dev libgmock-dev libbenchmark-dev
  postgresql-15 postgresql-client-15
)

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

fehlend=()
for p in "${PAKETE[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || fehlend+=("$p")
done
if [ "${#fehlend[@]}" -gt 0 ]; then
  echo "Installiere: ${fehlend[*]}"
  $SUDO apt-get update -q
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "${fehlend[@]}"
fi
