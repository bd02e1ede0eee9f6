#!/usr/bin/env bash
# Installs the Debian packages that building and testing need, asking apt only when one is missing.
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config python3 clang-format
  libgtest-dev libgmock-dev libbenchmark-dev valgrind
  clang libclang-rt-dev
  qt6-base-dev qt6-multimedia-dev qt6-svg-dev libqt6svg6
  fonts-comic-neue fonts-dejavu-core fonts-wqy-microhei fonts-urw-base35 fonts-lxgw-wenkai
  libgif-dev libimagequant-dev
  libfluidsynth-dev timgm6mb-soundfont espeak-ng
  libcurl4-openssl-dev
  libcpp-httplib-dev libsodium-dev libqt6sql6-sqlite libqt6sql6-psql postgresql
  fluidsynth lame python3-pyftpdlib python3-pil chromium wrk famfamfam-flag-png xvfb
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y "${missing[@]}"
fi
