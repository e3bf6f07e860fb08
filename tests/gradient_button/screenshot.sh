#!/bin/sh
# Runs the gallery under Wine in the build's prefix and turns its BMPs into
# PNGs in the current folder. Skipped (77) without a display.
# Usage: screenshot.sh WINE_RUN PREFIX GALLERY_EXE
set -eu
if [ -z "${DISPLAY:-}" ]; then
  echo "no DISPLAY: screenshots skipped"
  exit 77
fi
rm -f gallery-looks.bmp gallery-dialog.bmp gallery-looks.png gallery-dialog.png
"$1" "$2" "$3"
for name in gallery-looks gallery-dialog; do
  convert "$name.bmp" "$name.png"
  echo "wrote $(pwd)/$name.png"
done
