"""Other nature bits (stumps, reeds, cacti, hay, ...) and props: graves, pillars, camp,
farm and smithy things, bookshelves and rugs."""

import math

from .canvas import T, Tile, darken, lighten, noisy, outline, pick, ramp, shadow
from .containers import lathe
from .furnishings import glow
from .nature import blob


def stump(rng):
    t = Tile()
    lathe(t, [4.6, 4.8, 4.9, 5.0, 5.1, 5.3, 5.8], ramp((120, 82, 50), 4), top=7)
    for x in range(4, 12):
        t.put(x, 7, (204, 170, 116))
        t.put(x, 8, (180, 146, 96))
    t.rect(6, 7, 9, 8, (170, 130, 84))
    t.put(7, 7, (204, 170, 116))
    outline(t)
    shadow(t, 8.5, 14.5, 6.0, 1.4)
    return t


def log(rng):
    t = Tile()
    for y in range(7, 13):
        lvl = (0.9, 0.8, 0.6, 0.45, 0.3, 0.15)[y - 7]
        for x in range(2, 13):
            t.put(x, y, pick(ramp((124, 84, 52), 4), lvl, x, y, 0.4))
    for y in range(7, 13):
        for x in range(12, 15):
            if (x - 12.5) ** 2 * 2 + (y - 9.5) ** 2 <= 9:
                t.put(x, y, (206, 170, 116))
    t.put(13, 9, (160, 120, 76))
    t.put(13, 10, (160, 120, 76))
    t.put(5, 6, (90, 140, 60))
    t.put(6, 6, (90, 140, 60))
    outline(t)
    shadow(t, 8.5, 13.8, 7.0, 1.3)
    return t


def lily(rng, bloom):
    t = Tile()
    for cx, cy, r in ((6.5, 7.5, 4.0), (11.5, 11.5, 2.6)):
        notch = rng.uniform(0, math.tau)
        for y in range(T):
            for x in range(T):
                dx, dy = x + 0.5 - cx, y + 0.5 - cy
                d = math.hypot(dx, dy)
                a = (math.atan2(dy, dx) - notch) % math.tau
                if d <= r and not (a < 0.5 and d > 0.8):
                    t.put(x, y, (94, 160, 70) if dx + dy < 0 else (70, 132, 56))
    if bloom:
        for dx, dy in ((0, -1), (1, 0), (0, 1), (-1, 0), (0, 0)):
            t.put(6 + dx, 7 + dy, (248, 186, 210) if (dx, dy) != (0, 0) else (250, 230, 110))
    outline(t, 0.45)
    return t


def reeds(rng, cattails):
    t = Tile()
    for i in range(6):
        x = 3 + i * 2 + rng.choice((0, 1))
        h = rng.randint(6, 11)
        for k in range(h):
            t.put(x + (1 if k > h - 3 and i % 2 else 0), 14 - k, (96, 150, 64) if k > 2 else (70, 118, 52))
        if cattails and i % 2 == 0:
            top = 14 - h
            t.put(x, top - 1, (110, 70, 40))
            t.put(x, top - 2, (124, 82, 48))
            t.put(x, top - 3, (96, 150, 64))
    outline(t, 0.6)
    return t


def pebbles(rng):
    t = Tile()
    for _ in range(7):
        x, y = rng.randrange(2, 13), rng.randrange(4, 14)
        c = noisy((150, 146, 140), rng, 30)
        t.put(x, y, lighten(c, 0.2))
        t.put(x + 1, y, c)
        t.put(x, y + 1, darken(c, 0.2))
        t.put(x + 1, y + 1, darken(c, 0.3))
    outline(t, 0.5)
    return t


def bones(rng, skull):
    t = Tile()
    bone = (232, 226, 206)
    if skull:
        for y in range(4, 11):
            for x in range(3, 13):
                if (x - 7.5) ** 2 / 20 + (y - 7.5) ** 2 / 12 <= 1:
                    t.put(x, y, bone if x < 9 else darken(bone, 0.15))
        t.rect(5, 10, 10, 12, darken(bone, 0.1))
        for x in (6, 9):
            t.rect(x - 1, 7, x, 8, (40, 30, 40))
        t.put(7, 10, (60, 50, 60))
        t.put(6, 12, (60, 50, 60))
        t.put(8, 12, (60, 50, 60))
    else:
        for i in range(9):
            t.put(3 + i, 5 + i, bone)
            t.put(3 + i, 12 - i // 2, darken(bone, 0.1))
        for x, y in ((2, 4), (3, 4), (2, 5), (11, 13), (12, 13), (12, 14), (2, 12), (12, 7)):
            t.put(x, y, bone)
    outline(t, 0.6)
    return t


def cactus(rng, round_):
    t = Tile()
    tones = ramp((80, 150, 80), 4)
    if round_:
        blob(t, rng, 8, 10, 5, 4.5, tones, bumps=10, bump=0.05, grain=0.1)
        t.put(8, 5, (250, 120, 170))
        t.put(7, 5, (250, 170, 200))
    else:
        for y in range(2, 15):
            for x in range(6, 10):
                t.put(x, y, tones[3 - (x - 6)] if y > 2 or x in (7, 8) else tones[2])
        for y in range(5, 10):
            t.put(3, y, tones[2])
            t.put(4, y, tones[1])
        t.put(4, 10, tones[1])
        t.put(5, 10, tones[1])
        for y in range(3, 8):
            t.put(11, y, tones[2])
            t.put(12, y, tones[1])
        t.put(10, 8, tones[1])
        t.put(11, 8, tones[1])
    for _ in range(6):
        x, y = rng.randrange(T), rng.randrange(T)
        if t.alpha(x, y):
            t.put(x, y, (240, 240, 210))
    outline(t, 0.55)
    shadow(t, 8.5, 14.6, 4.5, 1.2)
    return t


def hay(rng):
    t = Tile()
    lathe(t, [4.8, 5.4, 5.8, 6.0, 6.0, 6.0, 5.8, 5.4, 4.8], ramp((220, 180, 90), 4), top=5)
    for y in range(5, 14):
        for x in range(T):
            if t.alpha(x, y) and (x * 5 + y * 3) % 7 == 0:
                t.put(x, y, (176, 136, 60))
    for y in range(5, 14):
        t.put(5, y, (150, 110, 70)) if t.alpha(5, y) else None
        t.put(10, y, (140, 100, 60)) if t.alpha(10, y) else None
    outline(t)
    shadow(t, 8.5, 14.5, 6.5, 1.4)
    return t


def woodpile(rng):
    t = Tile()
    for row, (cy, xs) in enumerate(((11.5, (3.5, 7.5, 11.5)), (8.0, (5.5, 9.5)), (4.5, (7.5,)))):
        for cx in xs:
            for y in range(T):
                for x in range(T):
                    d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
                    if d <= 2.2:
                        t.put(x, y, (210, 172, 116) if d < 1.3 else (120, 80, 48))
    outline(t)
    shadow(t, 8.5, 14.5, 6.0, 1.2)
    return t


def beehive(rng):
    t = Tile()
    lathe(t, [2.5, 3.8, 4.6, 5.2, 5.5, 5.6, 5.6, 5.5, 5.2, 4.6], ramp((214, 168, 70), 4), top=4,
          band_rows=(2, 5, 8), band=ramp((170, 120, 46), 3))
    t.rect(7, 11, 8, 12, (50, 34, 24))
    t.put(12, 4, (30, 30, 30))
    t.put(13, 3, (250, 210, 60))
    outline(t)
    shadow(t, 8.5, 14.5, 5.5, 1.3)
    return t


def gravestone(rng, cross):
    t = Tile()
    stone = (150, 150, 164)
    if cross:
        t.rect(7, 2, 9, 13, stone)
        t.rect(4, 5, 12, 7, stone)
        t.rect(7, 2, 7, 13, lighten(stone, 0.25))
        t.rect(4, 5, 12, 5, lighten(stone, 0.25))
    else:
        for y in range(3, 14):
            for x in range(4, 12):
                if y > 6 or (x + 0.5 - 8) ** 2 + (y + 0.5 - 7) ** 2 <= 16:
                    t.put(x, y, stone if x < 10 else darken(stone, 0.2))
        for y in (7, 9):
            t.rect(6, y, 9, y, darken(stone, 0.35))
        t.put(5, 12, (90, 140, 60))
        t.put(6, 13, (90, 140, 60))
    t.rect(3, 13, 12, 14, (110, 84, 58))
    outline(t)
    shadow(t, 8.5, 14.8, 5.5, 1.0)
    return t


def pillar(rng, broken):
    t = Tile()
    stone = (214, 208, 196)
    tones = ramp(stone, 4)
    top = 5 if broken else 1
    prof = [6.0, 5.2] + [3.6] * (12 - top) + [5.2, 6.0]
    lathe(t, prof, tones, top=top - 0)
    for y in range(top + 2, top + len(prof) - 2):
        for x in (6, 9):
            t.put(x, y, darken(stone, 0.2))
    if broken:
        for x in range(4, 12):
            t.put(x, top + (x * 7 % 3), (0, 0, 0), 0)
    outline(t)
    shadow(t, 8.5, 14.8, 5.5, 1.1)
    return t


def obelisk(rng):
    t = Tile()
    for y in range(1, 15):
        w = 1.5 + (y - 1) * 0.22 if y > 2 else (y - 0.5) * 0.8
        for x in range(T):
            dx = x + 0.5 - 8
            if abs(dx) <= w:
                t.put(x, y, (120, 116, 140) if dx < 0 else (86, 82, 104))
    for y in (6, 8, 10):
        t.put(7, y, (230, 200, 90))
    outline(t)
    shadow(t, 8.5, 14.8, 4.0, 1.0)
    return t


def campfire(rng):
    t = Tile()
    for x0, y0, x1, y1 in ((3, 13, 12, 10), (4, 10, 12, 13)):
        t.line(x0, y0, x1, y1, (110, 72, 44))
        t.line(x0, y0 + 1, x1, y1 + 1, (80, 52, 32))
    for y in range(3, 12):
        w = (y - 3) * 0.45
        for x in range(T):
            dx = x + 0.5 - 8
            if abs(dx) <= w + (0.6 if y > 8 else 0):
                inner = abs(dx) < w * 0.45
                t.put(x, y, (255, 236, 130) if inner and y > 6 else (250, 150, 40) if abs(dx) < w * 0.8 else (214, 74, 28))
    for x, y in ((3, 12), (12, 12), (5, 14), (10, 14)):
        t.put(x, y, (120, 120, 130))
    outline(t, 0.5)
    glow(t, 8, 8, 8, (255, 170, 70), 90)
    return t


def cauldron(rng):
    t = Tile()
    lathe(t, [5.0, 5.4, 5.7, 5.8, 5.6, 5.2, 4.4, 3.4], ramp((60, 60, 70), 4), top=6)
    for x in range(4, 12):
        t.put(x, 6, (110, 210, 90))
        t.put(x, 7, (70, 160, 60))
    t.put(6, 4, (150, 240, 120))
    t.put(9, 3, (150, 240, 120))
    t.put(4, 14, (40, 40, 46))
    t.put(11, 14, (40, 40, 46))
    outline(t, 0.5)
    shadow(t, 8.5, 14.8, 5.5, 1.1)
    return t


def anvil(rng):
    t = Tile()
    steel = (110, 114, 128)
    t.rect(3, 5, 13, 7, steel)
    t.rect(1, 5, 3, 6, steel)
    t.rect(3, 5, 13, 5, lighten(steel, 0.4))
    t.rect(6, 8, 10, 11, darken(steel, 0.2))
    t.rect(4, 12, 12, 13, steel)
    outline(t, 0.5)
    shadow(t, 8.5, 14.5, 6.0, 1.2)
    return t


def bookshelf(rng):
    t = Tile()
    wood = (120, 78, 44)
    t.rect(1, 1, 14, 14, darken(wood, 0.2))
    t.rect(2, 2, 13, 13, (50, 34, 26))
    for shelf in (2, 8):
        x = 2
        while x < 13:
            w = rng.randint(1, 2)
            h = rng.randint(4, 5)
            c = rng.choice(((170, 50, 50), (50, 90, 160), (60, 130, 70), (200, 170, 80), (120, 70, 130)))
            for k in range(w):
                for y in range(shelf + 5 - h, shelf + 5):
                    t.put(x + k, y, c if k == 0 else darken(c, 0.2))
            x += w
        t.rect(1, shelf + 5, 14, shelf + 5, wood)
    t.rect(1, 1, 14, 1, lighten(wood, 0.3))
    outline(t)
    return t


def rug(rng, base, trim):
    t = Tile()
    for y in range(2, 14):
        for x in range(1, 15):
            edge = x in (1, 14) or y in (2, 13)
            inner = (x in (3, 12) and 4 <= y <= 11) or (y in (4, 11) and 3 <= x <= 12)
            c = trim if edge or inner else base
            if abs(x - 7.5) + abs(y - 7.5) < 3:
                c = trim
            t.put(x, y, c, 235)
    for y in range(3, 13, 2):
        t.put(0, y, lighten(trim, 0.3))
        t.put(15, y, lighten(trim, 0.3))
    return t


def scarecrow(rng):
    t = Tile()
    for y in range(3, 15):
        t.put(7, y, (120, 84, 50))
    t.rect(3, 6, 12, 6, (120, 84, 50))
    t.rect(5, 6, 10, 10, (80, 110, 160))
    t.rect(5, 6, 10, 6, (110, 140, 190))
    t.rect(6, 2, 9, 5, (230, 200, 130))
    t.rect(5, 1, 10, 1, (140, 100, 50))
    t.rect(6, 0, 9, 0, (140, 100, 50))
    t.put(7, 3, (40, 30, 30))
    t.put(8, 3, (40, 30, 30))
    for x in (3, 12):
        t.put(x, 7, (220, 190, 100))
    outline(t, 0.5)
    shadow(t, 8.5, 14.8, 4.0, 1.0)
    return t


def target_dummy(rng):
    t = Tile()
    for x in (4, 11):
        for y in range(8, 15):
            t.put(x, y, (120, 84, 50))
    for y in range(T):
        for x in range(T):
            d = math.hypot(x + 0.5 - 8, y + 0.5 - 7)
            if d <= 5.6:
                ring = int(d / 1.4)
                t.put(x, y, ((230, 60, 50), (240, 236, 220), (230, 60, 50), (240, 236, 220), (210, 180, 100))[ring])
    outline(t, 0.5)
    shadow(t, 8.5, 14.8, 5.0, 1.0)
    return t


def tent(rng, cloth):
    t = Tile()
    tones = ramp(cloth, 3)
    for y in range(2, 14):
        w = (y - 1) * 0.6
        for x in range(T):
            dx = x + 0.5 - 8
            if abs(dx) <= w:
                t.put(x, y, tones[2] if dx < 0 else tones[1])
    for y in range(8, 14):
        w = (y - 7) * 0.35
        for x in range(T):
            if abs(x + 0.5 - 8) <= w:
                t.put(x, y, (40, 30, 30))
    t.put(8, 1, (120, 84, 50))
    t.put(8, 0, (220, 60, 50))
    t.put(9, 0, (220, 60, 50))
    outline(t)
    shadow(t, 8.5, 14.5, 7.0, 1.3)
    return t


def flagpole(rng, cloth):
    t = Tile()
    for y in range(1, 15):
        t.put(4, y, (200, 200, 210))
        t.put(5, y, (140, 140, 150))
    for y in range(2, 8):
        for x in range(6, 14):
            wave = int(math.sin((x - 6) * 0.8) * 1.0)
            yy = y + wave
            t.put(x, yy, cloth if y > 2 else lighten(cloth, 0.25))
    t.put(4, 0, (240, 210, 90))
    outline(t, 0.5)
    shadow(t, 5.5, 14.8, 2.5, 0.9)
    return t
