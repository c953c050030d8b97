#!/usr/bin/env bash
# A whole session of the real program under valgrind's memcheck on a private
# X display: type 1 2 3, 开始预测, 清除数据, 退出系统, all with real X events.
# Then counts the definitely lost bytes whose allocation stack passes through
# Lumivar's own code (its sources under logic/, ui/ and app/, or its own
# functions), and fails unless none of them was allocated by that code
# itself. Leaks made inside Qt and the system libraries are counted and
# shown, but are not ours to fix.
#
#   tests/e2e/valgrind_session.sh LUMIVAR SOURCE_DIR
#
# Exits 77 (skipped) for a sanitizer build, which valgrind cannot run.
set -euo pipefail
program=${1:?usage: valgrind_session.sh LUMIVAR SOURCE_DIR}
source_dir=$(cd "${2:?usage: valgrind_session.sh LUMIVAR SOURCE_DIR}" && pwd)
# Everything runs some 20 to 50 times slower under memcheck.
E2E_TIMEOUT=${E2E_TIMEOUT:-300}
# shellcheck source=SCRIPTDIR/lib.sh
source "$(dirname "$0")/lib.sh"

libraries=$(ldd "$program")
if grep -q -E 'lib(asan|tsan|ubsan)' <<<"$libraries"; then
  echo "skipped: $program is a sanitizer build, which valgrind cannot run"
  exit 77
fi
command -v valgrind >/dev/null || fail "valgrind is not installed (scripts/install-deps test)"

e2e_setup
log=$SCRATCH/valgrind.log
# A child that a library forks (D-Bus starts its session bus helper that way)
# is a copy of the program caught halfway; only the program's own end counts.
launch_program valgrind --tool=memcheck --leak-check=full --show-leak-kinds=definite \
  --child-silent-after-fork=yes --num-callers=40 --fullpath-after= --log-file="$log" "$program"
find_window
wait_until "the window has painted" painted
type_draw_and_forecast
click Command2
wait_until "every edit box empty after 清除数据" all_boxes_empty "$SCRATCH/shot.png"
click Command3
wait_for_exit "$E2E_TIMEOUT" || fail "the program still runs after 退出系统"
[ "$EXIT_STATUS" = 0 ] || fail "the program ended with status $EXIT_STATUS under valgrind"
grep -q 'LEAK SUMMARY' "$log" || fail "valgrind wrote no leak summary: $(tail -n 5 "$log")"

# Each definitely lost record runs from its "... are definitely lost ..."
# line to the next empty log line, its stack from the allocation outwards.
# Two counts:
#   through: some frame is in our sources or functions (a frame of main()
#            alone does not count, as main() is the root of every stack);
#   ours:    the allocation was made by our code: the first frame past the
#            allocator, the C and C++ runtimes and inlined system headers is
#            ours. A leak made inside Qt or a system library, on our call,
#            counts under "through" only: it is reported, but not ours to fix.
# The test fails when "ours" is not zero.
own_frame='(^|[ /])(lumivar::|Form1::|lumivar_|StartForecast|ClearData|AdvanceFocus)'
read -r total_lost through_lost through_records own_lost own_records < <(
  awk -v src="$source_dir" -v own_frame="$own_frame" -v report="$SCRATCH" '
    function own(line) {
      return index(line, src "/logic/") || index(line, src "/ui/") || index(line, src "/app/") ||
             line ~ own_frame
    }
    function runtime(line) {
      return line ~ /\(in [^)]*(vgpreload_|libstdc\+\+|libc\.so|ld-linux)/ ||
             line ~ /\(\/usr\/include\//
    }
    / are definitely lost in loss record / {
      record = $0; bytes = $2; gsub(",", "", bytes)
      through = 0; ours = 0; decided = 0; open = 1; next
    }
    open && /^==[0-9]+== *$/ {
      total += bytes
      if (through) { through_bytes += bytes; through_n++; print record "\n" > (report "/through.txt") }
      if (ours) { own_bytes += bytes; own_n++; print record "\n" > (report "/own.txt") }
      open = 0; next
    }
    open {
      record = record "\n" $0
      if (own($0)) {
        if ($0 !~ /: main \(/) through = 1
        if (!decided) through = ours = 1
      }
      if (!decided && !runtime($0)) decided = 1
    }
    END { print total + 0, through_bytes + 0, through_n + 0, own_bytes + 0, own_n + 0 }' "$log")

echo "valgrind memcheck session: type 1 2 3, 开始预测, 清除数据, 退出系统"
sed -n '/LEAK SUMMARY/,/suppressed:/p' "$log" | sed 's/^==[0-9]*== //'
sed -n 's/^==[0-9]*== \(ERROR SUMMARY.*\)/\1/p' "$log"
echo "definitely lost, all stacks:                     $total_lost bytes"
echo "  of which the stack passes through our code:    $through_lost bytes in $through_records records"
echo "  of which our own code made the allocation:     $own_lost bytes in $own_records records"
if ((through_lost > own_lost)); then
  echo "Lost inside Qt or a system library on a call from our code (not ours to fix):"
  cat "$SCRATCH/through.txt"
fi
if ((own_lost > 0)); then
  echo "Lost by our own code:"
  cat "$SCRATCH/own.txt"
  cp "$log" ./valgrind_session.log 2>/dev/null || true
  fail "memory that Lumivar's code allocated is lost (full log: valgrind_session.log)"
fi
echo "PASS"
