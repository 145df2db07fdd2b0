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

work=$(mktemp -d)
xvfb=""
cleanup() {
  [[ -n $xvfb ]] && { kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null || true; }
  rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display and writes its number to fd 3.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -noreset -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 100); do
  [[ -s $work/display ]] && break
  kill -0 "$xvfb" 2>/dev/null || { echo "instructions.sh: Xvfb did not start" >&2; exit 1; }
  sleep 0.05
done
export DISPLAY=":$(head -n1 "$work/display")"

# Prints the instructions one program executes; its window is found by its title.
count() {
  local binary=$1 title=$2 out=$work/callgrind.out
  valgrind --tool=callgrind --callgrind-out-file="$out" "$binary" >/dev/null 2>"$work/valgrind.log" &
  local pid=$!
  for _ in $(seq 600); do
    xdotool search --onlyvisible --name "$title" >/dev/null 2>&1 && break
    sleep 0.1
  done
  sleep "$idle"
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  awk '/^summary:/ { print $2 }' "$out"
}

program_count=$(count "$program" "Расчет подшипников скольжения")
floor_count=$(count "$floor" "plain-bearings start-up floor")
awk -v p="$program_count" -v f="$floor_count" 'BEGIN {
  printf "program  %8.1f million instructions\n", p / 1e6
  printf "floor    %8.1f million instructions\n", f / 1e6
  printf "ratio    %8.2f\n", p / f
}'
