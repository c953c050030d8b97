#!/usr/bin/env bash
# Start-up time and peak memory of lumivar against a bare Qt window of the
# same size, on a private Xvfb display with no window manager.
#
#   bench/startup.sh BUILD_DIR [RUNS]      (RUNS per program, default 21)
#
# Each run is timed by map_probe from just before fork() until the X server
# reports the program's top-level window mapped. The program then gets 300 ms
# to paint before it is closed with WM_DELETE_WINDOW; /usr/bin/time -v wraps
# it and reports its peak resident set size. The two programs alternate, and
# which goes first swaps every round, so drift in the machine's load hits
# both alike. Two warm-up runs of each (not counted) fill the page cache.
set -euo pipefail

build=${1:?usage: bench/startup.sh BUILD_DIR [RUNS]}
runs=${2:-21}
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=bench/xvfb.sh
source "$here/xvfb.sh"

probe="$build/bench/map_probe"
lumivar="$build/app/lumivar"
bare="$build/bench/bare_window"
for f in "$probe" "$lumivar" "$bare"; do
  [ -x "$f" ] || { echo "startup: $f is not built" >&2; exit 1; }
done

lumivar_title="Lumivar直选条件预测V2.5"
bare_title="bare_window"

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

for _ in 1 2; do
  measure "$lumivar_title" "$lumivar" >/dev/null
  measure "$bare_title" "$bare" >/dev/null
done

: >"$scratch/lumivar"
: >"$scratch/bare"
for ((i = 0; i < runs; i++)); do
  if ((i % 2 == 0)); then
    measure "$lumivar_title" "$lumivar" >>"$scratch/lumivar"
    measure "$bare_title" "$bare" >>"$scratch/bare"
  else
    measure "$bare_title" "$bare" >>"$scratch/bare"
    measure "$lumivar_title" "$lumivar" >>"$scratch/lumivar"
  fi
done

median() {  # column of a file
  sort -g -k"$2" "$1" | awk -v c="$2" '{v[NR]=$c} END {
    if (NR % 2) print v[(NR+1)/2]; else printf "%.3f\n", (v[NR/2]+v[NR/2+1])/2 }'
}

lum_ms=$(median "$scratch/lumivar" 1)
bare_ms=$(median "$scratch/bare" 1)
lum_kb=$(median "$scratch/lumivar" 2)
bare_kb=$(median "$scratch/bare" 2)

echo "Start-up on Xvfb $DISPLAY, $runs alternating runs each (medians):"
awk -v lm="$lum_ms" -v bm="$bare_ms" -v lk="$lum_kb" -v bk="$bare_kb" 'BEGIN {
  tr = lm / bm; mr = lk / bk
  printf "  %-26s %12s %12s %8s  %s\n", "", "lumivar", "bare_window", "ratio", "target"
  printf "  %-26s %12.1f %12.1f %8.3f  <= 1.15 %s\n", "process start to mapped, ms", lm, bm, tr,
         tr <= 1.15 ? "met" : "MISSED"
  printf "  %-26s %12d %12d %8.3f  <= 1.15 %s\n", "peak RSS, kB", lk, bk, mr,
         mr <= 1.15 ? "met" : "MISSED"
}'
printf '  all runs, ms  lumivar:    %s\n' "$(cut -d' ' -f1 "$scratch/lumivar" | sort -g | tr '\n' ' ')"
printf '  all runs, ms  bare_window: %s\n' "$(cut -d' ' -f1 "$scratch/bare" | sort -g | tr '\n' ' ')"
