#!/usr/bin/env bash
# Runs the desktop program's File metrics over a large tree, headless, and
# prints its figures (bench_gui_run): the run against the library's plain
# analysis of the same files, sorting the list, and how soon a second File
# metrics stops a run. A figure-printing benchmark, never a test.
#
#   bash bench/gui_run.sh [TREE] [BUILD]
#
# TREE   default /work/kernel/linux-source-6.1, unpacked from Debian's
#        linux-source package when missing
# BUILD  a configured build directory (default build/dev); bench_gui_run is
#        built in it first
set -euo pipefail
cd "$(dirname "$0")/.."

tree="${1:-/work/kernel/linux-source-6.1}"
build="${2:-build/dev}"

if [ ! -d "$tree" ]; then
  archive=$(ls /usr/src/linux-source-*.tar.xz 2>/dev/null | head -n 1 || true)
  if [ -z "$archive" ]; then
    echo "gui_run: $tree is missing and no /usr/src/linux-source-*.tar.xz to unpack" >&2
    exit 1
  fi
  mkdir -p "$(dirname "$tree")"
  tar -xf "$archive" -C "$(dirname "$tree")"
fi

cmake --build "$build" -j2 --target bench_gui_run
QT_QPA_PLATFORM=offscreen "$build/bin/bench_gui_run" "$tree"
