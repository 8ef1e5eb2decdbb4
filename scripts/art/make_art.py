#!/usr/bin/env python3
"""Draws Tacklepad's pixel art and writes it as XPM files:

  editor/resources/cursors/cursor_NNN.xpm   19 tool cursors, 32 x 32
  editor/resources/glyphs/rig_NN.xpm        rig palette glyphs by button Tag
  editor/resources/mapglyphs/map_NN.xpm     27 point-map glyphs, 32 x 32
  editor/resources/mapglyphs/arrow.xpm      the point-map no-tool arrow
  editor/resources/icon.xpm                 application icon, 16 colours

Run from anywhere: python3 scripts/art/make_art.py. The XPM files are the
product and are committed; this script only makes redrawing them easy.
"""

import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from raster import (BLACK, WHITE, Image, arc, bbox, bezier, boundary, dilate,  # noqa: E402
                    ellipse, line, pen, polygon, polyline, rect, round_rect, shift)

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
RES = os.path.join(ROOT, "editor", "resources")

# Glyph colours. KEY fills the background and is the colour of every glyph's
# bottom-left pixel, which the editor makes transparent.
KEY = "#ff00ff"
SILVER = "#c0c0c0"
LIGHT = "#e8e8e8"
GREY = "#808080"
DARK = "#404040"
LEAD = "#505060"
GOLD = "#d0a030"
PINK = "#ff9090"
BLUE = "#3060c0"
YELLOW = "#f8d030"
WOOD = "#f0c890"
RED = "#d02020"
SAND = "#c8a060"


# ================================================================ cursors
#
# Monochrome, 32 x 32, transparent background, black outline and white fill.
# Each entry: code -> (picture width, height, hot spot).

CURSOR_TABLE = {
    1: (7, 22, (5, 0)), 2: (21, 7, (1, 4)), 3: (14, 32, (15, 0)), 4: (32, 14, (0, 16)),
    5: (22, 30, (1, 0)), 6: (24, 30, (1, 0)), 7: (9, 26, (4, 0)), 8: (26, 9, (0, 4)),
    9: (15, 8, (0, 2)), 10: (8, 15, (5, 0)), 11: (30, 17, (0, 4)), 12: (17, 30, (11, 0)),
    21: (20, 21, (0, 31)), 25: (30, 30, (15, 15)), 26: (20, 20, (10, 10)),
    31: (15, 8, (14, 3)), 32: (8, 15, (2, 0)), 33: (30, 16, (29, 4)), 34: (17, 30, (4, 0)),
}


def ring(outer, inner):
    return outer - inner


def cursor_small_swivel_v():
    c = Image(32, 32)
    c.solid(rect(4, 4, 6, 8))
    c.solid(rect(4, 13, 6, 17))
    c.solid(ellipse(2, 0, 8, 5)).paint({(5, 2), (5, 3)}, BLACK)
    c.solid(ellipse(2, 7, 8, 14))
    c.solid(ellipse(2, 16, 8, 21)).paint({(5, 18), (5, 19)}, BLACK)
    return c


def cursor_small_swivel_h():
    c = Image(32, 32)
    c.solid(rect(5, 3, 9, 5))
    c.solid(rect(13, 3, 17, 5))
    c.solid(ellipse(1, 1, 6, 7)).paint({(3, 4), (4, 4)}, BLACK)
    c.solid(ellipse(8, 1, 14, 7))
    c.solid(ellipse(16, 1, 21, 7)).paint({(18, 4), (19, 4)}, BLACK)
    return c


def cursor_big_swivel_v():
    c = Image(32, 32)
    c.solid(rect(13, 7, 16, 12))
    c.solid(rect(13, 19, 16, 24))
    c.solid(ring(ellipse(10, 0, 19, 9), ellipse(13, 3, 16, 6)))
    c.solid(ellipse(8, 10, 21, 21))
    c.solid(ring(ellipse(10, 22, 19, 31), ellipse(13, 25, 16, 28)))
    return c


def cursor_big_swivel_h():
    c = Image(32, 32)
    c.solid(rect(7, 14, 12, 17))
    c.solid(rect(19, 14, 24, 17))
    c.solid(ring(ellipse(0, 11, 9, 20), ellipse(3, 14, 6, 17)))
    c.solid(ellipse(10, 9, 21, 22))
    c.solid(ring(ellipse(22, 11, 31, 20), ellipse(25, 14, 28, 17)))
    return c


def cursor_sinker_arm(sliding):
    c = Image(32, 32)
    c.paint(pen(line(1, 3, 1, 20), 2), BLACK)          # wire down, cols 1..2
    arm_end = 18
    c.paint(pen(line(1, 20, arm_end, 20), 2), BLACK)   # arm, rows 20..21
    if sliding:
        c.paint(line(3, 3, 23, 23), BLACK)             # diagonal brace
        c.solid(pen(line(6, 6, 10, 10), 3))            # sliding tube
    c.solid(polygon([(2, 21), (4, 24), (4, 27), (3, 29), (1, 29), (0, 27), (0, 24)]))
    c.solid(ellipse(0, 0, 3, 3))                       # top ring
    c.solid(ellipse(18, 19, 21, 22))                   # ring at the arm's end
    return c


def cursor_sinker_v():
    c = Image(32, 32)
    c.solid(polygon([(2, 4), (6, 4), (6, 10), (8, 13), (8, 21), (4, 25), (0, 21), (0, 13), (2, 10)]))
    c.solid(ellipse(2, 0, 6, 5)).paint({(4, 2), (4, 3)}, BLACK)
    return c


def transpose(img):
    return img.rotated_cw().mirrored()


def hook_core_small():
    return polyline([(1, 2), (2, 2), (6, 6), (10, 6), (12, 5), (13, 4), (13, 2), (12, 1), (9, 1)])


def hook_core_large(bottom):
    return polyline([(1, 4), (4, 4), (bottom - 2, bottom), (21, bottom), (25, bottom - 2),
                     (28, bottom - 5), (28, 6), (26, 3), (23, 1), (17, 1)])


def stroke(img, core):
    """A line drawn black-outlined with a white core."""
    img.paint(dilate(core, 1), BLACK)
    img.paint(core, WHITE)
    return img


def cursor_hook_small():
    return stroke(Image(32, 32), hook_core_small())


def cursor_hook_large(bottom=15):
    return stroke(Image(32, 32), hook_core_large(bottom))


def cursor_pencil():
    """Pencil lying from its tip at the bottom-left corner up to the right."""
    c = Image(32, 32)
    tip = (0.0, 31.0)
    d = (19 / math.hypot(19, 20), -20 / math.hypot(19, 20))   # along the pencil
    n = (-d[1], d[0])                                          # across it

    def at(t, s):
        return (tip[0] + d[0] * t + n[0] * s, tip[1] + d[1] * t + n[1] * s)

    half = 3.6
    cone, length = 7.5, 24.5
    body = polygon([at(cone, -half), at(length, -half), at(length, half), at(cone, half)])
    c.solid(body)
    c.paint(polyline([tuple(round(v) for v in at(cone + 1, 0)),
                      tuple(round(v) for v in at(length - 4, 0))]), BLACK)
    band = polygon([at(length - 3.5, -half), at(length, -half), at(length, half), at(length - 3.5, half)])
    c.paint(band, BLACK)
    c.solid(polygon([at(0, 0), at(cone, -half), at(cone, half)]))
    c.paint(polygon([at(0, 0), at(3, -1.4), at(3, 1.4)]), BLACK)
    c.paint({(0, 31)}, BLACK)
    return c


def cursor_circle(d):
    c = Image(32, 32)
    c.solid(ring(ellipse(1, 1, d, d), ellipse(4, 4, d - 3, d - 3)))
    return c


def place(img, from_hot, to_hot):
    return img.shifted(to_hot[0] - from_hot[0], to_hot[1] - from_hot[1])


def make_cursors():
    cur = {}
    cur[1] = cursor_small_swivel_v()
    cur[2] = cursor_small_swivel_h()
    cur[3] = cursor_big_swivel_v()
    cur[4] = cursor_big_swivel_h()
    cur[5] = cursor_sinker_arm(False)
    cur[6] = cursor_sinker_arm(True)
    cur[7] = cursor_sinker_v()
    cur[8] = transpose(cur[7])
    h9 = cursor_hook_small()                 # eye at (0, 2)
    cur[9] = h9
    cur[10] = place(h9.rotated_cw(), (31 - 2, 0), (5, 0))
    h11 = cursor_hook_large(15)              # eye at (0, 4)
    cur[11] = h11
    cur[12] = place(h11.rotated_cw(), (31 - 4, 0), (12, 0))
    cur[31] = place(h9.mirrored(), (31, 2), (14, 2))
    cur[32] = place(cur[10].mirrored(), (31 - 5, 0), (2, 0))
    cur[33] = place(cursor_hook_large(14).mirrored(), (31, 4), (29, 4))
    cur[34] = place(cur[12].mirrored(), (31 - 12, 0), (4, 0))
    cur[21] = cursor_pencil()
    cur[25] = cursor_circle(30)
    cur[26] = cursor_circle(20)
    return cur


def check_cursor(code, img):
    w, h, hot = CURSOR_TABLE[code]
    pts = img.opaque()
    x0, y0, x1, y1 = bbox(pts)
    assert (x0, y0) >= (0, 0) and x1 < 32 and y1 < 32
    assert (x1 - x0 + 1, y1 - y0 + 1) == (w, h), f"cursor {code}: {x1 - x0 + 1}x{y1 - y0 + 1}, want {w}x{h}"
    if code in (25, 26):
        assert abs((x0 + x1) / 2 - hot[0]) <= 0.5 and abs((y0 + y1) / 2 - hot[1]) <= 0.5, code
    else:
        assert hot in pts, f"cursor {code}: hot spot {hot} not on the picture"
    for c in img.colours():
        assert c in (None, BLACK, WHITE), (code, c)


# ================================================================ rig glyphs

RIG_GLYPH_SIZES = {
    0: (32, 32), 1: (7, 22), 2: (22, 7), 3: (12, 32), 4: (32, 12), 5: (32, 32), 6: (32, 32),
    7: (10, 27), 8: (27, 10), 9: (15, 8), 10: (8, 15), 11: (30, 17), 12: (17, 30),
    31: (15, 8), 32: (8, 15), 33: (30, 17), 34: (17, 30),
    27: (4, 32), 23: (4, 32), 16: (24, 24), 19: (24, 24), 28: (32, 4), 24: (32, 4),
    17: (24, 24), 20: (24, 24), 15: (24, 24), 18: (24, 24), 21: (23, 23), 22: (23, 23),
    25: (26, 26), 26: (21, 11), 30: (24, 24), 29: (20, 20),
}


def arrow_pointer(img, x, y, fill=WHITE):
    """The usual arrow pointer with its tip at (x, y)."""
    shape = polygon([(x, y), (x, y + 16), (x + 4, y + 12), (x + 7, y + 19), (x + 10, y + 18),
                     (x + 7, y + 11), (x + 12, y + 11)])
    img.solid(shape, BLACK, fill)
    return img


def glyph(w, h):
    return Image(w, h, KEY)


def metal(img, pts, fill=SILVER, shine=WHITE):
    """A metal part: black outline, grey fill, a highlight on its left."""
    img.solid(pts, BLACK, fill)
    inner = pts - boundary(pts)
    if inner:
        x0 = min(x for x, _ in inner)
        img.paint({(x, y) for (x, y) in inner if x == x0 and (x, y - 1) in inner and (x, y + 1) in inner}, shine)
    return img


def glyph_swivel_small():
    g = glyph(7, 22)
    g.solid(rect(2, 4, 4, 8), BLACK, SILVER)
    g.solid(rect(2, 13, 4, 17), BLACK, SILVER)
    metal(g, ring(ellipse(0, 0, 6, 5), {(3, 2), (3, 3)}))
    metal(g, ellipse(0, 7, 6, 14), GOLD, YELLOW)
    metal(g, ring(ellipse(0, 16, 6, 21), {(3, 18), (3, 19)}))
    return g


def glyph_swivel_large():
    g = glyph(12, 32)
    g.solid(rect(4, 7, 7, 12), BLACK, SILVER)
    g.solid(rect(4, 19, 7, 24), BLACK, SILVER)
    metal(g, ring(ellipse(1, 0, 10, 9), ellipse(4, 3, 7, 6)))
    metal(g, ellipse(0, 10, 11, 21), GOLD, YELLOW)
    metal(g, ring(ellipse(1, 22, 10, 31), ellipse(4, 25, 7, 28)))
    return g


def transpose_glyph(img):
    return img.rotated_cw().mirrored()


def glyph_sinker_arm(sliding):
    g = glyph(32, 32)
    g.paint(pen(line(7, 4, 7, 20), 2), BLACK)
    g.paint(pen(line(7, 20, 27, 20), 2), BLACK)
    if sliding:
        g.paint(pen(line(9, 4, 30, 25), 1), BLACK)
        g.solid(pen(line(13, 8, 18, 13), 3), BLACK, GOLD)
    sinker = polygon([(7, 21), (8, 21), (11, 25), (11, 29), (9, 31), (6, 31), (4, 29), (4, 25)])
    g.solid(sinker, BLACK, LEAD)
    g.paint({(6, 26), (6, 27), (6, 28)}, SILVER)
    metal(g, ring(ellipse(5, 0, 10, 5), {(7, 2), (8, 2), (7, 3), (8, 3)}))
    metal(g, ring(ellipse(26, 18, 31, 23), {(28, 20), (29, 20), (28, 21), (29, 21)}))
    return g


def glyph_sinker_v():
    g = glyph(10, 27)
    body = polygon([(3, 4), (6, 4), (6, 10), (9, 13), (9, 22), (5, 26), (4, 26), (0, 22), (0, 13), (3, 10)])
    g.solid(body, BLACK, LEAD)
    g.paint(line(2, 14, 2, 21), SILVER)
    metal(g, ring(ellipse(2, 0, 7, 5), {(4, 2), (5, 2), (4, 3), (5, 3)}))
    return g


def hook_glyph(w, h, points, width):
    g = glyph(w, h)
    g.paint(pen(polyline(points), width), BLACK)
    return g


SMALL_HOOK = [
    ".........XXXX..",
    "........X....X.",
    "XX......X.....X",
    "..X...........X",
    "...X..........X",
    "....X.........X",
    ".....X.......X.",
    "......XXXXXXX..",
]
LARGE_HOOK = [(0, 4), (3, 4), (13, 15), (24, 15), (27, 13), (28, 11), (28, 4), (27, 2), (25, 0), (19, 0),
              (17, 2), (17, 5)]


def glyph_hook_small():
    g = glyph(15, 8)
    g.paint({(x, y) for y, row in enumerate(SMALL_HOOK) for x, ch in enumerate(row) if ch == "X"}, BLACK)
    return g


def glyph_hook_large():
    return hook_glyph(30, 17, LARGE_HOOK, 2)


def glyph_arc(up, width):
    g = glyph(24, 24)
    curve = bezier((2, 19), (6, 3), (17, 3), (21, 19))
    g.paint(pen(curve, width), BLACK)
    return g if up else g.flipped()


def glyph_slant(width):
    g = glyph(24, 24)
    g.paint(pen(line(3, 20, 20, 3), width), BLACK)
    return g


def pencil(img, tip, toward, half, length, cone=7.0):
    """A yellow pencil lying from `tip` towards `toward`."""
    dx, dy = toward[0] - tip[0], toward[1] - tip[1]
    k = math.hypot(dx, dy)
    d = (dx / k, dy / k)
    n = (-d[1], d[0])

    def at(t, s):
        return (tip[0] + d[0] * t + n[0] * s, tip[1] + d[1] * t + n[1] * s)

    img.solid(polygon([at(cone, -half), at(length - 4, -half), at(length - 4, half), at(cone, half)]), BLACK, YELLOW)
    img.paint(polyline([tuple(round(v) for v in at(cone + 1, -1)), tuple(round(v) for v in at(length - 6, -1))]),
              "#c09000")
    img.solid(polygon([at(length - 4, -half), at(length, -half), at(length, half), at(length - 4, half)]), BLACK, PINK)
    img.solid(polygon([at(0, 0), at(cone, -half), at(cone, half)]), BLACK, WOOD)
    img.paint(polygon([at(0, 0), at(2.6, -1.2), at(2.6, 1.2)]), BLACK)
    return img


def glyph_pencil(thick):
    g = glyph(23, 23)
    if thick:
        pencil(g, (9, 13), (22, 0), 2.8, 18.0, 5.5)
        g.paint(pen(bezier((2, 20), (4, 16), (6, 18), (9, 14)), 3), BLACK)
    else:
        pencil(g, (1, 21), (22, 0), 3.4, 29.5)
    return g


def glyph_eraser_large():
    g = glyph(26, 26)
    top = [(8, 1), (25, 10), (18, 17), (1, 8)]          # upper face
    front = [(1, 8), (18, 17), (18, 24), (1, 15)]      # long side
    side = [(18, 17), (25, 10), (25, 17), (18, 24)]    # short end
    g.solid(polygon(top), BLACK, "#ffd0d0")
    g.solid(polygon(front), BLACK, PINK)
    g.solid(polygon(side), BLACK, "#e07070")
    sleeve_top = [(13, 3), (19, 7), (12, 14), (6, 10)]
    sleeve_front = [(6, 10), (12, 14), (12, 21), (6, 17)]
    g.solid(polygon(sleeve_top), BLACK, "#90b0ff")
    g.solid(polygon(sleeve_front), BLACK, BLUE)
    return g


def glyph_eraser_small():
    g = glyph(21, 11)
    g.solid(rect(0, 3, 17, 10), BLACK, PINK)
    g.solid(polygon([(0, 3), (3, 0), (20, 0), (17, 3)]), BLACK, "#ffd0d0")
    g.solid(polygon([(17, 3), (20, 0), (20, 7), (17, 10)]), BLACK, "#e07070")
    g.solid(rect(6, 3, 11, 10), BLACK, BLUE)
    g.solid(polygon([(6, 3), (9, 0), (14, 0), (11, 3)]), BLACK, "#90b0ff")
    g.paint({(0, 10)}, KEY)
    return g


def glyph_arrow():
    g = glyph(24, 24)
    g.paint(pen(line(2, 21, 17, 6), 2), BLACK)
    g.paint(polygon([(21, 2), (19, 12), (11, 4)]), BLACK)
    return g


def letter_t(img, x0, y0, w, h, colour=BLACK):
    """A serif letter T in the box (x0, y0)-(x0 + w - 1, y0 + h - 1)."""
    bar = max(2, h // 6)
    stem = max(2, w // 5)
    cx = x0 + (w - stem) // 2
    img.paint(rect(x0, y0, x0 + w - 1, y0 + bar - 1), colour)
    img.paint(rect(x0, y0, x0 + 1, y0 + bar + 2), colour)
    img.paint(rect(x0 + w - 2, y0, x0 + w - 1, y0 + bar + 2), colour)
    img.paint(rect(cx, y0, cx + stem - 1, y0 + h - 1), colour)
    img.paint(rect(cx - 3, y0 + h - 2, cx + stem + 2, y0 + h - 1), colour)
    return img


def make_rig_glyphs():
    g = {}
    g[0] = arrow_pointer(glyph(32, 32), 10, 6)
    g[1] = glyph_swivel_small()
    g[2] = transpose_glyph(g[1])
    g[3] = glyph_swivel_large()
    g[4] = transpose_glyph(g[3])
    g[5] = glyph_sinker_arm(False)
    g[6] = glyph_sinker_arm(True)
    g[7] = glyph_sinker_v()
    g[8] = transpose_glyph(g[7])
    g[9] = glyph_hook_small()
    g[10] = g[9].rotated_cw()
    g[11] = glyph_hook_large()
    g[12] = g[11].rotated_cw()
    g[31] = g[9].mirrored()
    g[32] = g[10].mirrored()
    g[33] = g[11].mirrored()
    g[34] = g[12].mirrored()
    g[27] = glyph(4, 32).paint(line(1, 0, 1, 31), BLACK)
    g[23] = glyph(4, 32).paint(rect(1, 0, 3, 31), BLACK)
    g[28] = glyph(32, 4).paint(line(0, 1, 31, 1), BLACK)
    g[24] = glyph(32, 4).paint(rect(0, 0, 31, 2), BLACK)
    g[16] = glyph_arc(True, 1)
    g[19] = glyph_arc(True, 3)
    g[17] = glyph_arc(False, 1)
    g[20] = glyph_arc(False, 3)
    g[15] = glyph_slant(1)
    g[18] = glyph_slant(3)
    g[21] = glyph_pencil(False)
    g[22] = glyph_pencil(True)
    g[25] = glyph_eraser_large()
    g[26] = glyph_eraser_small()
    g[30] = glyph_arrow()
    g[29] = letter_t(glyph(20, 20), 1, 1, 18, 18)
    return g


def check_glyph(what, img, size=None):
    if size is not None:
        assert (img.w, img.h) == size, f"{what}: {img.w}x{img.h}, want {size}"
    assert img.get(0, img.h - 1) == KEY, f"{what}: bottom-left pixel is not the key colour"
    assert len(img.opaque(KEY)) > 0, what


# ================================================================ map glyphs

BAND_L, BAND_R = 9, 22
BAND_FILL = "#c8c8c8"


def band(top, bottom, divider=None, top_line=True, bottom_line=False):
    g = glyph(32, 32)
    g.paint(rect(BAND_L, top, BAND_R, bottom), BAND_FILL)
    g.paint(line(BAND_L, top, BAND_L, bottom), BLACK)
    g.paint(line(BAND_R, top, BAND_R, bottom), BLACK)
    if top_line:
        g.paint(line(BAND_L, top, BAND_R, top), BLACK)
    if bottom_line:
        g.paint(line(BAND_L, bottom, BAND_R, bottom), BLACK)
    if divider == "left":
        g.paint(line(BAND_L + 3, top, BAND_L + 3, bottom), BLACK)
    elif divider == "right":
        g.paint(line(BAND_R - 3, top, BAND_R - 3, bottom), BLACK)
    return g


def drag_arrow(g, x, y):
    """Small arrow pointing down-right from (x, y): the drag that sizes a shape."""
    g.paint(line(x, y, x + 6, y + 6), BLACK)
    g.paint(polygon([(x + 8, y + 8), (x + 2, y + 7), (x + 7, y + 2)]), BLACK)
    return g


def scaled(points, k, dx, dy):
    return [(round(x * k + dx), round(y * k + dy)) for (x, y) in points]


def make_map_glyphs():
    m = []
    m.append(band(3, 31))
    m.append(band(3, 31, "left"))
    m.append(band(3, 31, "right"))
    m.append(band(3, 28, bottom_line=True))
    m.append(band(3, 28, "left", bottom_line=True))
    m.append(band(3, 28, "right", bottom_line=True))
    m.append(band(0, 31, top_line=False))
    m.append(band(0, 31, "left", top_line=False))
    m.append(band(0, 31, "right", top_line=False))
    # Line set.
    m.append(glyph(32, 32).paint(rect(15, 3, 16, 28), BLACK))
    m.append(glyph(32, 32).paint(rect(3, 15, 28, 16), BLACK))
    m.append(glyph(32, 32).paint(pen(line(4, 27, 27, 4), 2), BLACK))
    wave = [(x, round(16 - 6 * math.sin((x - 3) * 2 * math.pi / 13))) for x in range(3, 29)]
    m.append(glyph(32, 32).paint(pen(polyline(wave), 2), BLACK))
    g = glyph(32, 32).paint(pen(line(4, 27, 23, 8), 2), BLACK)
    g.paint(polygon([(28, 3), (25, 14), (17, 6)]), BLACK)
    m.append(g)
    g = glyph(32, 32).paint(pen(line(4, 27, 21, 10), 2), BLACK)
    g.paint(pen(line(17, 3, 28, 14), 2) | pen(line(28, 3, 17, 14), 2), RED)
    m.append(g)
    g = glyph(32, 32).paint(rect(3, 3, 21, 21) - rect(5, 5, 19, 19), BLACK)
    m.append(drag_arrow(g, 21, 21))
    g = glyph(32, 32).paint(round_rect(3, 3, 21, 21, 4) - round_rect(5, 5, 19, 19, 2), BLACK)
    m.append(drag_arrow(g, 21, 21))
    g = glyph(32, 32).paint(ellipse(3, 3, 21, 21) - ellipse(5, 5, 19, 19), BLACK)
    m.append(drag_arrow(g, 21, 21))
    # Parts set: the map symbols themselves, slightly enlarged where they are small.
    upright = [(12, 35), (18, 35), (20, 18), (33, 5), (29, 1), (15, 9), (1, 1), (-3, 5), (10, 18)]
    g = glyph(32, 32)
    g.solid(pen(polygon(scaled(upright, 0.78, 3.5, 2)), 1), BLACK, SILVER)
    m.append(g)
    inverted = [(0, 0), (6, 0), (8, 17), (21, 30), (17, 34), (3, 26), (-11, 34), (-15, 30), (-2, 17)]
    g = glyph(32, 32)
    g.solid(polygon(scaled(inverted, 0.78, 15.5, 2)), BLACK, SILVER)
    m.append(g)
    g = glyph(32, 32)
    g.paint(polygon([(16, 2), (30, 27), (2, 27)]), BLACK)
    g.paint(polygon([(16, 13), (22, 23), (10, 23)]), WHITE)
    m.append(g)
    g = glyph(32, 32)
    g.paint(rect(4, 4, 27, 27), BLACK)
    g.paint(rect(11, 11, 20, 20), WHITE)
    m.append(g)
    g = glyph(32, 32)
    sand = [(-8, -11), (-3, -12), (5, -11), (-10, -5), (-5, -3), (1, -6), (-10, 3), (-5, 5), (0, 0), (6, -3),
            (11, -4), (2, 6), (10, 4), (-9, 9), (-3, 10), (3, 13), (8, 8)]
    for (a, b) in sand:
        g.paint(rect(15 + a, 15 + b, 16 + a, 16 + b), BLACK)
    m.append(g)
    g = glyph(32, 32)
    stones = [((-12, -11), (0, 0)), ((2, -13), (11, -5)), ((5, -6), (15, 0)), ((-13, 0), (-3, 11)),
              ((-1, 0), (12, 13)), ((-5, -7), (8, 5))]
    shades = ["#a0a0a0", "#b8b8b8", "#909090", "#b0b0b0", "#989898", "#c8c8c8"]
    for ((a, b), (c, d)), shade in zip(stones, shades):
        g.solid(ellipse(16 + min(a, c), 16 + min(b, d), 16 + max(a, c), 16 + max(b, d)), BLACK, shade)
    m.append(g)
    g = glyph(32, 32)
    g.paint(rect(3, 3, 28, 28), BLACK)
    g.paint(rect(5, 5, 26, 26), WHITE)
    g.paint(rect(10, 8, 12, 23), BLACK)                          # stem
    g.paint(rect(10, 8, 16, 9) | rect(10, 16, 16, 17), BLACK)     # bars
    g.paint(arc(16.5, 12.5, 4.5, 4.0, -90, 90) | arc(16.5, 12.5, 3.5, 3.0, -90, 90), BLACK)
    g.paint(rect(8, 22, 14, 23), BLACK)                          # foot
    m.append(g)
    m.append(letter_t(glyph(32, 32), 5, 4, 22, 24))
    g = glyph(32, 32)
    g.solid(polygon([(9, 5), (29, 13), (22, 20), (2, 12)]), BLACK, "#ffd0d0")
    g.solid(polygon([(2, 12), (22, 20), (22, 28), (2, 20)]), BLACK, PINK)
    g.solid(polygon([(22, 20), (29, 13), (29, 21), (22, 28)]), BLACK, "#e07070")
    g.solid(polygon([(15, 7), (22, 10), (15, 17), (8, 14)]), BLACK, "#90b0ff")
    g.solid(polygon([(8, 14), (15, 17), (15, 25), (8, 22)]), BLACK, BLUE)
    m.append(g)
    return m


def make_map_arrow():
    return arrow_pointer(glyph(32, 32), 10, 6)


# ================================================================ icon

def make_icon():
    NAVY, SEA, FOAM = "#102870", "#2858c0", "#80b0f0"
    ORANGE, FIN = "#f08020", "#c05010"
    ic = Image(32, 32)
    tile = round_rect(0, 0, 31, 31, 5)
    ic.paint(tile, "#f0f0e0")                                  # sky
    ic.paint({(x, y) for (x, y) in tile if y >= 11}, SEA)      # water
    ic.paint({(x, y) for (x, y) in tile if y >= 25}, NAVY)
    ic.paint(boundary(tile), NAVY)
    for x0 in (3, 13, 23):                                     # wave crests
        ic.paint(polyline([(x0, 12), (x0 + 2, 11), (x0 + 4, 11), (x0 + 6, 12)]), FOAM)
    # Rod from the top-left, line down to the float and on to the hook.
    ic.paint(pen(line(1, 1, 12, 6), 1), "#603010")
    ic.paint(line(12, 6, 22, 9), BLACK)
    ic.paint(line(22, 11, 22, 17), "#e0e0e0")
    ic.solid(ellipse(20, 7, 24, 12), BLACK, RED)               # float
    ic.paint(rect(21, 10, 23, 11), WHITE)
    ic.paint(polyline([(22, 17), (22, 20), (21, 21), (20, 21), (19, 20)]), "#e0e0e0")
    # Fish swimming towards the hook.
    body = ellipse(4, 15, 17, 24)
    ic.solid(body, BLACK, ORANGE)
    ic.solid(polygon([(1, 15), (6, 19), (6, 20), (1, 24)]), BLACK, FIN)
    ic.paint({(14, 18)}, BLACK)
    ic.paint(line(8, 22, 13, 22), "#ffc060")
    ic.paint(line(9, 16, 12, 16), FIN)
    return ic


# ================================================================ output

def write(path, text):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    old = None
    if os.path.exists(path):
        with open(path) as f:
            old = f.read()
    if old != text:
        with open(path, "w") as f:
            f.write(text)


def main():
    cursors = make_cursors()
    assert sorted(cursors) == sorted(CURSOR_TABLE)
    for code, img in cursors.items():
        check_cursor(code, img)
        name = f"cursor_{code:03d}"
        write(os.path.join(RES, "cursors", name + ".xpm"), img.xpm(name, hot=CURSOR_TABLE[code][2]))

    rig = make_rig_glyphs()
    assert sorted(rig) == sorted(RIG_GLYPH_SIZES)
    for tag, img in rig.items():
        check_glyph(f"rig glyph {tag}", img, RIG_GLYPH_SIZES[tag])
        name = f"rig_{tag:02d}"
        write(os.path.join(RES, "glyphs", name + ".xpm"), img.xpm(name, first=KEY))

    maps = make_map_glyphs()
    assert len(maps) == 27
    for i, img in enumerate(maps):
        check_glyph(f"map glyph {i}", img, (32, 32))
        name = f"map_{i:02d}"
        write(os.path.join(RES, "mapglyphs", name + ".xpm"), img.xpm(name, first=KEY))
    arrow = make_map_arrow()
    check_glyph("map arrow", arrow, (32, 32))
    write(os.path.join(RES, "mapglyphs", "arrow.xpm"), arrow.xpm("arrow", first=KEY))

    icon = make_icon()
    assert len(icon.colours()) <= 16, len(icon.colours())
    write(os.path.join(RES, "icon.xpm"), icon.xpm("icon", first=None))


if __name__ == "__main__":
    main()
