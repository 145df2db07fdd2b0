#!/usr/bin/env bash
# Makes the sample charts and reports that docs/ shows, and renders them as a reader
# sees them: each chart to PNG with rsvg-convert, each report printed to PDF by headless
# Chromium and its pages to PNG with pdftoppm. The date in the reports is
# SOURCE_DATE_EPOCH's (the last commit's time unless set), so that the files are made
# again byte for byte.
#
#   bench/samples.sh [BUILD-DIR] [OUT-DIR]
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build/default}
out=${2:-docs/samples}
for tool in rsvg-convert chromium pdftoppm; do
  command -v "$tool" >/dev/null || { echo "bench/samples.sh needs $tool" >&2; exit 1; }
done
cmake --build "$build" --target plain-bearings-samples >/dev/null
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}
mkdir -p "$out"
"$build/bench/plain-bearings-samples" "$out" >/dev/null

for svg in "$out"/*.svg; do
  rsvg-convert --background-color=white "$svg" -o "${svg%.svg}.png"
done
profile=$(mktemp -d)
trap 'rm -rf "$profile"' EXIT
for html in "$out"/*.html; do
  pdf=${html%.html}.pdf
  chromium --headless=new --no-sandbox --disable-gpu --user-data-dir="$profile" --no-pdf-header-footer \
    --print-to-pdf="$pdf" "file://$(realpath "$html")" 2>/dev/null
  rm -f "${html%.html}"-page-*.png
  pdftoppm -r 60 -png "$pdf" "${html%.html}-page"
done
ls "$out"
