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
[ "$size" = 490x434 ] || fail "client size is $size, not 490x434"
note "window $WIN, client size $size"

wait_until "the window has painted" painted
shot=$SCRATCH/shot.png

# The navy ground, exactly, around and between the zones and inside the frames.
for point in "2 2" "245 430" "300 200" "160 368" "100 310" \
  "100 45" "290 150" "100 60" "30 266" "12 320" "85 320"; do
  read -r x y <<<"$point"
  all_near "$shot" "$x $y 1 1" "$NAVY" 0 || fail "no navy ground at $x,$y"
done

# The edit boxes: black inside. Text1 holds the blinking text cursor, so only
# the parts left and right of its middle are sure to be black.
for box in "${BOXES[@]}"; do
  if [ "$box" = Text1 ]; then
    read -r x y w h <<<"$(inside "${BOX_RECT[$box]}")"
    all_near "$shot" "$x $y 20 $h" "$BLACK" 0 || fail "Text1 is not black on its left"
    all_near "$shot" "$((x + w - 20)) $y 20 $h" "$BLACK" 0 || fail "Text1 is not black on its right"
  else
    boxes_empty "$shot" "$box" || fail "$box is not an empty black box"
  fi
done

# Frame captions: white text in the top border of every frame, as glyphs
# (some white pixels, far from a filled block).
for frame in "${FRAMES[@]}"; do
  white=$(count_near "$shot" "$(caption_area "$frame")" "$WHITE" 60)
  note "$frame caption: $white white pixels"
  ((white >= 30 && white <= 400)) || fail "$frame caption has $white white pixels"
done

# Buttons: the platform's light face with a dark caption in the middle.
for button in "${BUTTONS[@]}"; do
  rect=${BUTTON_RECT[$button]}
  read -r x y w h <<<"$rect"
  face=$(count_near "$shot" "$rect" F0F0F0 24)
  dark=$(count_near "$shot" "$(inside "$rect" 8)" 000000 90)
  note "$button: $face face pixels, $dark caption pixels"
  ((face * 2 > w * h)) || fail "$button has no light face"
  ((dark >= 30)) || fail "$button shows no caption"
done

# The banner: white text on black across the bottom.
read -r x y w h <<<"$BANNER_RECT"
black=$(count_near "$shot" "$(inside "$BANNER_RECT" 3)" "$BLACK" 0)
white=$(count_near "$shot" "$(inside "$BANNER_RECT" 3)" "$WHITE" 60)
note "banner: $black black, $white white pixels"
((black * 2 > w * h)) || fail "the banner is not black"
((white >= 200)) || fail "the banner shows no text"

# The picture: a portrait on black, so black corners and a lit figure.
read -r x y w h <<<"$PICTURE_RECT"
all_near "$shot" "$x $y 10 10" "$BLACK" 12 || fail "the picture has no black corner"
lit=$((w * h - $(count_near "$shot" "$PICTURE_RECT" "$BLACK" 60)))
note "picture: $lit lit pixels"
((lit > 2000)) || fail "the picture shows no figure"

# Nothing is typed yet, so nothing is computed: every result box is empty.
boxes_empty "$shot" "${RESULT_BOXES[@]}" || fail "a result box is not empty at start"

note "PASS"
