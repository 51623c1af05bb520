"""Walls and roofs (opaque)."""

from .canvas import T, Tile, Voronoi, darken, lighten, noisy, nudge, pick, ramp
from .ground import planks, textured


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
