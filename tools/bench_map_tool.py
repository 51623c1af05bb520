#!/usr/bin/env python3
"""Times velloran-map on a big map: export to TMX, JSON and CSV and import back, set beside one
read of the map file and beside the tiled map editor's own TMX-to-JSON conversion.

    tools/bench_map_tool.py VELLORAN_MAP CONFIGURATION.xml FOLDER [--tiled-layers N]

The map is nine layers of 4096 x 4096 cells (a 302 MB file), written into FOLDER. tiled is given
a TMX of its first N layers (default 1; it is slow on big maps) and at most five minutes.
Prints the rows of the README's table as markdown.
"""

import argparse
import array
import os
import shutil
import subprocess
import sys
import time

SIDE = 4096
LAYERS = 9
TILE_COUNT = 576


def write_map(path, layers):
    """Ground on the first layer, scattered props above, a few markers on the second."""
    with open(path, "wb") as f:
        f.write(array.array("i", [layers]).tobytes())
        for n in range(1, layers + 1):
            name = b"Map%d" % n
            f.write(bytes([len(name)]) + name)
            f.write(array.array("i", [SIDE, SIDE, 0, 0, 16, 16]).tobytes())
            if n == 1:
                row = array.array("H", [i % 64 for i in range(SIDE)])
                f.write(row.tobytes() * SIDE)
                continue
            row = array.array("H", [288 + i % 48 if i % 7 == 0 else 1 for i in range(SIDE)])
            for r in range(SIDE):
                if n == 2 and r % 200 == 0 and r // 200 < 20:
                    marked = array.array("H", row)
                    marked[5] = TILE_COUNT + r // 200
                    f.write(marked.tobytes())
                else:
                    f.write(row.tobytes())


def timed(command, env=None, timeout=None):
    started = time.monotonic()
    try:
        subprocess.run(command, check=True, env=env, timeout=timeout,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    except subprocess.TimeoutExpired:
        return None
    return time.monotonic() - started


def read_once(path):
    started = time.monotonic()
    with open(path, "rb") as f:
        while f.read(1 << 24):
            pass
    return time.monotonic() - started


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("tool")
    parser.add_argument("config")
    parser.add_argument("folder")
    parser.add_argument("--tiled-layers", type=int, default=1)
    args = parser.parse_args()
    os.makedirs(args.folder, exist_ok=True)
    source = os.path.join(args.folder, "big.map")
    write_map(source, LAYERS)
    config = ["--config", args.config]
    read_once(source)
    floor = min(read_once(source) for _ in range(3))
    size_mb = os.path.getsize(source) / 1e6

    rows = []
    for kind in ("tmx", "json", "csv"):
        out = os.path.join(args.folder, "big." + kind)
        seconds = timed([args.tool, *config, "export", source, out])
        rows.append((f"velloran-map export to .{kind} ({os.path.getsize(out) / 1e6:.0f} MB)",
                     seconds))
    for kind in ("tmx", "json"):
        back = os.path.join(args.folder, "back-" + kind + ".map")
        seconds = timed([args.tool, *config, "import", os.path.join(args.folder, "big." + kind),
                         back])
        with open(back, "rb") as a, open(source, "rb") as b:
            same = a.read() == b.read()
        rows.append((f"velloran-map import from .{kind}" + ("" if same else " (NOT the same map)"),
                     seconds))

    print(f"| | measured | floor in the same run | ratio |")
    print(f"|---|---|---|---|")
    floor_text = f"{floor * 1000:.0f} ms (one read of the {size_mb:.0f} MB map)"
    for row, seconds in rows:
        print(f"| {row} | {seconds:.2f} s | {floor_text} | {seconds / floor:.1f} × |")

    if shutil.which("tiled") and args.tiled_layers > 0:
        layers = min(args.tiled_layers, LAYERS)
        part = os.path.join(args.folder, "part.map")
        write_map(part, layers)
        part_tmx = os.path.join(args.folder, "part.tmx")
        subprocess.run([args.tool, *config, "export", part, part_tmx], check=True)
        ours = timed([args.tool, *config, "export", part, os.path.join(args.folder, "ours.json")])
        env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
        theirs = timed(["tiled", "--export-map", part_tmx,
                        os.path.join(args.folder, "tiled.json")], env=env, timeout=300)
        what = f"{layers} layer{'s' if layers > 1 else ''} of 4096²"
        theirs_text = "did not finish in 300 s" if theirs is None else f"{theirs:.1f} s"
        print(f"| TMX to JSON, {what}: tiled --export-map | {theirs_text} | "
              f"velloran-map export to .json: {ours:.2f} s | "
              f"{'> %.0f' % (300 / ours) if theirs is None else '%.0f' % (theirs / ours)} × |")
    return 0


if __name__ == "__main__":
    sys.exit(main())
