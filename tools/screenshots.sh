#!/usr/bin/env bash
# Starts Alvane on a virtual X server, converts a sample section and photographs the
# main window (German and English), the zoom window, both dialogs, the help and the
# about box.
#
#   tools/screenshots.sh [build-dir]      (default build/run, where ./dev run builds)
#
# The pictures go to build/screenshots/ (or $SCREENSHOT_DIR); the window titles are
# printed, since without a window manager they are not drawn. Needs xvfb-run, xdotool
# and ImageMagick's import. The click positions fit the main window's default layout.
set -euo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$(cd "${1:-$repo/build/run}" && pwd)"
out="${SCREENSHOT_DIR:-$repo/build/screenshots}"
alvane="$build/bin/alvane"

for tool in xvfb-run xdotool import; do
  command -v "$tool" >/dev/null || { echo "screenshots: $tool is missing" >&2; exit 1; }
done
[[ -x "$alvane" ]] || { echo "screenshots: $alvane has not been built" >&2; exit 1; }

if [[ "${ALVANE_SCREENSHOTS_ON_DISPLAY:-}" != 1 ]]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" \
    env ALVANE_SCREENSHOTS_ON_DISPLAY=1 SCREENSHOT_DIR="$out" "$0" "$build"
fi

mkdir -p "$out"
scratch="$(mktemp -d)"
alvane_pid=""
cleanup() {
  [[ -n "$alvane_pid" ]] && kill "$alvane_pid" 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT

# Settings of their own, starting in German.
export XDG_CONFIG_HOME="$scratch/config"
mkdir -p "$XDG_CONFIG_HOME/Wendlow" "$scratch/work"
printf '[Alvane]\nLanguage=1\n' >"$XDG_CONFIG_HOME/Wendlow/Alvane.ini"

# A NACA 2412 section, 61 points from the trailing edge over the upper surface and back.
awk 'BEGIN {
  pi = atan2(0, -1); n = 30; print "NACA 2412"
  for (i = -n; i <= n; i++) {
    a = i < 0 ? -i : i; x = 0.5 * (1 - cos(pi * a / n))
    t = 0.6 * (0.2969 * sqrt(x) - 0.126 * x - 0.3516 * x^2 + 0.2843 * x^3 - 0.1036 * x^4)
    c = x < 0.4 ? 0.02 / 0.16 * (0.8 * x - x^2) : 0.02 / 0.36 * (0.2 + 0.8 * x - x^2)
    printf "%.6f  %.6f\n", x, (i <= 0 ? c + t : c - t)
  }
}' >"$scratch/work/naca2412.dat"

shot() {  # name window-id
  sleep 0.8
  import -window root "$out/$1.png"
  echo "$out/$1.png  [$(xdotool getwindowname "$2")]"
}
click() { xdotool mousemove "$1" "$2" click 1; }
wait_for() { xdotool search --sync --name "$1" | head -1; }

cd "$scratch/work"
"$alvane" "$scratch/work/naca2412.dat" &
alvane_pid=$!

main="$(wait_for '^Alvane - Koordinaten-Konverter$')"
xdotool windowfocus "$main"
xdotool key alt+k                                  # Konvertieren
shot 01-main-de "$main"

click 490 540                                      # the preview
zoom="$(wait_for '^Zoom$')"
shot 02-zoom "$zoom"
click 490 540                                      # a click in the zoom closes it

click 405 259                                      # Standard x-Stationen...
stations="$(wait_for '^Standard x-Stationen$')"
shot 03-stations-de "$stations"
xdotool key Escape

click 371 313                                      # Verzerren...
distort="$(wait_for '^Airfoil Distorsion$')"
xdotool key Tab ctrl+a
xdotool type 1.2
shot 04-distort-de "$distort"
xdotool key Return

xdotool windowfocus "$main"
xdotool key F1
help="$(wait_for '^Alvane Hilfe')"
shot 05-help-de "$help"
xdotool windowraise "$main"
xdotool windowfocus "$main"

click 597 415                                      # the language list
sleep 0.5
xdotool key Down Return
xdotool key alt+c                                  # Convert, now thickened by 1.2
shot 06-main-en "$main"

xdotool key alt+h
sleep 0.5
shot 07-help-en "$help"
xdotool windowraise "$main"
xdotool windowfocus "$main"

click 405 259                                      # Standard x-Stations...
stations="$(wait_for '^Standard x-Stations$')"
shot 08-stations-en "$stations"
xdotool key Escape

xdotool windowfocus "$main"
xdotool key alt+a                                  # About...
about="$(wait_for '^About Alvane$')"
shot 09-about-en "$about"
