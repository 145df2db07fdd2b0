#!/usr/bin/env bash
# Starts plain-bearings on a fresh Xvfb display and waits for its frame window to show.
# Usage: smoke_test.sh PATH-TO-plain-bearings
set -euo pipefail

program=${1:?usage: smoke_test.sh PATH-TO-plain-bearings}
title="Расчет подшипников скольжения"
timeout_s=10

for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
xvfb_pid=""
program_pid=""
stop() {
  if [ -n "$1" ]; then
    kill "$1" 2>/dev/null || true
    wait "$1" 2>/dev/null || true
  fi
}
cleanup() {
  stop "$program_pid"
  stop "$xvfb_pid"
  rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display itself and writes its number to fd 3. -noreset keeps it
# from dropping connections while the loop below polls it.
Xvfb -displayfd 3 -screen 0 1024x768x24 -noreset -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  kill -0 "$xvfb_pid" 2>/dev/null || { cat "$work/xvfb.log" >&2; echo "FAIL: Xvfb did not start" >&2; exit 1; }
  sleep 0.05
done
[ -s "$work/display" ] || { echo "FAIL: Xvfb gave no display number" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$work/display")"
unset WAYLAND_DISPLAY QT_QPA_PLATFORM
# xdotool matches the window's legacy WM_NAME, which Xlib encodes in the C library's
# locale; under a locale that is not generated on this machine (ru_RU.UTF-8 often is
# not) Cyrillic arrives garbled there, though _NET_WM_NAME is right. Pin a UTF-8 locale
# that always exists.
export LC_ALL=C.UTF-8

"$program" 2>"$work/program.log" &
program_pid=$!

start=$(date +%s%N)
deadline=$((start + timeout_s * 1000000000))
window=""
while [ "$(date +%s%N)" -lt "$deadline" ]; do
  if ! kill -0 "$program_pid" 2>/dev/null; then
    cat "$work/program.log" >&2
    echo "FAIL: plain-bearings exited before its window appeared" >&2
    program_pid=""
    exit 1
  fi
  window=$(xdotool search --onlyvisible --name "$title" 2>/dev/null | head -n1 || true)
  [ -n "$window" ] && break
  sleep 0.02
done

if [ -z "$window" ]; then
  cat "$work/program.log" >&2
  echo "FAIL: no visible window named \"$title\" within ${timeout_s} s" >&2
  exit 1
fi
elapsed_ms=$((($(date +%s%N) - start) / 1000000))
echo "PASS: window $window \"$(xdotool getwindowname "$window")\" visible after ${elapsed_ms} ms"
