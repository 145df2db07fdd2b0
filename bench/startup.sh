#!/usr/bin/env bash
# Start-up benchmark: starts a private X server (Xvfb) on a free display, then has
# plain-bearings-startup alternate runs of the calculator and of the floor program and
# print the medians and ratios. Options are passed on to the driver (--runs N, ...).
#
#   bench/startup.sh [BUILD-DIR] [--runs N] [--warmup N] [--settle-ms MS]
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/default
if [[ $# -gt 0 && $1 != --* ]]; then
  build=$1
  shift
fi
program=$build/src/app/plain-bearings
floor=$build/bench/plain-bearings-floor
driver=$build/bench/plain-bearings-startup
for f in "$program" "$floor" "$driver"; do
  [[ -x $f ]] || { echo "startup.sh: $f is not built" >&2; exit 1; }
done

# A display number that no X server holds.
display=99
while [[ -e /tmp/.X$display-lock || -e /tmp/.X11-unix/X$display ]]; do
  display=$((display + 1))
done

# -noreset: the server must not reset when the last client leaves between runs.
Xvfb ":$display" -screen 0 1280x1024x24 -noreset -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null || true' EXIT
for _ in $(seq 100); do
  [[ -e /tmp/.X11-unix/X$display ]] && break
  kill -0 "$xvfb" 2>/dev/null || { echo "startup.sh: Xvfb did not start" >&2; exit 1; }
  sleep 0.05
done

export DISPLAY=":$display"
"$driver" "$@" "$program" "Расчет подшипников скольжения" "$floor" "plain-bearings start-up floor"
