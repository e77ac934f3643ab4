#!/usr/bin/env bash
# Kills `tarvex convert` at random moments and checks what it leaves:
#   - a batch of 1000 corpus files into a folder (half of the outputs exist
#     beforehand) and into one file that exists beforehand;
#   - one conversion of a section under 100 MB of comment lines over an
#     existing output.
# Every output must afterwards be its old content, its complete new content,
# or (for a file that did not exist) absent; never empty or torn. After
# SIGTERM no temporary file may remain; after SIGKILL only .tarvex-*.tmp
# files may. Not part of the test suite (it takes minutes).
#   TARVEX_CORPUS=/path/to/airfoils tools/kill_loop.sh [tarvex] [rounds per signal]
set -euo pipefail
tarvex="$(realpath "${1:-build/dev/bin/tarvex}")"
rounds="${2:-50}"
[ -d "${TARVEX_CORPUS:-}" ] || { echo "set TARVEX_CORPUS to a folder of airfoil files" >&2; exit 2; }
work="$(mktemp -d "${TMPDIR:-/tmp}/tarvex-kill.XXXXXX")"
trap 'rm -rf "$work"' EXIT
cd "$work"

mapfile -t files < <(find "$TARVEX_CORPUS" -maxdepth 1 -type f -name '*.dat' | sort | head -1000)
# The new content each output must have when complete.
mkdir expected
"$tarvex" convert "${files[@]}" -f 1 --comments -q -d expected || true
"$tarvex" convert "${files[@]}" -f 1 --comments -q -o expected.all || true
python3 - <<'EOF'
import random
random.seed(7)
lines = [f"; remark {i} " + "x" * random.randint(10, 60) for i in range(2_000_000)]
text = "BIG\n" + "\n".join(lines) + "\n"
with open("big.dat", "w") as f:
    f.write(text)
    for i in range(101):
        import math
        x = 0.5 * (1 + math.cos(math.pi * i / 100))
        f.write(f"{x:.7f} {0.06 * math.sqrt(x) * (1 - x):.7f}\n")
    for i in range(99, -1, -1):
        x = 0.5 * (1 + math.cos(math.pi * i / 100))
        f.write(f"{x:.7f} {-0.04 * math.sqrt(x) * (1 - x):.7f}\n")
EOF
"$tarvex" convert big.dat -f 1 --comments -q -o expected.big
echo "input under comments: $(du -h big.dat | cut -f1); its output $(du -h expected.big | cut -f1)"

temporaries=0 empty=0 torn=0 runs=0
check_file() {  # path, old content file or "", expected file
  local path="$1" old="$2" new="$3"
  if [ ! -e "$path" ]; then
    [ -z "$old" ] || { echo "lost: $path"; torn=$((torn + 1)); }
    return
  fi
  if [ ! -s "$path" ]; then empty=$((empty + 1)); echo "empty: $path"; return; fi
  if cmp -s "$path" "$new"; then return; fi
  if [ -n "$old" ] && cmp -s "$path" "$old"; then return; fi
  torn=$((torn + 1))
  echo "torn: $path"
}
count_temporaries() {  # folder, signal
  local n
  n=$(find "$1" -name '.tarvex-*.tmp' | wc -l)
  local others
  others=$(find "$1" -name '*.tmp' ! -name '.tarvex-*.tmp' | wc -l)
  if [ "$2" = TERM ]; then temporaries=$((temporaries + n + others)); else temporaries=$((temporaries + others)); fi
  find "$1" -name '.tarvex-*.tmp' -delete
}
run_and_kill() {  # signal, max delay in ms, command...
  local signal="$1" delay="$2"
  shift 2
  "$@" >/dev/null 2>&1 &
  local pid=$!
  sleep "$(awk -v m="$delay" -v r="$RANDOM" 'BEGIN { printf "%.3f", (r % m) / 1000 }')"
  kill "-$signal" "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  runs=$((runs + 1))
}

echo OLD >old.txt
for signal in TERM KILL; do
  for _ in $(seq "$rounds"); do
    # The folder batch: every other output exists beforehand.
    rm -rf out && mkdir out
    for ((i = 0; i < ${#files[@]}; i += 2)); do
      base="$(basename "${files[i]}" .dat)"
      cp old.txt "out/$base.geo"
    done
    run_and_kill "$signal" 1500 "$tarvex" convert "${files[@]}" -f 1 --comments -q -d out
    for ((i = 0; i < ${#files[@]}; ++i)); do
      base="$(basename "${files[i]}" .dat)"
      [ -e "expected/$base.geo" ] || continue
      if ((i % 2 == 0)); then check_file "out/$base.geo" old.txt "expected/$base.geo"
      else check_file "out/$base.geo" "" "expected/$base.geo"; fi
    done
    count_temporaries out "$signal"
    # The batch into one existing file.
    cp old.txt all.geo
    run_and_kill "$signal" 1500 "$tarvex" convert "${files[@]}" -f 1 --comments -q -o all.geo
    check_file all.geo old.txt expected.all
    # The big conversion over an existing file.
    cp old.txt big.geo
    run_and_kill "$signal" 2500 "$tarvex" convert big.dat -f 1 --comments -q -o big.geo
    check_file big.geo old.txt expected.big
    count_temporaries . "$signal"
  done
  echo "SIGNAL $signal: $runs runs so far; temporary files left $temporaries, empty outputs $empty, torn outputs $torn"
done
