# shellcheck shell=bash
# Sourced by the end-to-end tests (lib.sh) and the benchmarks (bench/): a
# private Xvfb on a free display number, stopped when the calling script
# exits, and the title of the program's window to find it by.
#   start_xvfb        sets DISPLAY; XVFB_PID holds the server's process id;
#                     XVFB_SCREEN (default 1024x768x24) sets the screen
#   lumivar_title     prints the window title
#
# The server runs with -noreset. By default an X server resets whenever its
# last client disconnects, and a client that connects during the reset is
# refused. A test that polls for the program's window with short-lived
# xdotool calls makes exactly that happen: the poll disconnects as the
# program connects, and the program ends with "could not connect to
# display". -displayfd picks a number no other server holds, and the server
# writes it only once it accepts clients.
start_xvfb() {
  local fifo
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  Xvfb -displayfd 9 -noreset -screen 0 "${XVFB_SCREEN:-1024x768x24}" -nolisten tcp \
    9>"$fifo" >/dev/null 2>&1 &
  XVFB_PID=$!
  local number
  read -r number <"$fifo"
  rm -f "$fifo"
  if [ -z "$number" ]; then
    echo "xvfb: Xvfb did not start" >&2
    return 1
  fi
  export DISPLAY=":$number"
  trap stop_xvfb EXIT
}

stop_xvfb() {
  if [ -n "${XVFB_PID:-}" ]; then
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=
  fi
}

# The window title is "Lumivar直选条件预测V<major>.<minor>" of the version in
# project() of the top-level CMakeLists.txt. CTest passes it in LUMIVAR_TITLE;
# a script run by hand reads the version from that file itself.
lumivar_title() {
  if [ -n "${LUMIVAR_TITLE:-}" ]; then
    echo "$LUMIVAR_TITLE"
    return
  fi
  local cmakelists version
  cmakelists="$(dirname "${BASH_SOURCE[0]}")/../../CMakeLists.txt"
  version=$(sed -n -E 's/^[[:space:]]*project[[:space:]]*\([[:space:]]*lumivar[[:space:]].*VERSION[[:space:]]+([0-9]+)\.([0-9]+).*/\1.\2/p' \
    "$cmakelists" 2>/dev/null | head -n 1)
  if [ -z "$version" ]; then
    echo "xvfb.sh: no 'project(lumivar VERSION x.y.z' line in $cmakelists; set LUMIVAR_TITLE" >&2
    return 1
  fi
  echo "Lumivar直选条件预测V$version"
}
