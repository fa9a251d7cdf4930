#!/bin/sh
# Checks PNG files written by Veilo with other tools: every file must pass
# pngcheck, and ImageMagick (convert) must decode it to the pixels libpng
# reads from it (-strip keeps the text chunks out of the PPM header).
# Usage: scripts/check_png_output.sh [build dir, default build/native]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$root/build/native"}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
VEILO_PNG_INTEROP_DIR="$work" "$build/tests/veilo-tests-formats" --gtest_filter='PngInterop.*' >/dev/null
status=0
for png in "$work"/*.png; do
  name=$(basename "$png" .png)
  if pngcheck -q "$png" >/dev/null; then
    echo "ok   pngcheck $name"
  else
    echo "FAIL pngcheck $name"; pngcheck -v "$png" | tail -3; status=1
  fi
  if /usr/bin/convert "$png" -strip -depth 8 ppm:- | cmp -s - "$work/$name.ppm"; then
    echo "ok   convert  $name"
  else
    echo "FAIL convert  $name"; status=1
  fi
done
exit $status
