#!/usr/bin/env bash
# Start-up benchmark: starts a private X server (Xvfb) on a display it picks, then has
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

source bench/xvfb.sh
"$driver" "$@" "$program" "Расчет подшипников скольжения" "$floor" "plain-bearings start-up floor"
