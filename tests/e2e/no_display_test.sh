#!/usr/bin/env bash
# When the window cannot be opened the program exits with status 1, rather
# than aborting with a core dump, and says why on stderr:
#  - with no display to open it on, one line in Chinese and English; two
#    cases: no display named at all, and a display whose server is not there;
#  - for any other reason, a line that says the window could not be opened,
#    then Qt's own reason; the case: a platform plugin that does not exist,
#    on a display that works.
#
#   tests/e2e/no_display_test.sh LUMIVAR
#
# Under a sanitizer build its runtime may add lines of its own; those are
# told apart by their "==PID==" prefix or their sanitizer names.
set -euo pipefail
program=${1:?usage: no_display_test.sh LUMIVAR}

failures=0
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export XDG_RUNTIME_DIR="$scratch/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

# A display number no server listens on.
free_display() {
  local n
  for ((n = 700; n < 1000; n++)); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || {
      echo ":$n"
      return
    }
  done
  echo ":999"
}

# check CASE LINES REASON ENV_ARGS...: runs the program under `env
# ENV_ARGS...`; its stderr must have LINES lines (+ for more than one), the
# first in Chinese and English, and REASON (an extended regex) somewhere.
check() {
  local case=$1 lines=$2 reason=$3
  shift 3
  local status=0
  timeout 60 env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY -u DISPLAY "$@" "$program" \
    >"$scratch/stdout" 2>"$scratch/stderr" </dev/null || status=$?
  # Lines that the sanitizer runtime writes are not the program's.
  grep -v -E '^==[0-9]+==|Sanitizer|^SUMMARY: |^ *#[0-9]+ 0x|^$' "$scratch/stderr" \
    >"$scratch/own" || true
  local problems=()
  [ "$status" = 1 ] || problems+=("exit status $status, not 1")
  local count
  count=$(wc -l <"$scratch/own")
  if [ "$lines" = + ]; then
    ((count > 1)) || problems+=("$count lines on stderr, not Qt's reason after the first")
  else
    [ "$count" = "$lines" ] || problems+=("$count lines on stderr, not $lines")
  fi
  local line
  line=$(head -n 1 "$scratch/own")
  # Chinese: at least one character from the CJK block, as UTF-8 bytes E4-E9.
  LC_ALL=C grep -q -P '[\xE4-\xE9][\x80-\xBF][\x80-\xBF]' <<<"$line" ||
    problems+=("the line has no Chinese")
  grep -q 'Cannot open the window' <<<"$line" || problems+=("the line has no English")
  grep -q -E "$reason" "$scratch/own" || problems+=("stderr does not say /$reason/")
  [ -s "$scratch/stdout" ] && problems+=("it wrote to stdout")
  if [ ${#problems[@]} -eq 0 ]; then
    echo "ok   $case: status $status, stderr: $line"
  else
    echo "FAIL $case: ${problems[*]}"
    sed 's/^/     stderr: /' "$scratch/stderr"
    failures=$((failures + 1))
  fi
}

check "no display at all" 1 'no display is available'
check "a display that refuses" 1 'no display is available' DISPLAY="$(free_display)"

# shellcheck source=SCRIPTDIR/xvfb.sh
source "$(dirname "$0")/xvfb.sh"
start_xvfb
trap 'stop_xvfb; rm -rf "$scratch"' EXIT
check "a platform plugin that cannot start" + 'platform plugin "nonexistent"' \
  DISPLAY="$DISPLAY" QT_QPA_PLATFORM=nonexistent

[ "$failures" -eq 0 ] || exit 1
echo "PASS"
