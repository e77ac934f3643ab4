#!/usr/bin/env bash
# Process-level speed of the console program; each figure is a ratio of two
# times measured in the same run on this machine (best of several rounds,
# the two commands taking turns, as the machine is shared):
#   1. batch:    `tarvex convert` of corpus files to format 1 into a folder,
#                against `cp` of the same files into a folder, in memory
#                (/dev/shm): into a new folder (target <= 1.5) and into a
#                folder whose outputs exist (target <= 1.7); for the whole
#                corpus and for a sample of every fourth file.
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
rounds="${ROUNDS:-7}"
per_file_count="${PER_FILE_COUNT:-200}"
[ -x "$tarvex" ] || { echo "no $tarvex: build it first" >&2; exit 2; }
[ -d "${TARVEX_CORPUS:-}" ] || { echo "set TARVEX_CORPUS to a folder of airfoil files" >&2; exit 2; }

mapfile -t files < <(find "$TARVEX_CORPUS" -maxdepth 1 -type f | sort)
echo "corpus: ${#files[@]} files, $(du -sh "$TARVEX_CORPUS" | cut -f1)"

now() { date +%s%N; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b == 0) b = 1; printf "%.2f", a / b }'; }
# Microseconds of "$@".
time_us() {
  local t0 t1
  t0=$(now)
  "$@" >/dev/null 2>&1 || true
  t1=$(now)
  echo $(((t1 - t0) / 1000))
}

base=/dev/shm/tarvex-batch-bench
[ -d /dev/shm ] || base="$(pwd)/$build/batch-bench"
# The batch of "$@" both ways, best of $rounds each, the two taking turns;
# with "existing" both outputs are left from the round before.
batch() {
  local mode="$1"
  shift
  local batch_files=("$@") best_t="" best_c="" t c
  rm -rf "$base" && mkdir -p "$base/t" "$base/c"
  for _ in $(seq "$rounds"); do
    if [ "$mode" = new ]; then rm -rf "$base/t" "$base/c" && mkdir -p "$base/t" "$base/c"; fi
    t=$(time_us "$tarvex" convert "${batch_files[@]}" -f 1 -q -d "$base/t")
    c=$(time_us cp -- "${batch_files[@]}" "$base/c/")
    if [ -z "$best_t" ] || [ "$t" -lt "$best_t" ]; then best_t=$t; fi
    if [ -z "$best_c" ] || [ "$c" -lt "$best_c" ]; then best_c=$c; fi
  done
  local made
  made=$(find "$base/t" -type f | wc -l)
  rm -rf "$base"
  echo "$best_t $best_c $made"
}

sample=()
for ((i = 0; i < ${#files[@]}; i += 4)); do sample+=("${files[i]}"); done
for set in corpus sample; do
  if [ "$set" = corpus ]; then chosen=("${files[@]}"); else chosen=("${sample[@]}"); fi
  for mode in new existing; do
    read -r t c made < <(batch "$mode" "${chosen[@]}")
    target=1.5
    [ "$mode" = existing ] && target=1.7
    echo "1. batch of the $set (${#chosen[@]} files, $made written) into $([ "$mode" = new ] && echo "a new" || echo "an existing") folder:" \
         "tarvex $((t / 1000)) ms, cp $((c / 1000)) ms: ratio $(ratio "$t" "$c") (target <= $target)"
  done
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
xfoil_sample=()
for f in "${files[@]}"; do
  [ ${#xfoil_sample[@]} -ge "$per_file_count" ] && break
  rm -f probe.out
  if timeout 10 bash -c "$(declare -f xfoil_file); xfoil_file '$f' probe.out" >/dev/null 2>&1 &&
     [ -s probe.out ] && "$tarvex" convert "$f" -f 1 -o probe.geo >/dev/null 2>&1; then
    xfoil_sample+=("$f")
  fi
done
rm -f probe.out probe.geo
out="$work/out"
tarvex_each() {
  local i=0
  for f in "${xfoil_sample[@]}"; do "$tarvex" convert "$f" -f 1 -o "$out/$i.geo"; i=$((i + 1)); done
}
xfoil_each() {
  local i=0
  for f in "${xfoil_sample[@]}"; do xfoil_file "$f" "$out/$i.dat"; i=$((i + 1)); done
}
best_ms() {
  local best="" us
  for _ in $(seq "$rounds"); do
    rm -rf "$out" && mkdir -p "$out"
    us=$(time_us "$@")
    if [ -z "$best" ] || [ "$us" -lt "$best" ]; then best=$us; fi
  done
  echo $((best / 1000))
}
tarvex_ms=$(best_ms tarvex_each)
xfoil_ms=$(best_ms xfoil_each)
n=${#xfoil_sample[@]}
echo "2. per file ($n files): tarvex $(ratio "$tarvex_ms" "$n") ms/file, xfoil" \
     "$(ratio "$xfoil_ms" "$n") ms/file: tarvex $(ratio "$xfoil_ms" "$tarvex_ms")x faster" \
     "(target >= 2)"
cd / && rm -rf "$work"
