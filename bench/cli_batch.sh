#!/usr/bin/env bash
# The command line's batch: ROWS cases (a million unless given) through
# `plain-bearings-calc --batch - --format csv`, its wall and CPU time and its peak
# memory, beside the peak memory of a tenth as many rows: memory must not grow with the
# batch. The program must be built (cmake --build --preset default).
#
#   bench/cli_batch.sh [BUILD-DIR] [ROWS] [--check]
#
# With --check the rows are design checks (`--check --batch`): a diameter and a length
# every row, and a temperature for half of them.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build/default}
rows=${2:-1000000}
check=${3:-}
program=$build/src/cli/plain-bearings-calc
[ -x "$program" ] || { echo "no $program: build the default preset first" >&2; exit 1; }
[ -x /usr/bin/time ] || { echo "needs GNU time: scripts/setup time" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A repeatable mix of materials (by name, by number, the bearing window's own name of a
# namesake), loads, frequencies and, for half the rows, a length.
generate() {
  if [ "$check" = --check ]; then
    awk -v n="$1" 'BEGIN {
      srand(13)
      count = split("Графит|Бронза БрО10Ф1|Баббит Б83|Чугун АЧС-1|Полиамид АК-7|Латунь ЛКС 80-3-3|15|21", m, "|")
      print "material,load,frequency,diameter,length,temperature"
      for (i = 0; i < n; i++) {
        temperature = rand() < 0.5 ? "" : int(20 + rand() * 300)
        printf "%s,%d,%d,%.1f,%d,%s\n", m[int(rand() * count) + 1], 100 + int(rand() * 20000), 10 + int(rand() * 3000),
          5 + rand() * 300, 5 + int(rand() * 200), temperature
      }
    }' >"$2"
    return
  fi
  awk -v n="$1" 'BEGIN {
    srand(13)
    count = split("Графит|Бронза БрО10Ф1|Баббит Б83|Чугун АЧС-1|Полиамид АК-7|Латунь ЛКС 80-3-3|15|Текстолит ", m, "|")
    print "material,load,frequency,length"
    for (i = 0; i < n; i++) {
      length_ = rand() < 0.5 ? "" : int(5 + rand() * 200)
      printf "%s,%d,%d,%s\n", m[int(rand() * count) + 1], 100 + int(rand() * 20000), 10 + int(rand() * 3000), length_
    }
  }' >"$2"
}

# Prints: rows, wall seconds, user seconds, system seconds, peak resident KiB.
measure() {
  /usr/bin/time -f '%e %U %S %M' -o "$work/time" "$program" --batch - --format csv $check <"$1" >"$work/out.csv" 2>/dev/null || true
  [ "$(wc -l <"$work/out.csv")" -eq "$(wc -l <"$1")" ] || { echo "rows missing from the output" >&2; exit 1; }
  read -r wall user sys rss < <(tail -n 1 "$work/time")
  echo "$(($(wc -l <"$1") - 1)) $wall $user $sys $rss"
}

generate "$rows" "$work/full.csv"
generate "$((rows / 10))" "$work/tenth.csv"
printf '%-10s %8s %8s %8s %10s\n' rows wall-s user-s sys-s peak-KiB
for input in tenth full; do
  printf '%-10s %8s %8s %8s %10s\n' $(measure "$work/$input.csv")
done
