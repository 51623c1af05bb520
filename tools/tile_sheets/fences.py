"""Fences and hedges, indexed by a join mask: posts at the centre, rails toward
joined sides."""

import math

from .canvas import T, Tile, WrapNoise, darken, lighten, outline, pick, ramp
from .transitions import arm_dist


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
