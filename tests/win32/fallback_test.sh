#!/usr/bin/env bash
# The copy of lumivar.exe built to find none of the newer Windows functions
# it looks up at run time ($LUMIVAR_FALLBACK_EXE), so that it takes the
# Windows 7 ways to its DPI and frame, shows the same window as lumivar.exe
# at 96 and at 144 DPI (Wine's LogPixels): the same client size and, after
# the same forecast, the same zones.
#
#   LUMIVAR_EXE=… LUMIVAR_FALLBACK_EXE=… LUMIVAR_PROBE=… tests/win32/fallback_test.sh
set -euo pipefail
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"
normal_exe=$LUMIVAR_EXE
fallback_exe=${LUMIVAR_FALLBACK_EXE:?set LUMIVAR_FALLBACK_EXE to the fallback build}

wine_e2e_setup
trap restore_dpi EXIT

# compare_at DPI SIZE: both programs at that DPI, their shots brought to the
# design size.
compare_at() {
  local normal=$SCRATCH/normal-$1.png fallback=$SCRATCH/fallback-$1.png
  LUMIVAR_EXE=$normal_exe shoot_forecast "$1" "$normal" "$2"
  LUMIVAR_EXE=$fallback_exe shoot_forecast "$1" "$fallback" "$2"
  cp "$fallback" "$SCRATCH/shot.png"
  convert "$normal" -filter box -resize "$WINDOW_SIZE!" "$normal"
  convert "$fallback" -filter box -resize "$WINDOW_SIZE!" "$fallback"
  same_zones "$normal" "lumivar.exe at $1 DPI" "$fallback" "the fallback build at $1 DPI"
}
compare_at 96 "$WINDOW_SIZE"
compare_at 144 "$(window_size_at 144)"
note "PASS"
