#!/usr/bin/env python3
"""Whole-program tests: the real editor on a private Xvfb, driven with real input.

    run_program_tests.py VELLORAN_BINARY ASSETS_DIR [CASE ...]

Each case gets a fresh X server and a fresh scratch folder holding a copy of
the assets, starts the editor there and talks to it only through X: pointer
and keys (xdotool), the caption (xprop), screenshots (ImageMagick import) and
window-manager messages (python3-xlib).  Prints one PASS/FAIL line per case
and a closing "N passed, M failed"; exits 1 if any case failed.
"""

import contextlib
import itertools
import os
import shlex
import shutil
import struct
import subprocess
import sys
import tempfile
import time
import traceback

sys.dont_write_bytecode = True  # leave no __pycache__ in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from xsession import DriverError, Editor, XServer, poll  # noqa: E402

TITLE = "Velloran 1.09"

GREY = (188, 188, 188)          # menu bar, separator, menus at rest
TITLE_HOVER = (144, 144, 166)   # a menu title under the pointer, menus closed
ITEM_HOVER = (244, 166, 80)     # a menu item under the pointer
WHITE = (255, 255, 255)
CHECK_GREY = (128, 128, 128)    # the palette's checkerboard under see-through tiles

CELL = 16
# The status text (cell, zoom, hidden layer) ends the menu bar within this many pixels.
STATUS_W = 280
MENU_BAR_H = 16                 # y 0..15
PALETTE_W = 256                 # the bundled sheets are 16 tiles wide
SEPARATOR_W = 4

# Menu titles (x0, x1) at y 2..14, and the File menu's rows (y0, y1) at x 2..43.
TITLES = {"File": (2, 41), "Edit": (46, 85), "Brush": (90, 129), "Layer": (134, 173),
          "Map": (178, 217), "Help": (222, 261)}
TITLE_Y = (2, 14)
ITEM_X = (2, 43)
FILE_ITEMS = {"New": (15, 32), "Open": (33, 50), "Save": (51, 68), "Exit": (78, 95)}

# Where the pointer rests between actions when it must be inside the window
# without touching anything: the empty end of the menu bar.
REST = (480, 8)

class CaseFailure(AssertionError):
    pass


def check(condition, message):
    if not condition:
        raise CaseFailure(message)


# --- geometry of the layout -------------------------------------------------

def palette_x(width):
    return width - PALETTE_W


def palette_cell(width, column, row):
    """Inclusive rectangle of palette cell (column, row) at scroll 0."""
    x = palette_x(width) + CELL * column
    y = MENU_BAR_H + CELL * row
    return (x, y, x + CELL - 1, y + CELL - 1)


def map_cell(column, row):
    """Inclusive rectangle of map cell (column, row) with the view at 0,0."""
    x = CELL * column
    y = MENU_BAR_H + CELL * row
    return (x, y, x + CELL - 1, y + CELL - 1)


def centre(rect):
    return ((rect[0] + rect[2]) // 2, (rect[1] + rect[3]) // 2)


def area(rect):
    return (rect[2] - rect[0] + 1) * (rect[3] - rect[1] + 1)


def describe_off(off, limit=3):
    return ", ".join("%s=%s" % (xy, rgb) for xy, rgb in off[:limit]) + (" ..." if len(off) > limit else "")


# --- shared checks on a screenshot -----------------------------------------

def check_filled(shot, rect, colour, what):
    off = shot.off_pixels(*rect, colour)
    check(not off, "%s %s should be all %s; %d pixels are not: %s"
          % (what, rect, colour, len(off), describe_off(off)))


def check_mostly(shot, rect, colour, what):
    """At least half the rectangle is colour (menu text takes the rest)."""
    n = shot.count(*rect, colour)
    check(n * 2 >= area(rect), "%s %s should be mostly %s, only %d of %d pixels are"
          % (what, rect, colour, n, area(rect)))


def check_none(shot, rect, colour, what):
    n = shot.count(*rect, colour)
    check(n == 0, "%s %s should show no %s, %d pixels do" % (what, rect, colour, n))


def check_checkerboard(shot, rect, what):
    """The 16x16 cell shows the palette's 8x8 checkerboard, white at top left."""
    x0, y0 = rect[0], rect[1]
    for dx, dy, colour in ((0, 0, WHITE), (8, 0, CHECK_GREY), (0, 8, CHECK_GREY), (8, 8, WHITE)):
        check_filled(shot, (x0 + dx, y0 + dy, x0 + dx + 7, y0 + dy + 7), colour,
                     "%s checkerboard square" % what)


def check_layout(shot, width, height):
    """Menu bar, design window of grass, separator and palette for a window of this size."""
    px = palette_x(width)
    sep = (px - SEPARATOR_W, MENU_BAR_H, px - 1, height - 1)

    # Menu bar: grey across the whole width; only title text may differ, and
    # only inside the title boxes, and the status text at the right-hand end.
    bar = (0, 0, width - 1, MENU_BAR_H - 1)
    title_x1 = max(x1 for _, x1 in TITLES.values())
    status_x0 = max(title_x1 + 8, width - STATUS_W)
    stray = [(xy, rgb) for xy, rgb in shot.off_pixels(*bar, GREY)
             if not (TITLES["File"][0] <= xy[0] <= title_x1 and TITLE_Y[0] <= xy[1] <= TITLE_Y[1])
             and xy[0] < status_x0]
    check(not stray, "menu bar %s should be grey %s outside the titles; %d pixels are not: %s"
          % (bar, GREY, len(stray), describe_off(stray)))
    for name, (x0, x1) in TITLES.items():
        check_mostly(shot, (x0, TITLE_Y[0], x1, TITLE_Y[1]), GREY, "menu title %s at rest" % name)

    check_filled(shot, sep, GREY, "separator")

    # Palette: tile 1 is see-through, so its cell shows the checkerboard; the
    # cell left of it holds tile 0, the grass.
    check_checkerboard(shot, palette_cell(width, 1, 0), "palette tile 1")
    grass = shot.region(*palette_cell(width, 0, 0))
    check(grass != shot.region(*palette_cell(width, 1, 0)), "palette tile 0 looks like tile 1")
    greenish = sum(1 for _, (r, g, b) in shot.pixels(*palette_cell(width, 0, 0)) if g > r and g > b)
    check(greenish * 4 >= 3 * CELL * CELL,
          "palette tile 0 should be grass, only %d of 256 pixels are green" % greenish)

    # Design window: a new map is grass everywhere, so every whole cell left
    # of the separator shows tile 0 exactly as the palette does.
    columns = sep[0] // CELL
    rows = (height - MENU_BAR_H) // CELL
    wrong = [(c, r) for r in range(rows) for c in range(columns) if shot.region(*map_cell(c, r)) != grass]
    check(not wrong, "design window cells %s (of %dx%d) do not show the grass tile"
          % (wrong[:5], columns, rows))
    # ... and it reaches the separator: the partial column just before it is grass too.
    edge_x = columns * CELL
    if edge_x < sep[0]:
        strip = shot.region(edge_x, MENU_BAR_H, sep[0] - 1, MENU_BAR_H + CELL - 1)
        want = b"".join(grass[i * CELL * 3:i * CELL * 3 + (sep[0] - edge_x) * 3] for i in range(CELL))
        check(strip == want, "design window does not reach the separator at x %d" % (sep[0] - 1))


# --- running the editor -----------------------------------------------------

class Run:
    def __init__(self, binary, assets):
        self.binary, self.assets = binary, assets
        self.case = None
        # Set VELLORAN_FAILURE_SHOTS to a folder to keep a screenshot of the
        # screen as it was when a case failed.
        self.shot_folder = os.environ.get("VELLORAN_FAILURE_SHOTS")

    def keep_failure_shot(self, server):
        if not self.shot_folder:
            return
        try:
            os.makedirs(self.shot_folder, exist_ok=True)
            server.tool("import", "-window", "root", os.path.join(self.shot_folder, self.case + ".png"))
        except Exception as problem:  # a missing picture must not hide the failure
            print("(no failure screenshot: %s)" % problem, file=sys.stderr)

    @contextlib.contextmanager
    def editor(self, drop=(), with_display=True, window=True, env_extra=None, args=(), settings=(),
               state=None):
        """A fresh X server and editor; yields the editor with its window found."""
        server = XServer()
        editor = None
        try:
            server.park_pointer()
            editor = Editor(server, self.binary, self.assets, drop=drop, with_display=with_display,
                            env_extra=env_extra, args=args, settings=settings, state=state)
            if window:
                editor.find_window()
            yield editor
        except BaseException:
            self.keep_failure_shot(server)
            raise
        finally:
            try:
                if editor is not None:
                    editor.stop()
            finally:
                server.stop()


def settle():
    time.sleep(0.3)


def wait_shot(editor, probe, timeout=15.0):
    """Screenshots until probe(shot) is true or time runs out; returns the last shot."""
    last = [None]

    def take():
        last[0] = editor.shot()
        return probe(last[0])
    poll(take, timeout, 0.1)
    return last[0]


def expect_exit(editor, status, what, timeout=15.0):
    code = editor.wait_exit(timeout)
    check(code is not None, "editor still running %.0f s after %s" % (timeout, what))
    check(code == status, "after %s the editor exited with %d, expected %d; stderr: %s"
          % (what, code, status, editor.stderr().strip()[-300:]))


# --- the cases ----------------------------------------------------------------

def case_caption_at_start(run):
    with run.editor() as ed:
        caption = ed.wait_caption(TITLE + " / ", 3.0)
        check(caption == TITLE + " / ", "caption is %r, expected %r" % (caption, TITLE + " / "))
        time.sleep(0.5)
        caption = ed.caption()
        check(caption == TITLE + " / ", "caption changed by itself to %r" % caption)


def case_caption_stays_without_focus_at_start(run):
    # The map size is put into the caption by a request made as the editor starts; with the
    # pointer outside the window nothing has focus yet, so the request is dropped and the
    # caption stays the title until painting or picking sets it.
    with run.editor() as ed:
        check(ed.wait_caption(TITLE + " / ", 3.0) == TITLE + " / ", "unexpected caption at start")
        ed.move(270, 300)
        time.sleep(1.0)
        caption = ed.caption()
        check(caption == TITLE + " / ", "after the pointer entered the caption is %r" % caption)


def case_close_window_exits_0(run):
    with run.editor() as ed:
        ed.close_window()
        expect_exit(ed, 0, "WM_DELETE_WINDOW")


def case_starts_without_sound(run):
    # A machine whose sound cannot start still gets the editor's window, and the editor, which
    # plays no sound, does not try: the sound library would complain on stderr.
    for driver in ("no-such-driver", "alsa"):
        with run.editor(env_extra={"SDL_AUDIODRIVER": driver}) as ed:
            check(ed.wait_caption(TITLE + " / ", 3.0) == TITLE + " / ", "unexpected caption")
            ed.terminate()
            expect_exit(ed, 0, "SIGTERM")
            err = ed.stderr()
            check("ALSA" not in err and "audio" not in err.lower(),
                  "with SDL_AUDIODRIVER=%s stderr speaks of sound: %r" % (driver, err[-300:]))


def cpu_seconds(pid):
    with open("/proc/%d/stat" % pid) as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def case_idle_editor_sleeps(run):
    # An editor nobody touches waits for input instead of drawing frames as fast as it can.
    with run.editor() as ed:
        ed.move(270, 300)
        ed.move(*REST)
        settle()
        before = cpu_seconds(ed.process.pid)
        time.sleep(2.0)
        used = cpu_seconds(ed.process.pid) - before
        check(used < 0.4, "the idle editor used %.2f s of CPU in 2 s" % used)


def answer_question(ed, keys, title="Unsaved changes"):
    """Waits for the question box of that title, gives it the focus and types keys into it."""
    server = ed.server
    boxes = poll(lambda: server.search("^%s$" % title, True), 30, 0.1)
    check(boxes, "no window titled %r appeared" % title)
    server.focus(boxes[0])
    settle()
    server.tool("xdotool", "key", *keys)
    poll(lambda: not server.search("^%s$" % title, True), 10, 0.1)
    check(not server.search("^%s$" % title, True), "the question stayed after %s" % keys)


def case_closing_a_changed_map_asks_first(run):
    # Layer > Add changes the map. Closing the window then asks; Escape keeps the editor
    # running, and Discard lets it quit.
    with run.editor() as ed:
        ed.move(270, 300)
        layer_title = (TITLES["Layer"][0], TITLE_Y[0], TITLES["Layer"][1], TITLE_Y[1])
        ed.click(*centre(layer_title))
        ed.click(150, 24)  # Layer > Add, the menu's first item
        settle()
        ed.close_window()
        answer_question(ed, ["Escape"])
        time.sleep(0.5)
        check(ed.process.poll() is None, "the editor quit although the question was cancelled")
        ed.close_window()
        answer_question(ed, ["alt+d"])
        expect_exit(ed, 0, "Discard")


def case_no_display_reports_and_exits_1(run):
    # Without a display and without a video driver asked for, the editor must not run unseen.
    with run.editor(with_display=False, window=False) as ed:
        expect_exit(ed, 1, "starting without a display", timeout=10)
        err = ed.stderr()
        check("Error deatils" in err and "no display" in err,
              "stderr does not say that there is no display: %r" % err[-300:])


def case_video_unavailable_reports_and_exits_1(run):
    # A video driver that cannot start is reported, not a crash.
    with run.editor(with_display=False, window=False,
                    env_extra={"SDL_VIDEODRIVER": "no-such-driver"}) as ed:
        expect_exit(ed, 1, "starting without a usable video driver", timeout=10)
        err = ed.stderr()
        check("Error deatils" in err, "stderr lacks the 'Error deatils' title: %r" % err[-300:])


def case_sigterm_exits_0(run):
    with run.editor() as ed:
        settle()
        ed.terminate()
        expect_exit(ed, 0, "SIGTERM")


def case_missing_font_shows_message_box(run):
    with run.editor(drop=("GOTHIC.TTF",), window=False) as ed:
        server = ed.server
        boxes = poll(lambda: ed.process.poll() is None and server.search("^Error deatils$", True), 10, 0.1)
        check(ed.process.poll() is None, "editor exited (%s) without waiting for the message box to be closed"
              % ed.process.returncode)
        check(boxes, "no window titled 'Error deatils' appeared")
        editor_windows = server.search("^Velloran")
        check(not editor_windows, "a Velloran window exists next to the message box: %s"
              % [server.window_name(w) for w in editor_windows])
        time.sleep(0.5)
        check(ed.process.poll() is None, "editor exited (%s) while the message box was still up"
              % ed.process.returncode)
        box = boxes[0]
        (bx, by), (bw, bh) = server.geometry(box)
        server.move_to(bx + bw // 2, by + bh // 2)
        server.focus(box)
        settle()
        server.tool("xdotool", "key", "Return")
        expect_exit(ed, 1, "Return in the message box")


def case_missing_font_without_display(run):
    with run.editor(drop=("GOTHIC.TTF",), with_display=False, window=False) as ed:
        expect_exit(ed, 1, "starting without a font or a display", timeout=10)
        err = ed.stderr()
        check("Error deatils" in err, "stderr lacks the 'Error deatils' title: %r" % err[-300:])
        check("GOTHIC.TTF" in err, "stderr does not name the missing font: %r" % err[-300:])


def case_layout_at_start(run):
    with run.editor() as ed:
        (_, size) = ed.geometry()
        check(size == (800, 600), "window is %dx%d, expected 800x600" % size)
        check(ed.origin == (240, 212), "window client area at %s, expected centred at (240, 212)"
              % (ed.origin,))
        shot = wait_shot(ed, lambda s: s.pixel(541, 300) == GREY)
        check_layout(shot, 800, 600)


def case_return_twice_restores_size(run):
    with run.editor() as ed:
        # Off centre, so that full screen shows on both SDL 1.2 libraries: sdl12-compat makes the
        # window itself screen-sized, while the classic library covers the screen with a black
        # window of its own and puts the picture in its middle, where a centred window already is.
        ed.server.tool("xdotool", "windowmove", str(ed.wid), "0", "40")
        poll(lambda: ed.geometry()[0] == (0, 40), 5.0)
        ed.origin = ed.geometry()[0]
        before_pos, before_size = ed.geometry()
        ed.move(270, 300)
        ed.move(*REST)
        ed.focus()
        settle()
        windowed = ed.shot()
        ed.key("Return")

        def changed(shot):
            return ed.geometry() != (before_pos, before_size) or shot.region(0, 0, 799, 599) != \
                windowed.region(0, 0, 799, 599)
        full = wait_shot(ed, changed)
        check(changed(full), "the first Return changed neither the window nor its picture")
        # Full screen is the desktop's own size, one pixel a pixel: at the screen's right-hand
        # end the menu bar is exactly its 16 rows tall (a picture scaled up to the screen would
        # be taller, a picture centred in it would leave black there). Without a window manager
        # the window keeps its place, 40 rows down.
        def bar_spans(screen):
            column = [screen.pixel(screen.width - 3, y) for y in range(80)]
            if GREY not in column:
                return False
            top = column.index(GREY)
            rows = len(list(itertools.takewhile(lambda colour: colour == GREY, column[top:])))
            return rows == MENU_BAR_H
        check(poll(lambda: bar_spans(ed.server.screenshot()), 5.0),
              "full screen does not reach the right-hand end of the desktop")
        ed.key("Return")
        size = ed.wait_size(before_size)
        check(size == before_size, "after two Returns the window is %dx%d, expected %dx%d"
              % (size + before_size))
        ed.origin = ed.geometry()[0]
        shot = wait_shot(ed, lambda s: s.pixel(541, 300) == GREY)
        check_layout(shot, before_size[0], before_size[1])


def case_resize_lays_out_again(run):
    with run.editor() as ed:
        ed.server.tool("xdotool", "windowsize", str(ed.wid), "600", "400")
        size = ed.wait_size((600, 400))
        check(size == (600, 400), "window is %dx%d after windowsize 600 400" % size)
        ed.origin = ed.geometry()[0]
        # The whole new layout, menu bar included: the window system may clear the window once
        # more after the first frame of the new size, and the editor must paint it again.
        shot = wait_shot(ed, lambda s: s.pixel(341, 200) == GREY and s.pixel(361, 17) == WHITE
                         and s.pixel(0, 0) == GREY and s.pixel(590, 8) == GREY)
        check_layout(shot, 600, 400)


def open_file_menu(ed):
    ed.move(270, 300)
    ed.click(*centre((TITLES["File"][0], TITLE_Y[0], TITLES["File"][1], TITLE_Y[1])))


def item_rect(name):
    y0, y1 = FILE_ITEMS[name]
    return (ITEM_X[0], y0, ITEM_X[1], y1)


def case_file_menu_opens_and_highlights(run):
    with run.editor() as ed:
        file_title = (TITLES["File"][0], TITLE_Y[0], TITLES["File"][1], TITLE_Y[1])
        edit_title = (TITLES["Edit"][0], TITLE_Y[0], TITLES["Edit"][1], TITLE_Y[1])
        ed.move(270, 300)
        ed.move(*centre(file_title))
        shot = wait_shot(ed, lambda s: s.count(*file_title, TITLE_HOVER) > 0)
        check_mostly(shot, file_title, TITLE_HOVER, "File title under the pointer")
        check_mostly(shot, edit_title, GREY, "Edit title away from the pointer")
        check_none(shot, edit_title, TITLE_HOVER, "Edit title away from the pointer")

        ed.click(*centre(file_title))
        menu_body = (ITEM_X[0], FILE_ITEMS["Open"][0], ITEM_X[1], FILE_ITEMS["Exit"][1])
        shot = wait_shot(ed, lambda s: s.count(*menu_body, GREY) * 2 >= area(menu_body))
        check_mostly(shot, menu_body, GREY, "File menu after a click on its title")
        for name in FILE_ITEMS:
            check_none(shot, item_rect(name), ITEM_HOVER, "item %s with the pointer on the title" % name)

        for hovered in ("New", "Exit", "Open"):
            ed.move(*centre(item_rect(hovered)))
            shot = wait_shot(ed, lambda s: s.count(*item_rect(hovered), ITEM_HOVER) * 2 >= area(item_rect(hovered)))
            check_mostly(shot, item_rect(hovered), ITEM_HOVER, "item %s under the pointer" % hovered)
            for other in FILE_ITEMS:
                if other != hovered:
                    check_none(shot, item_rect(other), ITEM_HOVER,
                               "item %s while the pointer is on %s" % (other, hovered))


def case_file_exit_exits_0(run):
    with run.editor() as ed:
        open_file_menu(ed)
        exit_item = centre(item_rect("Exit"))
        ed.move(*exit_item)
        shot = wait_shot(ed, lambda s: s.count(*item_rect("Exit"), ITEM_HOVER) > 0)
        check_mostly(shot, item_rect("Exit"), ITEM_HOVER, "item Exit under the pointer")
        ed.click(*exit_item)
        expect_exit(ed, 0, "File > Exit")


def case_click_outside_closes_menu(run):
    with run.editor() as ed:
        ed.move(270, 300)
        ed.move(*REST)
        settle()
        below_bar = (0, MENU_BAR_H, 59, 119)
        before = ed.shot()
        open_file_menu(ed)
        menu_body = (ITEM_X[0], FILE_ITEMS["New"][0] + 2, ITEM_X[1], FILE_ITEMS["Exit"][1])
        shot = wait_shot(ed, lambda s: s.count(*menu_body, GREY) * 2 >= area(menu_body))
        check_mostly(shot, menu_body, GREY, "File menu after a click on its title")

        ed.click(270, 300)
        ed.move(*REST)
        shot = wait_shot(ed, lambda s: s.region(*below_bar) == before.region(*below_bar))
        check_none(shot, menu_body, GREY, "menu area after a click in the design window")
        check_none(shot, menu_body, ITEM_HOVER, "menu area after a click in the design window")
        check(shot.region(*below_bar) == before.region(*below_bar),
              "the map under the closed menu %s does not look as before the menu opened" % (below_bar,))
        file_title = (TITLES["File"][0], TITLE_Y[0], TITLES["File"][1], TITLE_Y[1])
        check_mostly(shot, file_title, GREY, "File title after the menu closed")


def case_pick_brush_paint_and_undo(run):
    with run.editor() as ed:
        width = 800
        ed.move(270, 300)
        ed.move(*REST)
        settle()
        # The 3x3 stamp lands on map cells 11..13 x 16..18 when centred on cell (12, 17).
        target = centre(map_cell(12, 17))
        block = (map_cell(11, 16)[0], map_cell(11, 16)[1], map_cell(13, 18)[2], map_cell(13, 18)[3])
        around = (block[0] - CELL, block[1] - CELL, block[2] + CELL, block[3] + CELL)
        before = ed.shot()

        # Pick: press on palette cell (5, 2), drag to (3, 4), release.
        start, end = centre(palette_cell(width, 5, 2)), centre(palette_cell(width, 3, 4))
        ed.move(*start)
        settle()
        ed.press()
        try:
            # Hold still until the editor has seen the press where it happened,
            # as a hand would, before dragging.
            want = TITLE + " / brush: 1x1 / icon:37"
            caption = ed.wait_caption(want)
            check(caption == want, "after pressing on palette cell (5, 2) the caption is %r, expected %r"
                  % (caption, want))
            for step in (1, 2, 3, 4):
                ed.move(start[0] + (end[0] - start[0]) * step // 4, start[1] + (end[1] - start[1]) * step // 4)
                time.sleep(0.05)
            want = TITLE + " / brush: 3x3 / icon:67"
            caption = ed.wait_caption(want)
            check(caption == want, "while dragging on the palette the caption is %r, expected %r"
                  % (caption, want))
        finally:
            ed.release()
        settle()

        # Paint: hold the button on the design window.
        ed.move(*target)
        settle()
        ed.press()
        try:
            want = TITLE + " / brush: 3x3 / layer:'Map1' / map:128x128"
            caption = ed.wait_caption(want)
            check(caption == want, "while painting the caption is %r, expected %r" % (caption, want))
        finally:
            ed.release()
        ed.move(*REST)
        painted = wait_shot(ed, lambda s: s.region(*block) != before.region(*block))
        check(painted.region(*block) != before.region(*block), "nothing was painted at %s" % (block,))
        for dc in range(3):
            for dr in range(3):
                got = painted.region(*map_cell(11 + dc, 16 + dr))
                want_tile = painted.region(*palette_cell(width, 3 + dc, 2 + dr))
                check(got == want_tile, "map cell (%d, %d) does not show tile %d from the brush"
                      % (11 + dc, 16 + dr, 16 * (2 + dr) + 3 + dc))
        for (x, y), rgb in painted.pixels(*around):
            if not (block[0] <= x <= block[2] and block[1] <= y <= block[3]):
                check(rgb == before.pixel(x, y), "paint spilled outside the 3x3 block at %s" % ((x, y),))

        # Undo with u, the pointer over the window.
        ed.key("u")
        undone = wait_shot(ed, lambda s: s.region(*around) == before.region(*around))
        check(undone.region(*around) == before.region(*around),
              "after u the cells %s do not look as before painting" % (around,))


# Arrow-key taps, one row per tap: the key, how long it is held (0: press and release reach the
# editor together) and the pause before the next tap. A repeat that outlives its tap starts half
# a second after the press, so the long pauses give it time to show.
TAP_HOLDS = (0, 0.003, 0, 0.02, 0.08)
TAP_PAUSES = (0.6, 0.1, 0.65)
ARROW_TAPS = [("Right" if i % 2 == 0 else "Left", TAP_HOLDS[i % 5], TAP_PAUSES[i % 3])
              for i in range(40)]
LANDMARK_COLUMN = 32  # the last whole column of the 800 x 600 design window


def case_arrow_taps_scroll_one_column_each(run):
    # Each tap of an arrow key scrolls the map by exactly one column, however short the tap,
    # and a held key keeps scrolling until it is let go.
    with run.editor() as ed:
        width = 800
        ed.move(270, 300)
        ed.move(*REST)
        settle()
        # A landmark: palette tile 37 painted into map cell (32, 5) of the grass map; where it
        # shows in row 5 tells how far the view has scrolled.
        ed.click(*centre(palette_cell(width, 5, 2)))
        ed.click(*centre(map_cell(LANDMARK_COLUMN, 5)))
        landmark = ed.shot().region(*palette_cell(width, 5, 2))
        ed.move(270, 300)
        ed.focus()

        def scrolled(shot):
            for column in range(LANDMARK_COLUMN + 1):
                if shot.region(*map_cell(column, 5)) == landmark:
                    return LANDMARK_COLUMN - column
            return None

        def wait_scrolled(wanted, timeout=10.0):
            return scrolled(wait_shot(ed, lambda shot: scrolled(shot) == wanted, timeout))

        got = wait_scrolled(0)
        check(got == 0, "the landmark painted into column %d is not in view (scrolled %s)"
              % (LANDMARK_COLUMN, got))
        for _ in range(2):
            ed.tap_key("Right", 0.05)
            time.sleep(0.1)
        got = wait_scrolled(2)
        check(got == 2, "two slow taps of Right scrolled the view by %s columns" % got)

        wanted = 2
        for i, (key, hold, pause) in enumerate(ARROW_TAPS):
            ed.tap_key(key, hold)
            wanted += 1 if key == "Right" else -1
            time.sleep(pause)
            got = scrolled(ed.shot())
            if got != wanted:
                # The frame may still be on its way: one more look before failing.
                got = wait_scrolled(wanted, 10.0)
            check(got == wanted, "tap %d (%s held %.3f s) left the view scrolled by %s columns, "
                  "expected %d" % (i + 1, key, hold, got, wanted))

        ed.tap_key("Right", 1.0)
        held = scrolled(wait_shot(ed, lambda shot: (scrolled(shot) or 0) >= wanted + 5))
        check(held is not None and held >= wanted + 5,
              "Right held for a second scrolled from %d to %s, expected it to repeat"
              % (wanted, held))
        time.sleep(0.6)
        check(scrolled(ed.shot()) == held, "the view kept scrolling after Right was let go")
def save_as(ed, typed, saved):
    """File > Save, typing into the Save dialog; waits for the file saved to appear."""
    open_file_menu(ed)
    ed.click(*centre(item_rect("Save")))
    dialogs = poll(lambda: ed.server.search("^Save Map File$", True), 10, 0.1)
    check(dialogs, "no Save Map File dialog appeared")
    ed.server.focus(dialogs[0])
    settle()
    ed.server.tool("xdotool", "type", "--delay", "40", typed)
    ed.key("Return")
    if not poll(lambda: os.path.exists(saved), 3, 0.1):
        ed.key("Return")  # the name's completion popup took the first one
    check(poll(lambda: os.path.exists(saved), 15, 0.1), "typing %r into the Save dialog did not "
          "save %s; the start folder holds %s" % (typed, saved, os.listdir(ed.folder)))
    return saved


def install_editor(run):
    """Installs the build the run tests into a fresh prefix; returns the prefix."""
    prefix = tempfile.mkdtemp(prefix="velloran-prefix-")
    done = subprocess.run(["cmake", "--install", os.path.dirname(run.binary), "--prefix", prefix],
                          stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                          stderr=subprocess.STDOUT, timeout=60)
    check(done.returncode == 0, "cmake --install failed: %s" % done.stdout.decode()[-300:])
    return prefix


def launcher(folder, program, *args):
    """A script that starts program with args, as a desktop launcher would."""
    path = os.path.join(folder, "launch.sh")
    with open(path, "w") as f:
        f.write("#!/bin/sh\nexec %s\n" % " ".join(shlex.quote(a) for a in (program,) + args))
    os.chmod(path, 0o755)
    return path


def case_installed_editor_uses_its_data_and_the_start_folder(run):
    # Started from a folder without a configuration, the installed editor reads the data
    # installed with it, while a name typed into its first Save dialog lands in that folder; a
    # map named relative to that folder on the command line opens at start-up.
    prefix = install_editor(run)
    scratch = tempfile.mkdtemp(prefix="velloran-start-")
    try:
        data = os.path.join(prefix, "share", "velloran")
        data_before = sorted(os.listdir(data))
        program = os.path.join(prefix, "bin", "velloran")
        empty = os.path.join(scratch, "empty")
        maps = os.path.join(scratch, "maps")
        os.mkdir(empty)
        os.mkdir(maps)
        with Run(program, empty).editor() as ed:
            check(ed.wait_caption(TITLE + " / ", 3.0) == TITLE + " / ", "unexpected caption")
            saved = save_as(ed, "drawn", os.path.join(ed.folder, "drawn.map"))
            # The bundled configuration's map: one layer "Map1" of 128 x 128 cells.
            size = os.path.getsize(saved)
            check(size == 4 + 1 + 4 + 6 * 4 + 128 * 128 * 2,
                  "the saved map is %d bytes, not the installed configuration's map" % size)
            shutil.copy(saved, maps)
            check(sorted(os.listdir(data)) == data_before, "the data folder changed")
        with Run(launcher(scratch, program, "drawn.map"), maps).editor() as ed:
            caption = poll(lambda: ed.caption().endswith(" -- drawn.map") and ed.caption(), 4)
            check(caption, "the map named on the command line did not open: caption %r"
                  % ed.caption())
    finally:
        shutil.rmtree(scratch, ignore_errors=True)
        shutil.rmtree(prefix, ignore_errors=True)


# Maps named on the command line: the first layer's name and the size of both layers.
COMMAND_LINE_MAPS = [("Map1", 128, 128), ("Ground", 128, 128), ("Map1", 40, 30),
                     ("Map1", 200, 150)]


def case_map_named_on_the_command_line_opens_as_it_is(run):
    # Caught slip: start-up clearing the configured first layer after the map named on the
    # command line was opened, which then counts as changed and saves its first layer as ground.
    with tempfile.TemporaryDirectory(prefix="velloran-open-") as folder:
        for first, width, height in COMMAND_LINE_MAPS:
            what = "%s %dx%d" % (first, width, height)
            start, copy = os.path.join(folder, "start.map"), os.path.join(folder, "copy.map")
            cells = width * height
            layers = [struct.pack("<B%ds6i" % len(name), len(name), name.encode(), width, height,
                                  0, 0, CELL, CELL) +
                      struct.pack("<%dH" % cells, *(3 + (i + 250 * n) % 500 for i in range(cells)))
                      for n, name in enumerate((first, "Map2"))]
            with open(start, "wb") as f:
                f.write(struct.pack("<i", 2) + b"".join(layers))
            with run.editor(args=(start,)) as ed:
                ed.close_window()
                expect_exit(ed, 0, "closing the window at once on %s" % what)
            with run.editor(args=(start,)) as ed:
                save_as(ed, copy[:-len(".map")], copy)
                with open(copy, "rb") as saved, open(start, "rb") as opened:
                    check(saved.read() == opened.read(), "%s was not saved as it was" % what)
            os.remove(copy)


def case_quick_clicks_count(run):
    # Caught slip: the frame only reading the buttons, so that a click whose press and release
    # come between two frames is lost. What shows that a click at that place counted:
    steps = [
        (palette_cell(800, 5, 2), lambda ed: ed.caption() == TITLE + " / brush: 1x1 / icon:37"),
        (map_cell(3, 4), lambda ed: ed.caption().endswith(" / layer:'Map1' / map:128x128")),
        ((TITLES["File"][0], TITLE_Y[0], TITLES["File"][1], TITLE_Y[1]),
         lambda ed: ed.shot().count(*item_rect("Exit"), GREY) * 2 >= area(item_rect("Exit"))),
        (item_rect("Exit"), lambda ed: ed.server.search("^Unsaved changes$", True))]
    with run.editor() as ed:
        ed.move(270, 300)
        for place, counted in steps:
            ed.quick_click(*centre(place))
            check(poll(lambda: counted(ed), 15, 0.1), "a quick click on %s did nothing" % (place,))
        answer_question(ed, ["alt+d"])
        expect_exit(ed, 0, "Discard")


def case_zoom_reaches_the_far_corner_of_a_big_map(run):
    # Caught slips: a zoomed-out click landing on the cell of level 1's arithmetic, zooming out
    # and in again not coming back to the same view, Ctrl+End stopping short of the last cell.
    side, ground = 4096, 300
    with tempfile.TemporaryDirectory(prefix="velloran-zoom-") as folder:
        start, saved = os.path.join(folder, "big.map"), os.path.join(folder, "painted.map")
        with open(start, "wb") as f:
            f.write(struct.pack("<iB4s6i", 1, 4, b"Map1", side, side, 0, 0, CELL, CELL))
            f.write(struct.pack("<H", ground) * (side * side))
        with run.editor(args=(start,)) as ed:
            check(poll(lambda: ed.caption().endswith(" -- big.map"), 30), "big.map did not open")
            ed.click(*centre(palette_cell(800, 5, 2)))  # a left brush of palette tile 37
            ed.move(270, 300)
            settle()
            view = (0, 16, 528, 600)
            before = ed.shot().region(*view)
            ed.key("minus")
            ed.key("plus")
            settle()
            check(ed.shot().region(*view) == before, "- then + did not give back the same view")
            ed.key("ctrl+End")
            settle()
            # The last whole column and row of a 528 x 584 view at 16 pixels a cell.
            ed.click(*centre(map_cell(32, 35)))
            for _ in range(7):
                ed.key("minus")
            settle()
            ed.click(511, 16 + 511)  # the bottom-right pixel of the map at 1:128
            save_as(ed, saved[:-len(".map")], saved)
        with open(saved, "rb") as f:
            f.seek(4 + 1 + 4 + 24)
            tiles = struct.unpack("<%dH" % (side * side), f.read(side * side * 2))
        changed = [(i % side, i // side) for i, tile in enumerate(tiles) if tile != ground]
        check((side - 1, side - 1) in changed, "Ctrl+End then a click did not paint the last "
              "cell; painted %s" % changed[:4])
        # At 1:128 a pixel shows the cell at its corner: (4088, 4088) for the last pixel.
        check(any(side - 16 <= min(c, r) and max(c, r) <= side - 4 for c, r in changed),
              "a click on the corner at 1:128 painted %s" % changed[:4])




# --- recovery -------------------------------------------------------------------

def map_file(path, layers, side):
    """Writes a map of layers Map1.. of side x side cells of tile 0; returns its size."""
    with open(path, "wb") as f:
        f.write(struct.pack("<i", layers))
        for n in range(layers):
            f.write(struct.pack("<B4s6i", 4, b"Map%d" % (n + 1), side, side, 0, 0, CELL, CELL))
            f.write(bytes(2 * side * side))
    return os.path.getsize(path)


def cell_of(path, column, row):
    """The tile of (column, row) of the first layer of a map file written as map_file writes."""
    with open(path, "rb") as f:
        side = struct.unpack_from("<i", f.read(13), 9)[0]
        f.seek(33 + 2 * (row * side + column))
        return struct.unpack("<H", f.read(2))[0]


def recovery_files(state, part=""):
    folder = os.path.join(state, "velloran", "recovery")
    return [n for n in sorted(os.listdir(folder)) if part in n] if os.path.isdir(folder) else []


def copy_after_paint(ed, state, cell, timeout=15.0, opened=""):
    """Paints palette tile 37 on map cell `cell` (once the map `opened` has opened); waits for
    the copy and its note to follow."""
    check(poll(lambda: ed.caption().endswith(opened), timeout), "%s did not open" % opened)
    ed.move(270, 300)
    ed.click(*centre(palette_cell(800, 5, 2)))
    ed.click(*centre(map_cell(*cell)))
    check(poll(lambda: len([n for n in recovery_files(state) if n[0] != "."]) == 2, timeout, 0.05),
          "no recovery copy with its note appeared: %s" % recovery_files(state))
    return os.path.join(state, "velloran", "recovery", recovery_files(state, ".map")[0])


def kill_hard(ed, with_writer=False):
    """Ends the editor as a crash would (and its copy's writer, as a power cut would)."""
    pid = ed.process.pid
    with open("/proc/%d/task/%d/children" % (pid, pid)) as f:
        victims = [pid] + ([int(child) for child in f.read().split()] if with_writer else [])
    for victim in victims:
        with contextlib.suppress(ProcessLookupError):
            os.kill(victim, 9)
    ed.process.wait(10)


def save_over_own_file(ed, path, state):
    """Ctrl+S, then Return in the Save dialog, which offers the map's own file."""
    before = os.stat(path).st_mtime_ns
    ed.move(270, 300)
    ed.key("ctrl+s")
    dialogs = poll(lambda: ed.server.search("^Save Map File$", True), 10, 0.1)
    check(dialogs, "Ctrl+S showed no Save Map File dialog")
    ed.server.focus(dialogs[0])
    settle()
    ed.key("Return")
    check(poll(lambda: os.stat(path).st_mtime_ns != before and not recovery_files(state), 30, 0.1),
          "%s was not saved, or the recovery folder still holds %s" % (path, recovery_files(state)))


def case_recovery_after_kill(run):
    # Caught slips: no copy while the editor idles, a copy the next start does not offer, a
    # recovered map that forgets its file (Save would ask for one), Save leaving the copy.
    with tempfile.TemporaryDirectory(prefix="velloran-recover-") as scratch:
        state, path = os.path.join(scratch, "state"), os.path.join(scratch, "painted.map")
        map_file(path, 1, 128)
        settings = [("AutosaveSeconds", 1)]
        with run.editor(args=(path,), settings=settings, state=state) as ed:
            copy_after_paint(ed, state, (3, 4), opened="painted.map")
            kill_hard(ed)
        with run.editor(args=(path,), settings=settings, state=state) as ed:
            answer_question(ed, ["alt+r"], "Recover unsaved work")
            save_over_own_file(ed, path, state)
            check(cell_of(path, 3, 4) == 37, "the saved file holds tile %d at (3, 4), not the "
                  "painted 37" % cell_of(path, 3, 4))


def case_recovery_survives_a_kill_during_its_write(run):
    # Many quick changes on a big map; the editor and its writer killed in the middle of a write
    # leave the previous copy whole, and that is what opens and is saved.
    with tempfile.TemporaryDirectory(prefix="velloran-recover-") as scratch:
        state, path = os.path.join(scratch, "state"), os.path.join(scratch, "big.map")
        size = map_file(path, 9, 2048)
        with run.editor(args=(path,), settings=[("AutosaveSeconds", 1)], state=state) as ed:
            copy = copy_after_paint(ed, state, (3, 4), 60, "big.map")
            for attempt in range(40):
                ed.quick_click(*centre(map_cell(attempt % 30, 5 + attempt // 30)))
                # A write under way: the temporary file the save writer renames when done.
                if poll(lambda: recovery_files(state, ".map~"), 2.5, 0.002):
                    break
            kill_hard(ed, with_writer=True)
        check(recovery_files(state, ".map~"), "no write was under way when the editor was killed")
        check(os.path.getsize(copy) == size and cell_of(copy, 3, 4) == 37,
              "the copy left by the killed write is not the whole painted map")
        with open(copy, "rb") as f:
            kept = f.read()
        with run.editor(args=(path,), state=state) as ed:
            answer_question(ed, ["alt+r"], "Recover unsaved work")
            save_over_own_file(ed, path, state)
            with open(path, "rb") as f:
                check(f.read() == kept, "the saved map is not the copy that was recovered")


def case_discard_leaves_no_copy(run):
    # Discard in the question at start removes the copy, and nothing new takes its place.
    with tempfile.TemporaryDirectory(prefix="velloran-recover-") as scratch:
        state, settings = os.path.join(scratch, "state"), [("AutosaveSeconds", 1)]
        with run.editor(settings=settings, state=state) as ed:
            copy_after_paint(ed, state, (3, 4))
            kill_hard(ed)
        with run.editor(settings=settings, state=state) as ed:
            answer_question(ed, ["alt+d"], "Recover unsaved work")
            check(poll(lambda: not recovery_files(state), 5, 0.05), "Discard left %s"
                  % recovery_files(state))
            ed.close_window()  # nothing changed: no question
            expect_exit(ed, 0, "closing the window")
        check(not recovery_files(state), "the editor left %s" % recovery_files(state))

CASES = [
    ("zoom_reaches_the_far_corner_of_a_big_map", case_zoom_reaches_the_far_corner_of_a_big_map),
    ("caption_at_start", case_caption_at_start),
    ("caption_stays_without_focus_at_start", case_caption_stays_without_focus_at_start),
    ("close_window_exits_0", case_close_window_exits_0),
    ("sigterm_exits_0", case_sigterm_exits_0),
    ("starts_without_sound", case_starts_without_sound),
    ("missing_font_shows_message_box", case_missing_font_shows_message_box),
    ("missing_font_without_display", case_missing_font_without_display),
    ("video_unavailable_reports_and_exits_1", case_video_unavailable_reports_and_exits_1),
    ("no_display_reports_and_exits_1", case_no_display_reports_and_exits_1),
    ("idle_editor_sleeps", case_idle_editor_sleeps),
    ("closing_a_changed_map_asks_first", case_closing_a_changed_map_asks_first),
    ("layout_at_start", case_layout_at_start),
    ("return_twice_restores_size", case_return_twice_restores_size),
    ("resize_lays_out_again", case_resize_lays_out_again),
    ("file_menu_opens_and_highlights", case_file_menu_opens_and_highlights),
    ("file_exit_exits_0", case_file_exit_exits_0),
    ("click_outside_closes_menu", case_click_outside_closes_menu),
    ("pick_brush_paint_and_undo", case_pick_brush_paint_and_undo),
    ("arrow_taps_scroll_one_column_each", case_arrow_taps_scroll_one_column_each),
    ("map_named_on_the_command_line_opens_as_it_is",
     case_map_named_on_the_command_line_opens_as_it_is),
    ("quick_clicks_count", case_quick_clicks_count),
    ("recovery_after_kill", case_recovery_after_kill),
    ("recovery_survives_a_kill_during_its_write", case_recovery_survives_a_kill_during_its_write),
    ("discard_leaves_no_copy", case_discard_leaves_no_copy),
    ("installed_editor_uses_its_data_and_the_start_folder",
     case_installed_editor_uses_its_data_and_the_start_folder),
]


def main(argv):
    if len(argv) < 3:
        print("usage: run_program_tests.py VELLORAN_BINARY ASSETS_DIR [CASE ...]", file=sys.stderr)
        return 2
    run = Run(os.path.abspath(argv[1]), os.path.abspath(argv[2]))
    chosen = argv[3:]
    unknown = [name for name in chosen if name not in dict(CASES)]
    if unknown:
        print("unknown cases: %s" % ", ".join(unknown), file=sys.stderr)
        return 2
    passed = failed = 0
    started = time.monotonic()
    for name, case in CASES:
        if chosen and name not in chosen:
            continue
        t0 = time.monotonic()
        run.case = name
        try:
            case(run)
        except CaseFailure as failure:
            failed += 1
            print("FAIL %s: %s" % (name, failure), flush=True)
        except DriverError as problem:
            failed += 1
            print("FAIL %s: %s" % (name, problem), flush=True)
        except Exception:
            failed += 1
            detail = traceback.format_exc().strip().splitlines()
            print("FAIL %s: %s" % (name, " | ".join(detail[-3:])), flush=True)
        else:
            passed += 1
            print("PASS %s (%.1f s)" % (name, time.monotonic() - t0), flush=True)
    print("total %.1f s" % (time.monotonic() - started))
    print("%d passed, %d failed" % (passed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
