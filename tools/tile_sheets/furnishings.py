"""Signs, lamps and furniture."""

import math

from .canvas import T, Tile, darken, lighten, outline, shadow


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
