#!/usr/bin/env bash
# Installs the Debian 12 packages that building and testing Kestrum needs.
# Only what is missing is installed, so a second run does not touch the network.
set -euo pipefail

packages=(
  # build
  cmake ninja-build g++ pkg-config binutils
  # tests, sanitizers and the fuzzer
  googletest libgtest-dev clang libclang-rt-14-dev llvm clang-format
  # the desktop program
  qt6-base-dev qt6-base-dev-tools libgl-dev qt6-svg-dev libqt6svg6 qt6-qpa-plugins
  # headless and screenshot checks
  xvfb xauth imagemagick fonts-dejavu-core
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

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
