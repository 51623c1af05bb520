#!/usr/bin/env python3
# Paints a small map in the real editor on a private X display and saves docs/screenshot.png.
"""Remakes the README's screenshot.

The editor runs on its own Xvfb, in a scratch copy of the bundled working
directory, and is driven the way a user drives it (through the helpers of the
whole-program tests): brushes are dragged out of the palette, the grass is laid
with Fill Random, a pond, a path and a second layer of trees and props are
stamped, and numbered markers are put down with the w key.  The editor's
window is then cut out of a picture of the screen.

Usage:  python3 tools/make_screenshot.py [VELLORAN_BINARY] [OUT.png]
        (default: build/velloran and docs/screenshot.png)
Needs Xvfb, xdotool, x11-utils, ImageMagick and python3-xlib (./setup.sh installs them).
"""

import os
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
sys.dont_write_bytecode = True
sys.path.insert(0, os.path.join(ROOT, "tests", "program"))

from xsession import Editor, XServer  # noqa: E402

WIDTH, HEIGHT = 800, 600        # the editor's first window
CELL = 16
MENU_BAR_H = 16
PALETTE_X = WIDTH - 256         # the bundled sheets are 16 tiles wide
PAUSE = 0.12


def palette(column, row):
    return (PALETTE_X + CELL * column + CELL // 2, MENU_BAR_H + CELL * row + CELL // 2)


def cell(column, row):
    return (CELL * column + CELL // 2, MENU_BAR_H + CELL * row + CELL // 2)


class Painter:
    def __init__(self, editor):
        self.ed = editor

    def drag(self, points):
        """Holds the left button along points (client coordinates)."""
        self.ed.move(*points[0])
        time.sleep(PAUSE)
        self.ed.press()
        time.sleep(PAUSE)
        for point in points[1:]:
            self.ed.move(*point)
            time.sleep(PAUSE)
        self.ed.release()
        time.sleep(PAUSE)

    def brush(self, c0, r0, c1, r1):
        """Makes the palette block from (c0, r0) to (c1, r1) the left brush."""
        self.drag([palette(c0, r0), palette((c0 + c1) // 2, (r0 + r1) // 2), palette(c1, r1)])

    def stamp(self, *cells):
        for c, r in cells:
            self.drag([cell(c, r)])

    def row(self, r, c0, c1, step=1):
        """Paints along a row of cells, one stamp per step."""
        self.drag([cell(c, r) for c in range(c0, c1 + 1, step)])

    def column(self, c, r0, r1, step=1):
        self.drag([cell(c, r) for r in range(r0, r1 + 1, step)])

    def menu(self, title_x, item):
        """Chooses the item-th entry (from 0) of the menu whose title starts at title_x."""
        self.ed.click(title_x + 20, 8, settle=PAUSE)
        self.ed.click(title_x + 30, 24 + 18 * item, settle=PAUSE)

    def key(self, name, at=None):
        if at:
            self.ed.move(*at)
            time.sleep(PAUSE)
        self.ed.key(name)
        time.sleep(PAUSE)


EDIT, LAYER = 46, 134


def paint(p):
    # Grass: four kinds shuffled over the whole first layer.
    p.brush(3, 0, 6, 0)
    p.menu(EDIT, 2)   # Fill Random, which then returns to Draw
    p.stamp((20, 20))
    # A sandy shore and a pond.
    p.brush(5, 1, 5, 1)
    for r in range(19, 28):
        p.row(r, 3, 13)
    p.brush(0, 3, 0, 3)
    for r in range(20, 27):
        p.row(r, 4, 12)
    # A path from the west edge to a crossing, then down past the pond.
    p.brush(10, 11, 10, 11)
    p.row(9, 0, 32)
    p.brush(14, 11, 14, 11)
    p.stamp((18, 9))
    p.brush(5, 11, 5, 11)
    p.column(18, 10, 35)

    # Trees, bushes, rocks and a camp on a second layer, over the first.
    p.menu(LAYER, 0)  # Add
    p.key("2", cell(20, 20))
    trees = {(0, 19): [(2, 2), (6, 4), (29, 3), (25, 14), (30, 26)],
             (2, 19): [(10, 3), (23, 4), (28, 20), (3, 31)],
             (6, 19): [(14, 14), (22, 30), (12, 31)]}
    for (c, r), places in trees.items():
        p.brush(c, r, c + 1, r + 1)
        p.stamp(*[(x + 1, y + 1) for x, y in places])
    for tile, places in (((9, 19), [(15, 5), (21, 24), (8, 15)]),
                         ((10, 19), [(31, 11), (2, 15), (26, 33)]),
                         ((8, 20), [(14, 21), (2, 24), (31, 17)]),
                         ((11, 20), [(10, 28)]),
                         ((0, 21), [(5, 13), (12, 16), (24, 11)]),
                         ((2, 21), [(16, 17), (27, 7), (7, 17)]),
                         ((15, 26), [(24, 19)]),
                         ((9, 28), [(21, 18)]),
                         ((0, 22), [(27, 18)]),
                         ((9, 22), [(22, 20)]),
                         ((0, 26), [(17, 12)])):
        p.brush(*tile, *tile)
        p.stamp(*places)
    # Numbered markers along the way, joined by lines.
    for c, r in ((2, 8), (12, 8), (20, 11), (20, 22), (14, 33)):
        p.key("w", cell(c, r))


def main(argv):
    binary = os.path.abspath(argv[1] if len(argv) > 1 else os.path.join(ROOT, "build", "velloran"))
    out = os.path.abspath(argv[2] if len(argv) > 2 else os.path.join(ROOT, "docs", "screenshot.png"))
    server = XServer()
    editor = None
    try:
        server.park_pointer()
        editor = Editor(server, binary, os.path.join(ROOT, "assets"))
        editor.find_window()
        paint(Painter(editor))
        server.park_pointer()
        time.sleep(0.5)
        (x, y), (w, h) = editor.geometry()
        shot = os.path.join(editor.folder, "screen.png")
        server.tool("import", "-window", "root", shot)
        # Cut out the window; no time stamps, so the same picture gives the same file.
        subprocess.run(["convert", shot, "-crop", "%dx%d+%d+%d" % (w, h, x, y), "+repage",
                        "-strip", "-define", "png:exclude-chunks=date,time", out], check=True)
        print(out)
    finally:
        if editor is not None:
            editor.stop()
        server.stop()


if __name__ == "__main__":
    main(sys.argv)
