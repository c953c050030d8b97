#!/usr/bin/env bash
# Typing and pasting into the Windows window under Wine go through the
# entry-limit rule: no half of a surrogate pair is ever kept, in limited
# and unlimited boxes alike; a typed emoji (two WM_CHAR messages) is held
# until its pair arrives; a paste takes the first line; masked boxes give
# nothing to copy or cut. The clipboard is filled inside Wine by probe.exe,
# since a lone surrogate cannot travel over the X11 clipboard.
#
#   LUMIVAR_EXE=… LUMIVAR_PROBE=… tests/win32/paste_test.sh
set -euo pipefail
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"

start_painted_exe

# click_box BOX: a real click into the box, then waits for its focus.
click_box() {
  local x y
  read -r x y <<<"$(centre "${BOX_RECT[$1]}")"
  xdotool mousemove --window "$WIN" "$x" "$y" click 1
  wait_for_focus "$1"
}

# expect_text BOX UNITS WHAT: the box holds exactly those UTF-16 units.
expect_text() {
  local got
  got=$(probe text "$1")
  [ "$got" = "$2" ] || fail "$3: $1 holds [$got], not [$2]"
  note "$3: $1 holds [$got]"
}

# Pastes, each into an empty box:  box | clipboard | what the box then holds
cases=(
  "Text1|D83D DE00||an emoji does not fit a box of one unit, and no half of it goes in"
  "Text1|D83D 0037|0037|a lone high surrogate is dropped"
  "Text1|DC00||a lone low surrogate is dropped"
  "Text11|D83D DE00|D83D DE00|an emoji goes whole into an unlimited box"
  "Text11|0061 D800 0062|0061 0062|a lone surrogate is dropped in an unlimited box"
  "Text11|0031 000D 000A 0032|0031|only the first line is pasted"
)
for case in "${cases[@]}"; do
  IFS='|' read -r box clip expected what <<<"$case"
  click Command2  # 清除数据: every box but the banner empty
  # shellcheck disable=SC2086  # the units are separate arguments
  probe set-clipboard $clip
  click_box "$box"
  press ctrl+v
  sleep 0.3
  expect_text "$box" "$expected" "$what"
done

# Typed: an emoji arrives as two WM_CHAR messages.
for case in "Text11|D83D DE00" "Text1|"; do
  IFS='|' read -r box expected <<<"$case"
  click Command2
  click_box "$box"
  xdotool type --delay 80 "😀"
  sleep 0.3
  expect_text "$box" "$expected" "a typed emoji"
done

# Masked boxes give nothing to copy or cut; a plain box does (so that the
# keys are known to reach the boxes).
click Command2
click_box Text1
type_keys 123
click Command1
wait_until "the results" results_shown "$SCRATCH/shot.png"
marker=0058
for keys in "ctrl+a ctrl+c" "ctrl+a ctrl+x" "ctrl+a ctrl+Insert" "ctrl+a shift+Delete"; do
  probe set-clipboard $marker
  click_box Text10
  # shellcheck disable=SC2086
  press $keys
  sleep 0.3
  [ "$(probe clipboard)" = $marker ] || fail "$keys in the masked Text10 reached the clipboard"
  expect_text Text10 "0031 0032 0033" "$keys in a masked box"
done
probe set-clipboard $marker
click_box Text11
press ctrl+a ctrl+c
sleep 0.3
copied=$(probe clipboard)
[ "$copied" = "$(probe text Text11)" ] || fail "ctrl+c in Text11 copied [$copied]"
note "PASS"
