#!/usr/bin/env python3
"""Draws every picture resource of veilo.exe into a folder (the build runs it; nothing it writes
is committed):

    scripts/make-resources.py OUTDIR    write the files into OUTDIR
    scripts/make-resources.py --list    print the names of the files it writes, one a line

- the toolbar bitmaps IDB_BMP_<base>_T.bmp (enabled) and _F.bmp (disabled; the record-stop
  face has none), 24-bit, each the size of its button less 4 pixels in each direction, and a
  twice-as-large version of each (..._T_2X.bmp) for high-density screens. The face colour
  0xC0C0C0, the shadow 0x808080 and the highlight 0xFFFFFF are the classic button colours that
  the program replaces by the system's when they differ;
- the pointers (32 x 32 .cur): frame edge and corner resizing, moving the frame, the neutral and
  eight directional pan pointers, and the colour spoit;
- the icons (.ico, 32-bit with alpha): the program icon at 16, 32 and 48 pixels and the round
  pan marker.

Deterministic: running it again gives the same bytes.
"""
import pathlib
import sys

sys.dont_write_bytecode = True  # the build runs this script: leave no cache in the source tree
from pixel_art import (Canvas, Ellipse, Polygon, Rect, Where, bmp_bytes, cur_bytes,
                       ico_bytes, mirror_x, mirror_y, placed, polyline, rgb, ring, rotate,
                       transpose, union)

FACE, SHADOW, HIGHLIGHT = rgb(0xC0C0C0), rgb(0x808080), rgb(0xFFFFFF)
BLACK, WHITE = rgb(0x000000), rgb(0xFFFFFF)
NAVY, BLUE, SKY = rgb(0x000080), rgb(0x1848C0), rgb(0xD0E8FF)
RED, DARK_RED, GREEN, DARK_GREEN = rgb(0xD00000), rgb(0x700000), rgb(0x00A000), rgb(0x005000)
FOLDER, FOLDER_FRONT, FOLDER_EDGE = rgb(0xE8C040), rgb(0xFFE080), rgb(0x604000)
DISK, SHUTTER, LABEL_LINE = rgb(0x3048A0), rgb(0xE0E0E0), rgb(0x8090B0)
RIB_LIGHT, RIB_DARK = rgb(0x90C8F0), rgb(0x3878C8)
PENCIL, WOOD, HANDLE = rgb(0xF0C020), rgb(0xF0D0A0), rgb(0x603010)

# Mosaics of masked blocks in the colours of a scrambled photograph. Light and dark blocks
# alternate like a chessboard, so that the disabled faces keep a pattern of blocks.
MOSAIC_LIGHT = [rgb(c) for c in (0xF0C030, 0x8FD0F0, 0xF0F0A0, 0xA0E070, 0xF0A0C0, 0xFFD890)]
MOSAIC_DARK = [rgb(c) for c in (0x4070D0, 0x40A040, 0xD06040, 0x6040A0, 0x306030, 0xB03070)]


def stripes(period, colours, across=True):
    """Colour function: bands `period` units wide (columns when `across`), cycling `colours`."""
    def colour(u, v):
        t = (u if across else v) % period
        return colours[min(int(t * len(colours) / period), len(colours) - 1)]
    return colour


def blocks(x0, y0, size, columns, palette, order):
    """Colour function for a block mosaic starting at (x0, y0): block k takes
    palette[order[k]]."""
    def colour(u, v):
        k = int((u - x0) // size) + columns * int((v - y0) // size)
        return palette[order[k % len(order)] % len(palette)]
    return colour


def checkered_mosaic(x0, y0, size, columns, seed):
    """Colour function: light and dark blocks alternating, each picked in a scrambled order."""
    def colour(u, v):
        col, row = int((u - x0) // size), int((v - y0) // size)
        pick = (col * 5 + row * 3 + seed) % 6
        return (MOSAIC_LIGHT if (col + row) % 2 == 0 else MOSAIC_DARK)[pick]
    return colour


# ---- toolbar pictograms (one function per design; c is the canvas, sizes in units) ----------
def draw_folder(c):
    c.paint_outlined(Polygon([(2, 5), (8, 5), (10, 7), (19, 7), (19, 19), (2, 19)]), FOLDER,
                     FOLDER_EDGE)
    c.paint_outlined(Polygon([(2, 19), (6, 10), (23, 10), (19, 19)]), FOLDER_FRONT, FOLDER_EDGE)


def disk(c, x, y, s):
    """A floppy disk s units square with its top-left corner at (x, y)."""
    c.paint_outlined(Polygon([(x, y), (x + s - 2, y), (x + s, y + 2), (x + s, y + s), (x, y + s)]),
                     DISK, BLACK)
    top = round(s * 0.42)
    c.paint_outlined(Rect(x + 3, y, x + s - 3, y + top), SHUTTER, BLACK)
    c.paint(Rect(x + s - 7, y + 2, x + s - 5, y + top - 2), DISK)
    c.paint_outlined(Rect(x + 2, y + s - round(s * 0.42), x + s - 2, y + s), WHITE, BLACK)
    for k in (0, 1):
        line_y = y + s - round(s * 0.42) + 2 + 2 * k
        c.paint(Rect(x + 4, line_y, x + s - 4, line_y + 1), LABEL_LINE)


def draw_save(c):
    disk(c, 3, 3, 18)


def pencil():
    """A pencil pointing along +x with its tip at the origin."""
    body = Rect(4, -1.5, 16, 1.5)
    wood = Polygon([(0, 0), (4, -1.5), (4, 1.5)])
    return body, wood, Polygon([(0, 0), (1.6, -0.6), (1.6, 0.6)])


def draw_save_as(c):
    disk(c, 1, 5, 15)
    body, wood, lead = pencil()
    angle, tip = -135, (12, 17)
    c.paint_outlined(placed(body, angle, *tip), PENCIL, BLACK)
    c.paint_outlined(placed(wood, angle, *tip), WOOD, BLACK)
    c.paint(placed(lead, angle, *tip) | Ellipse(tip[0], tip[1], 0.8), BLACK)


def undo_arrow():
    """A hooked arrow: from the right it curves over the top and points down at the left."""
    arc = ring(13, 13, 8, 4.5) & Rect(0, 0, 24, 13)
    head = Polygon([(1, 12), (12, 12), (6.5, 18.5)])
    return arc | head


def draw_undo(c):
    c.paint(undo_arrow(), NAVY)


def draw_redo(c):
    c.paint(mirror_x(undo_arrow(), 24), NAVY)


def magnifier(c, sign):
    c.paint(Ellipse(10, 10, 6), SKY)
    c.paint(ring(10, 10, 7.5, 6), BLACK)
    c.paint(polyline([(15.5, 15.5), (20.5, 20.5)], 3.6), HANDLE)
    c.paint(Rect(6, 9, 14, 11), BLACK)
    if sign == '+':
        c.paint(Rect(9, 6, 11, 14), BLACK)


def arrow_up(width, height):
    """A small solid arrowhead pointing up, centred in a width x height design."""
    cx = width / 2
    top = (height - 5) / 2
    return Polygon([(cx, top - 0.5), (cx + 5.5, top + 5), (cx - 5.5, top + 5)])


def draw_area_up(c):
    c.paint(arrow_up(24, 10), BLACK)


def draw_area_down(c):
    c.paint(mirror_y(arrow_up(24, 10), 10), BLACK)


def draw_area_left(c):
    c.paint(transpose(arrow_up(24, 10)), BLACK)


def draw_area_right(c):
    c.paint(mirror_x(transpose(arrow_up(24, 10)), 10), BLACK)


def draw_rgb(c):
    for x, colour in ((3, rgb(0xE00000)), (9.5, rgb(0x00B000)), (16, rgb(0x0030E0))):
        c.paint_outlined(Rect(x, 2, x + 5, 13), colour, BLACK)
    shaft = Rect(6, 17, 18, 19)
    head = Polygon([(1.5, 18), (7, 13.5), (7, 22.5)])
    c.paint(shaft | head | mirror_x(head, 24), BLACK)


def draw_xor(c):
    c.paint(ring(12, 12, 9, 7) | Rect(11, 3, 13, 21) | Rect(3, 11, 21, 13), NAVY)


def flip_design():
    """Top: a solid arrowhead; bottom: its outlined reflection; between them the axis."""
    return (Polygon([(12, 1), (20, 9), (4, 9)]), Polygon([(4, 15), (20, 15), (12, 23)]),
            union(Rect(1 + 4 * k, 11.5, 4 + 4 * k, 12.5) for k in range(6)))


def draw_flip_tb(c):
    solid, mirrored, axis = flip_design()
    c.paint_outlined(solid, BLUE, BLACK)
    c.paint_outlined(mirrored, WHITE, BLACK)
    c.paint(axis, BLACK)


def draw_flip_lr(c):
    solid, mirrored, axis = flip_design()
    c.paint_outlined(transpose(solid), BLUE, BLACK)
    c.paint_outlined(transpose(mirrored), WHITE, BLACK)
    c.paint(transpose(axis), BLACK)


def draw_negpos(c):
    frame = Rect(2, 4, 22, 20)
    left = Rect(0, 0, 12, 24)
    disc = Ellipse(12, 12, 5)
    c.paint(frame, WHITE)
    c.paint(frame & left, BLACK)
    c.paint(disc & left, WHITE)
    c.paint(disc - left, BLACK)
    c.paint_outlined(frame, None, BLACK)


def glass(c, across):
    pane = Rect(3, 3, 21, 21)
    c.paint(pane, stripes(4, [HIGHLIGHT, RIB_LIGHT, RIB_LIGHT, RIB_DARK], across))
    c.paint_outlined(pane, None, BLACK)


def draw_vertical_glass(c):
    glass(c, across=True)


def draw_horizontal_glass(c):
    glass(c, across=False)


def draw_win(c):
    # Sixteen columns of a colour ramp, moved as the WIN mask moves them within a strip.
    pairs = (12, 8, 6, 15, 9, 13, 2, 11, 1, 4, 14, 7, 0, 5, 10, 3)
    ramp = [(int(20 + 14 * q), int(60 + 10 * q), int(220 - 11 * q), 255) for q in range(16)]
    pane = Rect(3, 3, 21, 21)
    c.paint(pane, lambda u, v: ramp[pairs[min(max(int(u) - 4, 0), 15)]])
    c.paint_outlined(pane, None, BLACK)


def meko(c, forward):
    pane = Rect(2, 2, 22, 14)
    c.paint(pane, checkered_mosaic(2, 2, 4, 5, 0))
    c.paint_outlined(pane, None, BLACK)
    arrow = Rect(4, 18, 16, 20) | Polygon([(15, 15), (21, 19), (15, 23)])
    c.paint(arrow if forward else mirror_x(arrow, 24), NAVY)


def draw_meko_reverse(c):
    meko(c, forward=False)


def draw_meko_forward(c):
    meko(c, forward=True)


def draw_fl(c):
    # The FL mask's path through a 4 x 4 block grid: from the bottom-left corner around the
    # outer ring, then the inner one.
    pane = Rect(3, 3, 21, 21)
    c.paint(pane, lambda u, v: SKY if (int((u - 3) // 4.5) + int((v - 3) // 4.5)) % 2 else WHITE)
    c.paint_outlined(pane, None, BLACK)
    centres = [5.25 + 4.5 * k for k in range(4)]
    x0, x1, x2, x3 = centres
    path = [(x0, x3), (x3, x3), (x3, x0), (x0, x0), (x0, x2), (x2, x2), (x2, x1), (x1, x1)]
    c.paint(polyline(path, 1.6) | Ellipse(x0, x3, 1.6), RED)


def draw_q0(c):
    # The Q0 mask combines simple steps: a negative, the two glasses and a reflection.
    c.paint(Rect(3, 3, 12, 12), BLACK)
    c.paint(Ellipse(7.5, 7.5, 2.5), WHITE)
    c.paint(Rect(12, 3, 21, 12), stripes(3, [HIGHLIGHT, RIB_LIGHT, RIB_DARK], True))
    c.paint(Rect(3, 12, 12, 21), stripes(3, [HIGHLIGHT, RIB_LIGHT, RIB_DARK], False))
    c.paint(Rect(12, 12, 21, 21), WHITE)
    c.paint(Polygon([(13.5, 19.5), (19.5, 19.5), (16.5, 14)]), BLUE)
    c.paint_outlined(Rect(3, 3, 21, 21), None, BLACK)
    c.paint(Rect(11.5, 3, 12.5, 21) | Rect(3, 11.5, 21, 12.5), BLACK)


def draw_cp(c):
    # A block mosaic locked by a code: a key over it.
    pane = Rect(2, 2, 17, 17)
    c.paint(pane, checkered_mosaic(2, 2, 5, 3, 2))
    c.paint_outlined(pane, None, BLACK)
    bow = Ellipse(17, 17, 4.5)
    blade = union([polyline([(14, 14), (5, 5)], 2.2), polyline([(8, 8), (5.5, 10.5)], 2),
                   polyline([(6, 6), (4, 8)], 2)])
    c.paint_outlined(blade | bow, PENCIL, BLACK)
    c.paint(Ellipse(18, 18, 1.6), BLACK)


def draw_record(c):
    c.paint_outlined(Ellipse(5, 12, 3.6), RED, DARK_RED)


def draw_record_stop(c):
    c.paint(Rect(2, 9, 8, 15), NAVY)


def draw_run(c):
    c.paint_outlined(Polygon([(2, 6.5), (8.5, 12), (2, 17.5)]), GREEN, DARK_GREEN)


FULL, WIDE_HALF, TALL_HALF = (24, 24), (24, 10), (10, 24)

# Bitmap base name, size in units (button less 4 pixels each way), design, disabled face wanted.
TOOLBAR = [
    ('IDB_BMP_OPEN', FULL, draw_folder, True),
    ('IDB_BMP_SAVE', FULL, draw_save, True),
    ('IDB_BMP_SAVEAS', FULL, draw_save_as, True),
    ('IDB_BMP_UNDO', FULL, draw_undo, True),
    ('IDB_BMP_REDO', FULL, draw_redo, True),
    ('IDB_BMP_ZIN', FULL, lambda c: magnifier(c, '+'), True),
    ('IDB_BMP_ZOUT', FULL, lambda c: magnifier(c, '-'), True),
    ('IDB_BMP_0T', WIDE_HALF, draw_area_up, True),
    ('IDB_BMP_0B', WIDE_HALF, draw_area_down, True),
    ('IDB_BMP_0L', TALL_HALF, draw_area_left, True),
    ('IDB_BMP_0R', TALL_HALF, draw_area_right, True),
    ('IDB_BMP_RGB', FULL, draw_rgb, True),
    ('IDB_BMP_XOR', FULL, draw_xor, True),
    ('IDB_BMP_UDCH', FULL, draw_flip_tb, True),
    ('IDB_BMP_RLCH', FULL, draw_flip_lr, True),
    ('IDB_BMP_NPH', FULL, draw_negpos, True),
    ('IDB_BMP_TATEG', FULL, draw_vertical_glass, True),
    ('IDB_BMP_YOKOG', FULL, draw_horizontal_glass, True),
    ('IDB_BMP_WIN', FULL, draw_win, True),
    ('IDB_BMP_MKM', FULL, draw_meko_reverse, True),
    ('IDB_BMP_MKP', FULL, draw_meko_forward, True),
    ('IDB_BMP_FL', FULL, draw_fl, True),
    ('IDB_BMP_Q0', FULL, draw_q0, True),
    ('IDB_BMP_CP', FULL, draw_cp, True),
    ('IDB_BMP_MR', TALL_HALF, draw_record, True),
    ('IDB_BMP_MR2', TALL_HALF, draw_record_stop, False),
    ('IDB_BMP_MJ', TALL_HALF, draw_run, True),
]


def is_ink(colour):
    """Pixels darker than the button face are kept by the disabled look; light ones (paper,
    glass, bright fills) drop out, as on classic disabled buttons."""
    r, g, b, _ = colour
    return colour != FACE and 0.299 * r + 0.587 * g + 0.114 * b < 160


def toolbar_files():
    for base, (w, h), draw, has_disabled in TOOLBAR:
        for scale, suffix in ((1, ''), (2, '_2X')):
            canvas = Canvas(w, h, scale, FACE)
            draw(canvas)
            yield f'{base}_T{suffix}.bmp', lambda c=canvas: bmp_bytes(c)
            if has_disabled:
                yield f'{base}_F{suffix}.bmp', lambda c=canvas: bmp_bytes(
                    c.embossed(FACE, HIGHLIGHT, SHADOW, is_ink))


# ---- pointers (32 x 32, black with a white rim; hot spot at the middle pixel 15, 15) ----------
C = 15.5  # centre of pixel 15


def double_arrow():
    """Left/right arrow through the middle row."""
    head = Polygon([(3, C), (9, C - 6), (9, C + 6)])
    return Rect(8, 15, 24, 16) | head | mirror_x(head, 31)


def diagonal_arrow():
    """Top-left/bottom-right arrow."""
    head = Polygon([(4, 4), (13, 4), (4, 13)])
    return polyline([(7, 7), (24, 24)], 1.0) | head | mirror_x(mirror_y(head, 31), 31)


def four_arrows(length, size):
    """Arrowheads pointing up, right, down and left, their tips `length` from the centre."""
    up = Polygon([(C, C - length), (C + size, C - length + size), (C - size, C - length + size)])
    return union(rotate(up, a, C, C) for a in (0, 90, 180, 270))


def move_pointer():
    shafts = Rect(8, 15, 24, 16) | Rect(15, 8, 16, 24)
    return shafts | four_arrows(12.5, 4.5)


def pan_centre():
    return ring(C, C, 4, 2.6) | Ellipse(C, C, 1.1)


def pan_pointer(direction):
    """The neutral pan pointer (direction None) or the one for a bearing in degrees."""
    if direction is None:
        return pan_centre() | four_arrows(11.5, 4.5)
    head = Polygon([(C, C - 13), (C + 6, C - 7), (C - 6, C - 7)])
    return pan_centre() | rotate(head, direction, C, C)


def pointer_canvas(shape):
    canvas = Canvas(32, 32)
    canvas.paint_haloed(shape, BLACK, WHITE)
    return canvas


def spoit_canvas():
    """An eyedropper pointing down to the left; its tip is the hot spot."""
    tip = (2.5, 29.5)
    angle = -45
    canvas = Canvas(32, 32)
    nozzle = Polygon([(0, 0), (9, -1.6), (9, 1.6)])
    tube = Rect(9, -2.6, 22, 2.6)
    liquid = Rect(9, -1.6, 15, 1.6)
    collar = Rect(22, -4, 25, 4)
    bulb = Ellipse(29.5, 0, 5, 4) | Rect(25, -3, 29, 3)
    outline = union(placed(s, angle, *tip) for s in (nozzle, tube, collar, bulb))
    canvas.paint_haloed(outline, BLACK, WHITE)
    canvas.paint_outlined(placed(nozzle | tube, angle, *tip), WHITE, BLACK)
    canvas.paint(placed(liquid, angle, *tip), BLUE)
    canvas.paint_outlined(placed(collar, angle, *tip), rgb(0x606060), BLACK)
    canvas.paint_outlined(placed(bulb, angle, *tip), rgb(0xB02020), BLACK)
    canvas.paint(Rect(2, 29, 3, 30), BLACK)
    return canvas, (2, 29)


PAN_BEARINGS = [('n', 0), ('ne', 45), ('e', 90), ('se', 135), ('s', 180), ('sw', 225),
                ('w', 270), ('nw', 315)]


def pointer_files():
    middle = (15, 15)
    pointers = [
        ('cursor_resize_lr.cur', double_arrow(), middle),
        ('cursor_resize_ud.cur', transpose(double_arrow()), middle),
        ('cursor_resize_nwse.cur', diagonal_arrow(), middle),
        ('cursor_resize_nesw.cur', mirror_x(diagonal_arrow(), 31), middle),
        ('cursor_move.cur', move_pointer(), middle),
        ('cursor_pan.cur', pan_pointer(None), middle),
    ] + [(f'cursor_pan_{name}.cur', pan_pointer(bearing), middle) for name, bearing in PAN_BEARINGS]
    for name, shape, (x, y) in pointers:
        yield name, lambda s=shape, x=x, y=y: cur_bytes(pointer_canvas(s), x, y)

    def spoit():
        canvas, (x, y) = spoit_canvas()
        assert canvas.pixels[y * 32 + x][3] == 255, 'the spoit hot spot must be on its tip'
        return cur_bytes(canvas, x, y)
    yield 'cursor_spoit.cur', spoit


# ---- icons -----------------------------------------------------------------------------------
ICON_SIZES = (16, 32, 48)


def program_icon(size):
    """A framed photograph (sky over a green hill with a sun) whose lower right quarter is
    masked into coarse coloured blocks; designed on a 48-unit grid."""
    canvas = Canvas(48, 48, size / 48)
    blocks_palette = [rgb(c) for c in (0xDC3C3C, 0x3CAA50, 0x3C64DC, 0xF0BE28)]
    canvas.paint(Rect(2, 5, 46, 43), rgb(0x28345C))
    inner = Rect(5, 8, 43, 40)
    canvas.paint(inner, lambda u, v: (90, min(int(150 + 80 * (v - 8) / 24), 230), 235, 255))
    canvas.paint(inner & Where(lambda u, v: v >= 32 - 0.012 * (u - 20) ** 2), rgb(0x46A046))
    canvas.paint(inner & Ellipse(15, 17, 4), rgb(0xFFDC3C))
    canvas.paint(inner & Rect(24, 24, 48, 48), blocks(24, 24, 8, 2, blocks_palette, (0, 1, 2, 3)))
    return canvas


def pan_marker(size):
    """A round marker with four arrowheads, shown where the middle-button pan started;
    designed on a 32-unit grid, transparent around the disc."""
    canvas = Canvas(32, 32, size / 32)
    centre = 16
    canvas.paint_outlined(Ellipse(centre, centre, 14), rgb(0xF4F4F4), rgb(0x404040))
    up = Polygon([(centre, 4.5), (centre + 4.5, 9.5), (centre - 4.5, 9.5)])
    canvas.paint(union(rotate(up, a, centre, centre) for a in (0, 90, 180, 270)), rgb(0x303030))
    canvas.paint(Ellipse(centre, centre, 2.2), rgb(0x303030))
    return canvas


def icon_files():
    yield 'veilo.ico', lambda: ico_bytes([program_icon(s) for s in ICON_SIZES])
    yield 'pan_marker.ico', lambda: ico_bytes([pan_marker(s) for s in ICON_SIZES])


def all_files():
    yield from toolbar_files()
    yield from pointer_files()
    yield from icon_files()


def main(argv):
    if len(argv) != 2:
        sys.exit(__doc__)
    if argv[1] == '--list':
        for name, _ in all_files():
            print(name)
        return
    out = pathlib.Path(argv[1])
    out.mkdir(parents=True, exist_ok=True)
    for name, make in all_files():
        (out / name).write_bytes(make())


if __name__ == '__main__':
    main(sys.argv)
