#!/bin/sh
# Checks that GIF files written by Veilo decode in other readers to the pixels
# we expect: ImageMagick (convert) and, when present, GIFLIB's gif2rgb.
# Usage: scripts/check_gif_interop.sh [build dir, default build/native]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$root/build/native"}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
VEILO_GIF_INTEROP_DIR="$work" "$build/tests/veilo-tests-formats" --gtest_filter='GifInterop.*' >/dev/null
status=0
for gif in "$work"/*.gif; do
  name=$(basename "$gif" .gif)
  expected="$work/$name.ppm"
  if /usr/bin/convert "$gif" -depth 8 ppm:- | cmp -s - "$expected"; then
    echo "ok   convert  $name"
  else
    echo "FAIL convert  $name"; status=1
  fi
  if command -v gif2rgb >/dev/null 2>&1; then
    # gif2rgb writes raw RGB; compare with the PPM's pixel data.
    size=$(head -2 "$expected" | tail -1)
    tail -c $(( $(echo "$size" | awk '{print $1 * $2 * 3}') )) "$expected" > "$work/$name.rgb"
    if gif2rgb -1 -o "$work/$name.out" "$gif" 2>/dev/null && cmp -s "$work/$name.out" "$work/$name.rgb"; then
      echo "ok   gif2rgb  $name"
    else
      echo "FAIL gif2rgb  $name"; status=1
    fi
  fi
done
exit $status
