#!/usr/bin/env bash
# The real window on a private X display: found by its title, its client
# size, and the colours of every zone in a screenshot once it has painted.
#
#   tests/e2e/window_test.sh LUMIVAR
set -euo pipefail
program=${1:?usage: window_test.sh LUMIVAR}
# shellcheck source=SCRIPTDIR/lib.sh
source "$(dirname "$0")/lib.sh"

e2e_setup
launch_program "$program"
find_window

size=$(client_size)
[ "$size" = "$WINDOW_SIZE" ] || fail "client size is $size, not $WINDOW_SIZE"
note "window $WIN, client size $size"

wait_until "the window has painted" painted
shot=$SCRATCH/shot.png
settled_screenshot "$shot"

# The window's ground, exactly, around and between the zones and inside the frames.
for point in "2 2" "245 430" "300 200" "160 368" "100 310" \
  "100 45" "290 150" "100 60" "30 266" "12 320" "85 320"; do
  read -r x y <<<"$point"
  all_near "$shot" "$x $y 1 1" "$WINDOW_GROUND" 0 || fail "no window ground at $x,$y"
done

# The edit boxes: black inside. Text1 holds the blinking text cursor, so only
# the parts left and right of its middle are sure to be black.
for box in "${BOXES[@]}"; do
  if [ "$box" = Text1 ]; then
    read -r x y w h <<<"$(inside "${BOX_RECT[$box]}")"
    all_near "$shot" "$x $y 20 $h" "${GROUND_COLOUR[$box]}" 0 || fail "Text1 is not its ground on its left"
    all_near "$shot" "$((x + w - 20)) $y 20 $h" "${GROUND_COLOUR[$box]}" 0 || fail "Text1 is not its ground on its right"
  else
    boxes_empty "$shot" "$box" || fail "$box is not an empty black box"
  fi
done

check_zones "$shot"

note "PASS"
