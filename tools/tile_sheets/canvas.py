"""The drawing kit every tile family shares: colour helpers, noise that wraps every
16 pixels (so textures tile with their neighbours), and the RGBA canvas."""

import colorsys
import math
import random
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
