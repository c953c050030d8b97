# shellcheck shell=bash
# Sourced by the Wine end-to-end scripts: the helpers of tests/e2e/lib.sh
# (private Xvfb, screenshots, pixel checks, the window's zones), with
# lumivar.exe under Wine as the program and the probe (probe.exe) to look
# inside it.
#
# Environment: LUMIVAR_EXE (lumivar.exe), LUMIVAR_PROBE (probe.exe),
# WINEPREFIX (see tools/wine-run).
win32_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$win32_dir/../.." && pwd)
# shellcheck source=../e2e/lib.sh
source "$win32_dir/../e2e/lib.sh"
: "${LUMIVAR_EXE:?set LUMIVAR_EXE to lumivar.exe}"
: "${LUMIVAR_PROBE:?set LUMIVAR_PROBE to probe.exe}"

launch_exe() { launch_program "$win32_dir/lumivar-wine" "$@"; }

# probe ARGS...: runs probe.exe in the program's prefix (tests/win32/probe.cpp).
probe() { "$root/tools/wine-run" "$LUMIVAR_PROBE" "$@" 2>/dev/null | tr -d '\r'; }

# Ends the prefix's Wine processes too, which stay bound to this script's
# X display.
wine_e2e_teardown() {
  e2e_teardown
  "$root/tools/wine-prefix" stop
}

wine_e2e_setup() {
  e2e_setup
  trap wine_e2e_teardown EXIT
}

# Sets up, starts lumivar.exe and waits until its window has painted.
start_painted_exe() {
  wine_e2e_setup
  launch_exe
  find_window
  wait_until "the window has painted" painted
}

# press KEY...: real key presses into the window.
press() {
  xdotool windowfocus --sync "$WIN"
  xdotool key --delay 80 "$@"
}

# Waits until the probe reports the focus in the named control.
wait_for_focus() {
  local deadline=$((SECONDS + E2E_TIMEOUT)) focus=
  while focus=$(probe focus) && [ "$focus" != "$1" ]; do
    ((SECONDS <= deadline)) || fail "the focus is in $focus, not in $1"
    sleep 0.1
  done
}

# send_delete_window: WM_DELETE_WINDOW to the window, as a window manager's
# close button sends it (xdotool's windowclose destroys the window instead).
send_delete_window() {
  local helper=$SCRATCH/send_delete_window
  [ -x "$helper" ] || cc -o "$helper" "$win32_dir/send_delete_window.c" -lX11 ||
    fail "cannot build send_delete_window (needs cc and libx11-dev)"
  "$helper" "$WIN"
}

# set_dpi DPI: Wine's DPI (LogPixels) for the programs started from now on.
set_dpi() {
  "$root/tools/wine-prefix" stop
  "$root/tools/wine-run" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD \
    /d "$1" /f >/dev/null 2>&1 || fail "cannot set LogPixels to $1"
  "$root/tools/wine-prefix" stop
}
# For an EXIT trap: Wine's DPI back to 96, then wine_e2e_teardown.
restore_dpi() {
  set +e
  set_dpi 96
  wine_e2e_teardown
}

# shoot_forecast DPI FILE SIZE: at that DPI, starts $LUMIVAR_EXE, checks
# that its client size is SIZE ("WxH"), types 1 2 3, clicks 开始预测 and
# saves the painted window to FILE.
shoot_forecast() {
  local x y
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

# same_zones IMAGE1 LABEL1 IMAGE2 LABEL2: two screenshots of the window at
# the design size show the same window zone by zone: the mean colour of
# every frame caption, box (inside its border, which stays a pixel or two
# wide at any DPI), button, the banner and the picture differ by at most 16
# in any channel.
same_zones() {
  local regions=() region name rect frame box button r1 g1 b1 r2 g2 b2 d worst
  for frame in "${FRAMES[@]}"; do regions+=("$frame caption|$(caption_area "$frame")"); done
  for box in "${BOXES[@]}"; do regions+=("$box|$(inside "${BOX_RECT[$box]}")"); done
  for button in "${BUTTONS[@]}"; do regions+=("$button|$(inside "${BUTTON_RECT[$button]}")"); done
  regions+=("banner|$(inside "$BANNER_RECT" 3)" "picture|$PICTURE_RECT")
  for region in "${regions[@]}"; do
    name=${region%%|*}
    rect=${region#*|}
    read -r r1 g1 b1 <<<"$(mean_colour "$1" "$rect")"
    read -r r2 g2 b2 <<<"$(mean_colour "$3" "$rect")"
    worst=0
    for d in $((r1 - r2)) $((g1 - g2)) $((b1 - b2)); do
      ((d < 0)) && d=$((-d))
      ((d > worst)) && worst=$d
    done
    note "$name: mean $r1 $g1 $b1 at $2, $r2 $g2 $b2 at $4"
    ((worst <= 16)) || fail "$name differs by $worst between $2 and $4"
  done
}

# mean_colour IMAGE RECT: the region's mean colour as "R G B".
mean_colour() {
  pixels "$1" "$2" | awk '{ r += $3; g += $4; b += $5; n++ } END { printf "%d %d %d\n", r / n, g / n, b / n }'
}
