#!/usr/bin/env bash
# Start-up time and peak memory of lumivar.exe under Wine against
# win32_controls_window.exe, the floor of its own controls: a window of the
# same client size and styles, built the same way, holding the same child
# controls with the same classes, styles, places and start-up texts, plain
# (default GUI font, no colours, picture, icon, subclasses, accessibility or
# DPI work; bench/win32_controls_window.cpp); on a private Xvfb display with
# no window manager; and the size of lumivar.exe. For reference it also
# measures win32_text_window.exe, a window with one group box and one edit
# box in the Song face (bench/win32_text_window.cpp), which shows more of
# Wine's cost per control than of Lumivar's own: no target.
#
#   bench/wine_startup.sh WINDOWS_BUILD_DIR MAP_PROBE [ROUNDS]   (default 21)
#
# WINDOWS_BUILD_DIR is the cross build (make windows: build/windows), and
# MAP_PROBE bench/map_probe as make bench builds it (build/bench/bench).
#
# The runs use a Wine prefix of their own, WINDOWS_BUILD_DIR/wineprefix-bench
# (or $WINEPREFIX), so that they never stop the tests' Wine: it is booted
# once, and its wineserver (persistent) and background processes are started
# on the display before the first round and checked to be running before
# every round. Each run is then only the program's own process: Wine's
# loader started from map_probe, which times it from just before fork()
# until the X server reports the window mapped, gives it 300 ms to paint and
# closes it with WM_DELETE_WINDOW. The loader becomes the process that runs
# the .exe (same process id), so map_probe's figure for its child's peak
# resident set size is that of the program's process, not the wineserver's.
#
# Each round runs every program, in an order that rotates from round to
# round; two warm-up rounds are not counted. The figures are the median of
# the per-round ratios (lumivar.exe / win32_controls_window.exe) with its 95 %
# interval, and the medians of each program beside them. Targets: start-up
# ratio <= 1.25 and peak-memory ratio <= 1.12, judged from 31 rounds on, and
# lumivar.exe <= 1.5 MB (1 572 864 bytes), its fonts and picture embedded.
set -euo pipefail

usage="usage: bench/wine_startup.sh WINDOWS_BUILD_DIR MAP_PROBE [ROUNDS]"
windows=${1:?$usage}
probe=${2:?$usage}
rounds=${3:-21}
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
# shellcheck source=SCRIPTDIR/../tests/e2e/xvfb.sh
source "$root/tests/e2e/xvfb.sh"
# shellcheck source=SCRIPTDIR/rounds.sh
source "$root/bench/rounds.sh"

lumivar=$windows/win32/lumivar.exe
controls=$windows/bench/win32_controls_window.exe
text=$windows/bench/win32_text_window.exe
for f in "$lumivar" "$controls" "$text"; do
  [ -f "$f" ] || { echo "wine_startup: $f is not built (make windows)" >&2; exit 1; }
done
[ -x "$probe" ] || { echo "wine_startup: $probe is not built (make bench)" >&2; exit 1; }
windows=$(cd "$windows" && pwd)

# Wine's environment as tools/wine-run sets it, in a prefix of its own, but
# the loader is started directly, without wine-run's check of the prefix,
# which is done here once.
export WINEPREFIX=${WINEPREFIX:-$windows/wineprefix-bench}
# shellcheck source=../tools/wine-env
source "$root/tools/wine-env"
wine=$LUMIVAR_WINE

scratch=$(mktemp -d)
cleanup() {
  set +e
  "$root/tools/wine-prefix" stop
  stop_xvfb
  rm -rf "$scratch"
}
export XDG_RUNTIME_DIR="$scratch/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
start_xvfb
trap cleanup EXIT

# Wine's desktop process keeps the display it started on: the prefix's
# processes are ended, then started again on this one.
"$root/tools/wine-prefix" stop
"$root/tools/wine-prefix" start

# wineserver works in a folder named after the prefix's device and inode.
server_folder=server-$(stat -c %D "$WINEPREFIX")-$(printf %x "$(stat -c %i "$WINEPREFIX")")
server_running() {
  local pid
  for pid in $(pgrep -x 'wineserver(64)?'); do
    case $(readlink "/proc/$pid/cwd" 2>/dev/null) in */"$server_folder") return 0 ;; esac
  done
  return 1
}
restarts=0
ensure_server() {
  server_running && return 0
  restarts=$((restarts + 1))
  "$root/tools/wine-prefix" start
  server_running || { echo "wine_startup: wineserver does not stay up" >&2; exit 1; }
}

title=$(lumivar_title)
# name, window title, program
programs=(
  "lumivar|$title|$lumivar"
  "controls|win32_controls_window|$controls"
  "text|win32_text_window|$text"
)

# One run: prints "<map ms> <peak RSS kB>".
measure() {
  local line
  line=$("$probe" --title "$1" --timeout-ms 60000 -- "$wine" "$2") ||
    { echo "wine_startup: no window from $2" >&2; exit 1; }
  echo "$line" | sed -E 's/^map_ms=([0-9.]+) exit=[0-9]+ maxrss_kb=([0-9]+).*/\1 \2/'
}

before_round() { ensure_server; }
run_rounds "$rounds"
read -r ms_ratio ms_lo ms_hi <<<"$(ratios lumivar controls 1 | median_interval)"
read -r kb_ratio kb_lo kb_hi <<<"$(ratios lumivar controls 2 | median_interval)"
read -r text_ms text_ms_lo text_ms_hi <<<"$(ratios lumivar text 1 | median_interval)"
read -r text_kb text_kb_lo text_kb_hi <<<"$(ratios lumivar text 2 | median_interval)"

size=$(stat -c %s "$lumivar")
echo "lumivar.exe under $("$wine" --version 2>/dev/null || echo Wine) on Xvfb $DISPLAY, $rounds rounds" \
  "(wineserver restarted before $restarts of them):"
awk -v lm="$(median "$scratch/lumivar" 1)" -v tm="$(median "$scratch/controls" 1)" \
  -v lk="$(median "$scratch/lumivar" 2)" -v tk="$(median "$scratch/controls" 2)" \
  -v xm="$(median "$scratch/text" 1)" -v xk="$(median "$scratch/text" 2)" \
  -v xr="$text_ms" -v xlo="$text_ms_lo" -v xhi="$text_ms_hi" \
  -v xkr="$text_kb" -v xklo="$text_kb_lo" -v xkhi="$text_kb_hi" \
  -v tr="$ms_ratio" -v tlo="$ms_lo" -v thi="$ms_hi" -v mr="$kb_ratio" -v mlo="$kb_lo" \
  -v mhi="$kb_hi" -v size="$size" -v n="$rounds" 'BEGIN {
  limit = 1.5 * 1024 * 1024
  judged = n >= 31
  printf "  %-30s %11s %11s %8s %-15s %8s  %s\n", "medians", "lumivar.exe", "controls",
         "ratio", "[95 % interval]", "(of med.)", "target"
  printf "  %-30s %11.1f %11.1f %8.3f [%.3f, %.3f] %8.3f  <= 1.25 %s\n",
         "process start to mapped, ms", lm, tm, tr, tlo, thi, lm / tm, verdict(tr <= 1.25)
  printf "  %-30s %11d %11d %8.3f [%.3f, %.3f] %8.3f  <= 1.12 %s\n",
         "peak RSS of its process, kB", lk, tk, mr, mlo, mhi, lk / tk, verdict(mr <= 1.12)
  printf "  %-30s %11d %11s %8s %15s %8s  <= %d %s\n", "lumivar.exe, bytes", size, "", "", "", "",
         limit, size <= limit ? "met" : "MISSED"
  printf "  for reference, against win32_text_window.exe (one edit box; no target):\n"
  printf "  %-30s %11.1f %11.1f %8.3f [%.3f, %.3f]\n", "process start to mapped, ms", lm, xm,
         xr, xlo, xhi
  printf "  %-30s %11d %11d %8.3f [%.3f, %.3f]\n", "peak RSS of its process, kB", lk, xk,
         xkr, xklo, xkhi
  met = tr <= 1.25 && mr <= 1.12 && size <= limit && judged
  if (!judged) print "  fewer than 31 rounds: the ratios are not judged"
  printf "  (ratio: median of the per-round ratios; of med.: ratio of the medians)\n"
  printf "  verdict: %s\n", met ? "all targets met" : "TARGET MISSED"
}
function verdict(ok) { return !judged ? "not judged" : ok ? "met" : "MISSED" }'
for name in lumivar controls text; do
  printf '  all runs, ms  %-9s %s\n' "$name:" "$(cut -d' ' -f1 "$scratch/$name" | sort -g | tr '\n' ' ')"
done
for name in lumivar controls text; do
  printf '  all runs, kB  %-9s %s\n' "$name:" "$(cut -d' ' -f2 "$scratch/$name" | sort -g | tr '\n' ' ')"
done
