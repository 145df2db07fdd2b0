#!/usr/bin/env bash
# Paste benchmark: starts plain-bearings on a private Xvfb, pastes a long text into each
# of the bearing window's three input boxes with select-all and Ctrl+V, ROUNDS times a
# box, and prints how long the window took to answer after each paste (a _NET_WM_PING
# round trip through the program) and its resident memory: after start-up, after the
# pastes, and once every box holds a short text again. Then it pastes one BIG-MB text
# and times the answer. Keys and the clipboard go through the X server as a user's do,
# so a time includes taking the text from the clipboard's owner (xclip).
#
#   bench/paste.sh [BUILD-DIR] [--megabytes MB] [--rounds N] [--big MB] [--perf FILE]
#
# --perf FILE records the program with `perf record` during the big paste, for
# `perf report -i FILE`.
# Needs Xvfb, xdotool, xclip and the wm-client helper of the build (tests/app).
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/default
if [[ $# -gt 0 && $1 != --* ]]; then
  build=$1
  shift
fi
megabytes=1
rounds=20
big=4
perf_file=""
while [[ $# -gt 0 ]]; do
  case $1 in
    --megabytes) megabytes=$2; shift 2 ;;
    --rounds) rounds=$2; shift 2 ;;
    --big) big=$2; shift 2 ;;
    --perf) perf_file=$2; shift 2 ;;
    *) echo "usage: bench/paste.sh [BUILD-DIR] [--megabytes MB] [--rounds N] [--big MB] [--perf FILE]" >&2; exit 2 ;;
  esac
done
program=$build/src/app/plain-bearings
wm=$build/tests/app/wm-client
for f in "$program" "$wm"; do
  [[ -x $f ]] || { echo "paste.sh: $f is not built" >&2; exit 1; }
done
for tool in Xvfb xdotool xclip; do
  command -v "$tool" >/dev/null || { echo "paste.sh: $tool is not installed" >&2; exit 1; }
done

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1024x768x24 -noreset -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
for _ in $(seq 100); do
  [[ -s $work/display ]] && break
  sleep 0.05
done
export DISPLAY=":$(head -n1 "$work/display")"
export LC_ALL=C.UTF-8
unset QT_QPA_PLATFORM

"$program" 2>"$work/program.log" &
program_pid=$!
pids+=("$program_pid")
window=""
for _ in $(seq 200); do
  window=$(xdotool search --onlyvisible --name "Расчет подшипников скольжения" 2>/dev/null | head -n1 || true)
  [[ -n $window ]] && break
  sleep 0.05
done
[[ -n $window ]] || { cat "$work/program.log" >&2; echo "paste.sh: no window" >&2; exit 1; }
"$wm" ping "$window" >/dev/null
sleep 1

rss_mb() { awk '/^VmRSS:/ { printf "%.1f", $2 / 1024 }' "/proc/$program_pid/status"; }
now_ms() { echo $(($(date +%s%N) / 1000000)); }
# Copies N megabytes of digits to the clipboard; xclip serves it until the next copy.
copy_digits() {
  head -c $(($1 * 1048576)) /dev/zero | tr '\0' '7' | xclip -selection clipboard -loops 0 -quiet >/dev/null 2>&1 &
  pids+=($!)
  sleep 0.3
}
# The three input boxes where the bearing window, maximised at start-up, shows them.
declare -A boxes=([Text1\(0\)]="376 71" [Text1\(3\)]="376 103" [Text2]="424 351")
# Pastes over the whole text of the box at X Y and prints the milliseconds until the
# program answers a ping after it. The program answers the first ping once it has taken
# the paste and laid the text out, and paints on its next turn: the second ping waits
# for that.
paste_into() {
  xdotool mousemove "$1" "$2" click 1
  "$wm" ping "$window" >/dev/null
  local start
  start=$(now_ms)
  xdotool key ctrl+a ctrl+v
  "$wm" ping "$window" 60000 >/dev/null
  "$wm" ping "$window" 60000 >/dev/null
  echo $(($(now_ms) - start))
}

started=$(rss_mb)
echo "resident memory after start-up: $started MB"
copy_digits "$megabytes"
slowest=0
for name in "Text1(0)" "Text1(3)" "Text2"; do
  read -r x y <<<"${boxes[$name]}"
  times=()
  for _ in $(seq "$rounds"); do
    ms=$(paste_into "$x" "$y")
    times+=("$ms")
    ((ms > slowest)) && slowest=$ms
  done
  echo "$name: $rounds pastes of $megabytes MB, answered after (ms): ${times[*]}; resident memory $(rss_mb) MB"
done
echo "every box holds $megabytes MB: resident memory $(rss_mb) MB (start-up + $(awk -v a="$(rss_mb)" -v b="$started" 'BEGIN { printf "%.1f", a - b }') MB); slowest answer $slowest ms"

for name in "Text1(0)" "Text1(3)" "Text2"; do
  read -r x y <<<"${boxes[$name]}"
  xdotool mousemove "$x" "$y" click 1 key ctrl+a type 1
done
"$wm" ping "$window" >/dev/null
sleep 0.5
echo "every box holds «1»: resident memory $(rss_mb) MB (start-up + $(awk -v a="$(rss_mb)" -v b="$started" 'BEGIN { printf "%.1f", a - b }') MB)"

copy_digits "$big"
read -r x y <<<"${boxes[Text1(0)]}"
if [[ -n $perf_file ]]; then
  perf record -g -o "$perf_file" -p "$program_pid" 2>/dev/null &
  perf_pid=$!
  sleep 1
fi
echo "one paste of $big MB into Text1(0): answered after $(paste_into "$x" "$y") ms; resident memory $(rss_mb) MB"
if [[ -n $perf_file ]]; then
  kill -INT "$perf_pid"
  wait "$perf_pid" || true
  echo "profile of the big paste: perf report -i $perf_file"
fi
