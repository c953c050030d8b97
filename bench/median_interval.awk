# The one computation of a median and its interval for every benchmark
# (bench/rounds.sh for the Qt window and lumivar.exe, bench/web_startup.js
# for the page): reads numbers, one a line, and prints "MEDIAN LOW HIGH":
# their median and its distribution-free 95 % confidence interval
# [v(k), v(n + 1 - k)] of the sorted values v(1..n), where k is the largest
# rank for which the chance that fewer than k of the n values fall below the
# true median is at most 2.5 % (binomial, p = 1/2). For 31 values: the 10th
# and the 22nd.
#
#   awk -f bench/median_interval.awk < NUMBERS
{ v[NR] = $1 + 0 }
END {
  n = NR
  # Insertion sort: a few dozen values.
  for (i = 2; i <= n; i++) {
    x = v[i]
    for (j = i - 1; j >= 1 && v[j] > x; j--) v[j + 1] = v[j]
    v[j + 1] = x
  }
  med = (n % 2) ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2
  p = 0.5 ^ n; cdf = p; k = 0   # cdf = P(X <= k), X ~ Binomial(n, 1/2)
  while (cdf <= 0.025) { p = p * (n - k) / (k + 1); k++; cdf += p }
  # Now P(X <= k - 1) <= 0.025 < P(X <= k).
  if (k < 1) { lo = v[1]; hi = v[n] } else { lo = v[k]; hi = v[n + 1 - k] }
  printf "%.3f %.3f %.3f\n", med, lo, hi
}
