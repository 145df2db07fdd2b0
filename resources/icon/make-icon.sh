#!/bin/sh
# Turns plain-bearings.svg into the program's icons beside it:
#   plain-bearings.png  32 x 32 RGBA, for the desktop icon theme;
#   plain-bearings.ico  32 x 32, 4 bits per pixel in the 16-colour VGA
#                       palette, with a 1-bit transparency mask.
#
# Needs the Debian packages librsvg2-bin (rsvg-convert) and python3-pil.
# They are only needed to redraw the icon, not to build the program: both
# icons are committed and the build uses them as they are.
#
# Usage: resources/icon/make-icon.sh   (from any directory)
set -eu

here=$(cd "$(dirname "$0")" && pwd)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

rsvg-convert --width 32 --height 32 --format png \
    --output "$work/icon.png" "$here/plain-bearings.svg"

# The system Python, which has python3-pil; another python3 may come first
# on the PATH.
/usr/bin/python3 - "$work/icon.png" "$here/plain-bearings.png" \
    "$here/plain-bearings.ico" <<'PY'
import struct
import sys

from PIL import Image

source, png_path, ico_path = sys.argv[1:4]

# The 16-colour VGA palette in the order Windows uses for 4-bit bitmaps.
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00),
    (0x80, 0x80, 0x00), (0x00, 0x00, 0x80), (0x80, 0x00, 0x80),
    (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0), (0x80, 0x80, 0x80),
    (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF),
    (0xFF, 0xFF, 0xFF),
]
SIZE = 32

image = Image.open(source).convert("RGBA")
if image.size != (SIZE, SIZE):
    sys.exit(f"{source}: expected {SIZE}x{SIZE}, got {image.size}")

# Every pixel must be fully transparent or an opaque palette colour: the
# drawing is made that way, and a stray blended pixel means it was not.
indices = []   # palette index per pixel, top row first
opaque = []    # True where the pixel is drawn
for y in range(SIZE):
    for x in range(SIZE):
        r, g, b, a = image.getpixel((x, y))
        if a == 0:
            indices.append(0)
            opaque.append(False)
        elif a == 255 and (r, g, b) in PALETTE:
            indices.append(PALETTE.index((r, g, b)))
            opaque.append(True)
        else:
            sys.exit(f"pixel ({x}, {y}) = {(r, g, b, a)} is not transparent "
                     "and not an opaque VGA colour")

# The PNG: the same pixels, with transparent ones cleared to (0, 0, 0, 0).
out = Image.new("RGBA", (SIZE, SIZE))
out.putdata([PALETTE[i] + (255,) if o else (0, 0, 0, 0)
             for i, o in zip(indices, opaque)])
out.save(png_path, optimize=True)

# The ICO, written by hand because the libraries at hand write icons as
# embedded PNG or at 32 bits, while this one is a classic 4-bit bitmap:
# header, one directory entry, BITMAPINFOHEADER (height doubled for the
# mask), palette, colour bitmap and AND mask, both bottom row first.
xor_bytes = bytearray()
and_bytes = bytearray()
for y in reversed(range(SIZE)):
    row = indices[y * SIZE:(y + 1) * SIZE]
    for x in range(0, SIZE, 2):
        xor_bytes.append(row[x] << 4 | row[x + 1])
    mask_row = 0
    for x in range(SIZE):
        if not opaque[y * SIZE + x]:
            mask_row |= 1 << (SIZE - 1 - x)
    and_bytes += mask_row.to_bytes(SIZE // 8, "big")
# 32 pixels make 16 bytes of colour and 4 bytes of mask per row: both are
# already whole multiples of 4 bytes, so the rows need no padding.

palette_bytes = b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
info = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 4, 0,
                   len(xor_bytes) + len(and_bytes), 0, 0, 16, 0)
bitmap = info + palette_bytes + bytes(xor_bytes) + bytes(and_bytes)
header = struct.pack("<HHH", 0, 1, 1)
entry = struct.pack("<BBBBHHII", SIZE, SIZE, 16, 0, 1, 4, len(bitmap),
                    len(header) + 16)
with open(ico_path, "wb") as f:
    f.write(header + entry + bitmap)
PY

echo "wrote $here/plain-bearings.png and $here/plain-bearings.ico"
