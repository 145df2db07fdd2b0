#!/usr/bin/env bash
# Regenerates bearing-sketch.gif from bearing-sketch.svg: renders the drawing at
# its full size and maps every pixel to the nearest of six greys, with no
# dithering, so antialiased edges become intermediate greys and nothing else.
# Needs rsvg-convert (librsvg2-bin), python3-pil and the DejaVu fonts.
set -euo pipefail
cd "$(dirname "$0")"

width=447
height=613
png=$(mktemp --suffix=.png)
trap 'rm -f "$png"' EXIT

rsvg-convert --width "$width" --height "$height" --background-color white \
  --output "$png" bearing-sketch.svg

/usr/bin/python3 - "$png" bearing-sketch.gif <<'PY'
import sys
from PIL import Image

levels = [0xFF, 0xCC, 0x99, 0x66, 0x33, 0x00]
src = Image.open(sys.argv[1]).convert("L")

# Palette index of the nearest grey level for every luminance value.
nearest = [min(range(len(levels)), key=lambda i: abs(levels[i] - v)) for v in range(256)]
out = Image.new("P", src.size)
out.putdata([nearest[v] for v in src.getdata()])
out.putpalette([g for level in levels for g in (level, level, level)])
# GIF stores 2^n palette entries; the two spare ones are padded with black.
out.save(sys.argv[2], format="GIF", optimize=False)
PY
echo "wrote $(pwd)/bearing-sketch.gif"
