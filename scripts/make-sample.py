#!/usr/bin/env python3
"""Writes resources/sample/sample.bmp, the picture scripts/run opens when given no file.

A colourful 24-bit BMP drawn from simple shapes, so that every mask visibly changes it: a hue
sweep across the width darkening towards the bottom, a grid of coloured tiles, discs and a
diagonal band. Deterministic: running it again gives the same bytes.
"""
import math
import pathlib
import struct
import sys

WIDTH, HEIGHT = 400, 300


def hue_to_rgb(hue, value):
    """hue 0..1 at full saturation, scaled by value 0..1."""
    h = (hue % 1.0) * 6.0
    sector = int(h)
    f = h - sector
    rising, falling = f, 1.0 - f
    r, g, b = [(1, rising, 0), (falling, 1, 0), (0, 1, rising),
               (0, falling, 1), (rising, 0, 1), (1, 0, falling)][sector % 6]
    return tuple(int(round(c * value * 255)) for c in (r, g, b))


DISCS = [  # centre x, centre y, radius, colour
    (300, 80, 55, (255, 240, 40)),
    (330, 210, 45, (30, 200, 255)),
    (240, 150, 30, (255, 255, 255)),
]
TILE = 16
TILE_COLOURS = [(230, 40, 40), (40, 180, 60), (40, 80, 220), (250, 200, 30),
                (160, 60, 200), (20, 20, 20), (245, 245, 245), (250, 120, 20)]


def pixel(x, y):
    for cx, cy, radius, colour in DISCS:
        if (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius:
            return colour
    if 24 <= x < 24 + 8 * TILE and 24 <= y < 24 + 6 * TILE:
        tx, ty = (x - 24) // TILE, (y - 24) // TILE
        return TILE_COLOURS[(tx + 3 * ty) % len(TILE_COLOURS)]
    if abs((x - y) - 40) < 10:
        return (250, 250, 250) if (x // 6) % 2 else (10, 10, 10)
    value = 1.0 - 0.65 * y / (HEIGHT - 1)
    ripple = 0.04 * math.sin(x / 9.0) * math.sin(y / 11.0)
    return hue_to_rgb(x / WIDTH + ripple, value)


def bmp_bytes():
    stride = (WIDTH * 3 + 3) // 4 * 4
    rows = bytearray()
    for y in range(HEIGHT - 1, -1, -1):  # bottom row first
        row = bytearray()
        for x in range(WIDTH):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        row += bytes(stride - len(row))
        rows += row
    info = struct.pack('<IiiHHIIiiII', 40, WIDTH, HEIGHT, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    header = struct.pack('<2sIHHI', b'BM', 14 + len(info) + len(rows), 0, 0, 14 + len(info))
    return header + info + bytes(rows)


def main():
    root = pathlib.Path(__file__).resolve().parent.parent
    out = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else root / 'resources' / 'sample' / 'sample.bmp'
    out.parent.mkdir(parents=True, exist_ok=True)
    out.write_bytes(bmp_bytes())
    print(f'wrote {out}')


if __name__ == '__main__':
    main()
