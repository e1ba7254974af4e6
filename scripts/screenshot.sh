#!/usr/bin/env bash
# Builds Orbek, starts it under a virtual X server with settings of its own
# (never the user's) and saves a picture of its main window as
# docs/screenshot.png.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DKESTRUM_TESTS=OFF
cmake --build build/release -j "$(nproc)" --target orbek

config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT
# A comfortable window size for the picture; everything else starts as on a
# first run.
mkdir -p "$config/Brevant"
cat > "$config/Brevant/Kestrum.conf" <<'CONF'
[Settings]
WndPosLeft=0
WndPosTop=0
WndPosRight=900
WndPosBottom=600
CONF

mkdir -p docs
XDG_CONFIG_HOME="$config" ORBEK_SCREENSHOT="$PWD/docs/screenshot.png" \
  xvfb-run -a -s "-screen 0 1024x768x24" build/release/bin/orbek
echo "saved docs/screenshot.png"
