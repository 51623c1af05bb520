#!/usr/bin/env python3
"""The TMX that velloran-map writes, read by the tiled map editor: tiled's own JSON export of it
must hold the same tiles in the same cells, the markers as numbered points, and import back to
the same map file. Exits 77 (skipped) when tiled is not installed."""
import json
import os
import shutil
import struct
import subprocess
import sys
import tempfile

TILE_COUNT = 576  # the bundled sheets: 512 + 64 tiles


def layer_record(name, width, height, scroll, cell, tiles):
    head = bytes([len(name)]) + name.encode() + struct.pack("<6i", width, height, *scroll, *cell)
    return head + struct.pack("<%dH" % len(tiles), *tiles)


def main():
    tool, assets = sys.argv[1], sys.argv[2]
    if shutil.which("tiled") is None:
        print("tiled is not installed")
        return 77
    layers = []
    width, height = 13, 7
    ground = [(i * 37) % TILE_COUNT for i in range(width * height)]
    layers.append(("Map1", width, height, (4, 2), (16, 16), ground))
    marks = [1] * (width * height)
    for number, cell in [(1, 5), (2, 20), (3, 90), (5, 47), (2, 33)]:
        marks[cell] = TILE_COUNT + number - 1
    marks[60] = 511
    layers.append(("Paths & <names>", width, height, (0, 0), (16, 16), marks))
    layers.append(("Small", 3, 2, (0, 0), (24, 8), [0, 575, 1, 2, 3, 4]))
    data = struct.pack("<i", len(layers)) + b"".join(layer_record(*l) for l in layers)

    with tempfile.TemporaryDirectory() as folder:
        source = os.path.join(folder, "in.map")
        with open(source, "wb") as f:
            f.write(data)
        config = ["--config", os.path.join(assets, "Configuration.xml")]
        tmx = os.path.join(folder, "out.tmx")
        subprocess.run([tool, *config, "export", source, tmx], check=True)
        converted = os.path.join(folder, "tiled.json")
        env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
        subprocess.run(["tiled", "--export-map", tmx, converted], check=True, env=env,
                       stderr=subprocess.DEVNULL, timeout=60)
        with open(converted) as f:
            peer = json.load(f)

        failures = []
        tile_layers = [l for l in peer["layers"] if l["type"] == "tilelayer"]
        if [l["name"] for l in tile_layers] != [l[0] for l in layers]:
            failures.append("layer names: %s" % [l["name"] for l in tile_layers])
        for (name, w, h, _, cell, tiles), got in zip(layers, tile_layers):
            expected = [0 if t >= TILE_COUNT else t + 1 for t in tiles]
            if (got["width"], got["height"]) != (w, h) or got["data"] != expected:
                failures.append("layer %s: tiles differ" % name)
        points, lines = {}, []
        for group in (l for l in peer["layers"] if l["type"] == "objectgroup"):
            for o in group["objects"]:
                if o.get("point"):
                    points[o["name"]] = (o["x"], o["y"])
                elif "polyline" in o:
                    lines.append([(o["x"] + p["x"], o["y"] + p["y"]) for p in o["polyline"]])
        expected_points = {"1": (88, 8), "2": (120, 40), "3": (200, 104), "5": (136, 56)}
        if points != expected_points:
            failures.append("marker points: %s" % points)
        # As the editor draws them: 1 to 2 (the last of its cells) to 3, none on across 4 to 5.
        if lines != [[expected_points[n] for n in "123"]]:
            failures.append("marker lines: %s" % lines)

        back = os.path.join(folder, "back.map")
        subprocess.run([tool, *config, "import", converted, back], check=True)
        with open(back, "rb") as f:
            if f.read() != data:
                failures.append("tiled's JSON does not import back to the same map")
    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
