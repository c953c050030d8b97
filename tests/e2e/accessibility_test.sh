#!/usr/bin/env bash
# What a screen reader sees: the real program under Xvfb on a session bus of
# its own, read by a real AT-SPI client (atspi_view.py, with pyatspi).
#
#   tests/e2e/accessibility_test.sh LUMIVAR
set -euo pipefail
program=${1:?usage: accessibility_test.sh LUMIVAR}
here=$(cd "$(dirname "$0")" && pwd)

# A private session bus, so that the accessibility bus and its registry are
# this test's own and go away with it.
if [ -z "${LUMIVAR_A11Y_SESSION:-}" ]; then
  exec dbus-run-session -- env LUMIVAR_A11Y_SESSION=1 "$0" "$@" 2> >(grep -v '^dbus-daemon' >&2)
fi

# shellcheck source=SCRIPTDIR/xvfb.sh
source "$here/xvfb.sh"
start_xvfb

# The registry first: the program announces itself to it when it starts.
/usr/bin/python3 -c 'import pyatspi; pyatspi.Registry.getDesktop(0)'
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$program" &
app=$!
status=0
/usr/bin/python3 "$here/atspi_view.py" "$(lumivar_title)" || status=$?
kill "$app" 2>/dev/null || true
wait "$app" 2>/dev/null || true
exit $status
