#!/usr/bin/env python3
"""Writes the fuzz targets' seed corpus and regression inputs (committed with their output).

    make_seeds.py FOLDER [VELLORAN_MAP]

FOLDER/maps and FOLDER/configurations are the seeds; FOLDER/regressions holds inputs that
once broke the editor or the map tool, replayed before every fuzzing run. The widest one is
stored gzipped. Given the map tool, FOLDER/tmx, FOLDER/json and FOLDER/tile_data are made from
files it exports and, when Debian's tiled is installed, from tiled's own export of them.
"""

import base64
import gzip
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import zlib


def record(name, width, height, tiles=None, offset=(0, 0), cell=(16, 16)):
    if tiles is None:
        tiles = [(i * 7) % 600 for i in range(width * height)]
    raw = name.encode("latin-1")
    out = bytes([len(raw)]) + raw
    out += struct.pack("<6i", width, height, offset[0], offset[1], cell[0], cell[1])
    return out + b"".join(struct.pack("<H", t & 0xFFFF) for t in tiles)


def map_file(*records, count=None):
    return struct.pack("<i", len(records) if count is None else count) + b"".join(records)


def tmx_map(layers):
    """A TMX map of the bundled tile sheets holding these layers."""
    return ('<map orientation="orthogonal" tilewidth="16" tileheight="16">\n'
            ' <tileset firstgid="1" tilewidth="16" tileheight="16" tilecount="512"/>\n'
            ' <tileset firstgid="513" tilewidth="16" tileheight="16" tilecount="64"/>\n'
            + layers + '</map>\n').encode()


def layer(name, width, height, data, encoding='encoding="csv"'):
    return (' <layer name="%s" width="%d" height="%d"><data %s>%s</data></layer>\n'
            % (name, width, height, encoding, data))


def zlib_gids(gids, after=b""):
    """Base64 of the gids compressed with zlib, and of `after` the compressed stream."""
    return base64.b64encode(zlib.compress(struct.pack("<%dI" % len(gids), *gids)) + after).decode()


def json_map():
    """The JSON form of a one-cell map of the bundled tile sheets."""
    return (b'{"orientation":"orthogonal","tilewidth":16,"tileheight":16,"tilesets":['
            b'{"firstgid":1,"tilewidth":16,"tileheight":16,"tilecount":512},'
            b'{"firstgid":513,"tilewidth":16,"tileheight":16,"tilecount":64}],'
            b'"layers":[{"type":"tilelayer","name":"Map1","width":1,"height":1,"data":[1]}]}')


def main(folder):
    three_layers = map_file(record("Map1", 6, 4), record("Map2", 6, 4, [1] * 24),
                            record("Map3", 6, 4, [1, 576, 577, 1, 578, 2] * 4))
    maps = {
        "one_layer_4x3.map": map_file(record("Map1", 4, 3, [0, 1, 2, 3, 1, 1, 576, 1, 5, 6, 7, 8])),
        "column_and_row.map": map_file(record("Map1", 1, 9, offset=(0, 4), cell=(8, 8)),
                                       record("Map2", 9, 1, offset=(5, 0), cell=(32, 32))),
        "three_layers_with_markers.map": three_layers,
        "names_taken.map": map_file(record("Tile01", 2, 2), record("Map1", 2, 2),
                                    record("BrushLeft", 1, 1), record("map1", 1, 1)),
        "cut_in_second_layer.map": three_layers[:len(three_layers) - 40],
        "zero_layers.map": map_file(),
        "negative_count.map": map_file(record("Map1", 2, 2), count=-3),
        "empty_name_and_empty_layer.map": map_file(record("", 0, 0), record("Map2", 3, 1)),
        "odd_cell_sizes.map": map_file(record("Map1", 5, 5, cell=(1, 1024), offset=(4, 4)),
                                       record("Map2", 5, 5, cell=(0, -7), offset=(-1, 99))),
        "nine_layers.map": map_file(*[record("Map%d" % n, 3, 2) for n in range(1, 10)]),
    }
    bundled = open(os.path.join(os.path.dirname(__file__), "..", "..", "assets",
                                "Configuration.xml"), "rb").read()
    configurations = {
        "bundled.xml": bundled,
        "crlf.xml": bundled.replace(b"\n", b"\r\n"),
        "huge_numbers.xml": b'<Data><integer Name="MapWidth" Value="99999999999"/>'
                            b'<integer Name="MapHeight" Value="-99999999999"/>'
                            b'<integer Name="KeyboardScrollSpeed" Value=" 12abc"/></Data>',
        "missing_attributes.xml": b'<Data><integer Value="5"/><string Name="Layer1"/>'
                                  b'<string Value="x"/><other Name="a" Value="b"/></Data>',
        "two_data_elements.xml": b'<Data><string Name="Layer1" Value="A"/></Data>'
                                 b'<Data><string Name="Layer1" Value="B"/></Data>',
        "utf8_names.xml": '<Data><string Name="Layer1" Value="Kärta ☂"/></Data>'.encode(),
    }
    regressions = {
        # A layer 0 cells wide and 2^31 - 1 tall, scrolled to its last row: 33 bytes.
        "maps/zero_wide_very_tall.map": map_file(
            record("Map1", 0, 0x7FFFFFFF, [], offset=(0, 0x7FFFFFFE))),
        # Rows of 2,200,000 cells of 1024 pixels, scrolled near their end.
        "maps/wide_rows_of_1024_pixel_cells.map.gz": gzip.compress(map_file(
            record("Map1", 2200000, 1, [0] * 2200000, offset=(2199990, 0), cell=(1024, 1024))),
            9, mtime=0),
        # A configuration that ends inside a two-byte UTF-8 character.
        "configurations/cut_inside_a_character.xml":
            b'<?xml version="1.0"?>\n<Data>\n  <string Name="Layer1" Value="Ma\xc3',
        # Files the map tool once took that the editor or export would refuse later: bytes after
        # a compressed stream, a mark of the exporter's own on empty data, names the editor
        # passes over, a byte-order mark it refused.
        "tmx/bytes_after_zlib_stream.tmx": tmx_map(
            layer("Map1", 2, 1, zlib_gids([1, 1], b"more"), 'encoding="base64" compression="zlib"')),
        "tmx/piece_mark_on_empty_data.tmx": tmx_map(
            layer("Map1", 2, 1, "1,1") +
            ' <layer name="Map2" width="2" height="1">'
            '<data encoding="csv" velloran-piece="0"/></layer>\n'),
        "tmx/names_the_editor_passes_over.tmx": tmx_map(
            layer("Map1", 1, 1, "1") + layer("map1", 1, 1, "2") + layer("Tile01", 1, 1, "3")),
        "json/byte_order_mark.json": b"\xef\xbb\xbf" + json_map(),
        "tile_data/second_gzip_stream": bytes([3, 1, 0]) + base64.b64encode(
            2 * gzip.compress(struct.pack("<2I", 1, 1), mtime=0)),
    }
    for sub, files in (("maps", maps), ("configurations", configurations), ("regressions", regressions)):
        for name, data in files.items():
            path = os.path.join(folder, sub, name)
            os.makedirs(os.path.dirname(path), exist_ok=True)
            with open(path, "wb") as out:
                out.write(data)


def base64_layers(tmx, compression):
    """The TMX with its CSV layer data as base64 of little-endian gids, compressed or not."""
    def encoded(match):
        gids = [int(n) for n in match.group(1).replace("\n", "").split(",") if n.strip()]
        raw = struct.pack("<%dI" % len(gids), *gids)
        data = {"zlib": zlib.compress, "gzip": lambda b: gzip.compress(b, mtime=0)}.get(
            compression, lambda b: b)(raw)
        attributes = 'encoding="base64"' + (' compression="%s"' % compression
                                            if compression else "")
        return "<data %s>%s</data>" % (attributes, base64.b64encode(data).decode())
    return re.sub(r'<data encoding="csv">(.*?)</data>', encoded, tmx, flags=re.S)


def tile_data_seed(text, selector, width, height):
    """A tile_data input: the encoding chosen, the layer's size, then the first layer's data."""
    if text.lstrip().startswith(("{", "[")):
        data = re.search(r'"data":(\[[^\]]*\]|"[^"]*")', text).group(1).strip('"')
    else:
        data = re.search(r"<data[^>]*>(.*?)</data>", text, re.S).group(1)
    return bytes([selector, width - 1, height - 1]) + data.encode()


def tool_seeds(folder, tool):
    """Seeds for the map tool's readers: what the tool exports, and what tiled writes of it."""
    maps = {
        "markers": map_file(record("Map1", 6, 4), record("Map2", 6, 4, [1, 576, 577, 1, 578, 2] * 4,
                                                          cell=(20, 12), offset=(5, 3))),
        "sizes": map_file(record("Map1", 1, 9, offset=(0, 4), cell=(8, 8)),
                          record('Marks & <x> "q" \xc3\xbc', 9, 1, cell=(32, 32)),  # UTF-8
                          record("Empty", 0, 3)),
    }
    seeds = {}
    with tempfile.TemporaryDirectory() as work:
        # The sheets beside the files, so that the files name them alone, wherever this runs.
        assets = os.path.join(os.path.dirname(__file__), "..", "..", "assets")
        for name in ("Configuration.xml", "tiles.png", "base.png"):
            shutil.copy(os.path.join(assets, name), work)
        config = os.path.join(work, "Configuration.xml")
        for name, data in maps.items():
            source = os.path.join(work, name + ".map")
            with open(source, "wb") as out:
                out.write(data)
            for kind in ("tmx", "json"):
                exported = os.path.join(work, "%s.%s" % (name, kind))
                subprocess.run([tool, "--config", config, "export", source, exported], check=True)
                seeds["%s/tool_%s.%s" % (kind, name, kind)] = open(exported, "rb").read()
        markers = seeds["tmx/tool_markers.tmx"].decode()
        seeds["tile_data/tool_csv"] = tile_data_seed(markers, 0, 6, 4)
        if shutil.which("tiled"):
            env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
            for selector, compression in ((1, ""), (2, "zlib"), (3, "gzip")):
                given = os.path.join(work, "given.tmx")
                with open(given, "w") as out:
                    out.write(base64_layers(markers, compression))
                label = compression or "base64"
                for kind in ("tmx", "json"):
                    written = os.path.join(work, "tiled_%s.%s" % (label, kind))
                    # Minimized, so that the seeds fit the fuzzers' longest input.
                    subprocess.run(["tiled", "--minimize", "--export-map", given, written],
                                   check=True, env=env, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL)
                    seeds["%s/tiled_%s.%s" % (kind, label, kind)] = open(written, "rb").read()
                tiled_tmx = seeds["tmx/tiled_%s.tmx" % label].decode()
                seeds["tile_data/tiled_" + label] = tile_data_seed(tiled_tmx, selector, 6, 4)
    for name, data in seeds.items():
        path = os.path.join(folder, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as out:
            out.write(data)


if __name__ == "__main__":
    main(sys.argv[1])
    if len(sys.argv) > 2:
        tool_seeds(sys.argv[1], sys.argv[2])
