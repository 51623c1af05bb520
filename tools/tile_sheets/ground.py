"""Ground textures: opaque, and each tiles seamlessly with itself."""

import math

from .canvas import T, Tile, Voronoi, WrapNoise, darken, lighten, mix, noisy, nudge, scatter


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
