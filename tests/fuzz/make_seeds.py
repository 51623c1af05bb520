#!/usr/bin/env python3
"""Writes the fuzz targets' seed corpus and regression inputs (committed with their output).

    make_seeds.py FOLDER

FOLDER/maps and FOLDER/configurations are the seeds; FOLDER/regressions holds inputs that
once broke the editor, replayed before every fuzzing run. The widest one is stored gzipped.
"""

import gzip
import os
import struct
import sys


def record(name, width, height, tiles=None, offset=(0, 0), cell=(16, 16)):
    if tiles is None:
        tiles = [(i * 7) % 600 for i in range(width * height)]
    raw = name.encode("latin-1")
    out = bytes([len(raw)]) + raw
    out += struct.pack("<6i", width, height, offset[0], offset[1], cell[0], cell[1])
    return out + b"".join(struct.pack("<H", t & 0xFFFF) for t in tiles)


def map_file(*records, count=None):
    return struct.pack("<i", len(records) if count is None else count) + b"".join(records)


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
    }
    for sub, files in (("maps", maps), ("configurations", configurations), ("regressions", regressions)):
        for name, data in files.items():
            path = os.path.join(folder, sub, name)
            os.makedirs(os.path.dirname(path), exist_ok=True)
            with open(path, "wb") as out:
                out.write(data)


if __name__ == "__main__":
    main(sys.argv[1])
