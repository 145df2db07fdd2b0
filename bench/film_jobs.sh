#!/usr/bin/env bash
# The oil film's batch on every core: ROWS cases (10 000 unless given) through
# `plain-bearings-calc --film --batch FILE --format csv`, timed with one worker
# (--jobs 1) and with the default (a worker a core), their outputs compared byte for byte.
# Prints the wall and CPU seconds of each and the speed-up, one worker's wall time over
# the default's. The program must be built (cmake --build --preset default).
#
#   bench/film_jobs.sh [BUILD-DIR] [ROWS]
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build/default}
rows=${2:-10000}
program=$build/src/cli/plain-bearings-calc
[ -x "$program" ] || { echo "no $program: build the default preset first" >&2; exit 1; }
[ -x /usr/bin/time ] || { echo "needs GNU time: scripts/setup time" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A repeatable mix of bearings: loads, speeds, sizes, clearances and oils as a design
# sweep has them, roughness given for a third of the rows.
awk -v n="$rows" 'BEGIN {
  srand(17)
  print "load,frequency,diameter,length,clearance,viscosity,roughness_journal,roughness_bore"
  for (i = 0; i < n; i++) {
    d = 40 + int(rand() * 160)
    rough = rand() < 1 / 3 ? sprintf("%.1f,%.1f", 0.4 + rand() * 2, 0.8 + rand() * 4) : ","
    printf "%d,%d,%d,%d,%d,%.3f,%s\n", 1000 + int(rand() * 40000), 500 + int(rand() * 3000), d,
      int(d * (0.3 + rand() * 1.2)), int(d * (1 + rand() * 2)), 0.01 + rand() * 0.08, rough
  }
}' >"$work/film.csv"

# Prints: wall seconds, user seconds, system seconds.
measure() {
  /usr/bin/time -f '%e %U %S' -o "$work/time" "$program" --film --batch "$work/film.csv" --format csv "$@" \
    >"$work/out$#.csv" 2>/dev/null || true
  # A message may break its line inside its quotes: at least a line a row.
  [ "$(wc -l <"$work/out$#.csv")" -ge "$(wc -l <"$work/film.csv")" ] || { echo "rows missing from the output" >&2; exit 1; }
  tail -n 1 "$work/time"
}

read -r wall1 user1 sys1 < <(measure --jobs 1)
read -r wall user sys < <(measure)
cmp -s "$work/out2.csv" "$work/out0.csv" || { echo "the outputs differ" >&2; exit 1; }
printf '%-12s %8s %8s %8s\n' workers wall-s user-s sys-s
printf '%-12s %8s %8s %8s\n' 1 "$wall1" "$user1" "$sys1" "default ($(nproc))" "$wall" "$user" "$sys"
awk -v one="$wall1" -v all="$wall" 'BEGIN { printf "speed-up %.2f\n", (all > 0 ? one / all : 0) }'
