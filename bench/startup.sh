#!/usr/bin/env bash
# Start-up time and peak memory of lumivar against edit_window, the bare Qt
# window with one edit box in it: the least any window with an edit box pays
# (it initialises the font system and the accessibility bridge before it is
# mapped). bare_window, the empty window of the same size, is measured too,
# as a reference line. All run on a private Xvfb display with no window
# manager.
#
#   bench/startup.sh BUILD_DIR [ROUNDS] [SUMMARY_FILE]   (ROUNDS default 31)
#
# Each run is timed by map_probe from just before fork() until the X server
# reports the program's top-level window mapped. The program then gets 300 ms
# to paint before it is closed with WM_DELETE_WINDOW; /usr/bin/time -v wraps
# it and reports its peak resident set size. Each round runs every program
# once, and the order rotates from round to round, so drift in the machine's
# load hits all alike. Two warm-up rounds (not counted) fill the page cache.
#
# The figure judged is the median, over the rounds, of the ratio of two
# programs' figures in the same round; the load of a shared machine moves a
# single ratio of medians by about 0.1 from run to run. Beside it stands the
# 95 % confidence interval of that median, from order statistics (no
# assumption about the distribution). SUMMARY_FILE, if given, receives the
# figures as NAME=VALUE lines for bench/run.
set -euo pipefail

build=${1:?usage: bench/startup.sh BUILD_DIR [ROUNDS] [SUMMARY_FILE]}
runs=${2:-31}
summary=${3:-}
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=SCRIPTDIR/../tests/e2e/xvfb.sh
source "$here/../tests/e2e/xvfb.sh"
# shellcheck source=SCRIPTDIR/rounds.sh
source "$here/rounds.sh"

probe="$build/bench/map_probe"
lumivar="$build/app/lumivar"
bare="$build/bench/bare_window"
edit="$build/bench/edit_window"
for f in "$probe" "$lumivar" "$bare" "$edit"; do
  [ -x "$f" ] || { echo "startup: $f is not built" >&2; exit 1; }
done

title=$(lumivar_title)
# name, window title, program
programs=(
  "lumivar|$title|$lumivar"
  "bare|bare_window|$bare"
  "edit|edit_window|$edit"
)

scratch=$(mktemp -d)
export XDG_RUNTIME_DIR="$scratch/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=xcb
start_xvfb
trap 'stop_xvfb; rm -rf "$scratch"' EXIT

# One run: prints "<map ms> <peak RSS kB>".
measure() {
  local title=$1 program=$2 line rss
  line=$("$probe" --title "$title" -- /usr/bin/time -v -o "$scratch/time.txt" "$program")
  rss=$(sed -n 's/.*Maximum resident set size (kbytes): //p' "$scratch/time.txt")
  echo "${line#map_ms=}" | awk -v rss="$rss" '{print $1, rss}'
}

run_rounds "$runs"

lum_ms=$(median "$scratch/lumivar" 1)
bare_ms=$(median "$scratch/bare" 1)
edit_ms=$(median "$scratch/edit" 1)
lum_kb=$(median "$scratch/lumivar" 2)
bare_kb=$(median "$scratch/bare" 2)
edit_kb=$(median "$scratch/edit" 2)
read -r ms_ratio ms_lo ms_hi <<<"$(ratios lumivar edit 1 | median_interval)"
read -r kb_ratio kb_lo kb_hi <<<"$(ratios lumivar edit 2 | median_interval)"
read -r ref_ms ref_ms_lo ref_ms_hi <<<"$(ratios edit bare 1 | median_interval)"
read -r ref_kb ref_kb_lo ref_kb_hi <<<"$(ratios edit bare 2 | median_interval)"
read -r bare_ms_ratio _ _ <<<"$(ratios lumivar bare 1 | median_interval)"
read -r bare_kb_ratio _ _ <<<"$(ratios lumivar bare 2 | median_interval)"

echo "Start-up on Xvfb $DISPLAY, $runs rounds; medians of the runs:"
printf '  %-28s %12s %12s %12s\n' "" lumivar edit_window bare_window
printf '  %-28s %12.1f %12.1f %12.1f\n' "process start to mapped, ms" "$lum_ms" "$edit_ms" "$bare_ms"
printf '  %-28s %12.0f %12.0f %12.0f\n' "peak RSS, kB" "$lum_kb" "$edit_kb" "$bare_kb"
echo "Median of the per-round ratios [its 95 % interval]:"
printf '  %-28s %24s %24s\n' "" "start-up" "peak RSS"
row() {
  printf '  %-28s %8.3f [%.3f, %.3f] %8.3f [%.3f, %.3f]\n' "$@"
}
row "lumivar / edit_window" "$ms_ratio" "$ms_lo" "$ms_hi" "$kb_ratio" "$kb_lo" "$kb_hi"
row "edit_window / bare_window" "$ref_ms" "$ref_ms_lo" "$ref_ms_hi" "$ref_kb" "$ref_kb_lo" "$ref_kb_hi"
printf '  %-28s %8.3f %15s %8.3f\n' "lumivar / bare_window" "$bare_ms_ratio" "" "$bare_kb_ratio"
for name in lumivar edit bare; do
  printf '  all runs, ms  %-8s %s\n' "$name:" "$(cut -d' ' -f1 "$scratch/$name" | sort -g | tr '\n' ' ')"
done

if [ -n "$summary" ]; then
  printf '%s\n' "rounds=$runs" \
    "startup_ratio=$ms_ratio" "startup_low=$ms_lo" "startup_high=$ms_hi" \
    "rss_ratio=$kb_ratio" "rss_low=$kb_lo" "rss_high=$kb_hi" \
    "bare_startup_ratio=$bare_ms_ratio" "bare_rss_ratio=$bare_kb_ratio" >"$summary"
fi
