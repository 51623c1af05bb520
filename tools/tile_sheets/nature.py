"""Sprites on a transparent background: trees, bushes, rocks, crystals, flowers
and small plants, and the shaded blobs they are made of."""

import math

from .canvas import T, Tile, WrapNoise, darken, lighten, outline, pick, ramp, shadow


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
