"""Fixed-purpose tiles: the clear tile, the marker, flat swatches and editor helpers."""

import math

from .canvas import T, Tile, darken, lighten, outline
from .items import point_in_poly


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
