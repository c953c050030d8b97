#!/usr/bin/env bash
# The keyboard of the Windows window under Wine: the focus starts in Text1
# and Tab walks the tab stops in the layout table's order; with a push
# button focused, Return and Escape press nothing, while Space presses it;
# WM_DELETE_WINDOW (the close box) ends the program with status 0.
#
#   LUMIVAR_EXE=… LUMIVAR_PROBE=… tests/win32/keys_test.sh
set -euo pipefail
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"

start_painted_exe
shot=$SCRATCH/shot.png

mapfile -t stops < <(probe tab-stops)
((${#stops[@]} > 3)) || fail "the probe lists no tab stops"
wait_for_focus "${stops[0]}"
for ((i = 1; i <= ${#stops[@]}; i++)); do
  next=${stops[i % ${#stops[@]}]}
  press Tab
  wait_for_focus "$next"
done
note "Tab walks ${#stops[@]} tab stops in order and back to ${stops[0]}"

type_draw_and_forecast
# The click left the focus on 开始预测; the next stop is 清除数据.
press Tab
wait_for_focus Command2
for key in Return Escape KP_Enter; do
  press "$key"
  sleep 1
  program_running || fail "$key ended the program"
  screenshot "$shot"
  results_shown "$shot" || fail "$key pressed 清除数据 (or another button)"
  note "$key pressed nothing"
done
# In a box as well.
xdotool mousemove --window "$WIN" 40 48 click 1
wait_for_focus Text1
press Return Escape
sleep 1
screenshot "$shot"
results_shown "$shot" || fail "Return or Escape in Text1 changed the results"

# Space on a focused button presses it: Tab on to 清除数据 first.
for ((i = 0; i < ${#stops[@]}; i++)); do
  [ "$(probe focus)" = Command2 ] && break
  press Tab
done
wait_for_focus Command2
press space
wait_until "every edit box empty after Space on 清除数据" all_boxes_empty "$shot"

asked=$EPOCHREALTIME
send_delete_window
# Wine without a window manager waits two seconds for one to withdraw the
# window before it lets the program go on.
wait_for_exit "$E2E_TIMEOUT" "$asked" || fail "the program still runs after WM_DELETE_WINDOW"
note "exit status $EXIT_STATUS after ${EXIT_SECONDS}s"
[ "$EXIT_STATUS" = 0 ] || fail "WM_DELETE_WINDOW ended the program with status $EXIT_STATUS"
note "PASS"
