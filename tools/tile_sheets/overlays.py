"""Semi-transparent overlays laid over other tiles."""

import math

from .canvas import T, Tile, WrapNoise, darken


def overlay(rng, kind):
    t = Tile()
    n = WrapNoise(rng, 4)
    if kind == "puddle":
        for y in range(T):
            for x in range(T):
                d = math.hypot((x + 0.5 - 8) / 6, (y + 0.5 - 8.5) / 4.2) + n(x, y) * 0.18
                if d < 1:
                    t.put(x, y, (110, 150, 200) if d > 0.8 else (80, 120, 180), 170)
        t.put(5, 7, (220, 236, 255), 220)
        t.put(6, 7, (220, 236, 255), 200)
    elif kind == "cracks":
        for _ in range(3):
            x, y = 8, 8
            for i in range(7):
                t.put(x, y, (20, 18, 24), 170)
                x += rng.choice((-1, 0, 1))
                y += rng.choice((-1, 1))
    elif kind == "moss":
        for y in range(T):
            for x in range(T):
                if n(x, y) > 0.0:
                    t.put(x, y, (80, 130, 56) if n(x, y) > 0.3 else (100, 150, 66), 190)
    elif kind == "snow":
        for y in range(T):
            for x in range(T):
                if n(x, y) > -0.1:
                    t.put(x, y, (240, 246, 252), 230 if n(x, y) > 0.2 else 150)
    elif kind == "leaves":
        for _ in range(16):
            x, y = rng.randrange(T), rng.randrange(T)
            c = rng.choice(((220, 120, 40), (200, 80, 40), (230, 180, 60), (170, 90, 40)))
            t.put(x, y, c)
            t.put(x + 1, y, darken(c, 0.2), wrap=False)
    elif kind == "fog":
        for y in range(T):
            for x in range(T):
                a = int(max(0.0, 60 + n(x, y) * 50))
                t.put(x, y, (230, 236, 244), a)
    elif kind == "shadow":
        t.fill((10, 12, 28), 90)
    elif kind == "shadow_n":
        for y in range(T):
            for x in range(T):
                t.put(x, y, (10, 12, 28), int(110 * (1 - y / T)))
    elif kind == "dark":
        t.fill((6, 6, 20), 150)
    elif kind == "light":
        for y in range(T):
            for x in range(T):
                d = math.hypot(x + 0.5 - 8, y + 0.5 - 8) / 8
                t.put(x, y, (255, 226, 150), int(max(0, 80 * (1 - d))))
    elif kind == "footprints":
        for i, (x, y) in enumerate(((4, 13), (9, 10), (5, 6), (10, 2))):
            t.rect(x, y, x + 1, y + 2, (70, 50, 40), 130)
    elif kind == "sparkle":
        for x, y in ((4, 4), (11, 7), (6, 12)):
            t.put(x, y, (255, 255, 255))
            for dx, dy in ((0, -1), (1, 0), (0, 1), (-1, 0)):
                t.put(x + dx, y + dy, (255, 250, 200), 150)
    elif kind == "scorch":
        for y in range(T):
            for x in range(T):
                d = math.hypot(x + 0.5 - 8, y + 0.5 - 8) / 7 + n(x, y) * 0.2
                if d < 1:
                    t.put(x, y, (24, 20, 20), int(200 * (1 - d * d)))
    elif kind == "grass_tufts":
        for _ in range(6):
            x, y = rng.randrange(2, 14), rng.randrange(3, 15)
            for dx, h in ((-1, 2), (0, 3), (1, 2)):
                for k in range(h):
                    t.put(x + dx, y - k, (70, 130, 50) if k == 0 else (104, 168, 70))
    elif kind == "web":
        for a in range(0, 360, 45):
            r = math.radians(a)
            t.line(0, 0, round(math.cos(r) * 20), round(math.sin(r) * 20), (230, 230, 240), 150)
        for rad in (4, 8, 12):
            for k in range(0, 91, 5):
                r = math.radians(k)
                t.put(round(math.cos(r) * rad), round(math.sin(r) * rad), (230, 230, 240), 150)
    elif kind == "ripples":
        for rad in (2.5, 5.0, 7.5):
            for k in range(0, 360, 6):
                r = math.radians(k)
                t.put(round(8 + math.cos(r) * rad), round(8 + math.sin(r) * rad * 0.6),
                      (230, 240, 255), int(180 - rad * 18))
    return t
