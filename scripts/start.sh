#!/usr/bin/env bash
# Installs what is missing, builds Kestrum and starts the desktop program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DKESTRUM_TESTS=OFF
cmake --build build/release -j "$(nproc)"
if [ -x build/release/bin/orbek ]; then
  exec build/release/bin/orbek "$@"
fi
echo "Built the library and command line in build/release; the desktop program is not built yet."
