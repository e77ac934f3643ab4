#!/usr/bin/env bash
# Writes the outputs of every format for every corpus file, with and without
# comments, plain, redistributed onto the default and onto custom stations, and
# at the input's own size, into one folder per variant. Two such folders made
# before and after a change to the engine must be byte-identical.
#   tools/corpus_outputs.sh OUT [TARVEX] [CORPUS]
#   tools/corpus_outputs.sh --compare BEFORE AFTER
# TARVEX defaults to build/dev/bin/tarvex, CORPUS to $TARVEX_CORPUS; FORMATS
# (the format numbers) to 1 to 17. The files go to the program 200 at a time,
# within the command-line length Windows allows.
set -euo pipefail

if [ "${1:-}" = "--compare" ]; then
  before="$2" after="$3"
  if diff -rq "$before" "$after" >/tmp/corpus-compare.$$ 2>&1; then
    echo "identical: $(find "$before" -type f | wc -l) files"
    rm -f /tmp/corpus-compare.$$
    exit 0
  fi
  echo "$(wc -l </tmp/corpus-compare.$$) differences; the first ones:"
  head -20 /tmp/corpus-compare.$$
  rm -f /tmp/corpus-compare.$$
  exit 1
fi

out="${1:?usage: tools/corpus_outputs.sh OUT [TARVEX] [CORPUS]}"
tarvex="${2:-build/dev/bin/tarvex}"
corpus="${3:-${TARVEX_CORPUS:?set TARVEX_CORPUS or name the corpus folder}}"
mkdir -p "$out"
out="$(cd "$out" && pwd)"

# The command line's comment switch changed its default once; ask it.
if "$tarvex" convert --help | grep -qE '^ +--comments'; then
  with_comments=(--comments) without_comments=()
else
  with_comments=() without_comments=(--no-comments)
fi

variants=(
  "plain|"
  "redistributed|--redistribute"
  "stations|--redistribute --stations 0/0.02/0.05/0.1/0.2/0.3/0.45/0.6/0.8/0.95/1"
  "keepsize|--keep-size"
)

mapfile -t files < <(find "$corpus" -maxdepth 1 -type f | sort)
for variant in "${variants[@]}"; do
  name="${variant%%|*}"
  read -r -a options <<<"${variant#*|}"
  for comments in with without; do
    if [ "$comments" = with ]; then switch=("${with_comments[@]}"); else switch=("${without_comments[@]}"); fi
    for format in ${FORMATS:-$(seq 1 17)}; do
      folder="$out/$name-$comments/f$format"
      mkdir -p "$folder"
      # Failures are part of the result: their messages go beside the outputs.
      : >"$out/$name-$comments/f$format.log"
      for ((first = 0; first < ${#files[@]}; first += 200)); do
        "$tarvex" convert "${files[@]:first:200}" -f "$format" -d "$folder" "${switch[@]}" \
          "${options[@]}" 2>>"$out/$name-$comments/f$format.log" >/dev/null || true
      done
      # The messages' wording may change; which files failed may not.
      grep -o "^tarvex: [^:]*" "$out/$name-$comments/f$format.log" | sort \
        >"$out/$name-$comments/f$format.failed" || true
      rm "$out/$name-$comments/f$format.log"
    done
  done
done
echo "written: $(find "$out" -type f | wc -l) files in $out"
