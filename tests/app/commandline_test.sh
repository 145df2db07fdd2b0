#!/usr/bin/env bash
# The program's command line, run for real: each case gives its arguments and
# environment, the exit status it must end with and a line its output must hold.
# --help, --version and a mistake must answer with no display at all (a window would
# fail there), and so must the program itself, with status 1 instead of Qt's abort; an
# explicit platform still starts the windows, which then keep running until stopped.
# Usage: commandline_test.sh PATH-TO-plain-bearings VERSION
set -uo pipefail

program=${1:?usage: commandline_test.sh PATH-TO-plain-bearings VERSION}
version=${2:?usage: commandline_test.sh PATH-TO-plain-bearings VERSION}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

failures=0
passes=0
# case NAME STATUS STREAM EXPECTED-LINE-PATTERN [env NAME=VALUE...] -- [ARGUMENT...]
check() {
  local name=$1 expected_status=$2 stream=$3 pattern=$4
  shift 4
  local environment=()
  while [ "$1" != "--" ]; do environment+=("$1"); shift; done
  shift
  # No display, no Wayland and no platform unless the case names one; 5 s at most.
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "${environment[@]}" \
    timeout 5 "$program" "$@" >"$work/stdout" 2>"$work/stderr"
  local status=$?
  local problem=""
  [ "$status" -eq "$expected_status" ] || problem="exit status $status, not $expected_status"
  if [ -z "$problem" ] && [ -n "$pattern" ] && ! grep -qE -- "$pattern" "$work/$stream"; then
    problem="no line matching /$pattern/ on $stream"
  fi
  if [ -z "$problem" ] && [ "$expected_status" -eq 0 ] && [ -s "$work/stderr" ]; then
    problem="unexpected stderr"
  fi
  if [ -z "$problem" ] && [ "$expected_status" -eq 1 ] && [ "$(wc -l <"$work/stderr")" -ne 1 ]; then
    problem="$(wc -l <"$work/stderr") lines on stderr, not one"
  fi
  if [ -n "$problem" ]; then
    failures=$((failures + 1))
    echo "FAIL: $name: $problem"
    sed 's/^/  stdout: /' "$work/stdout"
    sed 's/^/  stderr: /' "$work/stderr"
  else
    passes=$((passes + 1))
    echo "PASS: $name"
  fi
}

check "help" 0 stdout '^Использование: plain-bearings' -- --help
check "help, short" 0 stdout '^  -v, --version ' -- -h
check "version" 0 stdout "^plain-bearings ${version//./\\.}\$" -- --version
check "version beside a Qt option" 0 stdout "^plain-bearings ${version//./\\.}\$" -- -style fusion -v
check "unknown option" 2 stderr '^plain-bearings: неизвестный параметр «--frobnicate»$' -- --frobnicate
check "usage after a mistake" 2 stderr '^Использование: plain-bearings' -- -x
check "stray argument" 2 stderr '^plain-bearings: лишний аргумент «file.txt»$' -- file.txt
check "Qt option without its value" 2 stderr '^plain-bearings: ошибка в параметрах' -- -platform
check "no display" 1 stderr 'DISPLAY is not set' --
check "display that is not there" 1 stderr 'DISPLAY=:9999' DISPLAY=:9999 --
check "platform named in the environment" 124 stdout '' QT_QPA_PLATFORM=offscreen --
check "platform named on the command line" 124 stdout '' -- -platform offscreen

echo "$passes passed, $failures failed"
[ "$failures" -eq 0 ]
