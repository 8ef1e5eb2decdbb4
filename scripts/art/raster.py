"""A tiny pixel rasteriser for the editor's cursors, glyphs and icon.

Shapes are sets of (x, y) pixels; pixel centres lie on integer coordinates.
An Image holds one colour per pixel ("#rrggbb" or None for transparent) and
is written out as XPM text.
"""

import math

BLACK = "#000000"
WHITE = "#ffffff"


# ---------------------------------------------------------------- shapes

def line(x0, y0, x1, y1):
    """Bresenham line, both end pixels included."""
    x0, y0, x1, y1 = round(x0), round(y0), round(x1), round(y1)
    pts = set()
    dx, dy = abs(x1 - x0), -abs(y1 - y0)
    sx = 1 if x0 < x1 else -1
    sy = 1 if y0 < y1 else -1
    err = dx + dy
    while True:
        pts.add((x0, y0))
        if x0 == x1 and y0 == y1:
            break
        e2 = 2 * err
        if e2 >= dy:
            err += dy
            x0 += sx
        if e2 <= dx:
            err += dx
            y0 += sy
    return pts


def polyline(points):
    pts = set()
    for (a, b) in zip(points, points[1:]):
        pts |= line(a[0], a[1], b[0], b[1])
    if len(points) == 1:
        pts.add(tuple(points[0]))
    return pts


def rect(x0, y0, x1, y1):
    """Filled box, corners inclusive."""
    return {(x, y) for x in range(min(x0, x1), max(x0, x1) + 1)
            for y in range(min(y0, y1), max(y0, y1) + 1)}


def ellipse(x0, y0, x1, y1):
    """Filled ellipse touching every side of the inclusive box."""
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    rx, ry = (x1 - x0) / 2 + 0.5, (y1 - y0) / 2 + 0.5
    pts = set()
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            if ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0:
                pts.add((x, y))
    return pts


def round_rect(x0, y0, x1, y1, r):
    """Filled box with corners rounded by radius r."""
    pts = set()
    for (x, y) in rect(x0, y0, x1, y1):
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        if (x - cx) ** 2 + (y - cy) ** 2 <= r * r + 0.5:
            pts.add((x, y))
    return pts


def polygon(points):
    """Filled polygon: pixel centres inside (even-odd) plus the edges."""
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]
    pts = polyline([(round(x), round(y)) for (x, y) in list(points) + [points[0]]])
    for y in range(math.floor(min(ys)), math.ceil(max(ys)) + 1):
        for x in range(math.floor(min(xs)), math.ceil(max(xs)) + 1):
            inside = False
            n = len(points)
            for i in range(n):
                (xa, ya), (xb, yb) = points[i], points[(i + 1) % n]
                if (ya > y) != (yb > y):
                    xi = xa + (y - ya) * (xb - xa) / (yb - ya)
                    if x < xi:
                        inside = not inside
            if inside:
                pts.add((x, y))
    return pts


def arc(cx, cy, rx, ry, a0, a1, steps=200):
    """Points of an elliptic arc from angle a0 to a1 (degrees, screen y down,
    0 = right, 90 = up), joined into a polyline."""
    pts = []
    for i in range(steps + 1):
        a = math.radians(a0 + (a1 - a0) * i / steps)
        p = (round(cx + rx * math.cos(a)), round(cy - ry * math.sin(a)))
        if not pts or pts[-1] != p:
            pts.append(p)
    return polyline(pts)


def bezier(p0, p1, p2, p3, steps=200):
    pts = []
    for i in range(steps + 1):
        t = i / steps
        u = 1 - t
        x = u ** 3 * p0[0] + 3 * u * u * t * p1[0] + 3 * u * t * t * p2[0] + t ** 3 * p3[0]
        y = u ** 3 * p0[1] + 3 * u * u * t * p1[1] + 3 * u * t * t * p2[1] + t ** 3 * p3[1]
        p = (round(x), round(y))
        if not pts or pts[-1] != p:
            pts.append(p)
    return polyline(pts)


def dilate(pts, r=1, square=True):
    """Grows a shape by r pixels (square or round neighbourhood)."""
    out = set()
    for (x, y) in pts:
        for dx in range(-r, r + 1):
            for dy in range(-r, r + 1):
                if square or dx * dx + dy * dy <= r * r:
                    out.add((x + dx, y + dy))
    return out


def pen(pts, width):
    """A pen of `width` pixels: each pixel becomes a width x width block
    (odd widths centred, even widths extending right and down)."""
    if width <= 1:
        return set(pts)
    lo = -((width - 1) // 2)
    out = set()
    for (x, y) in pts:
        for dx in range(lo, lo + width):
            for dy in range(lo, lo + width):
                out.add((x + dx, y + dy))
    return out


def boundary(pts):
    """Pixels of the shape with a 4-neighbour outside it."""
    return {(x, y) for (x, y) in pts
            if (x - 1, y) not in pts or (x + 1, y) not in pts
            or (x, y - 1) not in pts or (x, y + 1) not in pts}


def shift(pts, dx, dy):
    return {(x + dx, y + dy) for (x, y) in pts}


def bbox(pts):
    xs = [p[0] for p in pts]
    ys = [p[1] for p in pts]
    return min(xs), min(ys), max(xs), max(ys)


# ---------------------------------------------------------------- images

class Image:
    def __init__(self, w, h, bg=None):
        self.w, self.h = w, h
        self.px = [[bg] * w for _ in range(h)]

    def paint(self, pts, colour):
        for (x, y) in pts:
            if 0 <= x < self.w and 0 <= y < self.h:
                self.px[y][x] = colour
        return self

    def solid(self, pts, outline=BLACK, fill=WHITE):
        """Fills the shape and outlines its edge pixels."""
        self.paint(pts, fill)
        self.paint(boundary(pts), outline)
        return self

    def get(self, x, y):
        return self.px[y][x]

    def opaque(self, bg=None):
        return {(x, y) for y in range(self.h) for x in range(self.w)
                if self.px[y][x] != bg}

    def mirrored(self):
        out = Image(self.w, self.h)
        out.px = [list(reversed(row)) for row in self.px]
        return out

    def flipped(self):
        out = Image(self.w, self.h)
        out.px = [list(row) for row in reversed(self.px)]
        return out

    def rotated_cw(self):
        """Quarter turn clockwise: (x, y) goes to (h - 1 - y, x)."""
        out = Image(self.h, self.w)
        for y in range(self.h):
            for x in range(self.w):
                out.px[x][self.h - 1 - y] = self.px[y][x]
        return out

    def shifted(self, dx, dy, bg=None):
        out = Image(self.w, self.h, bg)
        for y in range(self.h):
            for x in range(self.w):
                if 0 <= x - dx < self.w and 0 <= y - dy < self.h:
                    out.px[y][x] = self.px[y - dy][x - dx]
        return out

    def colours(self):
        seen = []
        for row in self.px:
            for c in row:
                if c not in seen:
                    seen.append(c)
        return seen

    def xpm(self, name, hot=None, first=None):
        """XPM text. `first` puts that colour first in the colour table."""
        cols = self.colours()
        if first in cols:
            cols.remove(first)
            cols.insert(0, first)
        keys = " .XoO+@#$%&*=-;:>,<1234567890qwertyuipasdfghjklzxcvbnmMNBVCZASDFGHJKLPIUYTREWQ!~^/()_`'][{}|"
        if len(cols) > len(keys):
            raise ValueError(f"{name}: too many colours ({len(cols)})")
        key = {c: keys[i] for i, c in enumerate(cols)}
        values = f"{self.w} {self.h} {len(cols)} 1"
        if hot is not None:
            values += f" {hot[0]} {hot[1]}"
        lines = ["/* XPM */", f"static const char *{name}[] = {{", f'"{values}",']
        for c in cols:
            lines.append(f'"{key[c]} c {"None" if c is None else c}",')
        rows = ['"' + "".join(key[c] for c in row) + '"' for row in self.px]
        lines.append(",\n".join(rows))
        lines.append("};")
        return "\n".join(lines) + "\n"
