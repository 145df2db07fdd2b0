#!/bin/sh
# Renders the main window's background picture, frame-picture.jpg, from the
# POV-Ray scene plummer-block.pov beside this script.
#
# Needs the Debian packages povray and imagemagick (for /usr/bin/convert).
# These are only needed to redraw the picture, not to build the program: the
# JPEG is committed and the build embeds it as it is.
#
# Usage: resources/frame/make-frame-picture.sh   (from any directory)
set -eu

here=$(cd "$(dirname "$0")" && pwd)
width=532
height=439

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# +A0.2 +AM2 +R3: adaptive antialiasing; -J: no jitter, so that the same
# scene always gives the same picture; +WT2: at most two threads.
# POV-Ray prints a long banner; show its log only when it fails.
if ! povray +I"$here/plummer-block.pov" +O"$work/frame.png" +FN \
    +W$width +H$height +Q9 +A0.2 +AM2 +R3 -J +WT2 -D -V \
    >"$work/povray.log" 2>&1; then
    cat "$work/povray.log" >&2
    exit 1
fi

# /usr/bin/convert explicitly: another convert may come first on the PATH.
/usr/bin/convert "$work/frame.png" -strip -type TrueColor \
    -sampling-factor 4:4:4 -quality 90 "$here/frame-picture.jpg"

echo "wrote $here/frame-picture.jpg"
