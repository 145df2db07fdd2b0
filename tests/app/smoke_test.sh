#!/usr/bin/env bash
# Starts plain-bearings on a fresh Xvfb display and waits for its frame window to show.
# Usage: smoke_test.sh PATH-TO-plain-bearings
set -euo pipefail
source "$(dirname "$0")/../support/xvfb.sh"

program=${1:?usage: smoke_test.sh PATH-TO-plain-bearings}
title="Расчет подшипников скольжения"
timeout_s=10

skip_without Xvfb xdotool

work=$(mktemp -d)
xvfb_pid=""
program_pid=""
cleanup() {
  stop_processes $program_pid $xvfb_pid
  rm -rf "$work"
}
trap cleanup EXIT

start_xvfb "$work" || { echo "FAIL: no X server" >&2; exit 1; }
# xdotool matches the window's legacy WM_NAME, which Xlib encodes in the C library's
# locale; under a locale that is not generated on this machine (ru_RU.UTF-8 often is
# not) Cyrillic arrives garbled there, though _NET_WM_NAME is right. Pin a UTF-8 locale
# that always exists.
export LC_ALL=C.UTF-8

"$program" 2>"$work/program.log" &
program_pid=$!

start=$(date +%s%N)
if ! window=$(wait_for_window "$program_pid" "$title" "$timeout_s"); then
  cat "$work/program.log" >&2
  echo "FAIL: plain-bearings showed no window \"$title\"" >&2
  exit 1
fi
elapsed_ms=$((($(date +%s%N) - start) / 1000000))
echo "PASS: window $window \"$(xdotool getwindowname "$window")\" visible after ${elapsed_ms} ms"
