#!/usr/bin/env bash
# Installs what is missing, builds Kestrum twice (warnings as errors, then with
# AddressSanitizer and UndefinedBehaviorSanitizer), runs every test in both
# builds, checks the formatting and runs the fuzz target for a bounded time.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

echo "== format check"
bash scripts/format.sh --check

echo "== build (warnings are errors)"
cmake -S . -B build/ci -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKESTRUM_WERROR=ON
cmake --build build/ci -j "$jobs"
echo "== tests"
ctest --test-dir build/ci --output-on-failure -j "$jobs"

echo "== build (address and undefined behaviour sanitizers)"
cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKESTRUM_SANITIZE=ON \
  -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g"
cmake --build build/asan -j "$jobs"
echo "== tests under sanitizers"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
LSAN_OPTIONS=suppressions="$PWD/tests/lsan.supp" \
  ctest --test-dir build/asan --output-on-failure -j "$jobs"

echo "== fuzzing"
bash scripts/fuzz.sh "${FUZZ_SECONDS:-60}"
