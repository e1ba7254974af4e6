#!/usr/bin/env bash
# Formats the C++ sources with clang-format; with --check, fails on any difference.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files -co --exclude-standard -- '*.cpp' '*.h' | grep -v -E '^build/|/fixtures/|^fuzz/seeds/' || true)
[ ${#files[@]} -eq 0 ] && exit 0
if [ "${1:-}" = "--check" ]; then
  clang-format --dry-run -Werror "${files[@]}"
  echo "format: ${#files[@]} files clean"
else
  clang-format -i "${files[@]}"
fi
