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

set_dpi() {
  "$root/tools/wine-prefix" stop
  "$root/tools/wine-run" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD \
    /d "$1" /f >/dev/null 2>&1 || fail "cannot set LogPixels to $1"
  "$root/tools/wine-prefix" stop
}
restore_dpi() {
  set +e
  set_dpi 96
  wine_e2e_teardown
}

wine_e2e_setup
trap restore_dpi EXIT

# shoot DPI FILE: the painted window after a forecast at that DPI.
shoot() {
  set_dpi "$1"
  launch_exe
  find_window
  [ "$(client_size)" = "$3" ] || fail "at $1 DPI the client size is $(client_size), not $3"
  note "at $1 DPI the client size is $3"
  sleep 1
  type_keys 123
  sleep 1
  probe text Text3 >/dev/null
  [ "$(probe text Text3)" = 0033 ] || fail "typing at $1 DPI did not fill the boxes"
  read -r x y <<<"$(centre "${BUTTON_RECT[Command1]}")"
  xdotool mousemove --window "$WIN" $((x * $1 / 96)) $((y * $1 / 96)) click 1
  sleep 1
  screenshot "$2"
  stop_program
}
normal=$SCRATCH/normal.png
large=$SCRATCH/large.png
shoot 96 "$normal" 490x434
shoot 192 "$large" 980x868
halved=$SCRATCH/halved.png
convert "$large" -filter box -resize 50% "$halved"
cp "$halved" "$SCRATCH/shot.png"
[ -z "${DPI_SHOT:-}" ] || cp "$large" "$DPI_SHOT"

# mean IMAGE RECT: the region's mean colour as "R G B".
mean() {
  pixels "$1" "$2" | awk '{ r += $3; g += $4; b += $5; n++ } END { printf "%d %d %d\n", r / n, g / n, b / n }'
}
regions=()
for frame in "${FRAMES[@]}"; do regions+=("$frame caption|$(caption_area "$frame")"); done
# Inside the borders, which stay a pixel or two wide at any DPI.
for box in "${BOXES[@]}"; do regions+=("$box|$(inside "${BOX_RECT[$box]}")"); done
for button in "${BUTTONS[@]}"; do regions+=("$button|$(inside "${BUTTON_RECT[$button]}")"); done
regions+=("banner|$(inside "$BANNER_RECT" 3)" "picture|$PICTURE_RECT")
for region in "${regions[@]}"; do
  name=${region%%|*}
  rect=${region#*|}
  read -r r1 g1 b1 <<<"$(mean "$normal" "$rect")"
  read -r r2 g2 b2 <<<"$(mean "$halved" "$rect")"
  worst=0
  for d in $((r1 - r2)) $((g1 - g2)) $((b1 - b2)); do
    ((d < 0)) && d=$((-d))
    ((d > worst)) && worst=$d
  done
  note "$name: mean $r1 $g1 $b1 at 96 DPI, $r2 $g2 $b2 at 192 DPI halved"
  ((worst <= 16)) || fail "$name differs by $worst at 192 DPI"
done
note "PASS"
