#!/usr/bin/env bash
# Compares the speed of kestrum with the line counters and complexity tools a
# user would otherwise pick from Debian (cloc, sloccount, pmccabe) on one
# source tree, by default the kernel tree of Debian's linux-source package.
#
#   bash bench/compare_tools.sh [TREE] [KESTRUM]
#
# TREE     the tree to measure (default /work/kernel/linux-source-6.1, or
#          /usr/src/linux-source-* unpacked); a part such as TREE/drivers works too
# KESTRUM  the kestrum program (default: a Release build made in build/bench)
# TOOLS    (environment) the other tools to run, default "cloc sloccount pmccabe";
#          cloc and sloccount take many minutes over the whole kernel tree
#
# Every tool gets the same C and header files (*.c, *.h); sloccount takes the
# tree itself, as it only accepts directories. The files are read once before
# the runs so that every tool finds them in the page cache. Prints each tool's
# time, its rate over the bytes of those files and its time as a multiple of
# kestrum's on one thread. A figure-printing benchmark, never a test.
set -uo pipefail
cd "$(dirname "$0")/.."

tree="${1:-/work/kernel/linux-source-6.1}"
tools=" ${TOOLS-cloc sloccount pmccabe} "
kestrum="${2:-}"
cores=$(nproc)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if [ ! -d "$tree" ]; then
  echo "compare_tools: $tree is not a directory" >&2
  echo "  (install linux-source and unpack /usr/src/linux-source-*.tar.xz, then name it)" >&2
  exit 2
fi
tree=$(cd "$tree" && pwd)

# kestrum itself, built for speed unless a program was named.
if [ -z "$kestrum" ]; then
  echo "== building kestrum (Release) in build/bench"
  cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DKESTRUM_TESTS=OFF \
    -DKESTRUM_GUI=OFF >/dev/null || exit 2
  cmake --build build/bench --target kestrum -j "$cores" >/dev/null || exit 2
  kestrum=build/bench/bin/kestrum
fi

# The other tools: installed when missing, skipped with a note when that fails.
missing=()
for tool in $tools; do
  command -v "$tool" >/dev/null || missing+=("$tool")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "== installing ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null 2>&1 || echo "   (could not install; missing tools are skipped)"
fi

echo "== collecting the C and header files of $tree"
find "$tree" -type f \( -name '*.c' -o -name '*.h' \) -print0 >"$work/files0"
tr '\0' '\n' <"$work/files0" >"$work/files"
nfiles=$(wc -l <"$work/files")
bytes=$(xargs -0 cat <"$work/files0" | wc -c)
mb=$(awk -v b="$bytes" 'BEGIN { printf "%.1f", b / 1e6 }')
echo "   $nfiles files, $mb MB (read once to fill the page cache)"

names=()
times=()
cpus=()
notes=()

# Runs a command and records its wall time and its processor time (user and
# system, its children included) in seconds, and a note on how it ended. On a
# busy machine the processor time is the steadier figure for one thread.
measure() {
  local name=$1
  shift
  local timing status real user sys cpu
  timing=$( {
    TIMEFORMAT='%R %U %S'
    time { "$@" >"$work/out" 2>"$work/err"; echo $? >"$work/status"; }
  } 2>&1 )
  status=$(<"$work/status")
  read -r real user sys <<<"$timing"
  cpu=$(awk -v u="$user" -v s="$sys" 'BEGIN { printf "%.3f", u + s }')
  local note="exit $status"
  if [ "$status" -gt 128 ]; then
    note="CRASHED (signal $((status - 128)))"
  fi
  names+=("$name")
  times+=("$real")
  cpus+=("$cpu")
  notes+=("$note")
  printf '   %-22s %9s s wall %9s s cpu   %s\n' "$name" "$real" "$cpu" "$note"
}

echo "== running"
measure "kestrum -j 1" "$kestrum" -q -j 1 -x "C;H" "$tree"
kestrum_status=${notes[-1]}
measure "kestrum -j $cores" "$kestrum" -q -j "$cores" -x "C;H" "$tree"
"$kestrum" -q -j 1 -x "C;H" "$tree" >"$work/one.txt" 2>/dev/null
"$kestrum" -q -j "$cores" -x "C;H" "$tree" >"$work/all.txt" 2>/dev/null
if cmp -s "$work/one.txt" "$work/all.txt"; then
  echo "   (output of -j 1 and -j $cores identical)"
else
  echo "   WARNING: output of -j 1 and -j $cores differ"
fi
grep -m1 'source file(s)' "$work/one.txt" | sed 's/^[[:space:]~]*/   kestrum measured: /'

if [[ "$tools" != *" cloc "* ]]; then
  :
elif command -v cloc >/dev/null; then
  measure "cloc" cloc --quiet --list-file="$work/files"
else
  echo "   cloc: not installed, skipped"
fi
if [[ "$tools" != *" sloccount "* ]]; then
  :
elif command -v sloccount >/dev/null; then
  mkdir -p "$work/slocdata"
  measure "sloccount (tree)" sloccount --datadir "$work/slocdata" "$tree"
else
  echo "   sloccount: not installed, skipped"
fi
if [[ "$tools" != *" pmccabe "* ]]; then
  :
elif command -v pmccabe >/dev/null; then
  # In batches of 200 files. pmccabe crashes on some files, and xargs stops
  # at a child killed by a signal, so each batch runs under a shell that
  # measures a crashed batch again file by file and names each crashing file.
  measure "pmccabe" xargs -0 -n 200 sh -c '
    pmccabe "$@" 2>/dev/null
    [ $? -le 128 ] && exit 0
    for f in "$@"; do
      pmccabe "$f" 2>/dev/null
      [ $? -gt 128 ] && echo "pmccabe crashed on $f" >&2
    done
    exit 0' sh <"$work/files0"
  crashes=$(grep -c '^pmccabe crashed on' "$work/err" || true)
  echo "   pmccabe crashed on $crashes files (their batches were measured again file by file)"
else
  echo "   pmccabe: not installed, skipped"
fi

echo "== results over $mb MB of C and header files"
base=${times[0]}
base_cpu=${cpus[0]}
printf '   %-22s %9s %9s %10s %10s %12s\n' "tool" "wall s" "cpu s" "MB/s wall" "MB/s cpu" \
  "x kestrum -j1 (cpu)"
best_other=""
for i in "${!names[@]}"; do
  t=${times[$i]}
  c=${cpus[$i]}
  rate=$(awk -v m="$mb" -v t="$t" 'BEGIN { printf "%.1f", (t > 0 ? m / t : 0) }')
  crate=$(awk -v m="$mb" -v t="$c" 'BEGIN { printf "%.1f", (t > 0 ? m / t : 0) }')
  ratio=$(awk -v t="$c" -v b="$base_cpu" 'BEGIN { printf "%.2f", (b > 0 ? t / b : 0) }')
  printf '   %-22s %9s %9s %10s %10s %12s\n' "${names[$i]}" "$t" "$c" "$rate" "$crate" "$ratio"
  if [[ "${names[$i]}" != kestrum* ]] && [[ "${notes[$i]}" != CRASHED* ]]; then
    if [ -z "$best_other" ] || awk -v a="$c" -v b="$best_other" 'BEGIN { exit !(a < b) }'; then
      best_other=$c
      best_wall=$t
      best_name=${names[$i]}
    fi
  fi
done
if [ -n "$best_other" ]; then
  speedup=$(awk -v o="$best_other" -v b="$base_cpu" 'BEGIN { printf "%.1f", (b > 0 ? o / b : 0) }')
  wspeedup=$(awk -v o="$best_wall" -v b="$base" 'BEGIN { printf "%.1f", (b > 0 ? o / b : 0) }')
  echo "   kestrum on one thread is ${speedup}x as fast as the fastest other tool" \
    "($best_name) in processor time, ${wspeedup}x in wall time"
fi
scaling=$(awk -v a="${times[0]}" -v b="${times[1]}" 'BEGIN { printf "%.2f", (b > 0 ? a / b : 0) }')
echo "   kestrum on $cores threads: ${scaling}x the wall-time speed of one thread"
echo "   kestrum -j 1 ended with: $kestrum_status"
echo "   machine load while measuring: $(cut -d' ' -f1-3 /proc/loadavg) on $cores cores"
