#!/usr/bin/env bash
# scripts/install-deps and a package-lists lock that another process holds:
# it says once that it waits, then updates (with the lock free) and installs
# with a dpkg lock timeout; or, still held at the end of its wait, it gives up
# naming the holder and runs no apt-get. apt-get, dpkg-query and sudo are
# stand-ins; the lock is a file of our own, held with an fcntl lock as apt's.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
scratch=$(mktemp -d)
holder=
cleanup() {
  [ -z "$holder" ] || kill "$holder" 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
# lock STATEMENT: Python with f, the lock file, open for writing.
lock() { exec /usr/bin/python3 -c "import fcntl, sys, time; f = open(sys.argv[1], 'w'); $1" "$scratch/lock"; }

export INSTALL_DEPS_LISTS_LOCK=$scratch/lock CALLS=$scratch/calls
mkdir "$scratch/bin"
# Each apt-get call is logged with whether the lock was free then.
printf '#!/bin/bash\n%s\n' "$(declare -f lock)" \
  '(lock "fcntl.lockf(f, fcntl.LOCK_EX | fcntl.LOCK_NB)") 2>/dev/null && s=free || s=held' \
  'echo "$s: apt-get $*" >>"$CALLS"' >"$scratch/bin/apt-get"
printf '#!/bin/sh\nexit 1\n' >"$scratch/bin/dpkg-query"  # nothing is installed
printf '#!/bin/sh\nexec "$@"\n' >"$scratch/bin/sudo"
chmod +x "$scratch/bin/"*

# case: seconds the lock is held | seconds install-deps may wait | outcome
for case in "3|60|installs" "60|3|gives up"; do
  IFS='|' read -r held wait outcome <<<"$case"
  echo "lock held for $held s, a wait of up to $wait s: it $outcome"
  : >"$CALLS"
  lock "fcntl.lockf(f, fcntl.LOCK_EX); print(flush=True); time.sleep($held)" >"$scratch/held" &
  holder=$!
  until [ -s "$scratch/held" ]; do sleep 0.05; done
  status=0
  INSTALL_DEPS_LOCK_WAIT=$wait PATH="$scratch/bin:$PATH" "$root/scripts/install-deps" run \
    >"$scratch/out" 2>&1 || status=$?
  kill "$holder" 2>/dev/null || true
  cat "$scratch/out" "$CALLS"
  [ "$(grep -c '^install-deps: waiting for' "$scratch/out")" = 1 ] || fail "not said once"
  if [ "$outcome" = installs ]; then
    [ $status = 0 ] && grep -q '^free: apt-get update' "$CALLS" &&
      grep -Eq '^free: apt-get install .*-o DPkg::Lock::Timeout=[1-9]' "$CALLS" ||
      fail "no update after the wait, or no lock timeout for install"
  else
    [ $status != 0 ] && [ ! -s "$CALLS" ] &&
      grep -q "gave up .*held by python3 (process $holder)" "$scratch/out" ||
      fail "it did not give up naming the holder"
  fi
done
echo PASS
