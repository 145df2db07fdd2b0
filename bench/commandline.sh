#!/usr/bin/env bash
# What reading the command line before QApplication costs, in instructions (callgrind,
# exact and repeatable): the whole `plain-bearings --version` run, and the parse alone
# (StartupOptions' constructor with its callees), which every start of the windows pays
# too. Compare the latter with the program's start-up in docs/performance.md.
#
#   bench/commandline.sh [BUILD-DIR]     (build/default unless given)
set -euo pipefail
cd "$(dirname "$0")/.."
program=${1:-build/default}/src/app/plain-bearings
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

instructions() {  # the total of a callgrind output file
  callgrind_annotate "$1" 2>/dev/null | sed -n 's/^ *\([0-9,]*\) .*PROGRAM TOTALS.*/\1/p' | tr -d ,
}

valgrind --tool=callgrind --callgrind-out-file="$work/whole" "$program" --version >/dev/null 2>&1
valgrind --tool=callgrind --callgrind-out-file="$work/parse" \
  --toggle-collect='bearing::app::StartupOptions::StartupOptions*' "$program" -style fusion --version >/dev/null 2>&1
echo "plain-bearings --version, whole run:   $(instructions "$work/whole") instructions"
echo "command-line parse (-style fusion -v): $(instructions "$work/parse") instructions"
