#!/usr/bin/env python3
"""Generates the JPEG test fixtures under tests/data/jpeg/ and the reference
pictures for the public JPEG corpus under tests/data/jpeg-ref/.

tests/data/jpeg/cp-codes.jpg: a 16x16 picture encoded by libjpeg's `cjpeg`
whose JFIF APP0 segment is then widened to carry a CP code block, built here
independently of the program's own writer: slot 1 "VEILO", slot 2 empty,
slot 3 "ABCDEFGHIJKLMNOP". The alphabets come from make-cp-alphabets.py.

tests/data/jpeg-ref/: the jpeg-decoder corpus only renders its reference
pictures as PNG; they are converted once to binary PPM with ImageMagick
(/usr/bin/convert) so that the tests need no PNG decoder and no tool at test
time. Steps whose inputs or tools are missing are skipped; the committed files
stay as they are.

Run from anywhere: python3 scripts/make-jpeg-test-data.py
"""
import importlib.util
import os
import shutil
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
JPEG_DIR = os.path.join(ROOT, "tests", "data", "jpeg")
REF_DIR = os.path.join(ROOT, "tests", "data", "jpeg-ref")
CORPUS_DIR = os.path.join(os.path.dirname(ROOT), "shared", "testdata", "jpeg-decoder", "reftest", "images")
CONVERT = "/usr/bin/convert"  # the real ImageMagick, not a stand-in on PATH
CJPEG = "/usr/bin/cjpeg"

# Too large to be worth committing (the conformance test still loads it), and
# the rendering of a file that has no SOI marker and must be refused.
SKIPPED_REFERENCES = {"blank_800x280.png", "jpg-size-6x6.png"}


def load_alphabets():
    path = os.path.join(ROOT, "scripts", "make-cp-alphabets.py")
    spec = importlib.util.spec_from_file_location("make_cp_alphabets", path)
    module = importlib.util.module_from_spec(spec)
    spec.loader.exec_module(module)
    return module


def cp_block(codes):
    alphabets = load_alphabets()
    block = bytearray()
    for slot, code in enumerate(codes):
        field = bytearray(16)
        for position, letter in enumerate(code):
            field[position] = alphabets.alphabet(slot, position)[ord(letter) - ord("A")]
        if len(code) < 16:
            field[len(code)] = 0x7F
        block += field
    return bytes(block)


def widen_app0(jpeg, block):
    """The writer's embedding step: APP0 length 16 -> 64, the block after the
    14 JFIF bytes, the rest of the file behind it."""
    assert jpeg[4:6] == b"\x00\x10" and jpeg[6:11] == b"JFIF\x00", "cjpeg wrote no plain JFIF header"
    return jpeg[0:4] + b"\x00\x40" + jpeg[6:20] + block + jpeg[20:]


def make_cp_fixture():
    if not os.access(CJPEG, os.X_OK):
        print("cp-codes.jpg skipped (%s missing)" % CJPEG)
        return
    width = height = 16
    pixels = bytearray()
    for y in range(height):
        for x in range(width):
            pixels += bytes((x * 16, y * 16, 128))
    ppm = b"P6\n%d %d\n255\n" % (width, height) + bytes(pixels)
    jpeg = subprocess.run([CJPEG, "-quality", "90"], input=ppm, stdout=subprocess.PIPE, check=True).stdout
    os.makedirs(JPEG_DIR, exist_ok=True)
    with open(os.path.join(JPEG_DIR, "cp-codes.jpg"), "wb") as f:
        f.write(widen_app0(jpeg, cp_block(["VEILO", "", "ABCDEFGHIJKLMNOP"])))


def make_references():
    if not os.path.isdir(CORPUS_DIR) or not os.access(CONVERT, os.X_OK):
        print("corpus references skipped (corpus or %s missing)" % CONVERT)
        return
    if os.path.isdir(REF_DIR):
        shutil.rmtree(REF_DIR)
    for folder, _, files in os.walk(CORPUS_DIR):
        for name in sorted(files):
            if not name.endswith(".png") or name in SKIPPED_REFERENCES:
                continue
            relative = os.path.relpath(os.path.join(folder, name), CORPUS_DIR)
            target = os.path.join(REF_DIR, relative[:-4] + ".ppm")
            os.makedirs(os.path.dirname(target), exist_ok=True)
            subprocess.run([CONVERT, os.path.join(folder, name), "-strip", "-alpha", "off", "-depth", "8",
                            "ppm:" + target], check=True)


def main():
    make_cp_fixture()
    make_references()
    return 0


if __name__ == "__main__":
    sys.exit(main())
