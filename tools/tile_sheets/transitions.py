"""Terrain blends indexed by a corner mask, and paths indexed by a join mask."""

import math

from .canvas import T, Tile, WrapNoise, rng_for


def corner_set(name, make_a, make_b, edge_a=None, edge_b=None, amp=0.2):
    """Sixteen blends between terrain a and b, indexed by corner mask."""
    rng = rng_for(name)
    n1 = WrapNoise(rng, 4)
    n2 = WrapNoise(rng, 8)
    tiles = []
    for mask in range(16):
        a, b = make_a(rng), make_b(rng)
        nw, ne, sw, se = [(mask >> i) & 1 for i in range(4)]
        t = Tile()
        for y in range(T):
            for x in range(T):
                u = (x + 0.5) / T
                w = (y + 0.5) / T
                u = u * u * (3 - 2 * u)
                w = w * w * (3 - 2 * w)
                v = nw * (1 - u) * (1 - w) + ne * u * (1 - w) + sw * (1 - u) * w + se * u * w
                v += (n1(x, y) * 0.7 + n2(x, y) * 0.3) * amp
                if v > 0.5:
                    c = b.get(x, y)
                    if edge_b and v < 0.58:
                        c = edge_b(c)
                else:
                    c = a.get(x, y)
                    if edge_a and v > 0.42:
                        c = edge_a(c)
                t.put(x, y, c)
        tiles.append(t)
    return tiles


def seg_dist(px, py, ax, ay, bx, by):
    vx, vy = bx - ax, by - ay
    wx, wy = px - ax, py - ay
    l2 = vx * vx + vy * vy
    k = max(0.0, min(1.0, (wx * vx + wy * vy) / l2)) if l2 else 0.0
    return math.hypot(px - (ax + vx * k), py - (ay + vy * k))


ARMS = ((7.5, -3.0), (19.0, 7.5), (7.5, 19.0), (-3.0, 7.5))   # N E S W


def arm_dist(mask, px, py):
    d = math.hypot(px - 7.5, py - 7.5)
    for i, (ex, ey) in enumerate(ARMS):
        if mask >> i & 1:
            d = min(d, seg_dist(px, py, 7.5, 7.5, ex, ey))
    return d


def path_set(name, make_ground, make_path, rim, radius=4.6):
    """Sixteen path pieces on ground, indexed by the N/E/S/W join mask."""
    rng = rng_for(name)
    n = WrapNoise(rng, 4)
    tiles = []
    for mask in range(16):
        g, p = make_ground(rng), make_path(rng)
        t = Tile()
        for y in range(T):
            for x in range(T):
                d = arm_dist(mask, x + 0.5, y + 0.5) + n(x, y) * 0.7
                if d < radius - 1:
                    c = p.get(x, y)
                elif d < radius:
                    c = rim(p.get(x, y), g.get(x, y))
                else:
                    c = g.get(x, y)
                t.put(x, y, c)
        tiles.append(t)
    return tiles
