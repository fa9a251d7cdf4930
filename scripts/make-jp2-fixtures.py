#!/usr/bin/env python3
"""Generates the JPEG 2000 naming fixtures under tests/data/jp2/: one small
picture stored as a raw code stream and as a JPX file, with the picture they
must decode to.

- picture.ppm: a 7 x 5 picture whose every pixel differs, computed here.
- picture.j2c: its lossless code stream, written by OpenJPEG's opj_compress.
- picture.jpx: opj_compress's lossless JP2 file turned into a JPX file that a
  JP2 reader can still take: the file type box names "jpx " with "jp2 " among
  the compatible brands, and a reader requirements box sits before the header.

The tests copy these under the other names (.j2k, .jpf, a PNG named .bmp)
themselves. Steps are skipped when opj_compress is missing; the committed
files stay as they are. Run from anywhere: python3 scripts/make-jp2-fixtures.py
"""
import os
import shutil
import struct
import subprocess
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT_DIR = os.path.join(ROOT, "tests", "data", "jp2")
OPJ_COMPRESS = "/usr/bin/opj_compress"
WIDTH, HEIGHT = 7, 5


def picture_ppm():
    rows = bytearray()
    for y in range(HEIGHT):
        for x in range(WIDTH):
            rows += bytes([x * 36 % 256, y * 60 % 256, (x * 31 + y * 17 + 5) % 256])
    return b"P6\n%d %d\n255\n" % (WIDTH, HEIGHT) + bytes(rows)


def boxes(data):
    """The top-level boxes of a JP2 file as (type, whole box bytes)."""
    out, pos = [], 0
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        if length == 0:
            length = len(data) - pos
        out.append((kind, data[pos:pos + length]))
        pos += length
    return out


def box(kind, payload):
    return struct.pack(">I4s", 8 + len(payload), kind) + payload


def jp2_to_jpx(jp2):
    parts = boxes(jp2)
    assert [k for k, _ in parts[:2]] == [b"jP  ", b"ftyp"], "not a JP2 file"
    ftyp = box(b"ftyp", b"jpx " + struct.pack(">I", 0) + b"jpx jp2 jpxb")
    # Reader requirements: one-byte masks, standard feature 5 (fully
    # compatible with JP2), no vendor features.
    rreq = box(b"rreq", bytes([1, 0x80, 0x80]) + struct.pack(">HHB", 1, 5, 0x80) + struct.pack(">H", 0))
    return parts[0][1] + ftyp + rreq + b"".join(b for _, b in parts[2:])


def main():
    os.makedirs(OUT_DIR, exist_ok=True)
    ppm = picture_ppm()
    with open(os.path.join(OUT_DIR, "picture.ppm"), "wb") as f:
        f.write(ppm)
    if not os.path.exists(OPJ_COMPRESS):
        return
    with tempfile.TemporaryDirectory() as tmp:
        src = os.path.join(tmp, "picture.ppm")
        with open(src, "wb") as f:
            f.write(ppm)
        # Three resolution levels: the default six need a picture of 32 pixels or more.
        for ext in ("j2k", "jp2"):
            subprocess.run([OPJ_COMPRESS, "-n", "3", "-i", src, "-o", os.path.join(tmp, "picture." + ext)],
                           check=True, stdout=subprocess.DEVNULL)
        shutil.copyfile(os.path.join(tmp, "picture.j2k"), os.path.join(OUT_DIR, "picture.j2c"))
        with open(os.path.join(tmp, "picture.jp2"), "rb") as f:
            jpx = jp2_to_jpx(f.read())
        with open(os.path.join(OUT_DIR, "picture.jpx"), "wb") as f:
            f.write(jpx)


if __name__ == "__main__":
    main()
