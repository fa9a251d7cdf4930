"""A small drawing kit for crisp pixel pictures, and writers for BMP, ICO and CUR files.

Pictures are designed in "units" on a grid (x to the right, y downward; unit square i covers
[i, i + 1)). A Canvas has a scale: one unit is `scale` pixels, and a pixel belongs to a shape
when its centre does. So the same design gives a 24-pixel bitmap at scale 1 and a sharper
48-pixel one at scale 2, with no smoothing: every pixel keeps one of the design's colours.

Shapes are predicates on unit coordinates and combine with | (union), & (intersection) and
- (difference). Only the Python standard library is used; output is the same on every run.
"""
import math
import struct

CLEAR = (0, 0, 0, 0)


def rgb(value, alpha=255):
    """(r, g, b, a) from 0xRRGGBB."""
    return ((value >> 16) & 255, (value >> 8) & 255, value & 255, alpha)


# ---- shapes ----------------------------------------------------------------------------------
class Shape:
    def contains(self, u, v):
        raise NotImplementedError

    def __or__(self, other):
        return Where(lambda u, v: self.contains(u, v) or other.contains(u, v))

    def __and__(self, other):
        return Where(lambda u, v: self.contains(u, v) and other.contains(u, v))

    def __sub__(self, other):
        return Where(lambda u, v: self.contains(u, v) and not other.contains(u, v))


class Where(Shape):
    """Any predicate on (u, v)."""

    def __init__(self, test):
        self.test = test

    def contains(self, u, v):
        return self.test(u, v)


class Rect(Shape):
    """x0 <= u < x1 and y0 <= v < y1."""

    def __init__(self, x0, y0, x1, y1):
        self.x0, self.y0, self.x1, self.y1 = x0, y0, x1, y1

    def contains(self, u, v):
        return self.x0 <= u < self.x1 and self.y0 <= v < self.y1


class Polygon(Shape):
    """Even-odd filled polygon through the given points."""

    def __init__(self, points):
        self.points = list(points)

    def contains(self, u, v):
        inside = False
        pts = self.points
        for i, (ax, ay) in enumerate(pts):
            bx, by = pts[i - 1]
            if (ay > v) != (by > v) and u < ax + (v - ay) * (bx - ax) / (by - ay):
                inside = not inside
        return inside


class Ellipse(Shape):
    def __init__(self, cx, cy, rx, ry=None):
        self.cx, self.cy, self.rx, self.ry = cx, cy, rx, rx if ry is None else ry

    def contains(self, u, v):
        du, dv = (u - self.cx) / self.rx, (v - self.cy) / self.ry
        return du * du + dv * dv <= 1.0


class Segment(Shape):
    """A straight stroke of the given width with round ends."""

    def __init__(self, x0, y0, x1, y1, width=1.0):
        self.a, self.b, self.r = (x0, y0), (x1, y1), width / 2.0

    def contains(self, u, v):
        (ax, ay), (bx, by) = self.a, self.b
        dx, dy = bx - ax, by - ay
        length2 = dx * dx + dy * dy
        t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((u - ax) * dx + (v - ay) * dy) / length2))
        px, py = ax + t * dx - u, ay + t * dy - v
        return px * px + py * py <= self.r * self.r


def ring(cx, cy, outer, inner):
    return Ellipse(cx, cy, outer) - Ellipse(cx, cy, inner)


def union(shapes):
    shapes = list(shapes)
    return Where(lambda u, v: any(s.contains(u, v) for s in shapes))


def polyline(points, width=1.0):
    """Strokes joining the points in turn."""
    return union(Segment(x0, y0, x1, y1, width) for (x0, y0), (x1, y1) in zip(points, points[1:]))


def mapped(shape, to_design):
    """The shape seen through a coordinate map: a point p is inside when to_design(p) is."""
    return Where(lambda u, v: shape.contains(*to_design(u, v)))


def mirror_x(shape, width):
    """Mirrored left to right inside a design `width` units wide."""
    return mapped(shape, lambda u, v: (width - u, v))


def mirror_y(shape, height):
    return mapped(shape, lambda u, v: (u, height - v))


def transpose(shape):
    """Reflected about the diagonal: a design w x h becomes h x w, rows become columns."""
    return mapped(shape, lambda u, v: (v, u))


def rotate(shape, degrees, cx, cy):
    """Turned clockwise (on screen, y downward) by `degrees` about (cx, cy)."""
    a = math.radians(degrees)
    c, s = math.cos(a), math.sin(a)
    return mapped(shape, lambda u, v: (cx + (u - cx) * c + (v - cy) * s,
                                       cy - (u - cx) * s + (v - cy) * c))


def placed(shape, degrees, x, y):
    """A shape designed around the origin (pointing along +x), turned and moved to (x, y)."""
    a = math.radians(degrees)
    c, s = math.cos(a), math.sin(a)
    return mapped(shape, lambda u, v: ((u - x) * c + (v - y) * s, -(u - x) * s + (v - y) * c))


# ---- canvas ----------------------------------------------------------------------------------
class Canvas:
    def __init__(self, width, height, scale=1, background=CLEAR):
        """A picture of width x height units, `scale` pixels per unit."""
        self.scale = scale
        self.width = int(round(width * scale))
        self.height = int(round(height * scale))
        self.pixels = [background] * (self.width * self.height)

    def mask(self, shape):
        s = self.scale
        return [shape.contains((x + 0.5) / s, (y + 0.5) / s)
                for y in range(self.height) for x in range(self.width)]

    def _near(self, mask, index, reach, want, square):
        """Whether a pixel within `reach` of pixel `index` has mask value `want` (outside the
        canvas counts as False)."""
        w, h = self.width, self.height
        x, y = index % w, index // w
        for dy in range(-reach, reach + 1):
            for dx in range(-reach, reach + 1):
                if (dx == 0 and dy == 0) or (not square and abs(dx) + abs(dy) > reach):
                    continue
                nx, ny = x + dx, y + dy
                inside = 0 <= nx < w and 0 <= ny < h and mask[ny * w + nx]
                if inside == want:
                    return True
        return False

    def _reach(self, width):
        return max(1, int(round(width * self.scale)))

    def paint(self, shape, colour):
        """Fills the shape; `colour` is an RGBA tuple or a function of unit coordinates."""
        s = self.scale
        for i, inside in enumerate(self.mask(shape)):
            if inside:
                if callable(colour):
                    x, y = i % self.width, i // self.width
                    self.pixels[i] = colour((x + 0.5) / s, (y + 0.5) / s)
                else:
                    self.pixels[i] = colour

    def paint_outlined(self, shape, fill, edge, width=1.0):
        """Fills the shape and draws its border, `width` units thick, inside it."""
        mask = self.mask(shape)
        reach = self._reach(width)
        if fill is not None:
            self.paint(shape, fill)
        for i, inside in enumerate(mask):
            if inside and self._near(mask, i, reach, False, square=False):
                self.pixels[i] = edge

    def paint_haloed(self, shape, colour, halo, width=1.0):
        """Fills the shape and surrounds it with a `width`-unit border of `halo` (the way
        pointers stay visible on any background)."""
        mask = self.mask(shape)
        reach = self._reach(width)
        for i, inside in enumerate(mask):
            if inside:
                self.pixels[i] = colour
            elif self._near(mask, i, reach, True, square=True):
                self.pixels[i] = halo

    def embossed(self, face, highlight, shadow, is_ink):
        """The classic disabled look: every ink pixel (is_ink(colour)) drawn in `shadow` over a
        copy in `highlight` one unit down and to the right; everything else becomes `face`."""
        w, h = self.width, self.height
        ink = [is_ink(p) for p in self.pixels]
        step = self._reach(1)
        out = Canvas(w / self.scale, h / self.scale, self.scale, face)
        for i, on in enumerate(ink):
            x, y = i % w + step, i // w + step
            if on and x < w and y < h:
                out.pixels[y * w + x] = highlight
        for i, on in enumerate(ink):
            if on:
                out.pixels[i] = shadow
        return out


# ---- file writers ----------------------------------------------------------------------------
def bmp_bytes(canvas):
    """A 24-bit BMP file (bottom-up rows padded to 4 bytes, 96 pixels per inch)."""
    w, h = canvas.width, canvas.height
    stride = (w * 3 + 3) // 4 * 4
    rows = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray()
        for x in range(w):
            r, g, b, _ = canvas.pixels[y * w + x]
            row += bytes((b, g, r))
        rows += row + bytes(stride - len(row))
    info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 24, 0, len(rows), 3780, 3780, 0, 0)
    header = struct.pack('<2sIHHI', b'BM', 14 + len(info) + len(rows), 0, 0, 14 + len(info))
    return header + info + bytes(rows)


def _icon_image(canvas):
    """One image of an icon or cursor file: BITMAPINFOHEADER with doubled height, BGRA rows
    bottom-up, then the AND mask (1 where the pixel is fully transparent) for systems that
    ignore alpha. Transparent pixels are black, so XOR drawing leaves the screen as it is."""
    w, h = canvas.width, canvas.height
    pixels = bytearray()
    mask_stride = (w + 31) // 32 * 4
    mask = bytearray()
    for y in range(h - 1, -1, -1):
        bits = bytearray(mask_stride)
        for x in range(w):
            r, g, b, a = canvas.pixels[y * w + x]
            if a == 0:
                r = g = b = 0
                bits[x // 8] |= 0x80 >> (x % 8)
            pixels += bytes((b, g, r, a))
        mask += bits
    header = struct.pack('<IiiHHIIiiII', 40, w, h * 2, 1, 32, 0, len(pixels) + len(mask),
                         0, 0, 0, 0)
    return header + bytes(pixels) + bytes(mask)


def _directory(kind, canvases, fields):
    images = [_icon_image(c) for c in canvases]
    out = struct.pack('<HHH', 0, kind, len(images))
    offset = 6 + 16 * len(images)
    for canvas, data, (f1, f2) in zip(canvases, images, fields):
        out += struct.pack('<BBBBHHII', canvas.width % 256, canvas.height % 256, 0, 0, f1, f2,
                           len(data), offset)
        offset += len(data)
    return out + b''.join(images)


def ico_bytes(canvases):
    """An .ico file with one 32-bit image per canvas (planes 1, 32 bits per pixel)."""
    return _directory(1, canvases, [(1, 32)] * len(canvases))


def cur_bytes(canvas, hot_x, hot_y):
    """A .cur file with one 32-bit image; the directory entry carries the hot spot."""
    return _directory(2, [canvas], [(hot_x, hot_y)])
