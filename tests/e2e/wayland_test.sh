#!/usr/bin/env bash
# The program as a native Wayland client: Debian's weston on its headless
# backend, the program on it with QT_QPA_PLATFORM=wayland and no X display.
# Checked from the program's WAYLAND_DEBUG trace (the toplevel's title and
# fixed size, the window geometry) and from screenshots of weston's output
# (weston-screenshooter, which weston allows only with --debug): the window
# on screen has the geometry it asked for, and its client area, found by its
# ground, is the design's client size and shows every zone in its colours.
#
#   tests/e2e/wayland_test.sh LUMIVAR
#
# Qt's own window decoration (title bar, border) is drawn by the program
# around the client area; it is not checked beyond its size.
set -euo pipefail
program=${1:?usage: wayland_test.sh LUMIVAR}
# shellcheck source=SCRIPTDIR/lib.sh
source "$(dirname "$0")/lib.sh"

for tool in weston weston-screenshooter; do
  command -v "$tool" >/dev/null || fail "$tool not found (Debian package weston)"
done

# The ground weston's desktop shell paints behind the window: a grey that
# neither the window nor its decoration uses.
readonly DESKTOP=808080
readonly SOCKET=lumivar-test
WESTON_PID=

wayland_teardown() {
  set +e  # clean up everything, whatever fails on the way
  stop_program
  if [ -n "$WESTON_PID" ]; then
    kill "$WESTON_PID" 2>/dev/null
    wait "$WESTON_PID" 2>/dev/null
  fi
  [ -n "$SCRATCH" ] && [ -z "${E2E_KEEP:-}" ] && rm -rf "$SCRATCH"
}

# The trace and weston's log are kept with the screenshot on a failure.
fail() {
  echo "FAIL: $*" >&2
  keep_evidence
  local name
  name=$(basename "$0")
  [ -f "$SCRATCH/weston.log" ] && cp "$SCRATCH/weston.log" "./$name-weston.log" 2>/dev/null
  [ -f "$SCRATCH/output.png" ] && cp "$SCRATCH/output.png" "./$name-output.png" 2>/dev/null
  exit 1
}

SCRATCH=$(mktemp -d)
trap wayland_teardown EXIT
# weston and the program meet in a runtime folder of this test's own.
export XDG_RUNTIME_DIR="$SCRATCH/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR" "$SCRATCH/shots"
unset DISPLAY
export WAYLAND_DISPLAY=$SOCKET

# No panel, a plain grey desktop, no on-screen keyboard, no idle blanking.
cat >"$SCRATCH/weston.ini" <<EOF
[core]
idle-time=0
[shell]
background-color=0xff$DESKTOP
panel-position=none
[input-method]
path=
EOF
weston --backend=headless-backend.so --use-pixman --width=1024 --height=768 \
  --shell=desktop-shell.so --socket="$SOCKET" --config="$SCRATCH/weston.ini" --debug \
  --log="$SCRATCH/weston.log" 2>/dev/null &
WESTON_PID=$!
deadline=$((SECONDS + E2E_TIMEOUT))
until [ -S "$XDG_RUNTIME_DIR/$SOCKET" ]; do
  kill -0 "$WESTON_PID" 2>/dev/null || fail "weston ended before it opened $SOCKET"
  ((SECONDS <= deadline)) || fail "weston did not open $SOCKET within ${E2E_TIMEOUT}s"
  sleep 0.05
done

# The trace of every Wayland request and event goes to the program's stderr.
launch_program env QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=client "$program"
trace=$SCRATCH/stderr.txt

# last_request NAME: the arguments of the program's last request of that
# name to its toplevel or its surface, e.g. "490, 434". libwayland writes an
# object's id after "@" (1.21) or "#" (1.23), and may put the event queue's
# name before the arrow.
last_request() {
  sed -n -E "s/.* -> xdg_(toplevel|surface)[@#][0-9]+\.$1\((.*)\)\$/\2/p" "$trace" | tail -n 1
}

# The window is configured once the program has set its window geometry.
deadline=$((SECONDS + E2E_TIMEOUT))
until [ -n "$(last_request set_window_geometry)" ]; do
  program_running || fail "the program ended before its window was configured"
  ((SECONDS <= deadline)) || fail "no window geometry set within ${E2E_TIMEOUT}s"
  sleep 0.1
done

title=$(last_request set_title)
[ "$title" = "\"$LUMIVAR_TITLE\"" ] || fail "the toplevel's title is $title"
min=$(last_request set_min_size)
max=$(last_request set_max_size)
note "toplevel: title $title, min size $min, max size $max"
[ "$min" = "$max" ] || fail "the toplevel is not fixed: min size ($min), max size ($max)"

# The window geometry holds Qt's decoration around the client area. The
# fixed size is that geometry's (xdg-shell's own terms, as Qt 6.8 sends it)
# or, as Qt 6.4 sends it, the client area's.
IFS=', ' read -r _ _ geometry_w geometry_h <<<"$(last_request set_window_geometry)"
client_w=${WINDOW_SIZE%x*} client_h=${WINDOW_SIZE#*x}
note "window geometry ${geometry_w}x$geometry_h"
((geometry_w > client_w && geometry_h > client_h)) ||
  fail "the window geometry ${geometry_w}x$geometry_h leaves no room for a decoration"
[ "$min" = "$geometry_w, $geometry_h" ] || [ "$min" = "$client_w, $client_h" ] ||
  fail "the toplevel is fixed at ($min), neither its window geometry nor $client_w, $client_h"

# bounding_box IMAGE -opaque|+opaque RRGGBB: "X Y W H" of the pixels of that
# colour (-opaque) or of every other colour (+opaque); nothing if there are
# none. The image gets a one-pixel border first, so that the box is found
# even when the window touches a corner of the output.
bounding_box() {
  local ops box
  if [ "$2" = -opaque ]; then
    ops=(-fill black +opaque "#$3" -fill white -opaque "#$3")
  else
    ops=(-fill white +opaque "#$3" -fill black -opaque "#$3")
  fi
  box=$(convert "$1" -alpha off "${ops[@]}" -bordercolor black -border 1 -format '%@' info: \
    2>/dev/null) || return 0
  [[ $box =~ ^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]] || return 0
  ((BASH_REMATCH[1] > 1 || BASH_REMATCH[2] > 1)) || return 0
  echo "$((BASH_REMATCH[3] - 1)) $((BASH_REMATCH[4] - 1)) ${BASH_REMATCH[1]} ${BASH_REMATCH[2]}"
}

# screenshot FILE: weston's whole output to $SCRATCH/output.png, and the
# program's client area (the region of the window's ground) out of it to FILE. Sets WINDOW_BOX
# (everything drawn on the grey desktop) and CLIENT_BOX, as "X Y W H".
screenshot() {
  local shot
  rm -f "$SCRATCH"/shots/*
  (cd "$SCRATCH/shots" && weston-screenshooter >/dev/null 2>&1) || return 1
  shot=$(find "$SCRATCH/shots" -name '*.png' | head -n 1)
  [ -n "$shot" ] && mv "$shot" "$SCRATCH/output.png" || return 1
  WINDOW_BOX=$(bounding_box "$SCRATCH/output.png" +opaque "$DESKTOP")
  CLIENT_BOX=$(bounding_box "$SCRATCH/output.png" -opaque "$WINDOW_GROUND")
  [ -n "$CLIENT_BOX" ] || return 1
  local x y w h
  read -r x y w h <<<"$CLIENT_BOX"
  convert "$SCRATCH/output.png" -crop "${w}x${h}+${x}+${y}" +repage "png:$1"
}

# The window has painted, on the grey desktop (which weston's desktop shell
# may paint after the window: until then the whole output differs from grey).
painted_on_desktop() {
  [ -n "$WINDOW_BOX" ] && [ "$WINDOW_BOX" != "0 0 1024 768" ] && painted "$SCRATCH/shot.png"
}
wait_until "the window has painted on the desktop" painted_on_desktop
shot=$SCRATCH/shot.png
note "on screen: window at $WINDOW_BOX, client area at $CLIENT_BOX"

read -r _ _ w h <<<"$CLIENT_BOX"
[ "${w}x$h" = "$WINDOW_SIZE" ] || fail "the client area is ${w}x$h, not $WINDOW_SIZE"
read -r wx wy ww wh <<<"$WINDOW_BOX"
[ "${ww}x$wh" = "${geometry_w}x$geometry_h" ] ||
  fail "the window on screen is ${ww}x$wh, its geometry ${geometry_w}x$geometry_h"
read -r cx cy _ _ <<<"$CLIENT_BOX"
((cx > wx && cy > wy && cx + client_w <= wx + ww && cy + client_h <= wy + wh)) ||
  fail "the client area $CLIENT_BOX is not inside the window $WINDOW_BOX"

# Every zone in its colours, in client coordinates. The window is never
# active (the headless backend has no seat), so no text cursor blinks.
for point in "2 2" "245 430" "300 200" "160 368" "100 310" "100 45" "290 150" "30 266"; do
  all_near "$shot" "$point 1 1" "$WINDOW_GROUND" 0 || fail "no window ground at $point"
done
boxes_empty "$shot" "${BOXES[@]}" || fail "an edit box is not an empty black box"
check_zones "$shot"

note "PASS"
