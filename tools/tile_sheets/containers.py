"""Barrels, crates, chests and pots."""

import math

from .canvas import T, Tile, darken, lighten, outline, pick, ramp, shadow


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
