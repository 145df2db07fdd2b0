#!/usr/bin/env bash
# The workbook read back by openpyxl against the CSV of the same cases.
#
#   workbook_test.sh PLAIN-BEARINGS-CALC CHECK.py
set -euo pipefail
calc=$1 check=$2

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

# Results, the messages that stop a case, a length below the minimum, a zero diameter,
# inputs that are not plain numbers, line breaks a cell keeps as LF, a batch's own
# column, texts a spreadsheet would run as formulas (a text cell in the workbook) and a
# text longer than a cell holds.
{
  printf 'material,load,frequency,length,шифр\r\n'
  printf 'Бронза БрО10Ф1,5000,300,20,П-1\r\n'
  printf 'Графит,5000,300,,П-2\r\n'
  printf '15,1.5,300 об/мин,0.5,17\r\n'
  printf 'Баббит Б83,1e3,-20,2,\r\n'
  printf 'Капрон,100,1e30,,"a, b"\r\n'
  printf 'Графит,5000,300,1,П-6\r\n'
  printf 'Нет такого,1,1,,П-7\r\n'
  printf '"Гра\rфит","5000\r\n",300,,П-8\r\n'
  printf '@SUM(A1),-2+3,300,,"=HYPERLINK(""http://x"";""clk"")"\r\n'
  awk 'BEGIN { for (i = 0; i < 40000; i++) s = s "ж"; printf "\"%s\",1,1,,П-9\r\n", s }'
  for row in $(seq 1 21); do printf '%s,%s,%s,%s,%s\r\n' "$row" $((row * 700)) $((row * 40)) $((row % 3 * 10)) "$row"; done
} >"$work/cases.csv"

"$calc" --batch "$work/cases.csv" --format csv >"$work/out.csv" 2>/dev/null || [[ $? -eq 1 ]]
"$calc" --list-materials --format csv >"$work/materials.csv"
"$calc" --batch "$work/cases.csv" --format xlsx --output "$work/book.xlsx" 2>/dev/null || [[ $? -eq 1 ]]
"$python" "$check" "$work/book.xlsx" "$work/out.csv" "$work/materials.csv"
"$calc" --list-materials --format xlsx --output "$work/materials.xlsx"
"$python" "$check" "$work/materials.xlsx" - "$work/materials.csv"

# The design check of every material, ranked, and a batch of checks with its own column,
# a case that fails and one the check cannot reach.
check_all=(--check --all -F 5000 -n 300 -d 16.7 -L 20 -t 120 --sort utilisation)
"$calc" "${check_all[@]}" --format csv >"$work/check.csv" 2>/dev/null || [[ $? -eq 1 ]]
"$calc" "${check_all[@]}" --format xlsx -o "$work/check.xlsx" 2>/dev/null || [[ $? -eq 1 ]]
"$python" "$check" "$work/check.xlsx" "$work/check.csv" "$work/materials.csv"
{
  printf 'шифр,material,load,frequency,diameter,length,temperature\r\n'
  printf 'П-1,Бронза БрО10Ф1,5000,300,40,30,80\r\n'
  printf 'П-2,Графит,1000,1000,20,50,\r\n'
  printf 'П-3,Нет такого,1,1,1,1,\r\n'
  printf 'П-4,1,1,1,0,1,\r\n'
  printf 'П-5,1,1e-300,1e300,1e17,6,\r\n'
} >"$work/checks.csv"
"$calc" --check --batch "$work/checks.csv" --format csv >"$work/checks-out.csv" 2>/dev/null || [[ $? -eq 1 ]]
"$calc" --check --batch "$work/checks.csv" --format xlsx -o "$work/checks.xlsx" 2>/dev/null || [[ $? -eq 1 ]]
"$python" "$check" "$work/checks.xlsx" "$work/checks-out.csv" "$work/materials.csv"
# The same checks as a Russian spreadsheet saves them: the inputs with decimal commas are
# numbers in the workbook, as in a sizing's.
tr ',' ';' <"$work/checks.csv" | sed 's/;300;/;300,5;/; s/;20;/;20,5;/' >"$work/checks-ru.csv"
"$calc" --check --batch "$work/checks-ru.csv" --format csv >"$work/checks-ru-out.csv" 2>/dev/null || [[ $? -eq 1 ]]
"$calc" --check --batch "$work/checks-ru.csv" --format xlsx -o "$work/checks-ru.xlsx" 2>/dev/null || [[ $? -eq 1 ]]
"$python" "$check" "$work/checks-ru.xlsx" "$work/checks-ru-out.csv" "$work/materials.csv" ,

# The oil film: cases that pass, fail, reach no solution and stop at a fault.
{
  printf 'id,load,frequency,diameter,length,clearance,viscosity,roughness_journal,roughness_bore,film_margin\r\n'
  printf 'A,5000,1500,50,40,60,0.02,1.6,3.2,\r\n'
  printf 'B,5000,1500,50,40,60,0.02,,,\r\n'
  printf 'C,50000,100,50,40,60,0.02,0,0,3\r\n'
  printf 'D,x,1,1,1,1,1,,,\r\n'
} >"$work/film.csv"
"$calc" --film --batch "$work/film.csv" --format csv >"$work/film-out.csv" 2>/dev/null || [[ $? -eq 1 ]]
"$calc" --film --batch "$work/film.csv" --format xlsx -o "$work/film.xlsx" 2>/dev/null || [[ $? -eq 1 ]]
"$python" "$check" "$work/film.xlsx" "$work/film-out.csv" "$work/materials.csv"
