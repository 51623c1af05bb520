#!/usr/bin/env python3
"""Times velloran-map on a big map: export to TMX, JSON and CSV and import back, each set beside
its floor measured in the same run, and beside the tiled map editor's own TMX-to-JSON conversion.

    tools/bench_map_tool.py VELLORAN_MAP CONFIGURATION.xml FOLDER [--runs N] [--tiled-layers N]

The map is nine layers of 4096 x 4096 cells (a 302 MB file), written into FOLDER. Every file the
tool writes goes through a temporary file that is synced to the disk before it is renamed over
the output, so the floor of a conversion is one read of its input (from the page cache, as the
tool finds it) plus one write of as many bytes as the tool writes into a new file in the same
folder, then fsync. Each conversion and its floor run N times (default 3), one after the other;
the table gives their medians. tiled is given a TMX of its first N layers (default 1; it is slow
on big maps) and at most five minutes. Prints the rows of the README's table as markdown.
"""

import argparse
import array
import os
import shutil
import statistics
import subprocess
import sys
import time

SIDE = 4096
LAYERS = 9
TILE_COUNT = 576
PIECE = 1 << 20  # the tool writes through a buffer of this size too


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


def floor_once(source, size, folder):
    """One read of `source`, a piece at a time into the same buffer, then `size` bytes written
    to a new file in `folder` and synced to the disk: what any conversion of `source` into
    such a file must do at least."""
    started = time.monotonic()
    piece = bytearray(PIECE)
    with open(source, "rb", buffering=0) as f:
        while f.readinto(piece):
            pass
    path = os.path.join(folder, ".floor")
    fd = os.open(path, os.O_WRONLY | os.O_CREAT | os.O_TRUNC, 0o644)
    left = size
    while left > 0:
        left -= os.write(fd, memoryview(piece)[:min(left, PIECE)])
    os.fsync(fd)
    os.close(fd)
    seconds = time.monotonic() - started
    os.unlink(path)
    return seconds


def measure(command, source, output, folder, runs):
    """Medians of the command and of its floor over `runs` turns each."""
    ours, floors = [], []
    for _ in range(runs):
        ours.append(timed(command))
        floors.append(floor_once(source, os.path.getsize(output), folder))
    return statistics.median(ours), statistics.median(floors)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("tool")
    parser.add_argument("config")
    parser.add_argument("folder")
    parser.add_argument("--runs", type=int, default=3)
    parser.add_argument("--tiled-layers", type=int, default=1)
    args = parser.parse_args()
    os.makedirs(args.folder, exist_ok=True)
    source = os.path.join(args.folder, "big.map")
    write_map(source, LAYERS)
    config = ["--config", args.config]
    map_mb = os.path.getsize(source) / 1e6

    rows = []
    for kind in ("tmx", "json", "csv"):
        out = os.path.join(args.folder, "big." + kind)
        subprocess.run([args.tool, *config, "export", source, out], check=True)
        ours, floor = measure([args.tool, *config, "export", source, out], source, out,
                              args.folder, args.runs)
        size_mb = os.path.getsize(out) / 1e6
        rows.append((f"velloran-map export to .{kind} ({size_mb:.0f} MB)", ours, floor,
                     f"read the {map_mb:.0f} MB map + write and fsync {size_mb:.0f} MB", 3))
    for kind in ("tmx", "json"):
        given = os.path.join(args.folder, "big." + kind)
        back = os.path.join(args.folder, "back-" + kind + ".map")
        ours, floor = measure([args.tool, *config, "import", given, back], given, back,
                              args.folder, args.runs)
        with open(back, "rb") as a, open(source, "rb") as b:
            same = a.read() == b.read()
        given_mb = os.path.getsize(given) / 1e6
        rows.append((f"velloran-map import from .{kind}" + ("" if same else " (NOT the same map)"),
                     ours, floor,
                     f"read the {given_mb:.0f} MB .{kind} + write and fsync {map_mb:.0f} MB", 4))

    print(f"Medians of {args.runs} runs each.")
    print(f"| | measured | floor in the same run | ratio | target |")
    print(f"|---|---|---|---|---|")
    for row, ours, floor, what, target in rows:
        print(f"| {row} | {ours:.2f} s | {floor:.2f} s ({what}) | {ours / floor:.2f} × "
              f"| ≤ {target} × |")

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
              f"{'> %.0f' % (300 / ours) if theirs is None else '%.0f' % (theirs / ours)} × | |")
    return 0


if __name__ == "__main__":
    sys.exit(main())
