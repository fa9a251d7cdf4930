#!/usr/bin/env python3
"""Generates the expected pictures for the PNG conformance test under
tests/data/png-ref/ from the public PNG corpora in ../shared/testdata
(PngSuite and libpng's contrib pictures).

ImageMagick (/usr/bin/convert) decodes each file once to 16-bit samples. The
script then applies what the PNG reader promises on top of the plain
samples: 16-bit samples keep their high byte, colour channels are
gamma-corrected for a 2.2 display from the file's gAMA (0.45455 when there is
none, so ordinary files stay as they are), and pixels with alpha strictly
between 0 and 255 are blended over the bKGD colour (black without one).

The expected pictures are stored as plain 8-bit RGB PNG files (no gamma or
colour chunks, so any PNG decoder returns the stored samples unchanged),
written by this script's own small encoder; that keeps them a tenth of the
size of PPM files. manifest.txt lists one line per file that must load:
    <path under testdata>  <reference .png under png-ref>  <tolerance>
The tolerance is 0 for pictures of up to 8 bits per sample: libpng's 8-bit
gamma table rounds exactly as this script does. For gamma-corrected 16-bit
samples libpng looks the correction up by the top 11 bits of the sample, so
the tolerance is how far one such step moves the corrected output at the
levels the picture uses, plus one for rounding.

Files that must be refused are not listed: PngSuite's x*.png and libpng's
crashers (the test names them itself).

Run from anywhere: python3 scripts/make-png-refs.py
"""
import math
import os
import struct
import subprocess
import sys
import zlib

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
TESTDATA = os.path.join(os.path.dirname(ROOT), "shared", "testdata")
OUT_DIR = os.path.join(ROOT, "tests", "data", "png-ref")
CONVERT = "/usr/bin/convert"  # the real ImageMagick, not a stand-in on PATH
CORPORA = ["pngsuite", "libpng-contrib"]

SCREEN_GAMMA = 2.2
DEFAULT_FILE_GAMMA = 0.45455
GAMMA_THRESHOLD = 0.05  # libpng leaves a correction this close to 1 undone
GAMMA_TABLE_BITS = 11  # input bits libpng's gamma table resolves when it strips 16 bits to 8


def must_refuse(rel):
    name = os.path.basename(rel)
    return (rel.startswith("pngsuite/") and name.startswith("x")) or "/crashers/" in rel


def chunks(data):
    pos = 8
    while pos + 8 <= len(data):
        length, ctype = struct.unpack(">I4s", data[pos:pos + 8])
        yield ctype.decode("latin-1"), data[pos + 8:pos + 8 + length]
        pos += 12 + length


def png_facts(path):
    data = open(path, "rb").read()
    facts = {"gamma": None, "srgb": False, "bkgd": None, "plte": []}
    for ctype, body in chunks(data):
        if ctype == "IHDR":
            facts["width"], facts["height"], facts["depth"], facts["ctype"] = struct.unpack(">IIBB", body[:10])
        elif ctype == "gAMA" and len(body) == 4:
            value = struct.unpack(">I", body)[0]
            if value:
                facts["gamma"] = value / 100000.0
        elif ctype == "sRGB" and len(body) == 1:
            facts["srgb"] = True
        elif ctype == "PLTE":
            facts["plte"] = [tuple(body[i:i + 3]) for i in range(0, len(body) - 2, 3)]
        elif ctype == "bKGD":
            facts["bkgd"] = body
    return facts


def background(f):
    body, ctype, depth = f["bkgd"], f["ctype"], f["depth"]
    if body is None:
        return (0, 0, 0)
    if ctype == 3:
        if len(body) != 1 or body[0] >= len(f["plte"]):
            return (0, 0, 0)
        return f["plte"][body[0]]
    if ctype in (0, 4):
        if len(body) != 2:
            return (0, 0, 0)
        g = struct.unpack(">H", body)[0]
        if depth == 16:
            g >>= 8
        elif depth < 8:
            top = (1 << depth) - 1
            g = min(g, top) * 255 // top
        return (g, g, g)
    if len(body) != 6:
        return (0, 0, 0)
    rgb = struct.unpack(">HHH", body)
    return tuple(v >> 8 if depth == 16 else min(v, 255) for v in rgb)


def decode(path):
    """16-bit samples as ImageMagick decodes them: (width, height, channels, samples)."""
    pam = subprocess.run([CONVERT, path, "-depth", "16", "pam:-"], check=True, capture_output=True).stdout
    head_end = pam.index(b"ENDHDR\n") + len(b"ENDHDR\n")
    fields = dict(line.split(b" ", 1) for line in pam[:head_end].split(b"\n")[1:-2])
    width, height, depth = int(fields[b"WIDTH"]), int(fields[b"HEIGHT"]), int(fields[b"DEPTH"])
    if int(fields[b"MAXVAL"]) != 65535:
        raise SystemExit("unexpected MAXVAL in " + path)
    count = width * height * depth
    samples = struct.unpack(">%dH" % count, pam[head_end:head_end + 2 * count])
    return width, height, depth, samples


def decode_palette_indices(path):
    """ImageMagick refuses pixels that index beyond a short palette. For those
    files (non-interlaced palette pictures) the samples come from this small
    decoder instead: indices beyond the palette give black, as in libpng,
    which keeps a zero-filled 256-entry palette."""
    data = open(path, "rb").read()
    f = png_facts(path)
    if f["ctype"] != 3:
        raise SystemExit("cannot decode " + path)
    idat = b"".join(body for ctype, body in chunks(data) if ctype == "IDAT")
    raw = zlib.decompress(idat)
    width, height, depth = f["width"], f["height"], f["depth"]
    row_bytes = (width * depth + 7) // 8
    prev = bytearray(row_bytes)
    samples = []
    pos = 0
    for _ in range(height):
        kind, line = raw[pos], bytearray(raw[pos + 1:pos + 1 + row_bytes])
        pos += 1 + row_bytes
        for i in range(row_bytes):
            a = line[i - 1] if i else 0
            b, c = prev[i], prev[i - 1] if i else 0
            if kind == 1:
                line[i] = (line[i] + a) & 255
            elif kind == 2:
                line[i] = (line[i] + b) & 255
            elif kind == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        prev = line
        for x in range(width):
            bit = x * depth
            index = (line[bit // 8] >> (8 - depth - bit % 8)) & ((1 << depth) - 1)
            colour = f["plte"][index] if index < len(f["plte"]) else (0, 0, 0)
            samples += [v * 257 for v in colour]
    return width, height, 3, samples


def blend(c, a, bg):
    t = c * a + bg * (255 - a) + 128
    return (t + t // 256) // 256


def reference(path):
    f = png_facts(path)
    try:
        width, height, depth, samples = decode(path)
    except subprocess.CalledProcessError:
        width, height, depth, samples = decode_palette_indices(path)
    file_gamma = f["gamma"] if f["gamma"] else DEFAULT_FILE_GAMMA
    corrected = abs(file_gamma * SCREEN_GAMMA - 1.0) >= GAMMA_THRESHOLD
    exponent = 1.0 / (file_gamma * SCREEN_GAMMA)

    def correct(v16):
        if not corrected:
            return v16 >> 8
        return int(math.floor(255.0 * math.pow(v16 / 65535.0, exponent) + 0.5))

    table_step = 1 << (16 - GAMMA_TABLE_BITS)

    def step(v16):  # how far one step of libpng's 16-bit gamma table moves the output
        lo, hi = max(v16 - table_step, 0), min(v16 + table_step, 65535)
        value = math.pow(v16 / 65535.0, exponent)
        return 255.0 * max(value - math.pow(lo / 65535.0, exponent), math.pow(hi / 65535.0, exponent) - value)

    bg = background(f)
    has_alpha = depth in (2, 4)
    colour_channels = 1 if depth in (1, 2) else 3
    out = bytearray()
    worst_step = 0.0
    for i in range(width * height):
        px = samples[i * depth:(i + 1) * depth]
        colour = [px[0]] * 3 if colour_channels == 1 else list(px[:3])
        alpha = px[-1] >> 8 if has_alpha else 255
        rgb = [correct(v) for v in colour]
        if corrected and f["depth"] == 16:
            worst_step = max([worst_step] + [step(v) for v in colour])
        if 0 < alpha < 255:
            rgb = [blend(c, alpha, b) for c, b in zip(rgb, bg)]
        out += bytes(rgb)
    tolerance = int(math.ceil(worst_step)) + 1 if worst_step > 0 else 0
    return width, height, bytes(out), tolerance


def png_chunk(ctype, body):
    return struct.pack(">I", len(body)) + ctype + body + struct.pack(">I", zlib.crc32(ctype + body))


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    return a if pa <= pb and pa <= pc else b if pb <= pc else c


def filtered_row(line, prev):
    """The row with the filter whose output has the smallest sum of magnitudes."""
    best = None
    for kind in range(5):
        out = bytearray([kind])
        for i, x in enumerate(line):
            a = line[i - 3] if i >= 3 else 0
            b = prev[i]
            c = prev[i - 3] if i >= 3 else 0
            predictor = (0, a, b, (a + b) // 2, paeth(a, b, c))[kind]
            out.append((x - predictor) & 255)
        cost = sum(v if v < 128 else 256 - v for v in out[1:])
        if best is None or cost < best[0]:
            best = (cost, out)
    return best[1]


def encode_png(width, height, rgb):
    stride = 3 * width
    raw = bytearray()
    prev = bytes(stride)
    for y in range(height):
        line = rgb[y * stride:(y + 1) * stride]
        raw += filtered_row(line, prev)
        prev = line
    return (b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)) +
            png_chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + png_chunk(b"IEND", b""))


def main():
    if not os.path.exists(CONVERT):
        sys.exit("ImageMagick (%s) is needed" % CONVERT)
    lines = []
    for corpus in CORPORA:
        base = os.path.join(TESTDATA, corpus)
        for folder, _, files in sorted(os.walk(base)):
            for name in sorted(files):
                if not name.endswith(".png"):
                    continue
                path = os.path.join(folder, name)
                rel = os.path.relpath(path, TESTDATA).replace(os.sep, "/")
                if must_refuse(rel):
                    continue
                width, height, rgb, tolerance = reference(path)
                ref_name = rel[:-4].replace("/", "_") + ".png"
                with open(os.path.join(OUT_DIR, ref_name), "wb") as out:
                    out.write(encode_png(width, height, rgb))
                lines.append("%s %s %d" % (rel, ref_name, tolerance))
    with open(os.path.join(OUT_DIR, "manifest.txt"), "w") as manifest:
        manifest.write("\n".join(lines) + "\n")
    print("%d references written to %s" % (len(lines), OUT_DIR))


if __name__ == "__main__":
    main()
