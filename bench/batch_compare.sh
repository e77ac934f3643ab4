#!/usr/bin/env bash
# Process-level speed of the console program; each figure is a ratio of two
# times measured in the same run on this machine (best of several rounds, as
# the machine is shared):
#   1. batch:    `tarvex convert` of every corpus file to format 1 into a
#                folder, against `cp` of the same files into a folder; once
#                with both folders in memory (/dev/shm) and once on disk.
#                Target: within 3x of the copy.
#   2. per file: one `tarvex convert` process per file, against one XFOIL
#                process loading and saving the same file. Target: at least
#                2x faster.
# Not part of the test suite.
#   TARVEX_CORPUS=/path/to/airfoils bench/batch_compare.sh [build folder]
# The build folder (default build/release) must hold bin/tarvex.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build/release}"
tarvex="$(cd "$build/bin" && pwd)/tarvex"
rounds="${ROUNDS:-5}"
per_file_count="${PER_FILE_COUNT:-200}"
[ -x "$tarvex" ] || { echo "no $tarvex: build it first" >&2; exit 2; }
[ -d "${TARVEX_CORPUS:-}" ] || { echo "set TARVEX_CORPUS to a folder of airfoil files" >&2; exit 2; }

mapfile -t files < <(find "$TARVEX_CORPUS" -maxdepth 1 -type f | sort)
echo "corpus: ${#files[@]} files, $(du -sh "$TARVEX_CORPUS" | cut -f1)"

now() { date +%s%N; }
# Best of $rounds: milliseconds of "$@", with $out emptied before each round.
best_ms() {
  local best="" t0 t1 ms
  for _ in $(seq "$rounds"); do
    rm -rf "$out" && mkdir -p "$out"
    sync
    t0=$(now)
    "$@" >/dev/null 2>&1 || true
    t1=$(now)
    ms=$(((t1 - t0) / 1000000))
    if [ -z "$best" ] || [ "$ms" -lt "$best" ]; then best=$ms; fi
  done
  echo "$best"
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b == 0) b = 1; printf "%.2f", a / b }'; }

convert_all() { "$tarvex" convert "${files[@]}" -f 1 -d "$out"; }
copy_all() { cp -- "${files[@]}" "$out/"; }

for place in memory disk; do
  if [ "$place" = memory ]; then
    [ -d /dev/shm ] || continue
    base=/dev/shm/tarvex-batch-bench
  else
    base="$(pwd)/$build/batch-bench"
  fi
  out="$base/out"
  convert_ms=$(best_ms convert_all)
  copy_ms=$(best_ms copy_all)
  converted=$(find "$out" -type f | wc -l)
  rm -rf "$out"
  # Count what the converter made on its own.
  mkdir -p "$out" && convert_all >/dev/null 2>"$base/summary.txt" || true
  echo "1. batch ($place, $base): tarvex convert ${convert_ms} ms" \
       "($(tail -1 "$base/summary.txt")), cp ${copy_ms} ms ($converted files):" \
       "ratio $(ratio "$convert_ms" "$copy_ms") (target <= 3)"
  rm -rf "$base"
done

if ! command -v xfoil >/dev/null; then
  echo "2. per file: xfoil not installed, skipped"
  exit 0
fi
work=/dev/shm/tarvex-per-file-bench
[ -d /dev/shm ] || work="$(pwd)/$build/per-file-bench"
rm -rf "$work" && mkdir -p "$work"
cd "$work"
xfoil_file() {
  printf 'PLOP\nG F\n\nLOAD %s\n\nSAVE %s\n\nQUIT\n' "$1" "$2" | env -u DISPLAY xfoil
}
# The files both programs read: XFOIL stops on some layouts (and crashes on
# a few), so the comparison uses the first files it loads and saves.
sample=()
for f in "${files[@]}"; do
  [ ${#sample[@]} -ge "$per_file_count" ] && break
  rm -f probe.out
  if timeout 10 bash -c "$(declare -f xfoil_file); xfoil_file '$f' probe.out" >/dev/null 2>&1 &&
     [ -s probe.out ] && "$tarvex" convert "$f" -f 1 -o probe.geo >/dev/null 2>&1; then
    sample+=("$f")
  fi
done
rm -f probe.out probe.geo
out="$work/out"
tarvex_each() {
  local i=0
  for f in "${sample[@]}"; do "$tarvex" convert "$f" -f 1 -o "$out/$i.geo"; i=$((i + 1)); done
}
xfoil_each() {
  local i=0
  for f in "${sample[@]}"; do xfoil_file "$f" "$out/$i.dat"; i=$((i + 1)); done
}
tarvex_ms=$(best_ms tarvex_each)
xfoil_ms=$(best_ms xfoil_each)
n=${#sample[@]}
echo "2. per file ($n files): tarvex $(ratio "$tarvex_ms" "$n") ms/file, xfoil" \
     "$(ratio "$xfoil_ms" "$n") ms/file: tarvex $(ratio "$xfoil_ms" "$tarvex_ms")x faster" \
     "(target >= 2)"
cd / && rm -rf "$work"
