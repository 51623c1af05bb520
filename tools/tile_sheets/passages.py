"""Stairs, bridges, ladders, trapdoors, pits and doors."""

import math

from .buildings import door
from .canvas import T, Tile, darken, lighten, mix, noisy, nudge, outline, ramp
from .ground import slabs
from .nature import blob


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
