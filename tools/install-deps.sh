#!/usr/bin/env bash
# Installs the Debian packages the program, its tests and benchmarks need,
# skipping those already present. Uses sudo when not root.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev qt6-charts-dev qt6-svg-dev
  libsqlcipher-dev sqlcipher
  libgtest-dev googletest libgmock-dev libbenchmark-dev
  fonts-liberation fonts-dejavu-core
  dbus poppler-utils xvfb xauth locales-all
  python3 time appstream
  libcsv-dev libofx-dev clang libclang-rt-dev
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q "${missing[@]}"
