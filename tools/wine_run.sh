#!/usr/bin/env bash
# Runs a program of the Windows build under Wine, in the build's own Wine
# prefix (made on first use), without Wine's debugging output. The Wine
# server is kept for a minute after the last program ends, so that a run of
# many tests does not start it for each.
#   tools/wine_run.sh PREFIX PROGRAM [ARGUMENT...]
set -euo pipefail
export WINEPREFIX="${1:?usage: tools/wine_run.sh PREFIX PROGRAM [ARGUMENT...]}"
shift
export WINEDEBUG=-all

find_wine() {
  local name
  for name in "$@"; do
    if command -v "$name" >/dev/null; then command -v "$name"; return 0; fi
    if [ -x "/usr/lib/wine/$name" ]; then echo "/usr/lib/wine/$name"; return 0; fi
  done
  echo "wine_run.sh: Wine is not installed (Debian: apt-get install wine64)" >&2
  exit 127
}
wine="$(find_wine wine64 wine)"
# Debian's Wine comes without its preloader, which would reserve Windows'
# fixed addresses before anything else is mapped. Its loader sits at a fixed
# address just below them, and with address randomisation the C heap after it
# lands anywhere in the gigabyte above: every few thousand starts it takes
# the shared user data page, and the program dies before main ("failed to map
# the shared user data") or fails later in odd ways. Without randomisation the
# heap starts right after the loader; the setting passes to the programs a
# program starts.
if setarch "$(uname -m)" -R true 2>/dev/null; then
  wine_command=(setarch "$(uname -m)" -R "$wine")
else
  wine_command=("$wine")
fi
server="$(find_wine wineserver64 wineserver)"

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  # One of the tests run side by side makes the prefix; no Mono or Gecko
  # installer is asked for.
  (
    flock 9
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
      WINEDLLOVERRIDES="mscoree,mshtml=" "${wine_command[@]}" wineboot --init </dev/null >/dev/null 2>&1 9>&- || true
    fi
  ) 9>"$WINEPREFIX/.lock"
fi
# Starts the server unless one runs for this prefix already. A server started
# now has none of Wine's own processes yet: the first program would start
# them, and they would hold its output open for as long as the server lives
# (a test listing read through a pipe would never end). They are started
# here, away from the program's output and from the lock, while runs side by
# side wait.
(
  flock 9
  if "$server" -p 60 </dev/null >/dev/null 2>&1 9>&-; then
    "${wine_command[@]}" wineboot </dev/null >/dev/null 2>&1 9>&- || true
  fi
) 9>"$WINEPREFIX/.lock"
exec "${wine_command[@]}" "$@"
