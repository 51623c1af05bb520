#!/usr/bin/env python3
# Draws Velloran's tile sheets: assets/tiles.png (tiles 0-511) and assets/base.png (tiles 512-575).
"""Procedural tile art for Velloran.

Every pixel is drawn here from fixed random seeds, so running the script twice
gives byte-identical PNGs.  Only the standard library is used: the PNG writer
at the bottom emits 8-bit RGBA (colour type 6) with a single IDAT chunk.

Usage:  python3 tools/make_tile_sheets.py [output_dir]
        (default: the assets/ folder beside tools/, wherever it is run from)
        python3 tools/make_tile_sheets.py --check [output_dir]
        (draws elsewhere and fails unless assets/ holds the same bytes)

Sheets hold 16x16 tiles, 16 per row, numbered row by row.  Groups of 16 that
are indexed by a bit mask are laid out so the column equals the mask:
  * corner blends (rows 4-10): bit0 = NW, bit1 = NE, bit2 = SW, bit3 = SE;
    a set bit means that corner is the second terrain (water, sand, ...).
  * connecting pieces (paths, fences, hedges): bit0 = N, bit1 = E,
    bit2 = S, bit3 = W; a set bit means the piece joins that neighbour.
"""

import argparse
import colorsys
import math
import os
import random
import struct
import sys
import tempfile
import zlib

T = 16          # tile edge in pixels
COLS = 16       # tiles per sheet row

BAYER4 = ((0, 8, 2, 10), (12, 4, 14, 6), (3, 11, 1, 9), (15, 7, 13, 5))


# --------------------------------------------------------------------------
# colour helpers

def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def lighten(c, t):
    return mix(c, (255, 250, 232), t)


def darken(c, t):
    return mix(c, (18, 16, 34), t)


def shift(c, hue=0.0, sat=1.0, val=1.0):
    h, s, v = colorsys.rgb_to_hsv(*(max(0.0, min(255.0, x)) / 255.0 for x in c))
    h = (h + hue / 360.0) % 1.0
    s = max(0.0, min(1.0, s * sat))
    v = max(0.0, min(1.0, v * val))
    return tuple(x * 255.0 for x in colorsys.hsv_to_rgb(h, s, v))


def ramp(c, n=4, lo=0.45, hi=0.35):
    """n tones from shadow to highlight around base colour c."""
    out = []
    for i in range(n):
        t = i / (n - 1) * 2.0 - 1.0
        out.append(darken(c, -t * lo) if t < 0 else lighten(c, t * hi))
    return out


def nudge(c, d):
    return (c[0] + d, c[1] + d, c[2] + d)


def pick(tones, level, x, y, dither=0.9):
    """Posterise a 0..1 light level onto a tone ramp with ordered dither."""
    f = level * (len(tones) - 1) + (BAYER4[y & 3][x & 3] + 0.5) / 16.0 * dither - dither / 2
    i = int(round(f))
    return tones[max(0, min(len(tones) - 1, i))]


def rng_for(name):
    return random.Random(zlib.crc32(name.encode("utf-8")))


# --------------------------------------------------------------------------
# noise that wraps every 16 pixels, so textures tile with their neighbours

class WrapNoise:
    def __init__(self, rng, cells=4, period=T):
        self.cells = cells
        self.period = period
        self.v = [[rng.uniform(-1.0, 1.0) for _ in range(cells)] for _ in range(cells)]

    def __call__(self, x, y):
        fx = (x + 0.5) / self.period * self.cells
        fy = (y + 0.5) / self.period * self.cells
        ix, iy = math.floor(fx), math.floor(fy)
        tx, ty = fx - ix, fy - iy
        tx = tx * tx * (3 - 2 * tx)
        ty = ty * ty * (3 - 2 * ty)
        c = self.cells
        a = self.v[iy % c][ix % c]
        b = self.v[iy % c][(ix + 1) % c]
        d = self.v[(iy + 1) % c][ix % c]
        e = self.v[(iy + 1) % c][(ix + 1) % c]
        top = a + (b - a) * tx
        bot = d + (e - d) * tx
        return top + (bot - top) * ty


class Voronoi:
    """Wrapping cell pattern for cobbles, flagstones and rough stone walls."""

    def __init__(self, rng, count, sx=1.0, sy=1.0, size=T):
        self.size = size
        self.sx, self.sy = sx, sy
        self.pts = [(rng.uniform(0, size), rng.uniform(0, size)) for _ in range(count)]

    def at(self, x, y):
        px, py = x + 0.5, y + 0.5
        best = []
        s = self.size
        for i, (qx, qy) in enumerate(self.pts):
            dx = abs(px - qx)
            dy = abs(py - qy)
            dx = min(dx, s - dx) * self.sx
            dy = min(dy, s - dy) * self.sy
            best.append((math.hypot(dx, dy), i))
        best.sort()
        return best[0][1], best[0][0], best[1][0]


# --------------------------------------------------------------------------
# a 16x16 (or larger) RGBA canvas

class Tile:
    def __init__(self, w=T, h=T):
        self.w, self.h = w, h
        self.px = [[0.0, 0.0, 0.0, 0.0] for _ in range(w * h)]

    def inside(self, x, y):
        return 0 <= x < self.w and 0 <= y < self.h

    def get(self, x, y):
        return self.px[(y % self.h) * self.w + (x % self.w)]

    def alpha(self, x, y):
        if not self.inside(x, y):
            return 0
        return self.px[y * self.w + x][3]

    def put(self, x, y, c, a=255, wrap=False):
        x, y = int(x), int(y)
        if wrap:
            x %= self.w
            y %= self.h
        elif not self.inside(x, y):
            return
        p = self.px[y * self.w + x]
        p[0], p[1], p[2], p[3] = c[0], c[1], c[2], a

    def over(self, x, y, c, a=255, wrap=False):
        x, y = int(x), int(y)
        if wrap:
            x %= self.w
            y %= self.h
        elif not self.inside(x, y):
            return
        p = self.px[y * self.w + x]
        sa = a / 255.0
        da = p[3] / 255.0
        oa = sa + da * (1 - sa)
        if oa <= 0:
            return
        for i in range(3):
            p[i] = (c[i] * sa + p[i] * da * (1 - sa)) / oa
        p[3] = oa * 255.0

    def under(self, x, y, c, a=255):
        """Composite c beneath whatever is already at (x, y)."""
        if not self.inside(x, y):
            return
        p = self.px[y * self.w + x]
        top = (p[0], p[1], p[2])
        ta = p[3]
        p[0], p[1], p[2], p[3] = c[0], c[1], c[2], a
        if ta > 0:
            self.over(x, y, top, ta)

    def fill(self, c, a=255):
        for y in range(self.h):
            for x in range(self.w):
                self.put(x, y, c, a)

    def rect(self, x0, y0, x1, y1, c, a=255):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.over(x, y, c, a)

    def line(self, x0, y0, x1, y1, c, a=255):
        n = int(max(abs(x1 - x0), abs(y1 - y0))) + 1
        for i in range(n):
            t = i / (n - 1) if n > 1 else 0
            self.over(round(x0 + (x1 - x0) * t), round(y0 + (y1 - y0) * t), c, a)

    def copy(self):
        t = Tile(self.w, self.h)
        t.px = [p[:] for p in self.px]
        return t

    def crop(self, x0, y0, w=T, h=T):
        t = Tile(w, h)
        for y in range(h):
            for x in range(w):
                t.px[y * w + x] = self.px[(y0 + y) * self.w + x0 + x][:]
        return t

    def paste(self, other, dx=0, dy=0):
        for y in range(other.h):
            for x in range(other.w):
                p = other.px[y * other.w + x]
                if p[3] > 0:
                    self.over(x + dx, y + dy, p, p[3])

    def rotated(self):
        """Quarter turn clockwise."""
        t = Tile(self.h, self.w)
        for y in range(self.h):
            for x in range(self.w):
                t.px[x * t.w + (self.h - 1 - y)] = self.px[y * self.w + x][:]
        return t

    def flipped(self):
        t = Tile(self.w, self.h)
        for y in range(self.h):
            for x in range(self.w):
                t.px[y * self.w + (self.w - 1 - x)] = self.px[y * self.w + x][:]
        return t


def outline(t, depth=0.55, solid=128):
    """Give a sprite a dark rim in the colour of the pixel it borders."""
    adds = []
    for y in range(t.h):
        for x in range(t.w):
            if t.alpha(x, y) >= solid:
                continue
            for dx, dy in ((0, -1), (1, 0), (0, 1), (-1, 0)):
                if t.alpha(x + dx, y + dy) >= solid:
                    adds.append((x, y, darken(t.get(x + dx, y + dy), depth)))
                    break
    for x, y, c in adds:
        t.put(x, y, c, 255)
    return t


def shadow(t, cx, cy, rx, ry, a=70):
    for y in range(t.h):
        for x in range(t.w):
            dx = (x + 0.5 - cx) / rx
            dy = (y + 0.5 - cy) / ry
            if dx * dx + dy * dy <= 1.0:
                t.under(x, y, (12, 14, 30), a)


def noisy(c, rng, amount):
    d = rng.uniform(-amount, amount)
    return nudge(c, d)


def scatter(t, rng, count, colour, size=1, wrap=True, alpha=255):
    for _ in range(count):
        x, y = rng.randrange(t.w), rng.randrange(t.h)
        for i in range(size):
            t.over(x, y - i, colour, alpha, wrap=wrap)


# --------------------------------------------------------------------------
# ground textures (opaque, tile seamlessly with themselves)

def textured(rng, base, smooth=8.0, grain=4.0, cells=4):
    t = Tile()
    n = WrapNoise(rng, cells)
    for y in range(T):
        for x in range(T):
            t.put(x, y, nudge(base, n(x, y) * smooth + rng.uniform(-grain, grain)))
    return t


def grass(rng, base=(92, 156, 64), tufts=26, flowers=None):
    t = textured(rng, base, 9, 4)
    dark = darken(base, 0.25)
    pale = lighten(base, 0.22)
    for _ in range(tufts):
        x, y = rng.randrange(T), rng.randrange(T)
        t.put(x, y, dark, wrap=True)
        t.put(x, y - 1, dark, wrap=True)
        if rng.random() < 0.5:
            t.put(x + rng.choice((-1, 1)), y - 1, mix(dark, base, 0.5), wrap=True)
    for _ in range(tufts // 3):
        x, y = rng.randrange(T), rng.randrange(T)
        t.put(x, y, pale, wrap=True)
    if flowers:
        for _ in range(flowers[1]):
            x, y = rng.randrange(1, T - 1), rng.randrange(1, T - 1)
            c = rng.choice(flowers[0])
            for dx, dy in ((0, -1), (1, 0), (0, 1), (-1, 0)):
                t.put(x + dx, y + dy, c)
            t.put(x, y, (250, 220, 90))
    return t


def dirt(rng, base=(140, 100, 62)):
    t = textured(rng, base, 10, 6)
    for _ in range(9):
        x, y = rng.randrange(T), rng.randrange(T)
        t.put(x, y, lighten(base, 0.28), wrap=True)
        t.put(x, y + 1, darken(base, 0.3), wrap=True)
    scatter(t, rng, 10, darken(base, 0.18))
    return t


def sand(rng, base=(226, 204, 142)):
    t = textured(rng, base, 6, 4)
    scatter(t, rng, 14, darken(base, 0.12))
    scatter(t, rng, 8, lighten(base, 0.35))
    # wind ripples
    for _ in range(3):
        x, y = rng.randrange(T), rng.randrange(T)
        for i in range(rng.randint(3, 5)):
            t.put(x + i, y + (1 if i in (1, 2) else 0), darken(base, 0.1), wrap=True)
    return t


def snow(rng, base=(236, 242, 250)):
    t = textured(rng, base, 5, 2)
    scatter(t, rng, 12, (206, 218, 240))
    scatter(t, rng, 5, (255, 255, 255))
    return t


def gravel(rng, base=(128, 124, 118)):
    t = textured(rng, base, 6, 10)
    for _ in range(22):
        x, y = rng.randrange(T), rng.randrange(T)
        c = noisy(base, rng, 40)
        t.put(x, y, c, wrap=True)
        t.put(x + 1, y, c, wrap=True)
        t.put(x, y + 1, darken(c, 0.35), wrap=True)
    return t


def mud(rng):
    base = (96, 70, 48)
    t = textured(rng, base, 12, 5)
    n = WrapNoise(rng, 4)
    for y in range(T):
        for x in range(T):
            if n(x, y) > 0.45:
                t.put(x, y, (92, 96, 96))
            elif n(x, y) > 0.35:
                t.put(x, y, darken(base, 0.2))
    scatter(t, rng, 4, (150, 160, 166))
    return t


def tilled(rng, base=(118, 80, 50), crop=None):
    t = textured(rng, base, 6, 5)
    for y in range(T):
        for x in range(T):
            r = y % 4
            if r == 0:
                t.put(x, y, darken(t.get(x, y), 0.3))
            elif r == 1:
                t.put(x, y, lighten(t.get(x, y), 0.12))
    if crop:
        for y in range(2, T, 4):
            for x in range(1, T, 4):
                t.put(x, y, crop[0])
                t.put(x + 1, y, crop[1])
                t.put(x, y - 1, crop[1])
    return t


def slabs(rng, base=(152, 150, 156), size=8, offset=True):
    t = Tile()
    mortar = darken(base, 0.35)
    rows = T // size
    for by in range(rows):
        shift_x = (size // 2) if (offset and by % 2) else 0
        for bx in range(T // size + 1):
            c = noisy(base, rng, 10)
            for y in range(size):
                for x in range(size):
                    px = (bx * size + x + shift_x) % T
                    py = by * size + y
                    if y == 0 or x == 0:
                        col = mortar
                    elif y == 1 or x == 1:
                        col = lighten(c, 0.16)
                    elif y == size - 1 or x == size - 1:
                        col = darken(c, 0.12)
                    else:
                        col = nudge(c, rng.uniform(-4, 4))
                    t.put(px, py, col)
    if rng.random() < 0.6:
        x, y = rng.randrange(3, 12), rng.randrange(3, 12)
        for i in range(4):
            t.put(x + i, y + (i % 2), darken(base, 0.3))
    return t


def cobbles(rng, base=(146, 140, 132), count=9, mortar=None):
    t = Tile()
    v = Voronoi(rng, count)
    mortar = mortar or darken(base, 0.45)
    shades = [noisy(base, rng, 14) for _ in range(count)]
    for y in range(T):
        for x in range(T):
            i, d1, d2 = v.at(x, y)
            if d2 - d1 < 1.1:
                t.put(x, y, mortar)
            else:
                qx, qy = v.pts[i]
                lit = ((qx - (x + 0.5)) + (qy - (y + 0.5))) * 0.05
                c = lighten(shades[i], lit) if lit > 0 else darken(shades[i], -lit)
                t.put(x, y, nudge(c, rng.uniform(-3, 3)))
    return t


def planks(rng, base=(160, 112, 66), height=4, vertical=False):
    t = Tile()
    for row in range(T // height):
        c = noisy(base, rng, 10)
        cut = rng.randrange(T)
        for k in range(height):
            for x in range(T):
                if k == height - 1:
                    col = darken(c, 0.4)
                elif k == 0:
                    col = lighten(c, 0.1)
                else:
                    col = nudge(c, rng.uniform(-4, 4))
                if x == cut and k < height - 1:
                    col = darken(c, 0.35)
                t.put(x, row * height + k, col)
        gx = rng.randrange(T)
        for i in range(rng.randint(3, 6)):
            t.put(gx + i, row * height + 1 + (i // 3) % 2, darken(c, 0.14), wrap=True)
    return t.rotated() if vertical else t


def checker(rng, a, b, size=8):
    t = Tile()
    for y in range(T):
        for x in range(T):
            c = a if ((x // size) + (y // size)) % 2 == 0 else b
            lx, ly = x % size, y % size
            if lx == 0 or ly == 0:
                c = lighten(c, 0.14)
            elif lx == size - 1 or ly == size - 1:
                c = darken(c, 0.16)
            t.put(x, y, nudge(c, rng.uniform(-3, 3)))
    return t


def marble(rng, base=(226, 222, 214), vein=(150, 146, 160)):
    t = textured(rng, base, 5, 2)
    n = WrapNoise(rng, 2)
    for y in range(T):
        for x in range(T):
            s = math.sin((x + y) * math.pi / 8 + n(x, y) * 3.0)
            if abs(s) < 0.12:
                t.put(x, y, mix(t.get(x, y), vein, 0.7))
    for i in range(T):
        t.put(i, 0, darken(base, 0.12))
        t.put(0, i, darken(base, 0.12))
    return t


def carpet(rng, base, trim):
    t = textured(rng, base, 4, 3)
    for y in range(T):
        for x in range(T):
            if (x + y) % 8 == 0 or (x - y) % 8 == 0:
                t.put(x, y, mix(base, trim, 0.55))
    return t


def pavers(rng, base, line):
    t = Tile()
    for y in range(T):
        for x in range(T):
            row = y // 4
            xx = (x + (4 if row % 2 else 0)) % 8
            yy = y % 4
            edge = yy == 0 and xx in range(2, 7) or xx == 0 or (yy in (1, 2, 3) and xx == 1 and yy == 1)
            c = line if edge else nudge(base, rng.uniform(-5, 5))
            t.put(x, y, c)
    return t


def metal(rng, base=(126, 134, 146)):
    t = textured(rng, base, 4, 3)
    for y in range(T):
        for x in range(T):
            if x in (0, 8) or y in (0, 8):
                t.put(x, y, darken(base, 0.35))
            elif x in (1, 9) or y in (1, 9):
                t.put(x, y, lighten(base, 0.2))
    for x, y in ((3, 3), (12, 3), (3, 12), (12, 12)):
        t.put(x, y, lighten(base, 0.45))
        t.put(x + 1, y + 1, darken(base, 0.4))
    return t


def water(rng, base=(52, 108, 186), calm=False):
    t = textured(rng, base, 10, 2, cells=2)
    hi = lighten(base, 0.4)
    lo = darken(base, 0.18)
    for _ in range(3 if calm else 6):
        x, y = rng.randrange(T), rng.randrange(T)
        n = rng.randint(2, 4)
        for i in range(n):
            t.put(x + i, y, hi, wrap=True)
            t.put(x + i + 1, y + 1, lo, wrap=True)
    return t


def ice(rng):
    base = (178, 218, 238)
    t = textured(rng, base, 6, 2, cells=2)
    for _ in range(3):
        x, y = rng.randrange(T), rng.randrange(T)
        for i in range(rng.randint(4, 7)):
            t.put(x + i, y - i, (240, 250, 255), wrap=True)
    for _ in range(2):
        x, y = rng.randrange(T), rng.randrange(T)
        dx = rng.choice((-1, 1))
        for i in range(5):
            t.put(x + i * dx, y + i // 2, darken(base, 0.25), wrap=True)
    return t


def lava(rng):
    """Molten rock: slow diagonal flow bands broken up by crust."""
    t = Tile()
    n = WrapNoise(rng, 4)
    m = WrapNoise(rng, 2)
    for y in range(T):
        for x in range(T):
            flow = math.sin((x + y) * math.tau / 16 + m(x, y) * 2.4)
            v = flow * 0.55 + n(x, y) * 0.45
            if v > 0.55:
                c = (255, 236, 130)
            elif v > 0.15:
                c = (252, 160, 44)
            elif v > -0.35:
                c = (222, 84, 30)
            elif v > -0.6:
                c = (150, 40, 28)
            else:
                c = (70, 30, 30)
            t.put(x, y, nudge(c, rng.uniform(-4, 4)))
    return t


def swamp(rng):
    t = water(rng, (70, 92, 64), calm=True)
    for _ in range(6):
        x, y = rng.randrange(T), rng.randrange(T)
        t.put(x, y, (110, 140, 60), wrap=True)
        t.put(x + 1, y, (96, 126, 54), wrap=True)
    return t


def dark_rock(rng, base=(70, 66, 74)):
    return cobbles(rng, base, 6, mortar=darken(base, 0.55))


# --------------------------------------------------------------------------
# transitions

def corner_set(name, make_a, make_b, edge_a=None, edge_b=None, amp=0.2):
    """Sixteen blends between terrain a and b, indexed by corner mask."""
    rng = rng_for(name)
    n1 = WrapNoise(rng, 4)
    n2 = WrapNoise(rng, 8)
    tiles = []
    for mask in range(16):
        a, b = make_a(rng), make_b(rng)
        nw, ne, sw, se = [(mask >> i) & 1 for i in range(4)]
        t = Tile()
        for y in range(T):
            for x in range(T):
                u = (x + 0.5) / T
                w = (y + 0.5) / T
                u = u * u * (3 - 2 * u)
                w = w * w * (3 - 2 * w)
                v = nw * (1 - u) * (1 - w) + ne * u * (1 - w) + sw * (1 - u) * w + se * u * w
                v += (n1(x, y) * 0.7 + n2(x, y) * 0.3) * amp
                if v > 0.5:
                    c = b.get(x, y)
                    if edge_b and v < 0.58:
                        c = edge_b(c)
                else:
                    c = a.get(x, y)
                    if edge_a and v > 0.42:
                        c = edge_a(c)
                t.put(x, y, c)
        tiles.append(t)
    return tiles


def seg_dist(px, py, ax, ay, bx, by):
    vx, vy = bx - ax, by - ay
    wx, wy = px - ax, py - ay
    l2 = vx * vx + vy * vy
    k = max(0.0, min(1.0, (wx * vx + wy * vy) / l2)) if l2 else 0.0
    return math.hypot(px - (ax + vx * k), py - (ay + vy * k))


ARMS = ((7.5, -3.0), (19.0, 7.5), (7.5, 19.0), (-3.0, 7.5))   # N E S W


def arm_dist(mask, px, py):
    d = math.hypot(px - 7.5, py - 7.5)
    for i, (ex, ey) in enumerate(ARMS):
        if mask >> i & 1:
            d = min(d, seg_dist(px, py, 7.5, 7.5, ex, ey))
    return d


def path_set(name, make_ground, make_path, rim, radius=4.6):
    """Sixteen path pieces on ground, indexed by the N/E/S/W join mask."""
    rng = rng_for(name)
    n = WrapNoise(rng, 4)
    tiles = []
    for mask in range(16):
        g, p = make_ground(rng), make_path(rng)
        t = Tile()
        for y in range(T):
            for x in range(T):
                d = arm_dist(mask, x + 0.5, y + 0.5) + n(x, y) * 0.7
                if d < radius - 1:
                    c = p.get(x, y)
                elif d < radius:
                    c = rim(p.get(x, y), g.get(x, y))
                else:
                    c = g.get(x, y)
                t.put(x, y, c)
        tiles.append(t)
    return tiles


# --------------------------------------------------------------------------
# walls and roofs (opaque)

def window(t, frame, x0=4, y0=3, x1=11, y1=10):
    glass = (64, 96, 140)
    t.rect(x0, y0, x1, y1, frame)
    t.rect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, glass)
    t.rect(x0 + 1, y0 + 1, x0 + 2, y0 + 2, (150, 190, 224))
    mx, my = (x0 + x1) // 2, (y0 + y1) // 2
    for x in range(x0 + 1, x1):
        t.put(x, my, frame)
    for y in range(y0 + 1, y1):
        t.put(mx, y, frame)
    for x in range(x0, x1 + 1):
        t.put(x, y1 + 1, darken(frame, 0.4))


def door(t, wood=(120, 74, 40)):
    t.rect(4, 3, 11, 15, darken(wood, 0.5))
    t.rect(5, 4, 10, 15, wood)
    for x in (7, 8):
        for y in range(4, 16):
            t.put(x, y, darken(wood, 0.2) if x == 7 else wood)
    t.rect(5, 4, 10, 4, lighten(wood, 0.2))
    t.put(9, 10, (230, 200, 90))
    t.put(9, 11, (150, 120, 40))


def moss(t, rng, amount=18):
    for _ in range(amount):
        x = rng.randrange(T)
        y = T - 1 - int(abs(rng.gauss(0, 4)))
        if y < 0:
            continue
        t.put(x, y, rng.choice(((86, 128, 56), (104, 148, 64), (70, 108, 48))))


def crack(t, rng, base):
    x, y = rng.randrange(5, 11), 1
    c = darken(base, 0.6)
    while y < T - 2:
        t.put(x, y, c)
        y += 1
        x += rng.choice((-1, 0, 1))


def wall_variants(rng, surface, base, frame):
    out = []
    t = surface(rng)
    out.append(t)
    t = surface(rng)
    moss(t, rng)
    out.append(t)
    t = surface(rng)
    crack(t, rng, base)
    out.append(t)
    t = surface(rng)
    window(t, frame)
    out.append(t)
    return out


def bricks(rng, base, mortar=(182, 174, 160)):
    t = Tile()
    for row in range(4):
        off = 4 if row % 2 else 0
        for b in range(3):
            c = noisy(base, rng, 14)
            for k in range(8):
                x = (b * 8 + k + off) % T
                for j in range(4):
                    y = row * 4 + j
                    if j == 3 or k == 7:
                        col = mortar if j == 3 else darken(mortar, 0.2)
                    elif j == 0:
                        col = lighten(c, 0.15)
                    else:
                        col = nudge(c, rng.uniform(-5, 5))
                    t.put(x, y, col)
    return t


def stone_wall(rng, base):
    t = Tile()
    v = Voronoi(rng, 6, sx=0.7, sy=1.3)
    shades = [noisy(base, rng, 16) for _ in range(6)]
    for y in range(T):
        for x in range(T):
            i, d1, d2 = v.at(x, y)
            if d2 - d1 < 1.0:
                t.put(x, y, darken(base, 0.55))
            else:
                qx, qy = v.pts[i]
                lit = (qy - (y + 0.5)) * 0.04 + (qx - (x + 0.5)) * 0.02
                c = lighten(shades[i], lit) if lit > 0 else darken(shades[i], -lit)
                t.put(x, y, nudge(c, rng.uniform(-4, 4)))
    return t


def wood_wall(rng, base):
    t = planks(rng, base, 4, vertical=True)
    for x in range(2, T, 4):
        t.put(x, 2, darken(base, 0.5))
        t.put(x, 13, darken(base, 0.5))
    return t


def log_wall(rng, base):
    t = Tile()
    for row in range(4):
        c = noisy(base, rng, 10)
        tones = ramp(c, 4)
        for j in range(4):
            lvl = (0.55, 1.0, 0.7, 0.15)[j]
            for x in range(T):
                t.put(x, row * 4 + j, nudge(pick(tones, lvl, x, j, 0.4), rng.uniform(-3, 3)))
        end = rng.randrange(T)
        t.put(end, row * 4 + 1, darken(c, 0.35))
        t.put(end, row * 4 + 2, darken(c, 0.35))
    return t


def shingles(rng, base, variant):
    t = Tile()
    for row in range(4):
        off = 2 if row % 2 else 0
        for s in range(4):
            c = noisy(base, rng, 10)
            for k in range(4):
                x = (s * 4 + k + off) % T
                for j in range(4):
                    y = row * 4 + j
                    if j == 3 or (k == 3 and j > 0):
                        col = darken(c, 0.45)
                    elif j == 0:
                        col = lighten(c, 0.2)
                    elif k == 0:
                        col = lighten(c, 0.08)
                    else:
                        col = c
                    t.put(x, y, col)
    if variant == 1:        # ridge cap
        for x in range(T):
            t.put(x, 0, darken(base, 0.5))
            t.put(x, 1, lighten(base, 0.3))
            t.put(x, 2, lighten(base, 0.12))
            t.put(x, 3, darken(base, 0.35))
    elif variant == 2:      # eave
        for x in range(T):
            t.put(x, 13, darken(base, 0.3))
            t.put(x, 14, darken(base, 0.55))
            t.put(x, 15, (40, 30, 30))
    elif variant == 3:      # chimney
        t.rect(5, 1, 10, 13, (150, 70, 54))
        for y in range(1, 14):
            for x in range(5, 11):
                if y % 3 == 0 or (x + (y // 3) * 2) % 4 == 0:
                    t.put(x, y, (186, 172, 160) if y % 3 == 0 else (120, 56, 44))
        t.rect(4, 0, 11, 1, (96, 90, 90))
        t.rect(6, 0, 9, 0, (30, 26, 30))
        for x in range(5, 11):
            t.put(x, 14, darken(base, 0.6))
    return t


def thatch(rng, variant):
    base = (196, 160, 84)
    t = textured(rng, base, 6, 4)
    for _ in range(60):
        x, y = rng.randrange(T), rng.randrange(T)
        c = rng.choice((darken(base, 0.25), lighten(base, 0.2), darken(base, 0.1)))
        t.put(x, y, c, wrap=True)
        t.put(x, y + 1, c, wrap=True)
        t.put(x, y + 2, c, wrap=True)
    for y in (7, 15):
        for x in range(T):
            t.put(x, y, darken(base, 0.3))
    if variant == 1:
        for x in range(T):
            for y in range(4):
                t.put(x, y, (120, 92, 52) if y in (0, 3) else lighten((150, 116, 64), 0.1 * (2 - y)))
    elif variant == 2:
        for x in range(T):
            t.put(x, 14, darken(base, 0.4) if x % 2 else base)
            t.put(x, 15, darken(base, 0.55) if x % 3 else darken(base, 0.2))
    elif variant == 3:
        t.rect(5, 2, 10, 13, (120, 116, 112))
        for y in range(2, 14):
            for x in range(5, 11):
                if (x * 7 + y * 5) % 11 == 0:
                    t.put(x, y, (90, 86, 86))
        t.rect(4, 1, 11, 2, (150, 146, 140))
        t.rect(6, 1, 9, 1, (40, 36, 40))
    return t


# --------------------------------------------------------------------------
# sprites (transparent background)

def sphere_level(x, y, cx, cy, rx, ry):
    nx = (x + 0.5 - cx) / rx
    ny = (y + 0.5 - cy) / ry
    nz = math.sqrt(max(0.0, 1 - nx * nx - ny * ny))
    return max(0.0, min(1.0, 0.5 + (-0.55 * nx - 0.6 * ny + 0.55 * nz) * 0.6))


def blob(t, rng, cx, cy, rx, ry, tones, bumps=6, bump=0.12, grain=0.25, dither=0.9):
    n = WrapNoise(rng, 4)
    phase = rng.uniform(0, math.tau)
    for y in range(t.h):
        for x in range(t.w):
            dx = (x + 0.5 - cx) / rx
            dy = (y + 0.5 - cy) / ry
            ang = math.atan2(dy, dx)
            lim = 1.0 + bump * math.sin(bumps * ang + phase) - bump
            if dx * dx + dy * dy <= lim * lim:
                lvl = sphere_level(x, y, cx, cy, rx, ry) + n(x, y) * grain
                t.put(x, y, pick(tones, lvl, x, y, dither))


def trunk(t, x0, y0, y1, c=(110, 74, 44), w=2):
    for y in range(y0, y1 + 1):
        for i in range(w):
            t.put(x0 + i, y, lighten(c, 0.15) if i == 0 else darken(c, 0.2))


def round_tree(rng, leaf, fruit=None, bark=(110, 74, 44)):
    t = Tile()
    trunk(t, 7, 9, 14, bark)
    blob(t, rng, 8.0, 6.5, 6.6, 6.2, ramp(leaf, 5), bumps=7, bump=0.1)
    if fruit:
        for _ in range(5):
            a = rng.uniform(0, math.tau)
            r = rng.uniform(0, 4.5)
            x, y = int(8 + math.cos(a) * r), int(6.5 + math.sin(a) * r)
            t.put(x, y, fruit)
    outline(t)
    shadow(t, 8.5, 14.5, 5.5, 1.8)
    return t


def pine(rng, leaf, snowy=False):
    t = Tile()
    trunk(t, 7, 12, 14)
    tones = ramp(leaf, 4)
    tiers = ((0, 5, 2.5), (3, 9, 4.5), (6, 12, 6.5))
    for top, bot, half in tiers:
        for y in range(top, bot + 1):
            k = (y - top + 1) / (bot - top + 1)
            w = half * k
            for x in range(T):
                dx = x + 0.5 - 8.0
                if abs(dx) <= w:
                    lvl = 0.55 - dx / (half + 1) * 0.45 + (0.2 if y == bot else 0) * -1
                    c = pick(tones, lvl, x, y)
                    if snowy and (y - top) < (bot - top) * 0.45 and rng.random() < 0.8:
                        c = (236, 244, 252) if dx < 1 else (200, 214, 236)
                    t.put(x, y, c)
    outline(t)
    shadow(t, 8.5, 14.5, 5.0, 1.6)
    return t


def birch(rng, leaf):
    t = Tile()
    for y in range(8, 15):
        t.put(7, y, (236, 232, 222))
        t.put(8, y, (200, 196, 188))
        if y % 3 == 0:
            t.put(7 + (y % 2), y, (40, 40, 44))
    blob(t, rng, 8.0, 6.0, 5.6, 5.4, ramp(leaf, 4), bumps=9, bump=0.14)
    outline(t)
    shadow(t, 8.5, 14.5, 4.5, 1.5)
    return t


def dead_tree(rng, bark=(98, 78, 62)):
    t = Tile()
    trunk(t, 7, 5, 14, bark)

    def branch(x, y, dx, dy, n):
        for i in range(n):
            t.put(x + dx * i, y + dy * i - (i // 2), bark if i < n - 1 else lighten(bark, 0.2))

    branch(6, 8, -1, -1, 4)
    branch(9, 7, 1, -1, 5)
    branch(7, 5, 0, -1, 3)
    branch(4, 4, -1, 0, 2)
    branch(11, 3, 1, 0, 2)
    outline(t, 0.5)
    shadow(t, 8.5, 14.5, 4.5, 1.5)
    return t


def palm(rng, leaf):
    t = Tile()
    for y in range(5, 15):
        x = 8 + int(round(math.sin((y - 5) / 10.0 * 1.6) * 1.5))
        c = (150, 112, 70) if y % 2 else (122, 88, 54)
        t.put(x, y, c)
        t.put(x - 1, y, lighten(c, 0.12))
    tones = ramp(leaf, 3)
    cx, cy = 8, 5
    for ang in (200, 240, 290, 335, 20, 160):
        a = math.radians(ang)
        for i in range(1, 8):
            droop = i * i * 0.06
            x = cx + math.cos(a) * i
            y = cy + math.sin(a) * i * 0.6 + droop
            t.put(round(x), round(y), tones[2 if i < 3 else 1])
            t.put(round(x), round(y) + 1, tones[0])
    t.put(8, 5, (110, 80, 50))
    t.put(7, 6, (110, 80, 50))
    outline(t)
    shadow(t, 8.5, 14.5, 4.0, 1.4)
    return t


def big_tree(rng, leaf, extra=None):
    """A 2x2 tree; returns four tiles NW, NE, SW, SE."""
    t = Tile(32, 32)
    for y in range(20, 30):
        for x in range(13, 19):
            edge = x in (13, 18)
            t.put(x, y, (84, 58, 36) if edge else ((132, 94, 58) if x < 16 else (108, 74, 46)))
    t.put(12, 29, (108, 74, 46))
    t.put(19, 29, (108, 74, 46))
    blob(t, rng, 16.0, 13.0, 14.0, 12.4, ramp(leaf, 6), bumps=9, bump=0.08, grain=0.2)
    if extra:
        for _ in range(14):
            a = rng.uniform(0, math.tau)
            r = rng.uniform(0, 10)
            t.put(int(16 + math.cos(a) * r), int(13 + math.sin(a) * r * 0.85), extra)
    outline(t)
    shadow(t, 16.5, 29.5, 10.0, 2.4)
    return [t.crop(0, 0), t.crop(16, 0), t.crop(0, 16), t.crop(16, 16)]


def bush(rng, leaf, dots=None, snowy=False):
    t = Tile()
    blob(t, rng, 8.0, 9.5, 6.6, 5.2, ramp(leaf, 4), bumps=8, bump=0.12)
    if dots:
        for _ in range(6):
            x, y = rng.randrange(4, 12), rng.randrange(7, 13)
            if t.alpha(x, y):
                t.put(x, y, dots)
    if snowy:
        for x in range(T):
            for y in range(T):
                if t.alpha(x, y) and not t.alpha(x, y - 1):
                    t.put(x, y, (238, 244, 252))
                    if y + 1 < T and t.alpha(x, y + 1) and (x % 3):
                        t.put(x, y + 1, (206, 218, 238))
    outline(t)
    shadow(t, 8.5, 14.5, 6.0, 1.5)
    return t


def rock(rng, base, size=1.0, mossy=False, snowy=False):
    t = Tile()
    tones = ramp(base, 4, 0.5, 0.3)
    rx, ry = 6.2 * size, 4.8 * size
    cx, cy = 8.0, 14.0 - ry
    phase = rng.uniform(0, math.tau)
    for y in range(T):
        for x in range(T):
            dx = (x + 0.5 - cx) / rx
            dy = (y + 0.5 - cy) / ry
            ang = math.atan2(dy, dx)
            lim = 1.0 - 0.1 * (1 + math.sin(3 * ang + phase)) * 0.5
            if dy > 0.5:
                lim += 0.25            # flat bottom
            if dx * dx + dy * dy <= lim * lim:
                facet = 0.15 if (x + 0.5 - cx) * 0.6 + (y + 0.5 - cy) < 0 else -0.1
                lvl = sphere_level(x, y, cx, cy, rx, ry) + facet
                c = pick(tones, lvl, x, y, 0.3)
                if mossy and dy < -0.1 and rng.random() < 0.7:
                    c = (96, 140, 60) if dx < 0.2 else (72, 108, 48)
                if snowy and dy < -0.25:
                    c = (238, 244, 252) if dx < 0.3 else (206, 218, 238)
                t.put(x, y, c)
    outline(t, 0.6)
    shadow(t, 8.5, 14.5, rx + 0.6, 1.5)
    return t


def crystal(rng, hue):
    t = Tile()
    tones = ramp(hue, 4, 0.5, 0.45)
    shards = ((8, 2, 2.2, 13), (5, 6, 1.8, 13), (11, 5, 1.8, 13), (3, 9, 1.4, 13), (13, 9, 1.3, 13))
    for tipx, tipy, half, base_y in shards:
        for y in range(tipy, base_y + 1):
            k = min(1.0, (y - tipy + 1) / 3.0)
            w = half * k
            for x in range(T):
                dx = x + 0.5 - tipx
                if abs(dx) <= w:
                    t.put(x, y, tones[3] if dx < -w * 0.3 else (tones[2] if dx < w * 0.3 else tones[1]))
    outline(t, 0.6)
    shadow(t, 8.5, 14.5, 6.0, 1.5)
    for x, y in ((7, 4), (4, 8)):
        t.put(x, y, (255, 255, 255))
    return t


def flowers(rng, petal, count=4, tall=False):
    t = Tile()
    stem = (64, 122, 48)
    spots = []
    for _ in range(count):
        for _try in range(20):
            x, y = rng.randrange(3, 13), rng.randrange(5 if not tall else 3, 12)
            if all(abs(x - a) + abs(y - b) > 3 for a, b in spots):
                spots.append((x, y))
                break
    for x, y in spots:
        h = rng.randint(2, 4) if not tall else rng.randint(4, 7)
        for i in range(1, h + 1):
            t.put(x, y + i, stem)
        t.put(x + 1, y + h - 1, (84, 150, 60))
        t.put(x - 1, y + h, (84, 150, 60))
        for dx, dy in ((0, -1), (1, 0), (0, 1), (-1, 0)):
            t.put(x + dx, y + dy, petal)
        t.put(x - 1, y - 1, lighten(petal, 0.3)) if rng.random() < 0.3 else None
        t.put(x, y, (250, 214, 80) if petal[0] < 200 or petal[1] < 200 else (200, 150, 60))
    outline(t, 0.55)
    return t


def tall_grass(rng, leaf):
    t = Tile()
    for _ in range(12):
        x = rng.randrange(2, 14)
        h = rng.randint(4, 9)
        lean = rng.choice((-1, 0, 1))
        for i in range(h):
            c = darken(leaf, 0.25) if i < 2 else (lighten(leaf, 0.2) if i > h - 3 else leaf)
            t.put(x + (lean if i > h // 2 else 0), 14 - i, c)
    outline(t, 0.6)
    return t


def mushrooms(rng, cap, dots=True):
    t = Tile()
    for cx, cy, r in ((6, 9, 3), (11, 11, 2), (4, 12, 1.5)):
        for y in range(int(cy), int(cy + r + 2)):
            t.put(cx, y, (236, 226, 204))
            t.put(cx - 1, y, (250, 244, 230)) if r > 2 else None
        for y in range(T):
            for x in range(T):
                dx = x + 0.5 - (cx + 0.5)
                dy = y + 0.5 - cy
                if dy <= 0.5 and dx * dx + (dy * 1.5) ** 2 <= r * r:
                    c = lighten(cap, 0.25) if dx < 0 and dy < -r * 0.3 else cap
                    t.put(x, y, c)
        if dots:
            t.put(cx - 1, int(cy) - 1, (255, 255, 255))
            t.put(cx + 1, int(cy), (255, 255, 255))
    outline(t, 0.55)
    shadow(t, 8.0, 14.5, 5.5, 1.2)
    return t


def lathe(t, profile, tones, cx=8.0, top=0, band_rows=(), band=None, rim=None):
    """Draw a turned object from a list of half-widths, one per row."""
    for j, hw in enumerate(profile):
        y = top + j
        if hw <= 0:
            continue
        for x in range(T):
            nx = (x + 0.5 - cx) / hw
            if abs(nx) <= 1.0:
                nz = math.sqrt(max(0.0, 1 - nx * nx))
                lvl = max(0.0, min(1.0, 0.45 - nx * 0.45 + nz * 0.25))
                c = pick(band, lvl, x, y, 0.5) if (band and j in band_rows) else pick(tones, lvl, x, y, 0.5)
                t.put(x, y, c)
    if rim:
        hw = profile[0]
        for x in range(T):
            if abs(x + 0.5 - cx) <= hw - 0.5:
                t.put(x, top, rim[0])
                t.put(x, top + 1, rim[1])


def barrel(rng, wood, top=None):
    t = Tile()
    prof = [4.5, 5.0, 5.3, 5.5, 5.6, 5.7, 5.7, 5.7, 5.6, 5.5, 5.3, 5.0, 4.6]
    lathe(t, prof, ramp(wood, 4), top=2, band_rows=(1, 2, 9, 10),
          band=ramp((96, 96, 104), 3))
    for x in range(4, 13):
        t.put(x, 2, lighten(wood, 0.25) if top is None else top)
        t.put(x, 3, darken(wood, 0.1) if top is None else darken(top, 0.2))
    for y in range(5, 11):
        if y % 2:
            t.put(6, y, darken(wood, 0.3))
            t.put(10, y, darken(wood, 0.35))
    outline(t)
    shadow(t, 8.5, 14.5, 6.0, 1.5)
    return t


def crate(rng, wood, metal_corners=False):
    t = Tile()
    top = lighten(wood, 0.2)
    t.rect(2, 3, 13, 5, top)
    t.rect(2, 6, 13, 14, wood)
    for x in range(2, 14):
        t.put(x, 6, darken(wood, 0.35))
    for y in range(7, 14):
        t.put(2, y, lighten(wood, 0.15))
        t.put(13, y, darken(wood, 0.25))
        t.put(2 + (y - 7) * 11 // 7 + 0, y, darken(wood, 0.2))
        t.put(3 + (y - 7) * 11 // 7, y, lighten(wood, 0.05))
    for x in range(2, 14):
        t.put(x, 7, lighten(wood, 0.1))
        t.put(x, 14, darken(wood, 0.3))
    for x in range(3, 13, 3):
        t.put(x, 4, darken(top, 0.15))
    if metal_corners:
        for x, y in ((2, 7), (13, 7), (2, 14), (13, 14), (2, 3), (13, 3)):
            t.put(x, y, (120, 124, 134))
    outline(t)
    shadow(t, 8.5, 14.8, 7.0, 1.4)
    return t


def chest(rng, open_=False, wood=(142, 84, 40), trim=(214, 170, 60)):
    t = Tile()
    if open_:
        t.rect(3, 2, 12, 5, darken(wood, 0.3))
        t.rect(4, 3, 11, 5, (42, 26, 20))
        t.rect(4, 5, 11, 6, (236, 196, 70))
        t.put(6, 5, (255, 240, 160))
        t.put(9, 6, (255, 240, 160))
    else:
        t.rect(3, 4, 12, 7, lighten(wood, 0.12))
        t.rect(3, 4, 12, 4, lighten(wood, 0.3))
    t.rect(3, 8, 12, 13, wood)
    for x in range(3, 13):
        t.put(x, 8, trim)
        t.put(x, 13, darken(wood, 0.3))
    for y in range(4 if not open_ else 7, 14):
        t.put(3, y, trim)
        t.put(12, y, darken(trim, 0.25))
    t.rect(7, 8, 8, 10, (240, 214, 110))
    t.put(7, 10, (60, 40, 30))
    outline(t)
    shadow(t, 8.5, 14.5, 6.5, 1.4)
    return t


def pot(rng, clay, kind=0):
    t = Tile()
    profiles = (
        [2.2, 2.0, 2.6, 3.8, 4.6, 5.0, 5.1, 5.0, 4.6, 4.0, 3.2],          # round pot
        [2.4, 1.8, 1.8, 2.4, 3.4, 4.2, 4.6, 4.6, 4.3, 3.8, 3.2, 2.6],     # vase
        [5.2, 5.0, 4.8, 4.6, 4.4, 4.2, 4.0, 3.8],                         # planter
        [3.0, 4.2, 5.0, 5.4, 5.5, 5.4, 5.2, 5.0, 4.6, 4.0],               # sack
    )
    prof = profiles[kind]
    top = 14 - len(prof) + 1
    lathe(t, prof, ramp(clay, 4), top=top)
    if kind in (0, 1):
        for x in range(T):
            if abs(x + 0.5 - 8) <= prof[0] - 0.6:
                t.put(x, top, darken(clay, 0.55))
        t.put(6, top + len(prof) // 2, lighten(clay, 0.45))
    if kind == 2:
        for x in range(4, 12):
            t.put(x, top, (80, 56, 36))
        for cx in (6, 9):
            for i in range(3):
                t.put(cx + (i % 2), top - 1 - i, (80, 150, 60))
        t.put(7, top - 4, (226, 80, 90))
        t.put(9, top - 3, (250, 210, 90))
    if kind == 3:
        t.rect(6, top, 9, top, darken(clay, 0.4))
        t.put(7, top - 1, darken(clay, 0.2))
        t.put(8, top - 1, darken(clay, 0.2))
    outline(t)
    shadow(t, 8.5, 14.5, 5.5, 1.4)
    return t


# fences: posts at the centre, rails toward joined sides

def wood_fence(mask, wood=(150, 104, 60)):
    t = Tile()
    hi, lo, dk = lighten(wood, 0.2), darken(wood, 0.2), darken(wood, 0.45)
    if mask & 8:
        for x in range(0, 8):
            t.put(x, 6, hi)
            t.put(x, 7, lo)
            t.put(x, 10, hi)
            t.put(x, 11, lo)
    if mask & 2:
        for x in range(8, T):
            t.put(x, 6, hi)
            t.put(x, 7, lo)
            t.put(x, 10, hi)
            t.put(x, 11, lo)
    if mask & 1:
        for y in range(0, 6):
            t.put(7, y, hi)
            t.put(8, y, lo)
    if mask & 4:
        for y in range(12, T):
            t.put(7, y, hi)
            t.put(8, y, lo)
    for y in range(3, 13):
        t.put(6, y, hi)
        t.put(7, y, wood)
        t.put(8, y, wood)
        t.put(9, y, lo)
    t.put(7, 3, lighten(wood, 0.35))
    t.put(8, 3, hi)
    t.put(7, 12, dk)
    t.put(8, 12, dk)
    outline(t, 0.6)
    for x in range(T):
        for y in range(T):
            if t.alpha(x, y - 1) >= 200 and t.alpha(x, y) == 0 and y > 7:
                t.under(x, y, (12, 14, 30), 60)
    return t


def iron_fence(mask):
    t = Tile()
    bar, hi = (52, 54, 66), (112, 116, 134)
    if mask & 8:
        for x in range(0, 8):
            t.put(x, 5, hi)
            t.put(x, 12, bar)
        for x in range(1, 8, 3):
            for y in range(3, 13):
                t.put(x, y, bar)
            t.put(x, 2, hi)
    if mask & 2:
        for x in range(8, T):
            t.put(x, 5, hi)
            t.put(x, 12, bar)
        for x in range(11, T, 3):
            for y in range(3, 13):
                t.put(x, y, bar)
            t.put(x, 2, hi)
    if mask & 1:
        for y in range(0, 5):
            t.put(7, y, hi)
            t.put(8, y, bar)
    if mask & 4:
        for y in range(12, T):
            t.put(7, y, hi)
            t.put(8, y, bar)
    for y in range(2, 14):
        t.put(7, y, hi)
        t.put(8, y, bar)
    t.rect(6, 1, 9, 2, (200, 170, 70))
    t.put(6, 1, (250, 220, 120))
    outline(t, 0.3)
    return t


def hedge(mask, rng, leaf=(70, 140, 58)):
    t = Tile()
    n = WrapNoise(rng, 8)
    tones = ramp(leaf, 4)
    r = 5.6
    for y in range(T):
        for x in range(T):
            d = arm_dist(mask, x + 0.5, y + 0.5) + n(x, y) * 0.6
            if d < r:
                lvl = 0.75 - (d / r) * 0.35 + n(x * 3, y * 3) * 0.25
                if y + 0.5 > 7.5 + math.sqrt(max(0.0, r * r - d * d)) * 0.0 and d > r - 1.5 and (y > 8):
                    lvl -= 0.35
                t.put(x, y, pick(tones, lvl, x, y))
    outline(t, 0.55)
    return t


# signs, lamps, furniture

def sign(rng, kind):
    t = Tile()
    wood = (160, 112, 66)
    if kind in (0, 1, 2):
        for y in range(8, 15):
            t.put(7, y, lighten(wood, 0.1))
            t.put(8, y, darken(wood, 0.25))
    if kind == 0:           # notice sign
        t.rect(2, 3, 13, 9, wood)
        t.rect(2, 3, 13, 3, lighten(wood, 0.25))
        for y in (5, 7):
            for x in range(4, 12):
                if (x * 3 + y) % 7:
                    t.put(x, y, darken(wood, 0.5))
    elif kind == 1:         # arrow sign
        for y in range(3, 9):
            w = 11 - abs(y - 5.5) * 1.2 if y else 0
            for x in range(2, 2 + int(w) + 1):
                t.put(x, y, wood if y > 3 else lighten(wood, 0.25))
        for x in range(4, 10):
            t.put(x, 6, darken(wood, 0.5))
    elif kind == 2:         # hanging sign
        t.rect(3, 2, 12, 2, darken(wood, 0.2))
        t.put(4, 3, (90, 90, 100))
        t.put(11, 3, (90, 90, 100))
        t.rect(3, 4, 12, 9, (200, 60, 54))
        t.rect(3, 4, 12, 4, (236, 110, 96))
        t.rect(6, 6, 9, 7, (250, 220, 120))
    else:                   # stone marker
        t.rect(4, 4, 11, 14, (150, 150, 160))
        t.rect(4, 4, 11, 4, (190, 190, 200))
        t.rect(5, 3, 10, 3, (170, 170, 180))
        for y in (7, 9, 11):
            t.rect(6, y, 9, y, (96, 96, 110))
    outline(t)
    shadow(t, 8.5, 14.6, 4.5, 1.2)
    return t


def glow(t, cx, cy, r, colour, peak=110):
    for y in range(T):
        for x in range(T):
            d = math.hypot(x + 0.5 - cx, y + 0.5 - cy) / r
            if d < 1.0 and t.alpha(x, y) == 0:
                a = peak * (1 - d) ** 1.5
                a = int(a / 16) * 16            # banded, pixel-art style
                if a > 0:
                    t.put(x, y, colour, a)


def lamp(rng, kind):
    t = Tile()
    iron = (60, 62, 76)
    lit = kind in (0, 2, 3)
    if kind in (0, 1):      # street lamp
        for y in range(5, 15):
            t.put(7, y, lighten(iron, 0.3))
            t.put(8, y, iron)
        t.rect(6, 14, 9, 14, iron)
        t.rect(5, 1, 10, 1, iron)
        t.rect(6, 2, 9, 4, (255, 226, 120) if lit else (90, 96, 110))
        t.put(6, 2, (255, 250, 210) if lit else (130, 140, 156))
        t.rect(6, 5, 9, 5, iron)
        outline(t, 0.5)
        if lit:
            glow(t, 8, 3.5, 7.5, (255, 214, 110))
    elif kind == 2:         # torch
        for y in range(7, 15):
            t.put(7, y, (140, 96, 56))
            t.put(8, y, (108, 72, 42))
        t.rect(6, 6, 9, 7, (90, 80, 80))
        t.rect(6, 3, 9, 5, (250, 150, 40))
        t.rect(7, 2, 8, 4, (255, 220, 100))
        t.put(7, 1, (250, 150, 40))
        outline(t, 0.5)
        glow(t, 7.5, 4, 7.5, (255, 170, 70))
    else:                   # candle
        t.rect(6, 8, 9, 13, (240, 232, 210))
        t.rect(6, 8, 6, 13, (255, 255, 240))
        t.rect(5, 13, 10, 14, (180, 150, 80))
        t.put(7, 7, (40, 30, 30))
        t.put(7, 6, (255, 220, 100))
        t.put(7, 5, (250, 150, 40))
        outline(t, 0.5)
        glow(t, 7.5, 6, 5.5, (255, 200, 90))
    shadow(t, 8.5, 14.8, 3.5, 1.0)
    return t


def furniture(rng, kind):
    t = Tile()
    wood = (156, 106, 62)
    if kind == 0:           # bench
        t.rect(1, 6, 14, 8, lighten(wood, 0.15))
        t.rect(1, 6, 14, 6, lighten(wood, 0.35))
        t.rect(1, 9, 14, 9, darken(wood, 0.3))
        for x in (2, 13):
            t.rect(x, 10, x, 13, darken(wood, 0.2))
    elif kind == 1:         # table
        t.rect(2, 4, 13, 9, wood)
        t.rect(2, 4, 13, 4, lighten(wood, 0.3))
        t.rect(2, 9, 13, 10, darken(wood, 0.3))
        for x in (3, 12):
            t.rect(x, 11, x, 14, darken(wood, 0.2))
        t.rect(6, 5, 8, 6, (236, 236, 240))
        t.put(7, 5, (200, 60, 50))
    elif kind == 2:         # chair
        t.rect(4, 2, 11, 8, darken(wood, 0.1))
        t.rect(5, 3, 10, 7, wood)
        t.rect(4, 9, 11, 10, lighten(wood, 0.2))
        for x in (4, 11):
            t.rect(x, 11, x, 14, darken(wood, 0.25))
    elif kind == 3:         # well
        for y in range(2, 6):
            t.put(3, y, (120, 84, 50))
            t.put(12, y, (120, 84, 50))
        t.rect(2, 1, 13, 2, (170, 70, 54))
        t.rect(2, 1, 13, 1, (210, 110, 90))
        t.rect(3, 6, 12, 13, (140, 140, 150))
        for y in range(6, 14):
            for x in range(3, 13):
                if y % 3 == 0 or (x + (y // 3) * 2) % 4 == 0:
                    t.put(x, y, (100, 100, 112))
        t.rect(4, 6, 11, 7, (40, 80, 150))
        t.rect(5, 6, 7, 6, (110, 160, 220))
    outline(t)
    shadow(t, 8.5, 14.6, 6.5, 1.4)
    return t


# other nature bits and props

def stump(rng):
    t = Tile()
    lathe(t, [4.6, 4.8, 4.9, 5.0, 5.1, 5.3, 5.8], ramp((120, 82, 50), 4), top=7)
    for x in range(4, 12):
        t.put(x, 7, (204, 170, 116))
        t.put(x, 8, (180, 146, 96))
    t.rect(6, 7, 9, 8, (170, 130, 84))
    t.put(7, 7, (204, 170, 116))
    outline(t)
    shadow(t, 8.5, 14.5, 6.0, 1.4)
    return t


def log(rng):
    t = Tile()
    for y in range(7, 13):
        lvl = (0.9, 0.8, 0.6, 0.45, 0.3, 0.15)[y - 7]
        for x in range(2, 13):
            t.put(x, y, pick(ramp((124, 84, 52), 4), lvl, x, y, 0.4))
    for y in range(7, 13):
        for x in range(12, 15):
            if (x - 12.5) ** 2 * 2 + (y - 9.5) ** 2 <= 9:
                t.put(x, y, (206, 170, 116))
    t.put(13, 9, (160, 120, 76))
    t.put(13, 10, (160, 120, 76))
    t.put(5, 6, (90, 140, 60))
    t.put(6, 6, (90, 140, 60))
    outline(t)
    shadow(t, 8.5, 13.8, 7.0, 1.3)
    return t


def lily(rng, bloom):
    t = Tile()
    for cx, cy, r in ((6.5, 7.5, 4.0), (11.5, 11.5, 2.6)):
        notch = rng.uniform(0, math.tau)
        for y in range(T):
            for x in range(T):
                dx, dy = x + 0.5 - cx, y + 0.5 - cy
                d = math.hypot(dx, dy)
                a = (math.atan2(dy, dx) - notch) % math.tau
                if d <= r and not (a < 0.5 and d > 0.8):
                    t.put(x, y, (94, 160, 70) if dx + dy < 0 else (70, 132, 56))
    if bloom:
        for dx, dy in ((0, -1), (1, 0), (0, 1), (-1, 0), (0, 0)):
            t.put(6 + dx, 7 + dy, (248, 186, 210) if (dx, dy) != (0, 0) else (250, 230, 110))
    outline(t, 0.45)
    return t


def reeds(rng, cattails):
    t = Tile()
    for i in range(6):
        x = 3 + i * 2 + rng.choice((0, 1))
        h = rng.randint(6, 11)
        for k in range(h):
            t.put(x + (1 if k > h - 3 and i % 2 else 0), 14 - k, (96, 150, 64) if k > 2 else (70, 118, 52))
        if cattails and i % 2 == 0:
            top = 14 - h
            t.put(x, top - 1, (110, 70, 40))
            t.put(x, top - 2, (124, 82, 48))
            t.put(x, top - 3, (96, 150, 64))
    outline(t, 0.6)
    return t


def pebbles(rng):
    t = Tile()
    for _ in range(7):
        x, y = rng.randrange(2, 13), rng.randrange(4, 14)
        c = noisy((150, 146, 140), rng, 30)
        t.put(x, y, lighten(c, 0.2))
        t.put(x + 1, y, c)
        t.put(x, y + 1, darken(c, 0.2))
        t.put(x + 1, y + 1, darken(c, 0.3))
    outline(t, 0.5)
    return t


def bones(rng, skull):
    t = Tile()
    bone = (232, 226, 206)
    if skull:
        for y in range(4, 11):
            for x in range(3, 13):
                if (x - 7.5) ** 2 / 20 + (y - 7.5) ** 2 / 12 <= 1:
                    t.put(x, y, bone if x < 9 else darken(bone, 0.15))
        t.rect(5, 10, 10, 12, darken(bone, 0.1))
        for x in (6, 9):
            t.rect(x - 1, 7, x, 8, (40, 30, 40))
        t.put(7, 10, (60, 50, 60))
        t.put(6, 12, (60, 50, 60))
        t.put(8, 12, (60, 50, 60))
    else:
        for i in range(9):
            t.put(3 + i, 5 + i, bone)
            t.put(3 + i, 12 - i // 2, darken(bone, 0.1))
        for x, y in ((2, 4), (3, 4), (2, 5), (11, 13), (12, 13), (12, 14), (2, 12), (12, 7)):
            t.put(x, y, bone)
    outline(t, 0.6)
    return t


def cactus(rng, round_):
    t = Tile()
    tones = ramp((80, 150, 80), 4)
    if round_:
        blob(t, rng, 8, 10, 5, 4.5, tones, bumps=10, bump=0.05, grain=0.1)
        t.put(8, 5, (250, 120, 170))
        t.put(7, 5, (250, 170, 200))
    else:
        for y in range(2, 15):
            for x in range(6, 10):
                t.put(x, y, tones[3 - (x - 6)] if y > 2 or x in (7, 8) else tones[2])
        for y in range(5, 10):
            t.put(3, y, tones[2])
            t.put(4, y, tones[1])
        t.put(4, 10, tones[1])
        t.put(5, 10, tones[1])
        for y in range(3, 8):
            t.put(11, y, tones[2])
            t.put(12, y, tones[1])
        t.put(10, 8, tones[1])
        t.put(11, 8, tones[1])
    for _ in range(6):
        x, y = rng.randrange(T), rng.randrange(T)
        if t.alpha(x, y):
            t.put(x, y, (240, 240, 210))
    outline(t, 0.55)
    shadow(t, 8.5, 14.6, 4.5, 1.2)
    return t


def hay(rng):
    t = Tile()
    lathe(t, [4.8, 5.4, 5.8, 6.0, 6.0, 6.0, 5.8, 5.4, 4.8], ramp((220, 180, 90), 4), top=5)
    for y in range(5, 14):
        for x in range(T):
            if t.alpha(x, y) and (x * 5 + y * 3) % 7 == 0:
                t.put(x, y, (176, 136, 60))
    for y in range(5, 14):
        t.put(5, y, (150, 110, 70)) if t.alpha(5, y) else None
        t.put(10, y, (140, 100, 60)) if t.alpha(10, y) else None
    outline(t)
    shadow(t, 8.5, 14.5, 6.5, 1.4)
    return t


def woodpile(rng):
    t = Tile()
    for row, (cy, xs) in enumerate(((11.5, (3.5, 7.5, 11.5)), (8.0, (5.5, 9.5)), (4.5, (7.5,)))):
        for cx in xs:
            for y in range(T):
                for x in range(T):
                    d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
                    if d <= 2.2:
                        t.put(x, y, (210, 172, 116) if d < 1.3 else (120, 80, 48))
    outline(t)
    shadow(t, 8.5, 14.5, 6.0, 1.2)
    return t


def beehive(rng):
    t = Tile()
    lathe(t, [2.5, 3.8, 4.6, 5.2, 5.5, 5.6, 5.6, 5.5, 5.2, 4.6], ramp((214, 168, 70), 4), top=4,
          band_rows=(2, 5, 8), band=ramp((170, 120, 46), 3))
    t.rect(7, 11, 8, 12, (50, 34, 24))
    t.put(12, 4, (30, 30, 30))
    t.put(13, 3, (250, 210, 60))
    outline(t)
    shadow(t, 8.5, 14.5, 5.5, 1.3)
    return t


def gravestone(rng, cross):
    t = Tile()
    stone = (150, 150, 164)
    if cross:
        t.rect(7, 2, 9, 13, stone)
        t.rect(4, 5, 12, 7, stone)
        t.rect(7, 2, 7, 13, lighten(stone, 0.25))
        t.rect(4, 5, 12, 5, lighten(stone, 0.25))
    else:
        for y in range(3, 14):
            for x in range(4, 12):
                if y > 6 or (x + 0.5 - 8) ** 2 + (y + 0.5 - 7) ** 2 <= 16:
                    t.put(x, y, stone if x < 10 else darken(stone, 0.2))
        for y in (7, 9):
            t.rect(6, y, 9, y, darken(stone, 0.35))
        t.put(5, 12, (90, 140, 60))
        t.put(6, 13, (90, 140, 60))
    t.rect(3, 13, 12, 14, (110, 84, 58))
    outline(t)
    shadow(t, 8.5, 14.8, 5.5, 1.0)
    return t


def pillar(rng, broken):
    t = Tile()
    stone = (214, 208, 196)
    tones = ramp(stone, 4)
    top = 5 if broken else 1
    prof = [6.0, 5.2] + [3.6] * (12 - top) + [5.2, 6.0]
    lathe(t, prof, tones, top=top - 0)
    for y in range(top + 2, top + len(prof) - 2):
        for x in (6, 9):
            t.put(x, y, darken(stone, 0.2))
    if broken:
        for x in range(4, 12):
            t.put(x, top + (x * 7 % 3), (0, 0, 0), 0)
    outline(t)
    shadow(t, 8.5, 14.8, 5.5, 1.1)
    return t


def obelisk(rng):
    t = Tile()
    for y in range(1, 15):
        w = 1.5 + (y - 1) * 0.22 if y > 2 else (y - 0.5) * 0.8
        for x in range(T):
            dx = x + 0.5 - 8
            if abs(dx) <= w:
                t.put(x, y, (120, 116, 140) if dx < 0 else (86, 82, 104))
    for y in (6, 8, 10):
        t.put(7, y, (230, 200, 90))
    outline(t)
    shadow(t, 8.5, 14.8, 4.0, 1.0)
    return t


def campfire(rng):
    t = Tile()
    for x0, y0, x1, y1 in ((3, 13, 12, 10), (4, 10, 12, 13)):
        t.line(x0, y0, x1, y1, (110, 72, 44))
        t.line(x0, y0 + 1, x1, y1 + 1, (80, 52, 32))
    for y in range(3, 12):
        w = (y - 3) * 0.45
        for x in range(T):
            dx = x + 0.5 - 8
            if abs(dx) <= w + (0.6 if y > 8 else 0):
                inner = abs(dx) < w * 0.45
                t.put(x, y, (255, 236, 130) if inner and y > 6 else (250, 150, 40) if abs(dx) < w * 0.8 else (214, 74, 28))
    for x, y in ((3, 12), (12, 12), (5, 14), (10, 14)):
        t.put(x, y, (120, 120, 130))
    outline(t, 0.5)
    glow(t, 8, 8, 8, (255, 170, 70), 90)
    return t


def cauldron(rng):
    t = Tile()
    lathe(t, [5.0, 5.4, 5.7, 5.8, 5.6, 5.2, 4.4, 3.4], ramp((60, 60, 70), 4), top=6)
    for x in range(4, 12):
        t.put(x, 6, (110, 210, 90))
        t.put(x, 7, (70, 160, 60))
    t.put(6, 4, (150, 240, 120))
    t.put(9, 3, (150, 240, 120))
    t.put(4, 14, (40, 40, 46))
    t.put(11, 14, (40, 40, 46))
    outline(t, 0.5)
    shadow(t, 8.5, 14.8, 5.5, 1.1)
    return t


def anvil(rng):
    t = Tile()
    steel = (110, 114, 128)
    t.rect(3, 5, 13, 7, steel)
    t.rect(1, 5, 3, 6, steel)
    t.rect(3, 5, 13, 5, lighten(steel, 0.4))
    t.rect(6, 8, 10, 11, darken(steel, 0.2))
    t.rect(4, 12, 12, 13, steel)
    outline(t, 0.5)
    shadow(t, 8.5, 14.5, 6.0, 1.2)
    return t


def bookshelf(rng):
    t = Tile()
    wood = (120, 78, 44)
    t.rect(1, 1, 14, 14, darken(wood, 0.2))
    t.rect(2, 2, 13, 13, (50, 34, 26))
    for shelf in (2, 8):
        x = 2
        while x < 13:
            w = rng.randint(1, 2)
            h = rng.randint(4, 5)
            c = rng.choice(((170, 50, 50), (50, 90, 160), (60, 130, 70), (200, 170, 80), (120, 70, 130)))
            for k in range(w):
                for y in range(shelf + 5 - h, shelf + 5):
                    t.put(x + k, y, c if k == 0 else darken(c, 0.2))
            x += w
        t.rect(1, shelf + 5, 14, shelf + 5, wood)
    t.rect(1, 1, 14, 1, lighten(wood, 0.3))
    outline(t)
    return t


def rug(rng, base, trim):
    t = Tile()
    for y in range(2, 14):
        for x in range(1, 15):
            edge = x in (1, 14) or y in (2, 13)
            inner = (x in (3, 12) and 4 <= y <= 11) or (y in (4, 11) and 3 <= x <= 12)
            c = trim if edge or inner else base
            if abs(x - 7.5) + abs(y - 7.5) < 3:
                c = trim
            t.put(x, y, c, 235)
    for y in range(3, 13, 2):
        t.put(0, y, lighten(trim, 0.3))
        t.put(15, y, lighten(trim, 0.3))
    return t


def scarecrow(rng):
    t = Tile()
    for y in range(3, 15):
        t.put(7, y, (120, 84, 50))
    t.rect(3, 6, 12, 6, (120, 84, 50))
    t.rect(5, 6, 10, 10, (80, 110, 160))
    t.rect(5, 6, 10, 6, (110, 140, 190))
    t.rect(6, 2, 9, 5, (230, 200, 130))
    t.rect(5, 1, 10, 1, (140, 100, 50))
    t.rect(6, 0, 9, 0, (140, 100, 50))
    t.put(7, 3, (40, 30, 30))
    t.put(8, 3, (40, 30, 30))
    for x in (3, 12):
        t.put(x, 7, (220, 190, 100))
    outline(t, 0.5)
    shadow(t, 8.5, 14.8, 4.0, 1.0)
    return t


def target_dummy(rng):
    t = Tile()
    for x in (4, 11):
        for y in range(8, 15):
            t.put(x, y, (120, 84, 50))
    for y in range(T):
        for x in range(T):
            d = math.hypot(x + 0.5 - 8, y + 0.5 - 7)
            if d <= 5.6:
                ring = int(d / 1.4)
                t.put(x, y, ((230, 60, 50), (240, 236, 220), (230, 60, 50), (240, 236, 220), (210, 180, 100))[ring])
    outline(t, 0.5)
    shadow(t, 8.5, 14.8, 5.0, 1.0)
    return t


def tent(rng, cloth):
    t = Tile()
    tones = ramp(cloth, 3)
    for y in range(2, 14):
        w = (y - 1) * 0.6
        for x in range(T):
            dx = x + 0.5 - 8
            if abs(dx) <= w:
                t.put(x, y, tones[2] if dx < 0 else tones[1])
    for y in range(8, 14):
        w = (y - 7) * 0.35
        for x in range(T):
            if abs(x + 0.5 - 8) <= w:
                t.put(x, y, (40, 30, 30))
    t.put(8, 1, (120, 84, 50))
    t.put(8, 0, (220, 60, 50))
    t.put(9, 0, (220, 60, 50))
    outline(t)
    shadow(t, 8.5, 14.5, 7.0, 1.3)
    return t


def flagpole(rng, cloth):
    t = Tile()
    for y in range(1, 15):
        t.put(4, y, (200, 200, 210))
        t.put(5, y, (140, 140, 150))
    for y in range(2, 8):
        for x in range(6, 14):
            wave = int(math.sin((x - 6) * 0.8) * 1.0)
            yy = y + wave
            t.put(x, yy, cloth if y > 2 else lighten(cloth, 0.25))
    t.put(4, 0, (240, 210, 90))
    outline(t, 0.5)
    shadow(t, 5.5, 14.8, 2.5, 0.9)
    return t


# semi-transparent overlays

def overlay(rng, kind):
    t = Tile()
    n = WrapNoise(rng, 4)
    if kind == "puddle":
        for y in range(T):
            for x in range(T):
                d = math.hypot((x + 0.5 - 8) / 6, (y + 0.5 - 8.5) / 4.2) + n(x, y) * 0.18
                if d < 1:
                    t.put(x, y, (110, 150, 200) if d > 0.8 else (80, 120, 180), 170)
        t.put(5, 7, (220, 236, 255), 220)
        t.put(6, 7, (220, 236, 255), 200)
    elif kind == "cracks":
        for _ in range(3):
            x, y = 8, 8
            for i in range(7):
                t.put(x, y, (20, 18, 24), 170)
                x += rng.choice((-1, 0, 1))
                y += rng.choice((-1, 1))
    elif kind == "moss":
        for y in range(T):
            for x in range(T):
                if n(x, y) > 0.0:
                    t.put(x, y, (80, 130, 56) if n(x, y) > 0.3 else (100, 150, 66), 190)
    elif kind == "snow":
        for y in range(T):
            for x in range(T):
                if n(x, y) > -0.1:
                    t.put(x, y, (240, 246, 252), 230 if n(x, y) > 0.2 else 150)
    elif kind == "leaves":
        for _ in range(16):
            x, y = rng.randrange(T), rng.randrange(T)
            c = rng.choice(((220, 120, 40), (200, 80, 40), (230, 180, 60), (170, 90, 40)))
            t.put(x, y, c)
            t.put(x + 1, y, darken(c, 0.2), wrap=False)
    elif kind == "fog":
        for y in range(T):
            for x in range(T):
                a = int(max(0.0, 60 + n(x, y) * 50))
                t.put(x, y, (230, 236, 244), a)
    elif kind == "shadow":
        t.fill((10, 12, 28), 90)
    elif kind == "shadow_n":
        for y in range(T):
            for x in range(T):
                t.put(x, y, (10, 12, 28), int(110 * (1 - y / T)))
    elif kind == "dark":
        t.fill((6, 6, 20), 150)
    elif kind == "light":
        for y in range(T):
            for x in range(T):
                d = math.hypot(x + 0.5 - 8, y + 0.5 - 8) / 8
                t.put(x, y, (255, 226, 150), int(max(0, 80 * (1 - d))))
    elif kind == "footprints":
        for i, (x, y) in enumerate(((4, 13), (9, 10), (5, 6), (10, 2))):
            t.rect(x, y, x + 1, y + 2, (70, 50, 40), 130)
    elif kind == "sparkle":
        for x, y in ((4, 4), (11, 7), (6, 12)):
            t.put(x, y, (255, 255, 255))
            for dx, dy in ((0, -1), (1, 0), (0, 1), (-1, 0)):
                t.put(x + dx, y + dy, (255, 250, 200), 150)
    elif kind == "scorch":
        for y in range(T):
            for x in range(T):
                d = math.hypot(x + 0.5 - 8, y + 0.5 - 8) / 7 + n(x, y) * 0.2
                if d < 1:
                    t.put(x, y, (24, 20, 20), int(200 * (1 - d * d)))
    elif kind == "grass_tufts":
        for _ in range(6):
            x, y = rng.randrange(2, 14), rng.randrange(3, 15)
            for dx, h in ((-1, 2), (0, 3), (1, 2)):
                for k in range(h):
                    t.put(x + dx, y - k, (70, 130, 50) if k == 0 else (104, 168, 70))
    elif kind == "web":
        for a in range(0, 360, 45):
            r = math.radians(a)
            t.line(0, 0, round(math.cos(r) * 20), round(math.sin(r) * 20), (230, 230, 240), 150)
        for rad in (4, 8, 12):
            for k in range(0, 91, 5):
                r = math.radians(k)
                t.put(round(math.cos(r) * rad), round(math.sin(r) * rad), (230, 230, 240), 150)
    elif kind == "ripples":
        for rad in (2.5, 5.0, 7.5):
            for k in range(0, 360, 6):
                r = math.radians(k)
                t.put(round(8 + math.cos(r) * rad), round(8 + math.sin(r) * rad * 0.6),
                      (230, 240, 255), int(180 - rad * 18))
    return t


# stairs, bridges, openings

def stairs(rng, base, rotate):
    t = Tile()
    for step in range(4):
        c = mix(darken(base, 0.45), lighten(base, 0.1), step / 3)
        for y in range(step * 4, step * 4 + 4):
            for x in range(T):
                col = lighten(c, 0.25) if y % 4 == 0 else (darken(c, 0.3) if y % 4 == 3 else c)
                if x in (0, 15):
                    col = darken(c, 0.4)
                t.put(x, y, nudge(col, rng.uniform(-3, 3)))
    for _ in range(rotate):
        t = t.rotated()
    return t


def bridge(rng, vertical):
    t = Tile()
    wood = (162, 116, 70)
    for y in range(T):
        for x in range(1, 15):
            c = noisy(wood, rng, 3) if y % 4 else darken(wood, 0.45)
            if x in (1, 14):
                c = darken(wood, 0.35)
            t.put(x, y, c)
    for y in range(1, T, 4):
        t.put(3, y + 1, (80, 70, 70))
        t.put(12, y + 1, (80, 70, 70))
    for y in range(T):
        t.put(0, y, (12, 14, 30), 90)
        t.put(15, y, (12, 14, 30), 90)
    return t if not vertical else t.rotated()


def ladder(rng):
    t = Tile()
    wood = (150, 106, 62)
    for y in range(T):
        t.put(4, y, lighten(wood, 0.15))
        t.put(11, y, darken(wood, 0.15))
    for y in range(2, T, 4):
        for x in range(5, 11):
            t.put(x, y, wood)
            t.put(x, y + 1, darken(wood, 0.4))
    return t


def trapdoor(rng, open_):
    t = Tile()
    wood = (136, 92, 52)
    if open_:
        t.rect(2, 2, 13, 13, (20, 16, 22))
        t.rect(2, 2, 13, 3, (60, 50, 50))
        for y in range(5, 13, 3):
            t.rect(4, y, 11, y, (70, 56, 50))
    else:
        t.rect(2, 2, 13, 13, darken(wood, 0.4))
        t.rect(3, 3, 12, 12, wood)
        for x in (6, 9):
            t.rect(x, 3, x, 12, darken(wood, 0.3))
        t.rect(3, 5, 12, 5, (90, 94, 104))
        t.rect(3, 10, 12, 10, (90, 94, 104))
        t.put(11, 7, (220, 190, 90))
    return t


def pit(rng):
    t = Tile()
    for y in range(T):
        for x in range(T):
            d = math.hypot((x + 0.5 - 8) / 6.8, (y + 0.5 - 8) / 6.0)
            if d < 1:
                c = (16, 12, 20) if d < 0.7 else (60, 44, 36) if y < 8 else (40, 30, 28)
                t.put(x, y, c)
    outline(t, 0.3)
    return t


def cave(rng):
    t = Tile()
    rockc = (120, 112, 110)
    blob(t, rng, 8, 9, 7.8, 7.6, ramp(rockc, 4), bumps=5, bump=0.1, grain=0.15)
    for y in range(6, 16):
        w = 3.6 if y > 8 else 3.6 - (8 - y) * 0.9
        for x in range(T):
            if abs(x + 0.5 - 8) <= w:
                t.put(x, y, (14, 10, 18))
    outline(t, 0.5)
    return t


def door_tile(rng, open_):
    t = slabs(rng, (120, 116, 120), 8)
    if open_:
        t.rect(3, 2, 12, 15, (20, 16, 22))
        t.rect(3, 2, 4, 15, (120, 74, 40))
        t.rect(3, 2, 12, 2, (70, 60, 60))
    else:
        door(t, (130, 80, 44))
    return t


# small items

def item(rng, kind):
    t = Tile()
    if kind == "coin":
        for y in range(T):
            for x in range(T):
                d = math.hypot(x + 0.5 - 8, (y + 0.5 - 8) * 1.1)
                if d < 4.5:
                    t.put(x, y, (250, 214, 80) if d < 3.4 else (200, 150, 40))
        t.rect(7, 6, 8, 9, (255, 244, 170))
    elif kind == "coins":
        for cx, cy in ((5, 11), (10, 11), (7.5, 8.5), (8, 12.5)):
            for y in range(T):
                for x in range(T):
                    d = math.hypot(x + 0.5 - cx, (y + 0.5 - cy) * 1.6)
                    if d < 3.2:
                        t.put(x, y, (250, 214, 80) if d < 2.3 else (200, 150, 40))
    elif kind.startswith("gem"):
        c = {"gem_r": (226, 50, 70), "gem_g": (50, 200, 100), "gem_b": (60, 120, 240), "gem_p": (170, 80, 230)}[kind]
        for y in range(4, 13):
            w = (y - 3) * 1.2 if y < 7 else (12 - y) * 1.0
            for x in range(T):
                dx = x + 0.5 - 8
                if abs(dx) <= w:
                    t.put(x, y, lighten(c, 0.4) if y < 7 and dx < 0 else (c if dx < 1 else darken(c, 0.3)))
        t.put(6, 5, (255, 255, 255))
    elif kind == "key":
        gold = (240, 200, 70)
        for y in range(T):
            for x in range(T):
                d = math.hypot(x + 0.5 - 5, y + 0.5 - 6)
                if 1.2 < d < 3.2:
                    t.put(x, y, gold)
        for x in range(8, 14):
            t.put(x, 6, gold)
            t.put(x, 7, darken(gold, 0.25))
        t.rect(11, 8, 11, 9, gold)
        t.rect(13, 8, 13, 10, gold)
    elif kind.startswith("potion"):
        c = {"potion_r": (220, 50, 60), "potion_b": (60, 110, 230), "potion_g": (70, 200, 90)}[kind]
        lathe(t, [1.2, 1.2, 1.5, 3.6, 4.4, 4.6, 4.6, 4.4, 3.8], ramp(c, 4), top=5)
        t.rect(7, 3, 8, 4, (150, 110, 70))
        t.rect(6, 5, 9, 6, (200, 220, 236))
        t.put(6, 9, (255, 255, 255))
    elif kind == "heart":
        glyph = (".##...##.", "####.####", "#########", "#########",
                 ".#######.", "..#####..", "...###...", "....#....")
        for gy, row in enumerate(glyph):
            for gx, ch in enumerate(row):
                if ch == "#":
                    t.put(3 + gx, 4 + gy, (236, 64, 84) if gx + gy < 8 else (196, 40, 62))
        t.put(4, 5, (255, 200, 210))
        t.put(5, 5, (255, 170, 184))
    elif kind == "sword":
        for i in range(9):
            t.put(4 + i, 11 - i, (220, 226, 236))
            t.put(5 + i, 11 - i, (150, 156, 172))
        t.line(2, 10, 6, 14, (200, 160, 60))
        t.line(3, 13, 1, 15, (110, 70, 40))
        t.put(2, 14, (110, 70, 40))
    elif kind == "shield":
        for y in range(2, 15):
            w = 5.5 if y < 8 else 5.5 - (y - 8) * 0.8
            for x in range(T):
                dx = x + 0.5 - 8
                if abs(dx) <= w:
                    t.put(x, y, (60, 90, 170) if dx < 0 else (40, 64, 130))
        for y in range(3, 13):
            t.put(7, y, (230, 200, 90))
            t.put(8, y, (200, 160, 60))
        t.rect(4, 6, 11, 6, (230, 200, 90))
    elif kind == "scroll":
        t.rect(3, 4, 12, 11, (236, 220, 180))
        t.rect(2, 3, 13, 4, (210, 186, 140))
        t.rect(2, 11, 13, 12, (210, 186, 140))
        for y in (6, 8):
            t.rect(5, y, 10, y, (120, 100, 80))
        t.put(11, 10, (200, 50, 50))
    elif kind == "bomb":
        for y in range(T):
            for x in range(T):
                if math.hypot(x + 0.5 - 7.5, y + 0.5 - 9.5) <= 4.8:
                    t.put(x, y, pick(ramp((60, 60, 76), 4), sphere_level(x, y, 7.5, 9.5, 4.8, 4.8), x, y))
        t.put(10, 4, (200, 180, 140))
        t.put(11, 3, (200, 180, 140))
        t.put(12, 2, (255, 200, 60))
        t.put(13, 1, (255, 250, 200))
    elif kind == "star":
        pts = []
        for k in range(10):
            r = 6.5 if k % 2 == 0 else 2.8
            a = math.radians(-90 + k * 36)
            pts.append((8 + math.cos(a) * r, 8.4 + math.sin(a) * r))
        for y in range(T):
            for x in range(T):
                if point_in_poly(x + 0.5, y + 0.5, pts):
                    t.put(x, y, (255, 220, 80) if x + y < 17 else (240, 176, 40))
    outline(t, 0.55)
    return t


def point_in_poly(px, py, pts):
    inside = False
    j = len(pts) - 1
    for i in range(len(pts)):
        xi, yi = pts[i]
        xj, yj = pts[j]
        if (yi > py) != (yj > py) and px < (xj - xi) * (py - yi) / (yj - yi) + xi:
            inside = not inside
        j = i
    return inside


# --------------------------------------------------------------------------
# fixed-purpose tiles

def clear_tile():
    return Tile()


def marker_tile():
    """A target on a dark plate; it stays legible under a number label."""
    t = Tile()
    t.fill((30, 34, 52))
    for i in range(T):
        for x, y in ((i, 0), (i, 15), (0, i), (15, i)):
            t.put(x, y, (88, 98, 132))
    for x, y in ((1, 1), (14, 1), (1, 14), (14, 14)):
        t.put(x, y, (250, 210, 80))
    rings = ((6.2, (236, 64, 56)), (4.6, (250, 246, 236)), (3.0, (236, 64, 56)), (1.4, (250, 220, 90)))
    for y in range(T):
        for x in range(T):
            d = math.hypot(x + 0.5 - 8, y + 0.5 - 8)
            for r, c in rings:
                if d <= r:
                    last = c
            if d <= rings[0][0]:
                t.put(x, y, last)
                if d > rings[0][0] - 1.0 and x + y > 16:
                    t.put(x, y, darken(last, 0.25))
    return t


def swatch(c):
    t = Tile()
    t.fill(c)
    for i in range(T):
        t.put(i, 0, lighten(c, 0.2))
        t.put(0, i, lighten(c, 0.2))
        t.put(i, 15, darken(c, 0.2))
        t.put(15, i, darken(c, 0.2))
    return t


def utility(rng, kind):
    t = Tile()
    white = (250, 250, 250)
    if kind == "grid":
        for i in range(T):
            for x, y in ((i, 0), (0, i)):
                t.put(x, y, (200, 200, 210), 140)
    elif kind == "select":
        for i in range(T):
            for x, y in ((i, 0), (i, 15), (0, i), (15, i), (i, 1), (i, 14), (1, i), (14, i)):
                t.put(x, y, (255, 220, 60) if (i // 2) % 2 else (40, 30, 20))
    elif kind == "block":
        t.fill((220, 40, 40), 90)
        for i in range(2, 14):
            for d in (0, 1):
                t.put(i + d if i + d < 14 else i, i, (230, 40, 40))
                t.put(15 - i - d if 15 - i - d > 1 else 15 - i, i, (230, 40, 40))
    elif kind == "noentry":
        for y in range(T):
            for x in range(T):
                d = math.hypot(x + 0.5 - 8, y + 0.5 - 8)
                if d <= 6.5:
                    t.put(x, y, (220, 40, 40) if d > 5.0 or abs(y + 0.5 - 8) > 1.5 else white)
                    if d <= 5 and abs(y + 0.5 - 8) > 1.5:
                        t.put(x, y, (220, 40, 40))
                    if d <= 5 and abs(y + 0.5 - 8) <= 1.5 and abs(x + 0.5 - 8) <= 4:
                        t.put(x, y, white)
    elif kind.startswith("arrow"):
        for y in range(T):
            for x in range(T):
                px, py = x + 0.5 - 8, y + 0.5 - 8
                head = py < 0 and abs(px) <= (py + 6.5)
                shaft = py >= 0 and py < 6.5 and abs(px) <= 1.6
                if head or shaft:
                    t.put(x, y, (250, 250, 250))
        for _ in range({"arrow_n": 0, "arrow_e": 1, "arrow_s": 2, "arrow_w": 3}[kind]):
            t = t.rotated()
        outline(t, 0.9)
    elif kind == "spawn":
        pts = []
        for k in range(10):
            r = 7.0 if k % 2 == 0 else 3.0
            a = math.radians(-90 + k * 36)
            pts.append((8 + math.cos(a) * r, 8.5 + math.sin(a) * r))
        for y in range(T):
            for x in range(T):
                if point_in_poly(x + 0.5, y + 0.5, pts):
                    t.put(x, y, (90, 220, 110))
        outline(t, 0.6)
    elif kind == "exit":
        t.rect(3, 2, 12, 14, (60, 50, 40))
        t.rect(4, 3, 11, 14, (20, 16, 22))
        for x in range(5, 11):
            t.put(x, 8, (90, 220, 110))
        t.put(9, 7, (90, 220, 110))
        t.put(9, 9, (90, 220, 110))
        t.put(8, 6, (90, 220, 110))
        t.put(8, 10, (90, 220, 110))
    elif kind == "checker":
        for y in range(T):
            for x in range(T):
                t.put(x, y, (200, 200, 204) if ((x // 4) + (y // 4)) % 2 else (150, 150, 156))
    elif kind.startswith("tint"):
        c = {"tint_r": (230, 60, 60), "tint_g": (60, 220, 90), "tint_b": (60, 110, 240), "tint_y": (250, 220, 60)}[kind]
        t.fill(c, 96)
        for i in range(T):
            for x, y in ((i, 0), (i, 15), (0, i), (15, i)):
                t.put(x, y, c, 200)
    elif kind == "question":
        t.fill((40, 40, 60), 200)
        glyph = ("..####..", ".##..##.", ".....##.", "....##..", "...##...", "...##...", "........", "...##...")
        for gy, row in enumerate(glyph):
            for gx, ch in enumerate(row):
                if ch == "#":
                    t.put(4 + gx, 4 + gy, white)
    return t


# --------------------------------------------------------------------------
# sheet layout

def build_tiles():
    tiles = []

    def add(*ts):
        for t in ts:
            tiles.append(t)

    def at_row(n):
        # guards the layout: a group that grows or shrinks would shift every tile after it
        if len(tiles) != n * COLS:
            raise SystemExit("row %d starts at tile %d, expected %d" % (n, len(tiles), n * COLS))

    r = rng_for

    at_row(0)
    # row 0: the fixed tiles, then grass
    add(grass(r("grass0")), clear_tile(), marker_tile())
    for i, (base, tuft) in enumerate((((92, 156, 64), 34), ((84, 146, 58), 18), ((104, 166, 70), 30),
                                      ((76, 132, 56), 28), ((118, 160, 70), 24), ((140, 160, 80), 22))):
        add(grass(r("grass%d" % (i + 1)), base, tuft))
    add(grass(r("gflow1"), flowers=([(250, 250, 250), (250, 240, 120)], 3)))
    add(grass(r("gflow2"), flowers=([(236, 90, 110), (250, 170, 200)], 3)))
    add(grass(r("gflow3"), flowers=([(140, 150, 250), (250, 250, 250)], 3)))
    add(grass(r("gdry"), (150, 150, 80), 30), grass(r("gautumn"), (170, 140, 66), 30))
    add(grass(r("gdead"), (132, 120, 80), 26), grass(r("gdark"), (56, 108, 52), 30))

    at_row(1)
    # row 1: loose ground
    for i in range(3):
        add(dirt(r("dirt%d" % i)))
    add(dirt(r("dirt_red"), (150, 86, 58)), dirt(r("dirt_dark"), (98, 74, 56)))
    for i in range(3):
        add(sand(r("sand%d" % i)))
    add(sand(r("sand_red"), (214, 164, 112)), sand(r("sand_pale"), (236, 226, 196)))
    add(snow(r("snow0")), snow(r("snow1")), gravel(r("gravel")), mud(r("mud")))
    add(tilled(r("field")), tilled(r("field_crop"), crop=((90, 160, 60), (120, 190, 80))))

    at_row(2)
    # row 2: built floors
    add(slabs(r("slab0")), slabs(r("slab1")), slabs(r("slab_warm"), (176, 160, 140)), slabs(r("slab_dark"), (100, 100, 112)))
    add(cobbles(r("cob0")), cobbles(r("cob1")), cobbles(r("cob_warm"), (170, 150, 120)))
    add(planks(r("pl0")), planks(r("pl1"), (130, 86, 52)), planks(r("pl2"), (196, 156, 100), vertical=True))
    add(checker(r("chk0"), (230, 226, 214), (60, 60, 72)), checker(r("chk1"), (190, 80, 64), (226, 200, 150), 4))
    add(marble(r("marble")), carpet(r("carpet_r"), (160, 40, 50), (226, 184, 80)))
    add(carpet(r("carpet_b"), (40, 70, 150), (200, 200, 220)), dark_rock(r("dungeon")))

    at_row(3)
    # row 3: liquids
    add(water(r("deep0"), (40, 84, 164)), water(r("deep1"), (40, 84, 164)))
    for i in range(4):
        add(water(r("water%d" % i)))
    add(water(r("shallow0"), (72, 146, 204), True), water(r("shallow1"), (72, 146, 204), True))
    add(water(r("teal"), (50, 140, 150)), ice(r("ice0")), ice(r("ice1")))
    add(lava(r("lava0")), lava(r("lava1")), swamp(r("swamp0")), swamp(r("swamp1")), water(r("night"), (30, 50, 110)))

    at_row(4)
    # rows 4-10: corner blends
    foam = lambda c: lighten(c, 0.45)
    wet = lambda c: darken(c, 0.18)
    add(*corner_set("grass_water", grass, water, wet, foam))
    add(*corner_set("sand_water", sand, water, wet, foam))
    add(*corner_set("grass_sand", grass, sand, lambda c: mix(c, (190, 180, 110), 0.4), None))
    add(*corner_set("grass_dirt", grass, dirt, lambda c: darken(c, 0.2), lambda c: darken(c, 0.12)))
    add(*corner_set("snow_water", snow, lambda g: water(g, (60, 110, 170)), lambda c: (206, 222, 240), lambda c: (210, 236, 250)))
    add(*corner_set("grass_snow", grass, snow, lambda c: mix(c, (230, 240, 250), 0.45), None))
    add(*corner_set("rock_lava", lambda g: dark_rock(g), lava, lambda c: mix(c, (160, 60, 30), 0.4), lambda c: (120, 30, 24)))

    at_row(11)
    # rows 11-13: paths
    path_rim = lambda p, g: darken(mix(p, g, 0.4), 0.15)
    add(*path_set("dirt_path", grass, lambda g: dirt(g, (156, 118, 76)), path_rim, 5.2))
    add(*path_set("cobble_road", grass, lambda g: cobbles(g, (156, 150, 140)), lambda p, g: darken(g, 0.3), 5.2))
    add(*path_set("gravel_path", snow, lambda g: gravel(g, (140, 136, 132)), lambda p, g: mix(p, g, 0.5)))

    at_row(14)
    # rows 14-16: walls; four materials per row, four variants each
    for base in ((170, 76, 58), (132, 88, 70), (150, 146, 150), (196, 166, 110)):
        add(*wall_variants(r("brick%r" % (base,)), lambda g, b=base: bricks(g, b), base, (90, 64, 44)))
    for base in ((150, 148, 150), (124, 118, 112), (170, 160, 136), (96, 104, 110)):
        add(*wall_variants(r("stone%r" % (base,)), lambda g, b=base: stone_wall(g, b), base, (70, 70, 80)))
    add(*wall_variants(r("wood0"), lambda g: wood_wall(g, (150, 104, 62)), (150, 104, 62), (90, 60, 36)))
    add(*wall_variants(r("wood1"), lambda g: wood_wall(g, (110, 80, 56)), (110, 80, 56), (70, 50, 34)))
    add(*wall_variants(r("log0"), lambda g: log_wall(g, (150, 104, 62)), (150, 104, 62), (90, 60, 36)))
    t = wood_wall(r("wood_door"), (150, 104, 62))
    door(t)
    add(t, log_wall(r("log1"), (120, 84, 56)))
    t = bricks(r("brick_door"), (170, 76, 58))
    door(t)
    add(t)
    t = stone_wall(r("stone_door"), (150, 148, 150))
    door(t, (100, 64, 40))
    add(t)

    at_row(17)
    # row 17: roofs
    for base in ((180, 70, 56), (70, 90, 130), (70, 120, 80)):
        for v in range(4):
            add(shingles(r("roof%r%d" % (base, v)), base, v))
    for v in range(4):
        add(thatch(r("thatch%d" % v), v))

    at_row(18)
    # row 18: small trees
    add(round_tree(r("t0"), (70, 140, 56)), round_tree(r("t1"), (46, 110, 60)))
    add(round_tree(r("t2"), (210, 130, 40)), round_tree(r("t3"), (190, 70, 50)))
    add(round_tree(r("t4"), (80, 150, 60), fruit=(230, 50, 50)), round_tree(r("t5"), (80, 150, 60), fruit=(250, 160, 40)))
    add(round_tree(r("t6"), (236, 160, 190)), round_tree(r("t7"), (140, 170, 60)))
    add(pine(r("p0"), (40, 110, 70)), pine(r("p1"), (30, 86, 70)), pine(r("p2"), (40, 110, 70), True), pine(r("p3"), (60, 110, 110)))
    add(birch(r("b0"), (130, 190, 80)), dead_tree(r("d0")), palm(r("palm0"), (80, 170, 60)), palm(r("palm1"), (120, 160, 60)))

    # rows 19-20: four 2x2 trees in columns 0-7 (top halves on row 19, bottoms on
    # row 20), then bushes beside the tops and rocks beside the bottoms
    at_row(19)
    quarters = [big_tree(r("bt0"), (66, 136, 56)), big_tree(r("bt1"), (40, 100, 60)),
                big_tree(r("bt2"), (214, 120, 40)),
                big_tree(r("bt3"), (236, 160, 190), extra=(255, 230, 240))]
    for q in quarters:
        add(q[0], q[1])
    add(bush(r("bu0"), (70, 140, 56)), bush(r("bu1"), (46, 110, 60)), bush(r("bu2"), (70, 140, 56), (200, 40, 70)))
    add(bush(r("bu3"), (70, 140, 56), (250, 180, 220)), bush(r("bu4"), (90, 150, 60), (250, 230, 90)))
    add(bush(r("bu5"), (200, 120, 50)), bush(r("bu6"), (60, 120, 70), snowy=True), bush(r("bu7"), (110, 130, 80)))
    at_row(20)
    for q in quarters:
        add(q[2], q[3])
    add(rock(r("ro0"), (136, 136, 146), 0.7), rock(r("ro1"), (136, 136, 146)), rock(r("ro2"), (150, 120, 90)))
    add(rock(r("ro3"), (130, 130, 136), mossy=True), rock(r("ro4"), (210, 170, 110)), rock(r("ro5"), (80, 78, 90)))
    add(rock(r("ro6"), (136, 136, 146), snowy=True), crystal(r("cr0"), (110, 200, 240)))

    at_row(21)
    # row 21: flowers and small plants
    for c in ((230, 60, 70), (250, 220, 70), (110, 130, 240), (250, 250, 250), (170, 90, 220), (250, 150, 60)):
        add(flowers(r("fl%r" % (c,)), c))
    add(flowers(r("fl_tall"), (250, 120, 170), 3, tall=True), flowers(r("fl_tall2"), (140, 90, 230), 3, tall=True))
    add(tall_grass(r("tg0"), (100, 170, 70)), tall_grass(r("tg1"), (170, 160, 80)), tall_grass(r("tg2"), (60, 130, 70)))
    add(mushrooms(r("m0"), (220, 50, 50)), mushrooms(r("m1"), (160, 110, 70), False), mushrooms(r("m2"), (150, 90, 200)))
    add(crystal(r("cr1"), (200, 90, 220)), crystal(r("cr2"), (110, 220, 120)))

    at_row(22)
    # row 22: containers
    add(barrel(r("ba0"), (150, 100, 56)), barrel(r("ba1"), (110, 74, 46)), barrel(r("ba2"), (150, 100, 56), (60, 110, 180)))
    add(barrel(r("ba3"), (170, 70, 50)))
    add(crate(r("cr_a"), (176, 128, 74)), crate(r("cr_b"), (140, 96, 56)), crate(r("cr_c"), (176, 128, 74), True))
    add(crate(r("cr_d"), (190, 170, 120)))
    add(chest(r("ch0")), chest(r("ch1"), True))
    add(pot(r("po0"), (186, 104, 64), 0), pot(r("po1"), (90, 120, 170), 1), pot(r("po2"), (170, 90, 60), 2))
    add(pot(r("po3"), (200, 176, 130), 3), pot(r("po4"), (220, 210, 190), 1), pot(r("po5"), (120, 150, 100), 0))

    at_row(23)
    # rows 23-25: connecting fences and hedges
    for mask in range(16):
        add(wood_fence(mask))
    for mask in range(16):
        add(iron_fence(mask))
    hr = r("hedge")
    for mask in range(16):
        add(hedge(mask, hr))

    at_row(26)
    # row 26: signs, lights, furniture
    for k in range(4):
        add(sign(r("sign%d" % k), k))
    for k in range(4):
        add(lamp(r("lamp%d" % k), k))
    for k in range(4):
        add(furniture(r("furn%d" % k), k))
    add(bookshelf(r("books")), rug(r("rug0"), (150, 40, 50), (226, 184, 80)), rug(r("rug1"), (40, 80, 140), (220, 220, 230)))
    add(campfire(r("fire")))

    at_row(27)
    # row 27: more nature
    add(stump(r("stump")), log(r("log")), lily(r("lily0"), False), lily(r("lily1"), True))
    add(reeds(r("reed0"), False), reeds(r("reed1"), True), pebbles(r("peb")), bones(r("bone"), False))
    add(bones(r("skull"), True), cactus(r("cac0"), False), cactus(r("cac1"), True), hay(r("hay")))
    add(woodpile(r("wood")), beehive(r("hive")), rock(r("ro7"), (170, 160, 150), 0.5), bush(r("bu8"), (130, 160, 70), (250, 250, 250)))

    at_row(28)
    # row 28: structures and camp props
    add(gravestone(r("gs0"), False), gravestone(r("gs1"), True), pillar(r("pi0"), False), pillar(r("pi1"), True))
    add(obelisk(r("ob")), cauldron(r("cau")), anvil(r("anv")), scarecrow(r("scare")))
    add(target_dummy(r("dummy")), tent(r("tent0"), (200, 180, 130)), tent(r("tent1"), (170, 60, 60)))
    add(flagpole(r("flag0"), (220, 50, 50)), flagpole(r("flag1"), (60, 110, 220)))
    add(pit(r("pit")), cave(r("cave")), ladder(r("ladder")))

    at_row(29)
    # row 29: overlays with partial alpha
    for kind in ("puddle", "cracks", "moss", "snow", "leaves", "fog", "shadow", "shadow_n",
                 "dark", "light", "footprints", "sparkle", "scorch", "grass_tufts", "web", "ripples"):
        add(overlay(r("ov_" + kind), kind))

    at_row(30)
    # row 30: stairs, bridges, doors
    for k in range(4):
        add(stairs(r("st%d" % k), (150, 146, 150), k))
    for k in range(4):
        add(stairs(r("sw%d" % k), (160, 112, 66), k))
    add(bridge(r("br0"), False), bridge(r("br1"), True))
    add(trapdoor(r("td0"), False), trapdoor(r("td1"), True))
    add(door_tile(r("dt0"), False), door_tile(r("dt1"), True))
    add(slabs(r("slab_moss"), (120, 140, 110)), pavers(r("hex0"), (150, 150, 160), (90, 90, 100)))

    at_row(31)
    # row 31: pick-ups
    for kind in ("coin", "coins", "gem_r", "gem_g", "gem_b", "gem_p", "key", "potion_r",
                 "potion_b", "potion_g", "heart", "sword", "shield", "scroll", "bomb", "star"):
        add(item(r("it_" + kind), kind))
    at_row(32)
    return tiles


def build_base():
    tiles = []
    r = rng_for
    # row 0: flat colours
    for c in ((20, 20, 26), (80, 80, 92), (160, 160, 170), (240, 240, 244), (180, 50, 50), (230, 120, 50),
              (240, 210, 80), (90, 170, 70), (40, 110, 70), (60, 160, 170), (60, 100, 200), (40, 50, 120),
              (130, 80, 180), (220, 120, 170), (130, 90, 56), (200, 170, 120)):
        tiles.append(swatch(c))
    # row 1: editor helpers
    for kind in ("grid", "select", "block", "noentry", "arrow_n", "arrow_e", "arrow_s", "arrow_w",
                 "spawn", "exit", "checker", "question", "tint_r", "tint_g", "tint_b", "tint_y"):
        tiles.append(utility(r("ut_" + kind), kind))
    # row 2: ground in other climates
    for i, (h, s, v) in enumerate(((20, 1.0, 1.0), (-10, 0.8, 1.05), (45, 0.9, 1.1), (0, 0.5, 0.8),
                                   (160, 0.7, 0.9), (-40, 1.2, 1.0), (0, 1.0, 0.7), (0, 0.3, 1.1))):
        tiles.append(grass(r("bg%d" % i), shift((92, 156, 64), h, s, v)))
    tiles.append(dirt(r("bd0"), (120, 70, 50)))
    tiles.append(dirt(r("bd1"), (90, 90, 96)))
    tiles.append(sand(r("bs0"), (240, 236, 220)))
    tiles.append(sand(r("bs1"), (200, 120, 80)))
    tiles.append(slabs(r("bsl0"), (90, 86, 100)))
    tiles.append(slabs(r("bsl1"), (190, 150, 130), 4))
    tiles.append(marble(r("bm0"), (60, 62, 72), (170, 170, 190)))
    tiles.append(metal(r("bmetal")))
    # row 3: indoor and dungeon floors
    tiles.append(carpet(r("bc0"), (50, 120, 70), (220, 200, 120)))
    tiles.append(carpet(r("bc1"), (110, 50, 120), (230, 180, 220)))
    tiles.append(pavers(r("bh0"), (200, 190, 160), (140, 120, 90)))
    tiles.append(pavers(r("bh1"), (90, 140, 160), (50, 80, 100)))
    tiles.append(planks(r("bp0"), (110, 70, 44)))
    tiles.append(planks(r("bp1"), (210, 180, 130), 4, True))
    tiles.append(checker(r("bk0"), (40, 40, 50), (70, 70, 84)))
    tiles.append(checker(r("bk1"), (220, 220, 230), (110, 150, 200), 4))
    tiles.append(cobbles(r("bco0"), (110, 100, 90), 12))
    tiles.append(cobbles(r("bco1"), (196, 180, 150), 7))
    tiles.append(dark_rock(r("bdr0"), (60, 50, 70)))
    tiles.append(metal(r("bmetal2"), (150, 120, 80)))
    tiles.append(marble(r("bm1"), (236, 220, 220), (200, 140, 140)))
    tiles.append(lava(r("blava")))
    tiles.append(ice(r("bice")))
    tiles.append(tilled(r("btill"), (90, 70, 50), ((230, 200, 80), (200, 170, 60))))
    return tiles


# --------------------------------------------------------------------------
# PNG output

def pack(tiles, rows):
    w, h = COLS * T, rows * T
    if len(tiles) != COLS * rows:
        raise SystemExit("sheet layout error: %d tiles for %d slots" % (len(tiles), COLS * rows))
    buf = bytearray(w * h * 4)
    for n, t in enumerate(tiles):
        if (t.w, t.h) != (T, T):
            raise SystemExit("tile %d is %dx%d" % (n, t.w, t.h))
        ox, oy = (n % COLS) * T, (n // COLS) * T
        for y in range(T):
            for x in range(T):
                p = t.px[y * T + x]
                a = max(0, min(255, int(round(p[3]))))
                i = ((oy + y) * w + ox + x) * 4
                if a == 0:
                    buf[i:i + 4] = b"\0\0\0\0"
                else:
                    buf[i:i + 4] = bytes((max(0, min(255, int(round(p[0])))),
                                          max(0, min(255, int(round(p[1])))),
                                          max(0, min(255, int(round(p[2])))), a))
    return w, h, bytes(buf)


def png_bytes(w, h, rgba):
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    stride = w * 4
    raw = b"".join(b"\0" + rgba[y * stride:(y + 1) * stride] for y in range(h))
    return (b"\x89PNG\r\n\x1a\n" +
            chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) +
            chunk(b"IEND", b""))


def idat(path):
    """The unpacked image data of a PNG: equal for two of this script's files exactly when
    their pixels are equal, whatever zlib made of them."""
    with open(path, "rb") as f:
        data = f.read()
    at, packed = 8, b""
    while at + 8 <= len(data):
        size, kind = struct.unpack(">I4s", data[at:at + 8])
        if kind == b"IDAT":
            packed += data[at + 8:at + 8 + size]
        at += 12 + size
    try:
        return zlib.decompress(packed)
    except zlib.error:
        return None


def check(out, assets, names):
    """Fails unless each sheet just written into out is byte for byte the one in assets."""
    differ = []
    for name in names:
        with open(os.path.join(out, name), "rb") as a, open(os.path.join(assets, name), "rb") as b:
            if a.read() == b.read():
                continue
        same_pixels = idat(os.path.join(out, name)) == idat(os.path.join(assets, name))
        differ.append("assets/%s differs from the one this script draws (%s): %s" % (
            name, os.path.join(out, name),
            "the pixels are the same, only zlib packed them otherwise" if same_pixels
            else "its pixels differ"))
    if differ:
        raise SystemExit("\n".join(differ) + "\nIf the change to the script is meant, remake "
                         "the sheets with\n    python3 tools/make_tile_sheets.py\nand commit "
                         "them with it; otherwise undo the change to the script or to the PNG.")
    print("the sheets in assets/ are the ones this script draws")


def main():
    # The default follows the script, not the working folder, so a run from elsewhere
    # cannot scatter a stray assets/ folder there.
    here = os.path.dirname(os.path.abspath(__file__))
    assets = os.path.normpath(os.path.join(here, os.pardir, "assets"))
    parser = argparse.ArgumentParser(description="Draws the editor's tile sheets.")
    parser.add_argument("out", nargs="?", help="folder to write into (default: assets/)")
    parser.add_argument("--check", action="store_true",
                        help="write elsewhere (into out, or a temporary folder), then fail "
                             "unless the sheets in assets/ are byte for byte the same")
    args = parser.parse_args()
    if args.check and not args.out:
        with tempfile.TemporaryDirectory() as folder:
            return write_and_check(folder, assets, True)
    if args.check and os.path.abspath(args.out) == assets:
        raise SystemExit("--check compares with assets/, so it needs another folder to draw into")
    write_and_check(args.out or assets, assets, args.check)


def write_and_check(out, assets, checking):
    os.makedirs(out, exist_ok=True)
    tiles = build_tiles()
    base = build_base()
    if tiles[0].px and any(p[3] != 255 for p in tiles[0].px):
        raise SystemExit("tile 0 must be opaque")
    if any(p[3] != 0 for p in tiles[1].px):
        raise SystemExit("tile 1 must be clear")
    sheets = (("tiles.png", tiles, 32), ("base.png", base, 4))
    for name, ts, rows in sheets:
        w, h, rgba = pack(ts, rows)
        path = os.path.join(out, name)
        with open(path, "wb") as f:
            f.write(png_bytes(w, h, rgba))
        print("wrote %s (%dx%d, %d tiles)" % (path, w, h, len(ts)))
    if checking:
        check(out, assets, [name for name, _, _ in sheets])


if __name__ == "__main__":
    main()
