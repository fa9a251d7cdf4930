#!/usr/bin/env python3
"""Generates the BMP test fixtures under tests/data/bmp/ and the reference
pictures for the public BMP conformance suite under tests/data/bmpsuite-ref/.

Every fixture that a reader should accept comes with NAME.ppm, the picture it
must decode to, computed here from the same pixel model that produced the
file (not by decoding the file). Fixtures without a .ppm must be refused.

The conformance references are the suite's PNG renderings converted once to
binary PPM with ImageMagick (/usr/bin/convert), so that the tests need no PNG
decoder and no tool at test time. That step is skipped when the suite or
ImageMagick is missing; the committed files stay as they are.

Run from anywhere: python3 scripts/make-test-data.py
"""
import os
import shutil
import struct
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
BMP_DIR = os.path.join(ROOT, "tests", "data", "bmp")
REF_DIR = os.path.join(ROOT, "tests", "data", "bmpsuite-ref")
SUITE_DIR = os.path.join(os.path.dirname(ROOT), "shared", "testdata", "bmpsuite")
CONVERT = "/usr/bin/convert"  # the real ImageMagick, not a stand-in on PATH


# ---- building blocks ---------------------------------------------------------

def file_header(file_size, pixel_offset):
    return b"BM" + struct.pack("<IHHI", file_size, 0, 0, pixel_offset)


def info_header(width, height, bits, compression=0, image_size=0, colours_used=0, size=40,
                masks=None):
    h = struct.pack("<IiiHHIIiiII", size, width, height, 1, bits, compression, image_size,
                    2835, 2835, colours_used, 0)
    if size > 40:
        extra = b""
        if masks is not None:
            extra = struct.pack("<IIII", masks[0], masks[1], masks[2], 0)
        h += extra + b"\0" * (size - 40 - len(extra))
    return h


def core_header(width, height, bits):
    return struct.pack("<IHHHH", 12, width, height, 1, bits)


def stride(bits, width):
    return ((width * bits + 31) // 32) * 4


def pack_rows(rows_top_down, bits, width):
    """rows_top_down: lists of pixel values (indices or packed words/bytes)."""
    out = b""
    for row in reversed(rows_top_down):  # stored bottom row first
        data = bytearray()
        if bits == 1:
            for x in range(0, width, 8):
                byte = 0
                for i in range(8):
                    if x + i < width:
                        byte |= (row[x + i] & 1) << (7 - i)
                data.append(byte)
        elif bits == 4:
            for x in range(0, width, 2):
                hi = row[x]
                lo = row[x + 1] if x + 1 < width else 0
                data.append((hi << 4) | lo)
        elif bits == 8:
            data.extend(row)
        elif bits == 16:
            for v in row:
                data += struct.pack("<H", v)
        elif bits == 24:
            for (r, g, b) in row:
                data += bytes((b, g, r))
        elif bits == 32:
            for v in row:
                data += struct.pack("<I", v)
        data += b"\0" * (stride(bits, width) - len(data))
        out += data
    return out


def palette_bytes(colours, entry_size=4):
    out = b""
    for (r, g, b) in colours:
        out += bytes((b, g, r)) + (b"\0" if entry_size == 4 else b"")
    return out


def bmp(header, table, pixels):
    offset = 14 + len(header) + len(table)
    return file_header(offset + len(pixels), offset) + header + table + pixels


def ppm(rows_top_down):
    height = len(rows_top_down)
    width = len(rows_top_down[0])
    body = b"".join(bytes(c) for row in rows_top_down for c in row)
    return b"P6\n%d %d\n255\n" % (width, height) + body


def scale(word, mask):
    return 0 if mask == 0 else (word & mask) * 255 // mask


def masked_rgb(word, masks):
    return (scale(word, masks[0]), scale(word, masks[1]), scale(word, masks[2]))


FIXTURES = {}  # name -> (bmp bytes, ppm bytes or None)


def accept(name, data, expected_rows):
    FIXTURES[name] = (data, ppm(expected_rows))


def refuse(name, data):
    FIXTURES[name] = (data, None)


def indexed_case(name, width, height, bits, palette, index_of, colours_used=0, core=False):
    rows = [[index_of(x, y) for x in range(width)] for y in range(height)]
    if core:
        header = core_header(width, height, bits)
        table = palette_bytes(palette, 3)
    else:
        header = info_header(width, height, bits, 0, stride(bits, width) * height, colours_used)
        table = palette_bytes(palette)
    black = (0, 0, 0)
    expected = [[palette[i] if i < len(palette) else black for i in row] for row in rows]
    accept(name, bmp(header, table, pack_rows(rows, bits, width)), expected)


def colour_ramp(n):
    return [((37 * i + 11) % 256, (91 * i + 200) % 256, (13 * i + 60) % 256) for i in range(n)]


# ---- pictures a reader must accept -------------------------------------------

def make_indexed():
    indexed_case("pal1-w13.bmp", 13, 3, 1, [(200, 30, 40), (10, 220, 90)],
                 lambda x, y: (x * 3 + y) % 5 % 2)
    indexed_case("pal4-w5.bmp", 5, 3, 4, colour_ramp(11), lambda x, y: (x + 2 * y) % 11,
                 colours_used=11)
    indexed_case("pal8-w6-used20.bmp", 6, 4, 8, colour_ramp(20), lambda x, y: (5 * x + 7 * y) % 20,
                 colours_used=20)
    # Indices beyond a 3-entry table decode to black, never to bytes past the table.
    indexed_case("pal8-index-beyond-table.bmp", 4, 2, 8, colour_ramp(3),
                 lambda x, y: [0, 2, 3, 255][x] if y == 0 else 1, colours_used=3)
    indexed_case("core-pal8.bmp", 5, 3, 8, colour_ramp(256), lambda x, y: (x * 50 + y * 3) % 256,
                 core=True)
    indexed_case("core-pal1.bmp", 9, 2, 1, [(255, 0, 0), (0, 0, 255)], lambda x, y: (x + y) % 2,
                 core=True)


def make_truecolour():
    w, h = 3, 2
    colours = [[(255, 0, 0), (0, 255, 0), (1, 2, 3)], [(0, 0, 255), (255, 255, 255), (200, 100, 50)]]
    accept("rgb24-w3.bmp",
           bmp(info_header(w, h, 24, 0, stride(24, w) * h), b"", pack_rows(colours, 24, w)), colours)
    accept("core-rgb24.bmp", bmp(core_header(w, h, 24), b"", pack_rows(colours, 24, w)), colours)

    # Top-down: negative height, rows stored top row first.
    top_down = [[(10 * x, 20 * y, 7) for x in range(3)] for y in range(3)]
    pixels = pack_rows(list(reversed(top_down)), 24, 3)
    accept("topdown-rgb24.bmp", bmp(info_header(3, -3, 24, 0, len(pixels)), b"", pixels), top_down)

    # 32 bits, no bit fields: blue, green, red, then a byte that must be ignored.
    words = [[0xAA000000 | (r << 16) | (g << 8) | b for (r, g, b) in row] for row in colours]
    accept("rgb32.bmp", bmp(info_header(w, h, 32, 0, 4 * w * h), b"", pack_rows(words, 32, w)), colours)

    # 32 bits with bit fields in an unusual order: red high, blue in the second byte.
    masks = (0xFF000000, 0x000000FF, 0x0000FF00)
    words = [[(r << 24) | (b << 8) | g | 0x00550000 for (r, g, b) in row] for row in colours]
    accept("rgb32-bitfields.bmp",
           bmp(info_header(w, h, 32, 3, 4 * w * h), struct.pack("<III", *masks), pack_rows(words, 32, w)),
           colours)
    # The same masks inside a 124-byte header: no mask table after it.
    accept("rgb32-v5-bitfields.bmp",
           bmp(info_header(w, h, 32, 3, 4 * w * h, size=124, masks=masks), b"", pack_rows(words, 32, w)),
           colours)


def make_16bit():
    w = 3
    words = [[0x7FFF, 0x0421, 0x7C00], [0x03E0, 0x001F, 0x0000]]
    default = (0x7C00, 0x03E0, 0x001F)
    expected = [[masked_rgb(v, default) for v in row] for row in words]
    accept("rgb16-555.bmp", bmp(info_header(w, 2, 16, 0, stride(16, w) * 2), b"", pack_rows(words, 16, w)),
           expected)

    m565 = (0xF800, 0x07E0, 0x001F)
    words = [[0xFFFF, 0x0841, 0xF800], [0x07E0, 0x001F, 0x1234]]
    expected = [[masked_rgb(v, m565) for v in row] for row in words]
    accept("rgb16-565-bitfields.bmp",
           bmp(info_header(w, 2, 16, 3, stride(16, w) * 2), struct.pack("<III", *m565), pack_rows(words, 16, w)),
           expected)

    # A zero mask leaves its channel at 0.
    zero_green = (0x7C00, 0x0000, 0x001F)
    expected = [[masked_rgb(v, zero_green) for v in row] for row in words]
    accept("rgb16-zero-green-mask.bmp",
           bmp(info_header(w, 2, 16, 3, stride(16, w) * 2), struct.pack("<III", *zero_green),
               pack_rows(words, 16, w)), expected)

    # 4-4-4 masks inside a 124-byte header (the fourth nibble is alpha, dropped).
    m444 = (0x0F00, 0x00F0, 0x000F)
    words = [[0xFF00, 0x10F0, 0x200F], [0x3123, 0x4FFF, 0x5000]]
    expected = [[masked_rgb(v, m444) for v in row] for row in words]
    accept("rgb16-v5-bitfields.bmp",
           bmp(info_header(w, 2, 16, 3, stride(16, w) * 2, size=124, masks=m444), b"", pack_rows(words, 16, w)),
           expected)

    # Bit-field files may lack a few bytes at their end; the tail decodes black.
    words = [[0x7FFF] * 4 for _ in range(3)]
    data = bmp(info_header(4, 3, 16, 3, stride(16, 4) * 3), struct.pack("<III", *default),
               pack_rows(words, 16, 4))
    expected = [[(255, 255, 255)] * 4 for _ in range(3)]
    expected[0] = [(255, 255, 255)] * 2 + [(0, 0, 0)] * 2  # the top row is stored last
    accept("rgb16-bitfields-short-tail.bmp", data[:-4], expected)
    refuse("rgb16-bitfields-truncated.bmp", data[:-(stride(16, 4) * 2 + 12)])


def rle8_decode(stream, width, height):
    """A straightforward model decoder used to compute expected pictures."""
    row_bytes = (width + 3) // 4 * 4
    area = bytearray(row_bytes * height)
    pos, row, i = 0, 0, 0
    while i + 2 <= len(stream) and pos < len(area):
        a, b = stream[i], stream[i + 1]
        i += 2
        if a:
            for _ in range(a):
                if pos < len(area):
                    area[pos] = b
                pos += 1
        elif b == 0:
            row += 1
            pos = row * row_bytes
        elif b == 1:
            break
        elif b == 2:
            if i + 2 > len(stream):
                break
            pos += stream[i] + stream[i + 1] * row_bytes
            row += stream[i + 1]
            i += 2
        else:
            for k in range(b):
                if i + k < len(stream) and pos + k < len(area):
                    area[pos + k] = stream[i + k]
            pos += b
            i += b + (b & 1)
    rows = [area[r * row_bytes:r * row_bytes + width] for r in range(height)]
    return list(reversed(rows))  # top row first


def rle8_case(name, width, height, stream, palette):
    header = info_header(width, height, 8, 1, len(stream), len(palette))
    rows = rle8_decode(stream, width, height)
    expected = [[palette[i] for i in row] for row in rows]
    accept(name, bmp(header, palette_bytes(palette), bytes(stream)), expected)


def make_rle8():
    pal = colour_ramp(16)
    stream = [
        3, 5,                 # bottom row: three of colour 5
        0, 3, 1, 2, 3, 0,     # absolute run of 3 (odd: one padding byte)
        2, 7,                 # two of colour 7 -> row 0 complete (8 pixels)
        0, 0,                 # end of line
        0, 5, 9, 10, 11, 12, 13, 0,  # absolute run of 5, padded
        0, 2, 1, 1,           # delta: one right, one up (row 1 -> row 2, x 6)
        2, 14,                # two of colour 14 at row 2, x 6..7
        0, 0,                 # end of line -> row 3
        0, 4, 4, 3, 2, 1,     # absolute run of 4 (even: no padding)
        0, 1,                 # end of picture; rows 3..4 otherwise stay 0
        9, 9,                 # never reached
    ]
    rle8_case("rle8.bmp", 8, 5, stream, pal)
    # Ends inside an absolute run, without an end-of-picture code.
    rle8_case("rle8-no-end.bmp", 6, 3, [6, 1, 0, 0, 0, 6, 2, 3], pal)
    # Runs and deltas that point beyond the pixel area must stop there.
    rle8_case("rle8-overrun.bmp", 5, 2, [255, 4, 0, 2, 255, 255, 7, 7, 0, 0, 0, 0, 0, 0, 200, 8], pal)
    rle8_case("rle8-delta-beyond-top.bmp", 4, 3, [2, 3, 0, 2, 1, 200, 4, 9, 0, 1], pal)


# ---- files a reader must refuse without harm ---------------------------------

def make_hostile():
    def padded(data, size=100):
        return data + b"\0" * (size - len(data))

    refuse("huge-dims.bmp", padded(file_header(100, 54) + info_header(65535, 65535, 24)))
    refuse("huge-dims-rle8.bmp",
           padded(file_header(100, 58) + info_header(65535, 65535, 8, 1, 0, 1) + b"\0\0\0\0" + b"\0\x01"))
    refuse("bad-signature.bmp", b"BX" + bmp(info_header(1, 1, 24), b"", b"\0" * 4)[2:])
    refuse("short-file-header.bmp", b"BM" + b"\0" * 8)
    refuse("empty.bmp", b"")
    refuse("header-only.bmp", file_header(16, 54) + b"\x28\0")
    for size in (8, 13):
        refuse("header-size-%d.bmp" % size,
               file_header(70, 54) + struct.pack("<I", size) + b"\x01\0\0\0" * 3 + b"\0" * 40)
    refuse("header-size-huge.bmp", padded(file_header(100, 54) + struct.pack("<I", 0xFFFFFFF0)))
    pixels = pack_rows([[1] * 8 for _ in range(8)], 8, 8)
    refuse("truncated-pixels.bmp",
           bmp(info_header(8, 8, 8, 0, 64, 2), palette_bytes([(0, 0, 0), (9, 9, 9)]), pixels[:30]))
    refuse("huge-palette.bmp", padded(file_header(100, 54) + info_header(2, 2, 8, 0, 8, 0x40000000)))
    refuse("rle8-topdown.bmp", bmp(info_header(4, -2, 8, 1, 4, 2), palette_bytes([(0, 0, 0)] * 2),
                                   bytes([4, 1, 0, 1])))
    refuse("rle4.bmp", bmp(info_header(4, 2, 4, 2, 4, 2), palette_bytes([(0, 0, 0)] * 2), bytes([4, 1, 0, 1])))
    refuse("jpeg-compressed.bmp", padded(file_header(100, 54) + info_header(4, 4, 24, 4, 46) + b"\xff\xd8"))
    refuse("bitcount-2.bmp", bmp(info_header(4, 1, 2, 0, 4, 4), palette_bytes([(0, 0, 0)] * 4), b"\0" * 4))
    refuse("zero-width.bmp", bmp(info_header(0, 5, 24), b"", b"\0" * 8))
    refuse("negative-width.bmp", bmp(info_header(-4, 1, 24), b"", b"\0" * 12))
    refuse("width-over-65535.bmp", bmp(info_header(65536, 1, 8, 0, 0, 2), palette_bytes([(0, 0, 0)] * 2),
                                       b"\0" * 64))


# ---- conformance suite references --------------------------------------------

SUITE_REFERENCES = [
    "pal1", "pal1bg", "pal4", "pal4gs", "pal8", "pal8gs", "pal8nonsquare-e", "pal8w124", "pal8w125",
    "pal8w126", "rgb16", "rgb16-565", "rgb24", "rgb16-231", "rgb16-3103", "rgb32-7187",
    "pal8rletrns-0", "pal8rlecut-0",
]


def make_suite_references():
    if not os.path.isdir(os.path.join(SUITE_DIR, "html")) or not os.access(CONVERT, os.X_OK):
        print("conformance references skipped (suite or %s missing)" % CONVERT)
        return
    os.makedirs(REF_DIR, exist_ok=True)
    for name in SUITE_REFERENCES:
        src = os.path.join(SUITE_DIR, "html", name + ".png")
        dst = os.path.join(REF_DIR, name + ".ppm")
        # Drop any alpha channel and keep the stored sample values exactly.
        subprocess.run([CONVERT, src, "-alpha", "off", "-depth", "8", "ppm:" + dst], check=True)


def main():
    make_indexed()
    make_truecolour()
    make_16bit()
    make_rle8()
    make_hostile()
    if os.path.isdir(BMP_DIR):
        shutil.rmtree(BMP_DIR)
    os.makedirs(BMP_DIR)
    for name, (data, expected) in sorted(FIXTURES.items()):
        with open(os.path.join(BMP_DIR, name), "wb") as f:
            f.write(data)
        if expected is not None:
            with open(os.path.join(BMP_DIR, name[:-4] + ".ppm"), "wb") as f:
                f.write(expected)
    make_suite_references()
    print("wrote %d fixtures to %s" % (len(FIXTURES), os.path.relpath(BMP_DIR, ROOT)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
