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

median() {
  sort -g -k"$2" "$1" | awk -v c="$2" '{v[NR]=$c} END {
    if (NR % 2) print v[(NR+1)/2]; else printf "%.10g\n", (v[NR/2]+v[NR/2+1])/2 }'
}

# ratios A B COLUMN: program A's figure over program B's, round by round
# (line n of each file holds round n).
ratios() {
  paste -d' ' "$scratch/$1" "$scratch/$2" | awk -v c="$3" '{ printf "%.5f\n", $c / $(2 + c) }'
}

# median_interval: reads numbers, prints "MEDIAN LOW HIGH": their median and
# its distribution-free 95 % confidence interval [v(k), v(n + 1 - k)] of the
# sorted values v(1..n), where k is the largest rank for which the chance that
# fewer than k of the n values fall below the true median is at most 2.5 %
# (binomial, p = 1/2). For 31 values: the 10th and the 22nd.
median_interval() {
  sort -g | awk '{ v[NR] = $1 } END {
    n = NR
    med = (n % 2) ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2
    p = 0.5 ^ n; cdf = p; k = 0   # cdf = P(X <= k), X ~ Binomial(n, 1/2)
    while (cdf <= 0.025) { p = p * (n - k) / (k + 1); k++; cdf += p }
    # Now P(X <= k - 1) <= 0.025 < P(X <= k).
    if (k < 1) { lo = v[1]; hi = v[n] } else { lo = v[k]; hi = v[n + 1 - k] }
    printf "%.3f %.3f %.3f\n", med, lo, hi
  }'
}
