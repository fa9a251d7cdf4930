#!/bin/sh
# Regenerates tests/data/gif/first-image-crc32.txt: for GIF files of the shared
# corpora that come without a first-image reference of their own, ImageMagick's
# decoding of the first image (raw RGB, top row first) as width, height and
# CRC-32. The conformance test compares our decoding against these lines.
# Run from anywhere; needs /usr/bin/convert, /usr/bin/identify and python3.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
corpora="$root/../shared/testdata"
out="$root/tests/data/gif/first-image-crc32.txt"
files="giflib/pic/fire.gif giflib/pic/welcome2.gif giflib/tests/wedge.gif
image-gif/samples/2x2.gif image-gif/samples/alpha_gif_a.gif image-gif/samples/anim-gr.gif
image-gif/samples/beacon.gif image-gif/samples/beacon_icc.gif image-gif/samples/beacon_xmp.gif
image-gif/samples/interlaced.gif image-gif/samples/sample_1.gif image-gif/samples/set_hsts.gif
image-gif/regression/issue-208-block-type.gif image-gif/regression/issue-208-block-type-beta.gif
image-gif/regression/issue-209-extension-block-type.gif libnsgif/data/waves.gif"
{
  echo "# file width height crc32 of the first image as ImageMagick decodes it (scripts/make_gif_references.sh)"
  for f in $files; do
    size=$(/usr/bin/identify -format '%w %h' "$corpora/$f[0]")
    crc=$(/usr/bin/convert "$corpora/$f[0]" -depth 8 rgb:- |
      python3 -c 'import sys, zlib; print("%08x" % zlib.crc32(sys.stdin.buffer.read()))')
    echo "$f $size $crc"
  done
} > "$out"
echo "wrote $out"
