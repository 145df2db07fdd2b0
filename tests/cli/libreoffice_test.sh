#!/usr/bin/env bash
# LibreOffice, where it is installed, opens what the command line writes for spreadsheets
# under a Russian locale: the workbook saved again as CSV shows its figures unquoted, as
# numbers; the Russian CSV dialect, opened with the import options LibreOffice has before
# anyone changes them, gives a number cell for every figure and the names as written.
#
#   libreoffice_test.sh PLAIN-BEARINGS-CALC CHECK.py
set -euo pipefail
calc=$1 check=$2

command -v soffice >/dev/null || { echo "LibreOffice (soffice) is not installed: skipped"; exit 77; }
python=
for candidate in python3 /usr/bin/python3; do
  if command -v "$candidate" >/dev/null && "$candidate" -c 'import openpyxl' 2>/dev/null; then
    python=$candidate
    break
  fi
done
[[ -n $python ]] || { echo "openpyxl is not installed (python3-openpyxl): skipped"; exit 77; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work/home  # LibreOffice's profile, made afresh: its first-use options
# The Russian locale, built here when the system has none: LibreOffice takes the file
# encoding of "system" from it. Without localedef, UTF-8 is named instead.
charset=76
if command -v localedef >/dev/null && localedef -i ru_RU -f UTF-8 "$work/locale/ru_RU.UTF-8" 2>/dev/null; then
  export LOCPATH=$work/locale
  charset=
fi

{
  printf 'material,load,frequency,length\r\n'
  for row in $(seq 1 21); do printf '%s,%s,%s,%s\r\n' "$row" $((row * 700)) $((row * 40)) $((row % 3 * 10)); done
  printf 'Бронза БрО10Ф1,5000,300,20\r\nГрафит,"1,5",300,\r\nНет такого,1,1,\r\nБаббит Б83,1e3,-20,2\r\n'
} >"$work/cases.csv"
"$calc" --batch "$work/cases.csv" --format csv >"$work/out.csv" 2>/dev/null || [[ $? -eq 1 ]]
for format in "xlsx --output $work/book.xlsx" "csv --csv-dialect ru"; do
  # shellcheck disable=SC2086 # the format's words
  "$calc" --batch "$work/cases.csv" --format $format >"$work/ru.csv" 2>/dev/null || [[ $? -eq 1 ]]
done

office() {
  LANG=ru_RU.UTF-8 LC_ALL=ru_RU.UTF-8 timeout 180 soffice --headless --norestore "$@" >"$work/soffice.log" 2>&1 ||
    { cat "$work/soffice.log"; exit 1; }
}
office --convert-to 'csv:Text - txt - csv (StarCalc):59,34,76,1,,1049,true,true,true' --outdir "$work/exported" "$work/book.xlsx"
"$python" "$check" exported "$work/exported/book.csv" "$work/out.csv"
office --infilter="Text - txt - csv (StarCalc):44/59/9,34,$charset,1" --convert-to xlsx --outdir "$work/opened" "$work/ru.csv"
"$python" "$check" opened "$work/opened/ru.xlsx" "$work/out.csv"
