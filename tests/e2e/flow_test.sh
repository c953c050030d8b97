#!/usr/bin/env bash
# The typical use in the real window, with real X key and pointer events:
# type 1, 2, 3, click 开始预测 and see the results appear in their colours,
# click 清除数据 and see every box empty again, click 退出系统 and see the
# program end with status 0 within two seconds.
#
#   tests/e2e/flow_test.sh LUMIVAR
set -euo pipefail
program=${1:?usage: flow_test.sh LUMIVAR}
# shellcheck source=SCRIPTDIR/lib.sh
source "$(dirname "$0")/lib.sh"
EXIT_LIMIT_SECONDS=${EXIT_LIMIT_SECONDS:-2}

e2e_setup
launch_program "$program"
find_window
wait_until "the window has painted" painted
shot=$SCRATCH/shot.png

type_draw_and_forecast
# One more screenshot, so that every check below sees the same finished
# picture rather than a half-drawn one.
screenshot "$shot"
results_shown "$shot" || fail "the results did not stay"

for box in "${RESULT_BOXES[@]}"; do
  colour=${TEXT_COLOUR[$box]}
  ink=$(box_ink "$shot" "$box" "$colour")
  note "$box: $ink pixels of #$colour"
  ((ink >= 20)) || fail "$box shows nothing in #$colour"
done

# Text10 holds "123" and shows it masked: three separate stars.
stars=$(ink_runs "$shot" "$(inside "${BOX_RECT[Text10]}")")
[ "$stars" = 3 ] || fail "Text10 shows $stars marks, not three stars"

glyph() { ink_mask "$shot" "$(inside "${BOX_RECT[$1]}")"; }

# Text4 to Text8 hold 6, 3, 1, 2 and 8, yet all show one and the same mark.
for box in Text5 Text6 Text7 Text8; do
  [ "$(glyph "$box")" = "$(glyph Text4)" ] || fail "$box does not show the mark of Text4"
done

# The kill numbers are 3, 7 and 7: Text9 shows the very glyph typed into
# Text3, the two Text13 boxes show one and the same other glyph.
[ "$(glyph Text9)" = "$(glyph Text3)" ] || fail "Text9 does not show the 3 of Text3"
[ "$(glyph "Text13(0)")" = "$(glyph "Text13(1)")" ] || fail "Text13(0) and Text13(1) differ"
[ "$(glyph "Text13(0)")" != "$(glyph Text9)" ] || fail "Text13(0) shows the same as Text9"
[ -n "$(glyph "Text13(0)")" ] || fail "Text13(0) is empty"

click Command2
wait_until "every edit box empty after 清除数据" all_boxes_empty "$shot"

asked=$EPOCHREALTIME
click Command3
wait_for_exit "$E2E_TIMEOUT" "$asked" || fail "the program still runs after 退出系统"
note "exit status $EXIT_STATUS after ${EXIT_SECONDS}s"
[ "$EXIT_STATUS" = 0 ] || fail "the program ended with status $EXIT_STATUS"
awk -v s="$EXIT_SECONDS" -v limit="$EXIT_LIMIT_SECONDS" 'BEGIN { exit !(s <= limit) }' ||
  fail "the program took ${EXIT_SECONDS}s to end, more than ${EXIT_LIMIT_SECONDS}s"

note "PASS"
