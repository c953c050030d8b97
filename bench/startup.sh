#!/usr/bin/env bash
# Start-up time and peak memory of lumivar against a bare Qt window of the
# same size, on a private Xvfb display with no window manager. For reference
# it also measures edit_window, the bare window with one edit box in it.
#
#   bench/startup.sh BUILD_DIR [RUNS]      (RUNS per program, default 21)
#
# Each run is timed by map_probe from just before fork() until the X server
# reports the program's top-level window mapped. The program then gets 300 ms
# to paint before it is closed with WM_DELETE_WINDOW; /usr/bin/time -v wraps
# it and reports its peak resident set size. Each round runs every program
# once, and the order rotates from round to round, so drift in the machine's
# load hits all alike. Two warm-up rounds (not counted) fill the page cache.
set -euo pipefail

build=${1:?usage: bench/startup.sh BUILD_DIR [RUNS]}
runs=${2:-21}
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=SCRIPTDIR/../tests/e2e/xvfb.sh
source "$here/../tests/e2e/xvfb.sh"

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

# One round: every program once, starting with program number $1; the
# figures go to a file per program unless $2 is "warm-up".
round() {
  local first=$1 k name title program
  for ((k = 0; k < ${#programs[@]}; k++)); do
    IFS='|' read -r name title program <<<"${programs[(first + k) % ${#programs[@]}]}"
    if [ "${2:-}" = warm-up ]; then
      measure "$title" "$program" >/dev/null
    else
      measure "$title" "$program" >>"$scratch/$name"
    fi
  done
}

round 0 warm-up
round 1 warm-up
: >"$scratch/lumivar"
: >"$scratch/bare"
: >"$scratch/edit"
for ((i = 0; i < runs; i++)); do
  round "$i"
done

median() {  # column of a file
  sort -g -k"$2" "$1" | awk -v c="$2" '{v[NR]=$c} END {
    if (NR % 2) print v[(NR+1)/2]; else printf "%.3f\n", (v[NR/2]+v[NR/2+1])/2 }'
}

lum_ms=$(median "$scratch/lumivar" 1)
bare_ms=$(median "$scratch/bare" 1)
edit_ms=$(median "$scratch/edit" 1)
lum_kb=$(median "$scratch/lumivar" 2)
bare_kb=$(median "$scratch/bare" 2)
edit_kb=$(median "$scratch/edit" 2)

echo "Start-up on Xvfb $DISPLAY, $runs rounds (medians):"
awk -v lm="$lum_ms" -v bm="$bare_ms" -v lk="$lum_kb" -v bk="$bare_kb" 'BEGIN {
  tr = lm / bm; mr = lk / bk
  printf "  %-26s %12s %12s %8s  %s\n", "", "lumivar", "bare_window", "ratio", "target"
  printf "  %-26s %12.1f %12.1f %8.3f  <= 1.15 %s\n", "process start to mapped, ms", lm, bm, tr,
         tr <= 1.15 ? "met" : "MISSED"
  printf "  %-26s %12d %12d %8.3f  <= 1.15 %s\n", "peak RSS, kB", lk, bk, mr,
         mr <= 1.15 ? "met" : "MISSED"
}'
echo "For reference, edit_window (the bare window with one edit box holding a digit):"
awk -v lm="$lum_ms" -v bm="$bare_ms" -v em="$edit_ms" -v lk="$lum_kb" -v bk="$bare_kb" \
  -v ek="$edit_kb" 'BEGIN {
  printf "  %-26s %12s %16s %18s\n", "", "edit_window", "edit / bare", "lumivar / edit"
  printf "  %-26s %12.1f %16.3f %18.3f\n", "process start to mapped, ms", em, em / bm, lm / em
  printf "  %-26s %12d %16.3f %18.3f\n", "peak RSS, kB", ek, ek / bk, lk / ek
}'
for name in lumivar bare edit; do
  printf '  all runs, ms  %-8s %s\n' "$name:" "$(cut -d' ' -f1 "$scratch/$name" | sort -g | tr '\n' ' ')"
done
