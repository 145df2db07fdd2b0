#!/usr/bin/env bash
# Instructions executed from process start until the window is drawn and idle, for the
# program and for the start-up floor, counted by callgrind under a private Xvfb. Unlike
# times, the counts do not depend on what else the machine is doing, so a change to
# start-up can be judged from one run.
#
#   bench/instructions.sh [PROGRAM [FLOOR]]     (default: the default preset's build)
#
# Each program runs under valgrind until its window is on screen, then idles for
# IDLE_SECONDS (3) and is ended; the count is callgrind's total for the whole process.
set -euo pipefail
cd "$(dirname "$0")/.."

program=${1:-build/default/src/app/plain-bearings}
floor=${2:-build/default/bench/plain-bearings-floor}
idle=${IDLE_SECONDS:-3}
for tool in valgrind Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "instructions.sh: $tool is not installed" >&2; exit 1; }
done
for f in "$program" "$floor"; do
  [[ -x $f ]] || { echo "instructions.sh: $f is not built" >&2; exit 1; }
done

source bench/xvfb.sh
work=$xvfb_work

# Prints the instructions one program executes.
count() {
  local binary=$1 out=$work/callgrind.out
  valgrind --tool=callgrind --callgrind-out-file="$out" "$binary" >/dev/null 2>"$work/valgrind.log" &
  local pid=$!
  for _ in $(seq 600); do
    xdotool search --onlyvisible --pid "$pid" >/dev/null 2>&1 && break
    sleep 0.1
  done
  sleep "$idle"
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  awk '/^summary:/ { print $2 }' "$out"
}

program_count=$(count "$program")
floor_count=$(count "$floor")
awk -v p="$program_count" -v f="$floor_count" 'BEGIN {
  printf "program  %8.1f million instructions\n", p / 1e6
  printf "floor    %8.1f million instructions\n", f / 1e6
  printf "ratio    %8.2f\n", p / f
}'
