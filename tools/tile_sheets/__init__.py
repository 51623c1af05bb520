"""The tile families that make_tile_sheets.py lays out on the editor's sheets."""
