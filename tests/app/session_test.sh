#!/usr/bin/env bash
# A user's whole session with the real program on a private Xvfb, ended the way a user
# ends it: start-up, a material chosen, both buttons pressed with good and with bad
# inputs (every message box closed), both menu switches, the About box, the bearing
# window closed and opened again from the menu, then the frame closed through the
# window manager's close request (WM_DELETE_WINDOW). The program must exit 0 and write
# no sanitizer report, which is what this test is for in the asan build.
#
#   session_test.sh PATH-TO-plain-bearings PATH-TO-wm-client
#
# Skipped (77) where Xvfb or xdotool is missing.
set -euo pipefail

program=${1:?usage: session_test.sh PATH-TO-plain-bearings PATH-TO-wm-client}
wm=${2:?usage: session_test.sh PATH-TO-plain-bearings PATH-TO-wm-client}
title="Расчет подшипников скольжения"

for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
xvfb_pid=""
program_pid=""
cleanup() {
  for pid in $program_pid $xvfb_pid; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*" >&2
  cat "$work/program.log" >&2
  exit 1
}

Xvfb -displayfd 3 -screen 0 1024x768x24 -noreset -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  sleep 0.05
done
[ -s "$work/display" ] || { cat "$work/xvfb.log" >&2; echo "FAIL: Xvfb gave no display number" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$work/display")"
unset WAYLAND_DISPLAY QT_QPA_PLATFORM
# xdotool reads window names in the C library's locale; C.UTF-8 always exists.
export LC_ALL=C.UTF-8

"$program" 2>"$work/program.log" &
program_pid=$!
frame=""
for _ in $(seq 600); do
  kill -0 "$program_pid" 2>/dev/null || fail "the program ended at start-up"
  frame=$(xdotool search --onlyvisible --name "$title" 2>/dev/null | head -n1 || true)
  [ -n "$frame" ] && break
  sleep 0.05
done
[ -n "$frame" ] || fail "no window \"$title\" within 30 s"

# Waits until the program has handled everything sent so far.
settle() { "$wm" ping "$frame" 60000 >/dev/null || fail "the program stopped answering"; }
# Closes every other window the program shows (its message boxes) as a window manager
# would, and prints how many there were.
close_boxes() {
  local count=0 window
  settle
  for window in $(xdotool search --onlyvisible --pid "$program_pid" 2>/dev/null || true); do
    [ "$window" = "$frame" ] && continue
    "$wm" close "$window"
    count=$((count + 1))
    settle
  done
  echo "$count"
}
click() {
  xdotool mousemove "$1" "$2" click 1
  settle
}
# Replaces the text of the input box at X Y.
enter() {
  click "$1" "$2"
  xdotool key ctrl+a type "$3"
  settle
}
# Presses the button at X Y and checks how many message boxes it showed.
press() {
  click "$1" "$2"
  local shown
  shown=$(close_boxes)
  [ "$shown" -eq "$3" ] || fail "$4: $shown message boxes instead of $3"
}
# Opens the menu at X Y and chooses its first item.
choose() {
  click "$1" "$2"
  xdotool key Down Return
  settle
}

# Where the frame, at its start-up size, shows the maximised bearing window's controls.
load="376 71" frequency="376 103" graphite="343 160" sizing="340 199"
length="424 351" diameter="104 371"
calculation_menu="46 8" reference_menu="115 8" about_menu="202 8" child_close="513 9"

settle
click $graphite
enter $load 100
enter $frequency 50
press $sizing 0 "the sizing with good inputs"
enter $length 40
press $diameter 0 "the diameter with a good length"
enter $length 0.001
press $diameter 1 "the diameter with a length below the minimum"
enter $frequency abc
press $sizing 1 "the sizing without a frequency"
enter $frequency 50
enter $load 1e39
press $sizing 1 "the sizing with a load beyond the range"
choose $reference_menu
[ "$(xdotool getwindowname "$frame")" = "$title - [Справочник]" ] ||
  fail "the menu did not switch to the materials window: $(xdotool getwindowname "$frame")"
choose $calculation_menu
click $about_menu
[ "$(close_boxes)" -eq 1 ] || fail "About showed no message box"
# The frame's title names the maximised child while there is one.
click $child_close
[ "$(xdotool getwindowname "$frame")" = "$title" ] || fail "the bearing window did not close"
choose $calculation_menu
[ "$(xdotool getwindowname "$frame")" = "$title - [Подшипник]" ] || fail "the bearing window did not open again"
click $graphite
enter $load 100
enter $frequency 50
press $sizing 0 "the sizing in the window opened again"

"$wm" close "$frame"
status=0
for _ in $(seq 600); do
  kill -0 "$program_pid" 2>/dev/null || break
  sleep 0.05
done
kill -0 "$program_pid" 2>/dev/null && fail "the program did not end within 30 s of the close request"
wait "$program_pid" || status=$?
program_pid=""
if [ "$status" -ne 0 ] || grep -qE 'Sanitizer|runtime error:' "$work/program.log"; then
  fail "the program ended with status $status"
fi
echo "PASS: session closed through WM_DELETE_WINDOW, exit status 0, no sanitizer report"
