#!/usr/bin/env python3
# Draws Velloran's tile sheets: assets/tiles.png (tiles 0-511) and assets/base.png (tiles 512-575).
"""Procedural tile art for Velloran.

Every pixel is drawn from fixed random seeds, so running the script twice gives
byte-identical PNGs.  The tiles of each family (ground, walls, trees, props, ...)
are drawn by its module in tile_sheets/; this script lays them out on the sheets.
Only the standard library is used: the PNG writer at the bottom emits 8-bit RGBA
(colour type 6) with a single IDAT chunk.

Usage:  python3 tools/make_tile_sheets.py [output_dir]
        (default: the assets/ folder beside tools/, wherever it is run from)
        python3 tools/make_tile_sheets.py --check [output_dir]
        (draws elsewhere and fails unless assets/ holds the same bytes)

Sheets hold 16x16 tiles, 16 per row, numbered row by row.  Groups of 16 that
are indexed by a bit mask are laid out so the column equals the mask:
  * corner blends (rows 4-10): bit0 = NW, bit1 = NE, bit2 = SW, bit3 = SE;
    a set bit means that corner is the second terrain (water, sand, ...).
  * connecting pieces (paths, fences, hedges): bit0 = N, bit1 = E,
    bit2 = S, bit3 = W; a set bit means the piece joins that neighbour.
"""

import argparse
import os
import struct
import tempfile
import zlib

from tile_sheets.buildings import (bricks, door, log_wall, shingles, stone_wall, thatch,
    wall_variants, wood_wall)
from tile_sheets.canvas import COLS, T, darken, lighten, mix, rng_for, shift
from tile_sheets.containers import barrel, chest, crate, pot
from tile_sheets.editor import clear_tile, marker_tile, swatch, utility
from tile_sheets.fences import hedge, iron_fence, wood_fence
from tile_sheets.furnishings import furniture, lamp, sign
from tile_sheets.ground import (carpet, checker, cobbles, dark_rock, dirt, grass, gravel, ice,
    lava, marble, metal, mud, pavers, planks, sand, slabs, snow, swamp, tilled, water)
from tile_sheets.items import item
from tile_sheets.nature import (big_tree, birch, bush, crystal, dead_tree, flowers, mushrooms,
    palm, pine, rock, round_tree, tall_grass)
from tile_sheets.overlays import overlay
from tile_sheets.passages import bridge, cave, door_tile, ladder, pit, stairs, trapdoor
from tile_sheets.props import (anvil, beehive, bones, bookshelf, cactus, campfire, cauldron,
    flagpole, gravestone, hay, lily, log, obelisk, pebbles, pillar, reeds, rug, scarecrow, stump,
    target_dummy, tent, woodpile)
from tile_sheets.transitions import corner_set, path_set


# --------------------------------------------------------------------------
# sheet layout

def build_tiles():
    tiles = []

    def add(*ts):
        for t in ts:
            tiles.append(t)

    def at_row(n):
        # guards the layout: a group that grows or shrinks would shift every tile after it
        if len(tiles) != n * COLS:
            raise SystemExit("row %d starts at tile %d, expected %d" % (n, len(tiles), n * COLS))

    r = rng_for

    at_row(0)
    # row 0: the fixed tiles, then grass
    add(grass(r("grass0")), clear_tile(), marker_tile())
    for i, (base, tuft) in enumerate((((92, 156, 64), 34), ((84, 146, 58), 18), ((104, 166, 70), 30),
                                      ((76, 132, 56), 28), ((118, 160, 70), 24), ((140, 160, 80), 22))):
        add(grass(r("grass%d" % (i + 1)), base, tuft))
    add(grass(r("gflow1"), flowers=([(250, 250, 250), (250, 240, 120)], 3)))
    add(grass(r("gflow2"), flowers=([(236, 90, 110), (250, 170, 200)], 3)))
    add(grass(r("gflow3"), flowers=([(140, 150, 250), (250, 250, 250)], 3)))
    add(grass(r("gdry"), (150, 150, 80), 30), grass(r("gautumn"), (170, 140, 66), 30))
    add(grass(r("gdead"), (132, 120, 80), 26), grass(r("gdark"), (56, 108, 52), 30))

    at_row(1)
    # row 1: loose ground
    for i in range(3):
        add(dirt(r("dirt%d" % i)))
    add(dirt(r("dirt_red"), (150, 86, 58)), dirt(r("dirt_dark"), (98, 74, 56)))
    for i in range(3):
        add(sand(r("sand%d" % i)))
    add(sand(r("sand_red"), (214, 164, 112)), sand(r("sand_pale"), (236, 226, 196)))
    add(snow(r("snow0")), snow(r("snow1")), gravel(r("gravel")), mud(r("mud")))
    add(tilled(r("field")), tilled(r("field_crop"), crop=((90, 160, 60), (120, 190, 80))))

    at_row(2)
    # row 2: built floors
    add(slabs(r("slab0")), slabs(r("slab1")), slabs(r("slab_warm"), (176, 160, 140)), slabs(r("slab_dark"), (100, 100, 112)))
    add(cobbles(r("cob0")), cobbles(r("cob1")), cobbles(r("cob_warm"), (170, 150, 120)))
    add(planks(r("pl0")), planks(r("pl1"), (130, 86, 52)), planks(r("pl2"), (196, 156, 100), vertical=True))
    add(checker(r("chk0"), (230, 226, 214), (60, 60, 72)), checker(r("chk1"), (190, 80, 64), (226, 200, 150), 4))
    add(marble(r("marble")), carpet(r("carpet_r"), (160, 40, 50), (226, 184, 80)))
    add(carpet(r("carpet_b"), (40, 70, 150), (200, 200, 220)), dark_rock(r("dungeon")))

    at_row(3)
    # row 3: liquids
    add(water(r("deep0"), (40, 84, 164)), water(r("deep1"), (40, 84, 164)))
    for i in range(4):
        add(water(r("water%d" % i)))
    add(water(r("shallow0"), (72, 146, 204), True), water(r("shallow1"), (72, 146, 204), True))
    add(water(r("teal"), (50, 140, 150)), ice(r("ice0")), ice(r("ice1")))
    add(lava(r("lava0")), lava(r("lava1")), swamp(r("swamp0")), swamp(r("swamp1")), water(r("night"), (30, 50, 110)))

    at_row(4)
    # rows 4-10: corner blends
    foam = lambda c: lighten(c, 0.45)
    wet = lambda c: darken(c, 0.18)
    add(*corner_set("grass_water", grass, water, wet, foam))
    add(*corner_set("sand_water", sand, water, wet, foam))
    add(*corner_set("grass_sand", grass, sand, lambda c: mix(c, (190, 180, 110), 0.4), None))
    add(*corner_set("grass_dirt", grass, dirt, lambda c: darken(c, 0.2), lambda c: darken(c, 0.12)))
    add(*corner_set("snow_water", snow, lambda g: water(g, (60, 110, 170)), lambda c: (206, 222, 240), lambda c: (210, 236, 250)))
    add(*corner_set("grass_snow", grass, snow, lambda c: mix(c, (230, 240, 250), 0.45), None))
    add(*corner_set("rock_lava", lambda g: dark_rock(g), lava, lambda c: mix(c, (160, 60, 30), 0.4), lambda c: (120, 30, 24)))

    at_row(11)
    # rows 11-13: paths
    path_rim = lambda p, g: darken(mix(p, g, 0.4), 0.15)
    add(*path_set("dirt_path", grass, lambda g: dirt(g, (156, 118, 76)), path_rim, 5.2))
    add(*path_set("cobble_road", grass, lambda g: cobbles(g, (156, 150, 140)), lambda p, g: darken(g, 0.3), 5.2))
    add(*path_set("gravel_path", snow, lambda g: gravel(g, (140, 136, 132)), lambda p, g: mix(p, g, 0.5)))

    at_row(14)
    # rows 14-16: walls; four materials per row, four variants each
    for base in ((170, 76, 58), (132, 88, 70), (150, 146, 150), (196, 166, 110)):
        add(*wall_variants(r("brick%r" % (base,)), lambda g, b=base: bricks(g, b), base, (90, 64, 44)))
    for base in ((150, 148, 150), (124, 118, 112), (170, 160, 136), (96, 104, 110)):
        add(*wall_variants(r("stone%r" % (base,)), lambda g, b=base: stone_wall(g, b), base, (70, 70, 80)))
    add(*wall_variants(r("wood0"), lambda g: wood_wall(g, (150, 104, 62)), (150, 104, 62), (90, 60, 36)))
    add(*wall_variants(r("wood1"), lambda g: wood_wall(g, (110, 80, 56)), (110, 80, 56), (70, 50, 34)))
    add(*wall_variants(r("log0"), lambda g: log_wall(g, (150, 104, 62)), (150, 104, 62), (90, 60, 36)))
    t = wood_wall(r("wood_door"), (150, 104, 62))
    door(t)
    add(t, log_wall(r("log1"), (120, 84, 56)))
    t = bricks(r("brick_door"), (170, 76, 58))
    door(t)
    add(t)
    t = stone_wall(r("stone_door"), (150, 148, 150))
    door(t, (100, 64, 40))
    add(t)

    at_row(17)
    # row 17: roofs
    for base in ((180, 70, 56), (70, 90, 130), (70, 120, 80)):
        for v in range(4):
            add(shingles(r("roof%r%d" % (base, v)), base, v))
    for v in range(4):
        add(thatch(r("thatch%d" % v), v))

    at_row(18)
    # row 18: small trees
    add(round_tree(r("t0"), (70, 140, 56)), round_tree(r("t1"), (46, 110, 60)))
    add(round_tree(r("t2"), (210, 130, 40)), round_tree(r("t3"), (190, 70, 50)))
    add(round_tree(r("t4"), (80, 150, 60), fruit=(230, 50, 50)), round_tree(r("t5"), (80, 150, 60), fruit=(250, 160, 40)))
    add(round_tree(r("t6"), (236, 160, 190)), round_tree(r("t7"), (140, 170, 60)))
    add(pine(r("p0"), (40, 110, 70)), pine(r("p1"), (30, 86, 70)), pine(r("p2"), (40, 110, 70), True), pine(r("p3"), (60, 110, 110)))
    add(birch(r("b0"), (130, 190, 80)), dead_tree(r("d0")), palm(r("palm0"), (80, 170, 60)), palm(r("palm1"), (120, 160, 60)))

    # rows 19-20: four 2x2 trees in columns 0-7 (top halves on row 19, bottoms on
    # row 20), then bushes beside the tops and rocks beside the bottoms
    at_row(19)
    quarters = [big_tree(r("bt0"), (66, 136, 56)), big_tree(r("bt1"), (40, 100, 60)),
                big_tree(r("bt2"), (214, 120, 40)),
                big_tree(r("bt3"), (236, 160, 190), extra=(255, 230, 240))]
    for q in quarters:
        add(q[0], q[1])
    add(bush(r("bu0"), (70, 140, 56)), bush(r("bu1"), (46, 110, 60)), bush(r("bu2"), (70, 140, 56), (200, 40, 70)))
    add(bush(r("bu3"), (70, 140, 56), (250, 180, 220)), bush(r("bu4"), (90, 150, 60), (250, 230, 90)))
    add(bush(r("bu5"), (200, 120, 50)), bush(r("bu6"), (60, 120, 70), snowy=True), bush(r("bu7"), (110, 130, 80)))
    at_row(20)
    for q in quarters:
        add(q[2], q[3])
    add(rock(r("ro0"), (136, 136, 146), 0.7), rock(r("ro1"), (136, 136, 146)), rock(r("ro2"), (150, 120, 90)))
    add(rock(r("ro3"), (130, 130, 136), mossy=True), rock(r("ro4"), (210, 170, 110)), rock(r("ro5"), (80, 78, 90)))
    add(rock(r("ro6"), (136, 136, 146), snowy=True), crystal(r("cr0"), (110, 200, 240)))

    at_row(21)
    # row 21: flowers and small plants
    for c in ((230, 60, 70), (250, 220, 70), (110, 130, 240), (250, 250, 250), (170, 90, 220), (250, 150, 60)):
        add(flowers(r("fl%r" % (c,)), c))
    add(flowers(r("fl_tall"), (250, 120, 170), 3, tall=True), flowers(r("fl_tall2"), (140, 90, 230), 3, tall=True))
    add(tall_grass(r("tg0"), (100, 170, 70)), tall_grass(r("tg1"), (170, 160, 80)), tall_grass(r("tg2"), (60, 130, 70)))
    add(mushrooms(r("m0"), (220, 50, 50)), mushrooms(r("m1"), (160, 110, 70), False), mushrooms(r("m2"), (150, 90, 200)))
    add(crystal(r("cr1"), (200, 90, 220)), crystal(r("cr2"), (110, 220, 120)))

    at_row(22)
    # row 22: containers
    add(barrel(r("ba0"), (150, 100, 56)), barrel(r("ba1"), (110, 74, 46)), barrel(r("ba2"), (150, 100, 56), (60, 110, 180)))
    add(barrel(r("ba3"), (170, 70, 50)))
    add(crate(r("cr_a"), (176, 128, 74)), crate(r("cr_b"), (140, 96, 56)), crate(r("cr_c"), (176, 128, 74), True))
    add(crate(r("cr_d"), (190, 170, 120)))
    add(chest(r("ch0")), chest(r("ch1"), True))
    add(pot(r("po0"), (186, 104, 64), 0), pot(r("po1"), (90, 120, 170), 1), pot(r("po2"), (170, 90, 60), 2))
    add(pot(r("po3"), (200, 176, 130), 3), pot(r("po4"), (220, 210, 190), 1), pot(r("po5"), (120, 150, 100), 0))

    at_row(23)
    # rows 23-25: connecting fences and hedges
    for mask in range(16):
        add(wood_fence(mask))
    for mask in range(16):
        add(iron_fence(mask))
    hr = r("hedge")
    for mask in range(16):
        add(hedge(mask, hr))

    at_row(26)
    # row 26: signs, lights, furniture
    for k in range(4):
        add(sign(r("sign%d" % k), k))
    for k in range(4):
        add(lamp(r("lamp%d" % k), k))
    for k in range(4):
        add(furniture(r("furn%d" % k), k))
    add(bookshelf(r("books")), rug(r("rug0"), (150, 40, 50), (226, 184, 80)), rug(r("rug1"), (40, 80, 140), (220, 220, 230)))
    add(campfire(r("fire")))

    at_row(27)
    # row 27: more nature
    add(stump(r("stump")), log(r("log")), lily(r("lily0"), False), lily(r("lily1"), True))
    add(reeds(r("reed0"), False), reeds(r("reed1"), True), pebbles(r("peb")), bones(r("bone"), False))
    add(bones(r("skull"), True), cactus(r("cac0"), False), cactus(r("cac1"), True), hay(r("hay")))
    add(woodpile(r("wood")), beehive(r("hive")), rock(r("ro7"), (170, 160, 150), 0.5), bush(r("bu8"), (130, 160, 70), (250, 250, 250)))

    at_row(28)
    # row 28: structures and camp props
    add(gravestone(r("gs0"), False), gravestone(r("gs1"), True), pillar(r("pi0"), False), pillar(r("pi1"), True))
    add(obelisk(r("ob")), cauldron(r("cau")), anvil(r("anv")), scarecrow(r("scare")))
    add(target_dummy(r("dummy")), tent(r("tent0"), (200, 180, 130)), tent(r("tent1"), (170, 60, 60)))
    add(flagpole(r("flag0"), (220, 50, 50)), flagpole(r("flag1"), (60, 110, 220)))
    add(pit(r("pit")), cave(r("cave")), ladder(r("ladder")))

    at_row(29)
    # row 29: overlays with partial alpha
    for kind in ("puddle", "cracks", "moss", "snow", "leaves", "fog", "shadow", "shadow_n",
                 "dark", "light", "footprints", "sparkle", "scorch", "grass_tufts", "web", "ripples"):
        add(overlay(r("ov_" + kind), kind))

    at_row(30)
    # row 30: stairs, bridges, doors
    for k in range(4):
        add(stairs(r("st%d" % k), (150, 146, 150), k))
    for k in range(4):
        add(stairs(r("sw%d" % k), (160, 112, 66), k))
    add(bridge(r("br0"), False), bridge(r("br1"), True))
    add(trapdoor(r("td0"), False), trapdoor(r("td1"), True))
    add(door_tile(r("dt0"), False), door_tile(r("dt1"), True))
    add(slabs(r("slab_moss"), (120, 140, 110)), pavers(r("hex0"), (150, 150, 160), (90, 90, 100)))

    at_row(31)
    # row 31: pick-ups
    for kind in ("coin", "coins", "gem_r", "gem_g", "gem_b", "gem_p", "key", "potion_r",
                 "potion_b", "potion_g", "heart", "sword", "shield", "scroll", "bomb", "star"):
        add(item(r("it_" + kind), kind))
    at_row(32)
    return tiles


def build_base():
    tiles = []
    r = rng_for
    # row 0: flat colours
    for c in ((20, 20, 26), (80, 80, 92), (160, 160, 170), (240, 240, 244), (180, 50, 50), (230, 120, 50),
              (240, 210, 80), (90, 170, 70), (40, 110, 70), (60, 160, 170), (60, 100, 200), (40, 50, 120),
              (130, 80, 180), (220, 120, 170), (130, 90, 56), (200, 170, 120)):
        tiles.append(swatch(c))
    # row 1: editor helpers
    for kind in ("grid", "select", "block", "noentry", "arrow_n", "arrow_e", "arrow_s", "arrow_w",
                 "spawn", "exit", "checker", "question", "tint_r", "tint_g", "tint_b", "tint_y"):
        tiles.append(utility(r("ut_" + kind), kind))
    # row 2: ground in other climates
    for i, (h, s, v) in enumerate(((20, 1.0, 1.0), (-10, 0.8, 1.05), (45, 0.9, 1.1), (0, 0.5, 0.8),
                                   (160, 0.7, 0.9), (-40, 1.2, 1.0), (0, 1.0, 0.7), (0, 0.3, 1.1))):
        tiles.append(grass(r("bg%d" % i), shift((92, 156, 64), h, s, v)))
    tiles.append(dirt(r("bd0"), (120, 70, 50)))
    tiles.append(dirt(r("bd1"), (90, 90, 96)))
    tiles.append(sand(r("bs0"), (240, 236, 220)))
    tiles.append(sand(r("bs1"), (200, 120, 80)))
    tiles.append(slabs(r("bsl0"), (90, 86, 100)))
    tiles.append(slabs(r("bsl1"), (190, 150, 130), 4))
    tiles.append(marble(r("bm0"), (60, 62, 72), (170, 170, 190)))
    tiles.append(metal(r("bmetal")))
    # row 3: indoor and dungeon floors
    tiles.append(carpet(r("bc0"), (50, 120, 70), (220, 200, 120)))
    tiles.append(carpet(r("bc1"), (110, 50, 120), (230, 180, 220)))
    tiles.append(pavers(r("bh0"), (200, 190, 160), (140, 120, 90)))
    tiles.append(pavers(r("bh1"), (90, 140, 160), (50, 80, 100)))
    tiles.append(planks(r("bp0"), (110, 70, 44)))
    tiles.append(planks(r("bp1"), (210, 180, 130), 4, True))
    tiles.append(checker(r("bk0"), (40, 40, 50), (70, 70, 84)))
    tiles.append(checker(r("bk1"), (220, 220, 230), (110, 150, 200), 4))
    tiles.append(cobbles(r("bco0"), (110, 100, 90), 12))
    tiles.append(cobbles(r("bco1"), (196, 180, 150), 7))
    tiles.append(dark_rock(r("bdr0"), (60, 50, 70)))
    tiles.append(metal(r("bmetal2"), (150, 120, 80)))
    tiles.append(marble(r("bm1"), (236, 220, 220), (200, 140, 140)))
    tiles.append(lava(r("blava")))
    tiles.append(ice(r("bice")))
    tiles.append(tilled(r("btill"), (90, 70, 50), ((230, 200, 80), (200, 170, 60))))
    return tiles


# --------------------------------------------------------------------------
# PNG output

def pack(tiles, rows):
    w, h = COLS * T, rows * T
    if len(tiles) != COLS * rows:
        raise SystemExit("sheet layout error: %d tiles for %d slots" % (len(tiles), COLS * rows))
    buf = bytearray(w * h * 4)
    for n, t in enumerate(tiles):
        if (t.w, t.h) != (T, T):
            raise SystemExit("tile %d is %dx%d" % (n, t.w, t.h))
        ox, oy = (n % COLS) * T, (n // COLS) * T
        for y in range(T):
            for x in range(T):
                p = t.px[y * T + x]
                a = max(0, min(255, int(round(p[3]))))
                i = ((oy + y) * w + ox + x) * 4
                if a == 0:
                    buf[i:i + 4] = b"\0\0\0\0"
                else:
                    buf[i:i + 4] = bytes((max(0, min(255, int(round(p[0])))),
                                          max(0, min(255, int(round(p[1])))),
                                          max(0, min(255, int(round(p[2])))), a))
    return w, h, bytes(buf)


def png_bytes(w, h, rgba):
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    stride = w * 4
    raw = b"".join(b"\0" + rgba[y * stride:(y + 1) * stride] for y in range(h))
    return (b"\x89PNG\r\n\x1a\n" +
            chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) +
            chunk(b"IEND", b""))


def idat(path):
    """The unpacked image data of a PNG: equal for two of this script's files exactly when
    their pixels are equal, whatever zlib made of them."""
    with open(path, "rb") as f:
        data = f.read()
    at, packed = 8, b""
    while at + 8 <= len(data):
        size, kind = struct.unpack(">I4s", data[at:at + 8])
        if kind == b"IDAT":
            packed += data[at + 8:at + 8 + size]
        at += 12 + size
    try:
        return zlib.decompress(packed)
    except zlib.error:
        return None


def check(out, assets, names):
    """Fails unless each sheet just written into out is byte for byte the one in assets."""
    differ = []
    for name in names:
        with open(os.path.join(out, name), "rb") as a, open(os.path.join(assets, name), "rb") as b:
            if a.read() == b.read():
                continue
        same_pixels = idat(os.path.join(out, name)) == idat(os.path.join(assets, name))
        differ.append("assets/%s differs from the one this script draws (%s): %s" % (
            name, os.path.join(out, name),
            "the pixels are the same, only zlib packed them otherwise" if same_pixels
            else "its pixels differ"))
    if differ:
        raise SystemExit("\n".join(differ) + "\nIf the change to the script is meant, remake "
                         "the sheets with\n    python3 tools/make_tile_sheets.py\nand commit "
                         "them with it; otherwise undo the change to the script or to the PNG.")
    print("the sheets in assets/ are the ones this script draws")


def main():
    # The default follows the script, not the working folder, so a run from elsewhere
    # cannot scatter a stray assets/ folder there.
    here = os.path.dirname(os.path.abspath(__file__))
    assets = os.path.normpath(os.path.join(here, os.pardir, "assets"))
    parser = argparse.ArgumentParser(description="Draws the editor's tile sheets.")
    parser.add_argument("out", nargs="?", help="folder to write into (default: assets/)")
    parser.add_argument("--check", action="store_true",
                        help="write elsewhere (into out, or a temporary folder), then fail "
                             "unless the sheets in assets/ are byte for byte the same")
    args = parser.parse_args()
    if args.check and not args.out:
        with tempfile.TemporaryDirectory() as folder:
            return write_and_check(folder, assets, True)
    if args.check and os.path.abspath(args.out) == assets:
        raise SystemExit("--check compares with assets/, so it needs another folder to draw into")
    write_and_check(args.out or assets, assets, args.check)


def write_and_check(out, assets, checking):
    os.makedirs(out, exist_ok=True)
    tiles = build_tiles()
    base = build_base()
    if tiles[0].px and any(p[3] != 255 for p in tiles[0].px):
        raise SystemExit("tile 0 must be opaque")
    if any(p[3] != 0 for p in tiles[1].px):
        raise SystemExit("tile 1 must be clear")
    sheets = (("tiles.png", tiles, 32), ("base.png", base, 4))
    for name, ts, rows in sheets:
        w, h, rgba = pack(ts, rows)
        path = os.path.join(out, name)
        with open(path, "wb") as f:
            f.write(png_bytes(w, h, rgba))
        print("wrote %s (%dx%d, %d tiles)" % (path, w, h, len(ts)))
    if checking:
        check(out, assets, [name for name, _, _ in sheets])


if __name__ == "__main__":
    main()

