#!/usr/bin/env bash
# Every kind of output file written to a nearly full disk: the program, loaded with a
# shim that fails writes with ENOSPC past a budget of bytes (nearlyfulldisk.cpp), must
# leave each old file as it was or put a whole new one in its place, never a torn one;
# a file it did not write is named on the standard error and the status is 3.
#
#   tests/cli/fulldisk.sh PROGRAM SHIM
set -uo pipefail
program=$(realpath "$1") shim=$(realpath "$2")
failed=0
fail() { echo "FAIL: $*" >&2; failed=1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
export SOURCE_DATE_EPOCH=1765141454
# A program built with AddressSanitizer wants its runtime loaded first; the shim follows.
preload=$shim
if asan=$(ldd "$program" 2>/dev/null | awk '/libasan/ { print $3 }') && [[ -n $asan ]]; then
  preload=$asan:$shim
fi

{
  echo 'id,material,load,frequency,length'
  for ((i = 1; i <= 300; i++)); do echo "П-$i,$((i % 21 + 1)),$((i * 100)),300,20"; done
} >cases.csv

# Whole: the same bytes as with room to spare; a workbook, whose zip holds the time of
# its making, a zip that reads back.
whole() {
  if [[ $1 == *.xlsx ]]; then
    python3 -c 'import sys, zipfile; sys.exit(zipfile.ZipFile(sys.argv[1]).testzip() is not None)' "$1" 2>/dev/null
  else
    cmp -s "$1" "$1.whole"
  fi
}

kinds=(
  "text|--batch cases.csv -o out.txt|out.txt"
  "csv|--batch cases.csv -f csv --csv-dialect ru -o out.csv|out.csv"
  "json|--batch cases.csv -f json -o out.json|out.json"
  "xlsx|--batch cases.csv -f xlsx -o out.xlsx|out.xlsx"
  "chart and report|--check --all -F 5000 -n 300 -d 16.7 -L 20 --chart keep.svg --report keep.html|keep.svg keep.html"
  "every file of a run|--batch cases.csv -f json -o out.json --report keep.html|out.json keep.html"
)
for kind in "${kinds[@]}"; do
  IFS='|' read -r name arguments files <<<"$kind"
  read -ra arguments <<<"$arguments"
  read -ra files <<<"$files"
  rm -f "${files[@]}"
  "$program" "${arguments[@]}" >/dev/null 2>&1
  size=0
  for file in "${files[@]}"; do
    mv "$file" "$file.whole"
    size=$((size + $(stat -c %s "$file.whole")))
  done
  failures=0 successes=0
  # A workbook takes several times its size in the library's files on the way.
  for budget in 0 1 4096 $((size / 3)) $((size / 2)) $((size - 100)) $((size * 2)) $((size * 20)); do
    for file in "${files[@]}"; do echo "old $file" >"$file"; done
    NEARLY_FULL_BYTES=$budget LD_PRELOAD=$preload "$program" "${arguments[@]}" >/dev/null 2>said
    status=$?
    case $status in
      0 | 1) successes=$((successes + 1)) ;;
      3) failures=$((failures + 1)) ;;
      *) fail "$name, $budget bytes: status $status: $(cat said)" ;;
    esac
    for file in "${files[@]}"; do
      if cmp -s "$file" <(echo "old $file"); then
        [[ $status -eq 3 ]] || fail "$name, $budget bytes: $file left as it was with status $status"
        grep -q "«$file»" said || fail "$name, $budget bytes: $file not named: $(cat said)"
      elif ! whole "$file"; then
        fail "$name, $budget bytes: $file torn ($(stat -c %s "$file") bytes)"
      fi
    done
    leftovers=$(find . -name '.*' -type f)
    [[ -z $leftovers ]] || fail "$name, $budget bytes: left behind: $leftovers"
  done
  [[ $failures -gt 0 && $successes -gt 0 ]] ||
    fail "$name: $failures runs failed and $successes wrote their files: the budgets miss the point"
done
exit $failed
