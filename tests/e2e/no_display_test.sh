#!/usr/bin/env bash
# With no display to open a window on, the program prints one line in
# Chinese and English to stderr and exits with status 1, rather than
# aborting with a core dump. Two cases: no display named at all, and a
# display whose server is not there.
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

# check CASE ENV_ARGS...: runs the program under `env ENV_ARGS...`.
check() {
  local case=$1
  shift
  local status=0
  timeout 60 env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY -u DISPLAY "$@" "$program" \
    >"$scratch/stdout" 2>"$scratch/stderr" </dev/null || status=$?
  # Lines that the sanitizer runtime writes are not the program's.
  grep -v -E '^==[0-9]+==|Sanitizer|^SUMMARY: |^ *#[0-9]+ 0x|^$' "$scratch/stderr" \
    >"$scratch/own" || true
  local problems=()
  [ "$status" = 1 ] || problems+=("exit status $status, not 1")
  [ "$(wc -l <"$scratch/own")" = 1 ] || problems+=("$(wc -l <"$scratch/own") lines on stderr, not one")
  local line
  line=$(head -n 1 "$scratch/own")
  # Chinese: at least one character from the CJK block, as UTF-8 bytes E4-E9.
  LC_ALL=C grep -q -P '[\xE4-\xE9][\x80-\xBF][\x80-\xBF]' <<<"$line" ||
    problems+=("the line has no Chinese")
  grep -q -i 'display' <<<"$line" || problems+=("the line has no English about the display")
  [ -s "$scratch/stdout" ] && problems+=("it wrote to stdout")
  if [ ${#problems[@]} -eq 0 ]; then
    echo "ok   $case: status $status, stderr: $line"
  else
    echo "FAIL $case: ${problems[*]}"
    sed 's/^/     stderr: /' "$scratch/stderr"
    failures=$((failures + 1))
  fi
}

check "no display at all"
check "a display that refuses" DISPLAY="$(free_display)"

[ "$failures" -eq 0 ] || exit 1
echo "PASS"
