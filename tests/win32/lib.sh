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
