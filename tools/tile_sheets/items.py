"""Small pick-ups."""

import math

from .canvas import T, Tile, darken, lighten, outline, pick, ramp
from .containers import lathe
from .nature import sphere_level


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
