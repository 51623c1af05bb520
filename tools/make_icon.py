#!/usr/bin/env python3
# Draws Velloran's application icon from the bundled tile sheet: packaging/icons/velloran-N.png.
"""The icon is a 4 x 4 block of tiles cut from assets/tiles.png and laid out as a
tiny map: grass, a pond, a tree, a path with a flag, composited with the tiles'
own alpha as the editor composites layers.  It is 64 px square at one pixel per
sheet pixel and is scaled up by whole pixels (nearest neighbour, so the pixel art
stays crisp) to 128 and 256 px.  Only the standard library is used, and the same
sheet always gives byte-identical PNGs.

Usage:  python3 tools/make_icon.py [tiles.png] [output_dir]
        (default: assets/tiles.png and packaging/icons/)
"""

import os
import struct
import sys
import zlib

T = 16      # tile edge in pixels
COLS = 16   # tiles per sheet row


def read_png(path):
    """Width, height and RGBA rows (bytearrays) of an 8-bit RGBA, non-interlaced PNG."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise SystemExit("%s is not a PNG file" % path)
    pos, idat, header = 8, b"", None
    while pos + 8 <= len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    if header is None or header[2:4] != (8, 6) or header[6] != 0:
        raise SystemExit("%s: only 8-bit RGBA, non-interlaced PNGs are read" % path)
    w, h = header[0], header[1]
    raw = zlib.decompress(idat)
    stride, bpp = w * 4, 4
    rows, prev = [], bytearray(stride)
    for y in range(h):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - bpp] if i >= bpp else 0
            b = prev[i]
            c = prev[i - bpp] if i >= bpp else 0
            if kind == 1:
                line[i] = (line[i] + a) & 255
            elif kind == 2:
                line[i] = (line[i] + b) & 255
            elif kind == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                pred = a if pa <= pb and pa <= pc else (b if pb <= pc else c)
                line[i] = (line[i] + pred) & 255
        rows.append(line)
        prev = line
    return w, h, rows


def png_bytes(w, h, rows):
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
    raw = b"".join(b"\x00" + bytes(row) for row in rows)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def tile_pixels(rows, number):
    """The 16 x 16 RGBA pixels of a tile, as a list of (r, g, b, a) rows."""
    x0, y0 = (number % COLS) * T, (number // COLS) * T
    return [[tuple(rows[y0 + y][(x0 + x) * 4:(x0 + x) * 4 + 4]) for x in range(T)] for y in range(T)]


def over(top, bottom):
    """Source-over of two RGBA pixels; the bottom one is opaque."""
    a = top[3] / 255.0
    return tuple(round(top[i] * a + bottom[i] * (1 - a)) for i in range(3)) + (255,)


# The little map, as (column, row) of the sheet per cell, in layers drawn in order.
GROUND = [
    [(3, 0), (4, 0), (5, 0), (3, 0)],
    [(4, 0), (3, 0), (0, 3), (0, 3)],
    [(5, 0), (3, 0), (0, 3), (0, 3)],
    [(2, 11), (10, 11), (8, 11), (4, 0)],
]
PROPS = {
    (0, 0): (0, 19), (1, 0): (1, 19),   # a 2 x 2 tree, top half
    (0, 1): (0, 20), (1, 1): (1, 20),   # and its trunk
    (3, 0): (11, 28),                   # a flag
    (3, 3): (2, 21),                    # flowers
}


def draw(rows):
    size = 4 * T
    image = [[(0, 0, 0, 0)] * size for _ in range(size)]
    for r in range(4):
        for c in range(4):
            col, row = GROUND[r][c]
            ground = tile_pixels(rows, row * COLS + col)
            prop = PROPS.get((c, r))
            top = tile_pixels(rows, prop[1] * COLS + prop[0]) if prop else None
            for y in range(T):
                for x in range(T):
                    pixel = ground[y][x]
                    if pixel[3] < 255:
                        pixel = over(pixel, (0, 0, 0, 255))
                    if top:
                        pixel = over(top[y][x], pixel)
                    image[r * T + y][c * T + x] = pixel
    # A dark frame with cut corners, so the icon reads as a tile on any background.
    frame = (34, 30, 52, 255)
    for i in range(size):
        for (x, y) in ((i, 0), (i, size - 1), (0, i), (size - 1, i)):
            image[y][x] = frame
    for (x, y) in ((0, 0), (size - 1, 0), (0, size - 1), (size - 1, size - 1)):
        image[y][x] = (0, 0, 0, 0)
    return image


def scaled(image, factor):
    out = []
    for row in image:
        line = bytearray()
        for pixel in row:
            line += bytes(pixel) * factor
        out.extend(bytearray(line) for _ in range(factor))
    return out


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    sheet = argv[1] if len(argv) > 1 else os.path.join(here, "..", "assets", "tiles.png")
    out = argv[2] if len(argv) > 2 else os.path.join(here, "..", "packaging", "icons")
    w, h, rows = read_png(sheet)
    if w < COLS * T or h < 29 * T:
        raise SystemExit("%s is too small for the icon's tiles" % sheet)
    image = draw(rows)
    os.makedirs(out, exist_ok=True)
    for factor in (1, 2, 4):
        size = 4 * T * factor
        path = os.path.join(out, "velloran-%d.png" % size)
        with open(path, "wb") as f:
            f.write(png_bytes(size, size, scaled(image, factor)))
        print(path)


if __name__ == "__main__":
    main(sys.argv)
