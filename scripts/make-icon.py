#!/usr/bin/env python3
"""Writes resources/veilo.ico, the program's icon, at 16, 32 and 48 pixels (32-bit with alpha).

The picture: a framed photograph (sky over a green hill with a sun) whose lower right quarter
is masked into coarse coloured blocks. Drawn in a 48-unit space and sampled per size, so all
sizes agree. Deterministic: running it again gives the same bytes.
"""
import pathlib
import struct
import sys

SIZES = (16, 32, 48)
FRAME = (40, 52, 92, 255)
CLEAR = (0, 0, 0, 0)
MOSAIC = [(220, 60, 60), (60, 170, 80), (60, 100, 220), (240, 190, 40)]


def colour_at(u, v):
    """RGBA at unit coordinates u, v in 0..48 (x right, y down)."""
    if not (2 <= u < 46 and 5 <= v < 43):
        return CLEAR
    if not (5 <= u < 43 and 8 <= v < 40):
        return FRAME
    if u >= 24 and v >= 24:  # the masked corner: blocks of 8 units
        block = (int((u - 24) // 8) + 2 * int((v - 24) // 8)) % len(MOSAIC)
        return MOSAIC[block] + (255,)
    if (u - 15) ** 2 + (v - 17) ** 2 <= 16:
        return (255, 220, 60, 255)
    hill = 32 - 0.012 * (u - 20) ** 2
    if v >= hill:
        return (70, 160, 70, 255)
    shade = int(150 + 80 * (v - 8) / 24)
    return (90, min(shade, 230), 235, 255)


def image_entry(size):
    """One icon image: BITMAPINFOHEADER (doubled height), BGRA rows bottom-up, empty AND mask."""
    scale = 48.0 / size
    pixels = bytearray()
    for y in range(size - 1, -1, -1):
        for x in range(size):
            r, g, b, a = colour_at((x + 0.5) * scale, (y + 0.5) * scale)
            pixels += bytes((b, g, r, a))
    mask_stride = (size + 31) // 32 * 4
    mask = bytes(mask_stride * size)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, len(pixels) + len(mask),
                         0, 0, 0, 0)
    return header + bytes(pixels) + mask


def ico_bytes():
    images = [image_entry(s) for s in SIZES]
    directory = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip(SIZES, images):
        directory += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return directory + b''.join(images)


def main():
    root = pathlib.Path(__file__).resolve().parent.parent
    out = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else root / 'resources' / 'veilo.ico'
    out.parent.mkdir(parents=True, exist_ok=True)
    out.write_bytes(ico_bytes())
    print(f'wrote {out}')


if __name__ == '__main__':
    main()
