#!/usr/bin/env bash
# At 192 DPI (Wine's LogPixels) the Windows window is twice the design size
# with everything in proportion: its screenshot, halved, matches the one at
# 96 DPI zone by zone (the mean colour of every box, button, caption, the
# banner and the picture), so nothing is cut off or out of place.
#
#   LUMIVAR_EXE=… LUMIVAR_PROBE=… tests/win32/dpi_test.sh
set -euo pipefail
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"

# A screen that holds the window twice the size, with its title bar: Wine
# keeps a window within the screen.
export XVFB_SCREEN=1600x1200x24

wine_e2e_setup
trap restore_dpi EXIT

normal=$SCRATCH/normal.png
large=$SCRATCH/large.png
shoot_forecast 96 "$normal" "$WINDOW_SIZE"
shoot_forecast 192 "$large" "$(window_size_at 192)"
halved=$SCRATCH/halved.png
convert "$large" -filter box -resize 50% "$halved"
cp "$halved" "$SCRATCH/shot.png"
[ -z "${DPI_SHOT:-}" ] || cp "$large" "$DPI_SHOT"

same_zones "$normal" "96 DPI" "$halved" "192 DPI halved"
# The picture is drawn from its full pixels at any DPI, not from a copy
# shrunk first: halved, it is the picture at 96 DPI but for the rounding of
# the stretching (a shrunk copy differs by about 6 %).
crop=$(awk '{ printf "%dx%d+%d+%d", $3, $4, $1, $2 }' <<<"$PICTURE_RECT")
error=$(compare -metric RMSE "$normal[$crop]" "$halved[$crop]" null: 2>&1 | sed 's/.*(\(.*\))/\1/') || true
note "picture: root-mean-square difference $error at 192 DPI halved"
awk -v e="$error" 'BEGIN { exit !(e != "" && e <= 0.02) }' || fail "the picture at 192 DPI is not sharp"
note "PASS"
