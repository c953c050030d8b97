# shellcheck shell=bash
# Sourced by bench/startup.sh and bench/wine_startup.sh: rotating rounds over
# the caller's table `programs` (rows "name|window title|program") with the
# caller's `measure TITLE PROGRAM`, which prints "MILLISECONDS KILOBYTES".
#   run_rounds COUNT      two warm-up rounds, not counted, then COUNT rounds;
#                         program NAME's figures go to $scratch/NAME, line n
#                         for round n. Each round runs every program once, in
#                         an order that rotates from round to round, so that
#                         drift in the machine's load hits all alike. A
#                         caller's before_round, if defined, runs first.
#   median FILE COLUMN    the median of a column of numbers
#   ratios A B COLUMN     program A's figures over program B's, round by round
#   median_interval       the median of numbers read and its 95 % interval
#                         (bench/median_interval.awk)

one_round() {
  local first=$1 k name title program
  if declare -F before_round >/dev/null; then before_round; fi
  for ((k = 0; k < ${#programs[@]}; k++)); do
    IFS='|' read -r name title program <<<"${programs[(first + k) % ${#programs[@]}]}"
    if [ "${2:-}" = warm-up ]; then
      measure "$title" "$program" >/dev/null
    else
      measure "$title" "$program" >>"$scratch/$name"
    fi
  done
}

run_rounds() {
  local i row name
  one_round 0 warm-up
  one_round 1 warm-up
  for row in "${programs[@]}"; do
    name=${row%%|*}
    : >"$scratch/$name"
  done
  for ((i = 0; i < $1; i++)); do one_round "$i"; done
}

rounds_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

median_interval() {
  awk -f "$rounds_dir/median_interval.awk"
}

median() {
  cut -d' ' -f"$2" "$1" | median_interval | cut -d' ' -f1
}

# ratios A B COLUMN: program A's figure over program B's, round by round
# (line n of each file holds round n).
ratios() {
  paste -d' ' "$scratch/$1" "$scratch/$2" | awk -v c="$3" '{ printf "%.5f\n", $c / $(2 + c) }'
}
