#!/usr/bin/env bash
# The real program against real streams: a full disk in every mode gives status 3 and one
# line on the standard error, and a batch into a pipe that closes ends, quietly, even when
# the caller ignores SIGPIPE.
#
#   tests/cli/streams.sh PROGRAM
set -uo pipefail
program=$1
failed=0
fail() { echo "FAIL: $*" >&2; failed=1; }

batch() { printf 'material,load,frequency\n'; for ((i = 0; i < $1; i++)); do echo '15,5000,300'; done; }

for arguments in "-m 15 -F 5000 -n 300" "--all -F 5000 -n 300" "--list-materials --format json" "--help" \
  "--batch - --format csv" "--batch -"; do
  # shellcheck disable=SC2086  # the arguments are words
  batch 10 | "$program" $arguments >/dev/full 2>"${TMPDIR:-/tmp}/streams.err.$$"
  status=${PIPESTATUS[1]}
  said=$(cat "${TMPDIR:-/tmp}/streams.err.$$")
  [[ $status -eq 3 ]] || fail "$arguments >/dev/full: status $status"
  [[ $said == "plain-bearings-calc: не удалось записать результаты: на устройстве нет места" ]] ||
    fail "$arguments >/dev/full said: $said"
done
rm -f "${TMPDIR:-/tmp}/streams.err.$$"

# An endless batch into `head`, SIGPIPE ignored: the program must end by itself, quietly.
errors="${TMPDIR:-/tmp}/streams.pipe.$$"
status=$( (trap '' PIPE; { printf 'material,load,frequency\n'; yes '15,5000,300' 2>/dev/null; } |
  timeout 60 "$program" --batch - --format csv 2>"$errors" | head -n 1 >/dev/null; echo "${PIPESTATUS[1]}") )
said=$(cat "$errors")
rm -f "$errors"
[[ $status -eq 3 ]] || fail "an endless batch into head: status $status (124: it ran on)"
[[ -z $said ]] || fail "a closed pipe said: $said"
exit $failed
