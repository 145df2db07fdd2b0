#!/usr/bin/env bash
# Makes the sample charts and reports that docs/ shows with the command-line calculator,
# for the worked example («Бронза БрО10Ф1», F 5000 N, n 300 rpm, d × L = 16.7 × 20 mm,
# t 80 °C), and renders them as a reader sees them: each chart to PNG with rsvg-convert,
# each report printed to PDF by headless Chromium and its pages to PNG with pdftoppm. The
# reports' date is SOURCE_DATE_EPOCH's (the last commit's time unless set), so that the
# files are made again byte for byte.
#
#   bench/samples.sh [BUILD-DIR] [OUT-DIR]
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build/default}
out=${2:-docs/samples}
for tool in rsvg-convert chromium pdftoppm; do
  command -v "$tool" >/dev/null || { echo "bench/samples.sh needs $tool" >&2; exit 1; }
done
cmake --build "$build" --target plain-bearings-calc >/dev/null
program=$build/src/cli/plain-bearings-calc
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}
# The numbers with a comma, as a Russian locale writes them (the program reads the name;
# the locale need not be installed).
calc() { env LC_ALL=ru_RU.UTF-8 "$program" "$@"; }
mkdir -p "$out"
# Only what this script makes again is removed: the folder also holds the oil film's charts
# (film-*.svg and their PNGs), which the command line cannot draw yet.
for chart in pv-diagram design-chart pv-panels sizing-design-chart; do
  rm -f "$out/$chart.svg" "$out/$chart.png"
done
for report in check-report check-report-all sizing-report; do
  rm -f "$out/$report.html" "$out/$report.pdf" "$out/$report"-page-*.png
done

example=(-m "Бронза БрО10Ф1" -F 5000 -n 300)
# A check passes with status 0; every material, where most do not, ends with 1.
calc --check "${example[@]}" -d 16.7 -L 20 -t 80 --chart "$out/pv-diagram.svg" --report "$out/check-report.html" >/dev/null
calc --check "${example[@]}" -d 16.7 -L 20 --chart "$out/design-chart.svg" --chart-kind design >/dev/null
calc --check --all -F 5000 -n 300 -d 16.7 -L 20 -t 80 --sort utilisation --chart "$out/pv-panels.svg" \
  --report "$out/check-report-all.html" >/dev/null || [ $? -eq 1 ]
calc "${example[@]}" -L 20 --chart "$out/sizing-design-chart.svg" --chart-kind design \
  --report "$out/sizing-report.html" >/dev/null

for svg in "$out"/*.svg; do
  rsvg-convert --background-color=white "$svg" -o "${svg%.svg}.png"
done
profile=$(mktemp -d)
trap 'rm -rf "$profile"' EXIT
for html in "$out"/*.html; do
  pdf=${html%.html}.pdf
  chromium --headless=new --no-sandbox --disable-gpu --user-data-dir="$profile" --no-pdf-header-footer \
    --print-to-pdf="$pdf" "file://$(realpath "$html")" 2>/dev/null
  pdftoppm -r 60 -png "$pdf" "${html%.html}-page"
done
ls "$out"
