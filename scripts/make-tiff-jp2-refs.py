#!/usr/bin/env python3
"""Generates reference pictures for the TIFF and JPEG 2000 conformance tests
under tests/data/tiff-ref/ and tests/data/jp2-ref/, as binary 8-bit PPM so
that the tests need no other decoder and no tool at test time.

tiff-ref/: libtiff's own exact references come as PGM, PBM and 16-bit PPM;
ImageMagick (/usr/bin/convert) turns them into 8-bit P6 (16-bit samples are
rounded to 8 bits, so the test allows one level there).

jp2-ref/: OpenJPEG's opj_decompress renders the small odd-size sYCC files of
the corpus (4:4:4, 4:2:2, 4:2:0) as RGB; its converter works on the samples
before they are brought to 8 bits, so the test allows a few levels.

Steps whose inputs or tools are missing are skipped. Run from anywhere:
python3 scripts/make-tiff-jp2-refs.py
"""
import os
import shutil
import subprocess
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
CORPORA = os.path.join(os.path.dirname(ROOT), "shared", "testdata")
CONVERT = "/usr/bin/convert"
OPJ_DECOMPRESS = "/usr/bin/opj_decompress"

TIFF_REFS = ["rgb-3c-8b.ppm", "rgb-3c-16b.ppm", "minisblack-1c-8b.pgm", "miniswhite-1c-1b.pbm"]
JP2_REFS = ["issue411-ycc444.jp2", "issue411-ycc422.jp2", "issue411-ycc420.jp2"]


def to_ppm(src, dst):
    subprocess.run([CONVERT, src, "-strip", "-depth", "8", "ppm:" + dst], check=True)


def make_tiff_refs():
    out_dir = os.path.join(ROOT, "tests", "data", "tiff-ref")
    os.makedirs(out_dir, exist_ok=True)
    for name in TIFF_REFS:
        src = os.path.join(CORPORA, "libtiff", name)
        if not os.path.exists(src) or not os.path.exists(CONVERT):
            continue
        to_ppm(src, os.path.join(out_dir, os.path.splitext(name)[0] + ".ppm"))


def make_jp2_refs():
    out_dir = os.path.join(ROOT, "tests", "data", "jp2-ref")
    os.makedirs(out_dir, exist_ok=True)
    if not os.path.exists(OPJ_DECOMPRESS) or not os.path.exists(CONVERT):
        return
    with tempfile.TemporaryDirectory() as tmp:
        for name in JP2_REFS:
            src = os.path.join(CORPORA, "openjpeg-data", "nonregression", name)
            if not os.path.exists(src):
                continue
            decoded = os.path.join(tmp, "decoded.ppm")
            subprocess.run([OPJ_DECOMPRESS, "-quiet", "-i", src, "-o", decoded], check=True,
                           stdout=subprocess.DEVNULL)
            to_ppm(decoded, os.path.join(out_dir, os.path.splitext(name)[0] + ".ppm"))


if __name__ == "__main__":
    make_tiff_refs()
    make_jp2_refs()
