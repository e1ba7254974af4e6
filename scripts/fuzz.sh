#!/usr/bin/env bash
# Builds the libFuzzer target with clang and runs it for the given number of
# seconds (default 60). Any crash, sanitizer report or leak fails the script.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}

cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DKESTRUM_FUZZ=ON -DKESTRUM_GUI=OFF -DKESTRUM_TESTS=OFF
cmake --build build/fuzz --target fuzz_analyze

mkdir -p build/fuzz/corpus
cp -n fuzz/seeds/* build/fuzz/corpus/ 2>/dev/null || true
./build/fuzz/bin/fuzz_analyze -max_total_time="$seconds" -max_len=65536 \
  -timeout=10 -rss_limit_mb=4096 -print_final_stats=1 build/fuzz/corpus
echo "fuzzing: no crash in ${seconds}s"
