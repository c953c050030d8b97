#!/usr/bin/env bash
# scripts/install-deps and a package-lists lock held by another process: it
# waits, saying so once, then updates and installs with a dpkg lock timeout;
# or, when the lock is still held at the end of its wait, it gives up naming
# the holder and runs no apt-get at all. apt-get, dpkg-query and sudo are
# stand-ins here, and the lock is a file of our own, held with an fcntl lock
# as apt holds its locks.
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

export INSTALL_DEPS_LISTS_LOCK=$scratch/lock CALLS=$scratch/calls
mkdir "$scratch/bin"
# Each apt-get call is logged with whether the lock was free at the time.
cat >"$scratch/bin/apt-get" <<'SH'
#!/bin/sh
/usr/bin/python3 -c 'import fcntl, sys; fcntl.lockf(open(sys.argv[1], "w"), fcntl.LOCK_EX | fcntl.LOCK_NB)' \
  "$INSTALL_DEPS_LISTS_LOCK" 2>/dev/null && state=free || state=held
echo "$state: apt-get $*" >>"$CALLS"
SH
printf '#!/bin/sh\nexit 1\n' >"$scratch/bin/dpkg-query"  # nothing is installed
printf '#!/bin/sh\nexec "$@"\n' >"$scratch/bin/sudo"
chmod +x "$scratch/bin/"*

# hold SECONDS: another process holds the lock for that long from now.
hold() {
  : >"$scratch/held"
  /usr/bin/python3 -c 'import fcntl, sys, time
f = open(sys.argv[1], "w"); fcntl.lockf(f, fcntl.LOCK_EX); print(flush=True); time.sleep(float(sys.argv[2]))' \
    "$INSTALL_DEPS_LISTS_LOCK" "$1" >"$scratch/held" &
  holder=$!
  until [ -s "$scratch/held" ]; do sleep 0.05; done
}

# case: seconds the lock is held | seconds install-deps may wait | expected
for case in "3|60|installs" "60|3|gives up"; do
  IFS='|' read -r held wait expected <<<"$case"
  echo "lock held for $held s, install-deps waits up to $wait s: expect it $expected"
  : >"$CALLS"
  hold "$held"
  status=0
  INSTALL_DEPS_LOCK_WAIT=$wait PATH="$scratch/bin:$PATH" "$root/scripts/install-deps" run \
    >"$scratch/out" 2>&1 || status=$?
  kill "$holder" 2>/dev/null || true
  wait "$holder" 2>/dev/null || true
  cat "$scratch/out" "$CALLS"
  [ "$(grep -c '^install-deps: waiting for' "$scratch/out")" = 1 ] || fail "it did not say once that it waits"
  if [ "$expected" = installs ]; then
    [ $status = 0 ] || fail "it failed ($status)"
    grep -q '^free: apt-get update' "$CALLS" || fail "apt-get update ran not at all or under the lock"
    grep -Eq '^free: apt-get install .*-o DPkg::Lock::Timeout=[1-9][0-9]* ' "$CALLS" ||
      fail "apt-get install ran without a dpkg lock timeout"
  else
    [ $status != 0 ] || fail "it reported success"
    grep -q "gave up .*held by python3 (process $holder)" "$scratch/out" ||
      fail "its message does not name the holder"
    [ ! -s "$CALLS" ] || fail "apt-get ran although the lock was held"
  fi
done
echo PASS
