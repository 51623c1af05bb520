"""Runs Velloran on a private Xvfb server and drives it with real X input.

Everything here talks to the editor from the outside, the way a user does: the
pointer and the keyboard go through the XTEST extension (xdotool), the caption
is read back with xprop, and what is on screen comes from ImageMagick's
`import`.  Every wait has a deadline so that a stuck editor fails a case
instead of hanging the run.
"""

import ctypes
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

try:
    from Xlib import X, XK, display as xdisplay
    from Xlib.ext import xtest
    from Xlib.protocol import event as xevent
except ImportError:  # an interpreter of its own (pyenv, venv) misses Debian's python3-xlib
    sys.path.append("/usr/lib/python3/dist-packages")
    from Xlib import X, XK, display as xdisplay
    from Xlib.ext import xtest
    from Xlib.protocol import event as xevent

SCREEN_W, SCREEN_H = 1280, 1024
# Where the pointer waits while the editor starts: in the screen, off any window.
PARKED = (1270, 1010)
TOOL_TIMEOUT = 10.0


class DriverError(Exception):
    """The driver could not do what a case asked (tool failed, deadline passed)."""


def end_with_parent():
    """In a child before exec: the kernel ends the child when this runner ends, even when a
    test harness kills the runner before it could stop its X servers."""
    ctypes.CDLL(None, use_errno=True).prctl(1, signal.SIGTERM)  # PR_SET_PDEATHSIG


def poll(probe, timeout, interval=0.05):
    """Calls probe until it returns something true or timeout seconds pass.

    Returns the last value probe gave, true or not."""
    deadline = time.monotonic() + timeout
    while True:
        value = probe()
        if value or time.monotonic() >= deadline:
            return value
        time.sleep(interval)


class XServer:
    """One Xvfb on a display number nobody else uses."""

    def __init__(self, first=90, last=189):
        self.number = None
        self.process = None
        self.conn = None
        for number in range(first, last + 1):
            if os.path.exists("/tmp/.X11-unix/X%d" % number) or os.path.exists("/tmp/.X%d-lock" % number):
                continue
            if self._try_start(number):
                return
        raise DriverError("no free display number for Xvfb")

    def _try_start(self, number):
        process = subprocess.Popen(
            ["Xvfb", ":%d" % number, "-screen", "0", "%dx%d" % (SCREEN_W, SCREEN_H) + "x24",
             "-nolisten", "tcp", "-noreset"],
            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
            preexec_fn=end_with_parent)
        name = ":%d" % number

        def connect():
            if process.poll() is not None:
                return "gone"
            if not os.path.exists("/tmp/.X11-unix/X%d" % number):
                return None
            try:
                return xdisplay.Display(name)
            except Exception:
                return None

        conn = poll(connect, 10.0)
        if conn and conn != "gone":
            self.number, self.process, self.conn = number, process, conn
            # This connection stays open for the whole case, which also keeps
            # the server from resetting (and re-centring the pointer) whenever
            # its last other client goes away.
            return True
        # Another server took the number between our check and our start.
        if process.poll() is None:
            process.kill()
        process.wait()
        return False

    @property
    def name(self):
        return ":%d" % self.number

    def env(self, with_display=True):
        env = dict(os.environ)
        env.pop("DISPLAY", None)
        env.pop("WAYLAND_DISPLAY", None)
        if with_display:
            env["DISPLAY"] = self.name
        return env

    def tool(self, *args, timeout=TOOL_TIMEOUT, check=True):
        """Runs a command-line X tool on this display; returns its stdout."""
        try:
            done = subprocess.run(list(args), env=self.env(), stdin=subprocess.DEVNULL,
                                  stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=timeout)
        except subprocess.TimeoutExpired:
            raise DriverError("%s did not finish within %.0f s" % (" ".join(args), timeout))
        if check and done.returncode != 0:
            raise DriverError("%s failed (%d): %s" % (" ".join(args), done.returncode,
                                                      done.stderr.decode(errors="replace").strip()))
        return done.stdout.decode(errors="replace")

    def pointer(self):
        data = self.conn.screen().root.query_pointer()
        return data.root_x, data.root_y

    def park_pointer(self):
        """Puts the pointer where no editor window will be."""
        root = self.conn.screen().root
        root.warp_pointer(*PARKED)
        self.conn.sync()
        if self.pointer() != PARKED:
            raise DriverError("could not park the pointer, it is at %s" % (self.pointer(),))

    def window_name(self, wid):
        """The WM_NAME of a window, or None if it has none (or is gone)."""
        out = self.tool("xprop", "-id", str(wid), "WM_NAME", check=False)
        match = re.match(r'WM_NAME\([^)]*\) = "(.*)"\s*$', out, re.S)
        return re.sub(r'\\(.)', r'\1', match.group(1)) if match else None

    def search(self, pattern, visible_only=False):
        """Window ids whose WM_NAME matches the regex pattern, possibly none.

        xdotool matches names without regard to case (GTK's hidden leader
        window is called "velloran"), so its hits are checked again here."""
        args = ["xdotool", "search"]
        if visible_only:
            args.append("--onlyvisible")
        out = self.tool(*args, "--name", pattern, check=False)
        hits = [int(w) for w in out.split()]
        return [w for w in hits if re.search(pattern, self.window_name(w) or "")]

    def geometry(self, wid):
        """((x, y), (width, height)) of a window on the root."""
        out = self.tool("xdotool", "getwindowgeometry", str(wid))
        pos = re.search(r"Position:\s*(-?\d+),(-?\d+)", out)
        size = re.search(r"Geometry:\s*(\d+)x(\d+)", out)
        if not pos or not size:
            raise DriverError("cannot parse window geometry %r" % out)
        return (int(pos.group(1)), int(pos.group(2))), (int(size.group(1)), int(size.group(2)))

    def focus(self, wid):
        """Gives a window the keyboard focus (there is no window manager to do it)."""
        self.conn.set_input_focus(self.conn.create_resource_object("window", wid),
                                  X.RevertToPointerRoot, X.CurrentTime)
        self.conn.sync()

    def move_to(self, x, y):
        """Moves the pointer to root coordinates x, y."""
        # xdotool's --sync waits for the pointer to move, forever if it is
        # already there.
        if self.pointer() != (x, y):
            self.tool("xdotool", "mousemove", "--sync", str(x), str(y))

    def screenshot(self):
        fd, path = tempfile.mkstemp(suffix=".ppm", prefix="velloran-shot-")
        os.close(fd)
        try:
            self.tool("import", "-window", "root", "-depth", "8", "ppm:" + path)
            with open(path, "rb") as f:
                return Image.from_ppm(f.read())
        finally:
            os.unlink(path)

    def stop(self):
        if self.conn is not None:
            try:
                self.conn.close()
            except Exception:
                pass
            self.conn = None
        if self.process is not None:
            if self.process.poll() is None:
                self.process.terminate()
                try:
                    self.process.wait(5)
                except subprocess.TimeoutExpired:
                    self.process.kill()
                    self.process.wait()
            self.process = None


class Image:
    """An RGB screenshot of the whole root window."""

    def __init__(self, width, height, data):
        self.width, self.height, self.data = width, height, data

    @classmethod
    def from_ppm(cls, raw):
        # P6 header: magic, width, height, maxval, each separated by whitespace.
        fields = []
        pos = 0
        while len(fields) < 4:
            while raw[pos:pos + 1].isspace():
                pos += 1
            if raw[pos:pos + 1] == b"#":
                pos = raw.index(b"\n", pos) + 1
                continue
            end = pos
            while not raw[end:end + 1].isspace():
                end += 1
            fields.append(raw[pos:end])
            pos = end
        pos += 1
        if fields[0] != b"P6" or int(fields[3]) != 255:
            raise DriverError("unexpected screenshot format %r" % fields)
        width, height = int(fields[1]), int(fields[2])
        return cls(width, height, raw[pos:pos + width * height * 3])

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.data[i:i + 3])

    def region(self, x0, y0, x1, y1):
        """Pixels of the inclusive rectangle, row by row, as bytes."""
        rows = [self.data[(y * self.width + x0) * 3:(y * self.width + x1 + 1) * 3] for y in range(y0, y1 + 1)]
        return b"".join(rows)

    def pixels(self, x0, y0, x1, y1):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                yield (x, y), self.pixel(x, y)


SANITIZER_MARKS = ("ERROR: AddressSanitizer", "ERROR: LeakSanitizer", "runtime error:",
                   "SUMMARY: UndefinedBehaviorSanitizer")


def sanitizer_report(stderr):
    """The first lines of a sanitizer's report in the editor's stderr, or ""."""
    for mark in SANITIZER_MARKS:
        at = stderr.find(mark)
        if at >= 0:
            return " | ".join(stderr[at:].splitlines()[:12])
    return ""


class Editor:
    """The editor started in a scratch folder holding a copy of the assets."""

    def __init__(self, server, binary, assets, drop=(), with_display=True, env_extra=None,
                 args=(), settings=(), state=None):
        self.server = server
        self.folder = tempfile.mkdtemp(prefix="velloran-case-")
        for name in os.listdir(assets):
            if name in drop:
                continue
            source = os.path.join(assets, name)
            if os.path.isfile(source):
                shutil.copy(source, os.path.join(self.folder, name))
        if settings:  # extra <integer> settings, as (name, value) pairs
            path = os.path.join(self.folder, "Configuration.xml")
            with open(path) as f:
                text = f.read()
            extra = "".join('  <integer Name="%s" Value="%d"/>\n' % item for item in settings)
            with open(path, "w") as f:
                f.write(text.replace("</Data>", extra + "</Data>"))
        env = server.env(with_display)
        # Recovery copies go into a state folder of the case's own, never the user's.
        env["XDG_STATE_HOME"] = state or os.path.join(self.folder, "state")
        env.update(GSETTINGS_BACKEND="memory", NO_AT_BRIDGE="1", SDL_AUDIODRIVER="dummy")
        # The editor chooses its video driver itself unless a case asks for one.
        env.pop("SDL_VIDEODRIVER", None)
        # Libraries the test run wants loaded into the editor only (see setup.sh).
        preload = os.environ.get("VELLORAN_EDITOR_PRELOAD")
        if preload:
            env["LD_PRELOAD"] = preload
        env.update(env_extra or {})
        self.stdout_path = os.path.join(self.folder, "stdout.txt")
        self.stderr_path = os.path.join(self.folder, "stderr.txt")
        with open(self.stdout_path, "wb") as out, open(self.stderr_path, "wb") as err:
            self.process = subprocess.Popen([os.path.abspath(binary), *args], cwd=self.folder, env=env,
                                            stdin=subprocess.DEVNULL, stdout=out, stderr=err)
        self.wid = None
        self.origin = None

    # --- process -----------------------------------------------------------

    def wait_exit(self, timeout=5.0):
        """The exit status, or None if the editor still runs after timeout s."""
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            return None

    def stderr(self):
        with open(self.stderr_path, "rb") as f:
            return f.read().decode(errors="replace")

    def terminate(self):
        self.process.send_signal(signal.SIGTERM)

    def stop(self):
        """Ends the editor as a session manager would; fails on a sanitizer's report."""
        if self.process.poll() is None:
            self.process.terminate()
            try:
                # A sanitized build checks for leaks on the way out, which takes a moment.
                self.process.wait(15)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        report = sanitizer_report(self.stderr())
        shutil.rmtree(self.folder, ignore_errors=True)
        if report:
            raise DriverError("the sanitizer reported: %s" % report)

    # --- the window --------------------------------------------------------

    def find_window(self, timeout=10.0):
        """Waits for the editor's window; remembers its id and client origin."""
        def found():
            if self.process.poll() is not None:
                raise DriverError("editor exited with %d before showing its window; stderr: %s"
                                  % (self.process.returncode, self.stderr().strip()[-300:]))
            return self.server.search("^Velloran", visible_only=True)
        windows = poll(found, timeout, 0.1)
        if not windows:
            raise DriverError("no window named Velloran... within %.0f s" % timeout)
        self.wid = windows[0]
        self.origin, _ = self.geometry()
        return self.wid

    def caption(self):
        name = self.server.window_name(self.wid)
        if name is None:
            raise DriverError("cannot read the caption of window %d" % self.wid)
        return name

    def wait_caption(self, wanted, timeout=4.0):
        """Polls the caption until it equals wanted; returns the last one read."""
        return poll(lambda: self.caption() == wanted and wanted, timeout) or self.caption()

    def geometry(self):
        """((x, y), (width, height)) of the window's client area on the root."""
        return self.server.geometry(self.wid)

    def wait_size(self, wanted, timeout=4.0):
        return poll(lambda: self.geometry()[1] == wanted and wanted, timeout) or self.geometry()[1]

    def close_window(self):
        """Asks the window to close the way a window manager does."""
        conn = self.server.conn
        window = conn.create_resource_object("window", self.wid)
        protocols = conn.intern_atom("WM_PROTOCOLS")
        delete = conn.intern_atom("WM_DELETE_WINDOW")
        message = xevent.ClientMessage(window=window, client_type=protocols,
                                       data=(32, [delete, X.CurrentTime, 0, 0, 0]))
        window.send_event(message, event_mask=X.NoEventMask)
        conn.sync()

    def focus(self):
        self.server.focus(self.wid)

    # --- input, in client-area coordinates ---------------------------------

    def move(self, x, y):
        self.server.move_to(self.origin[0] + x, self.origin[1] + y)

    def press(self):
        self.server.tool("xdotool", "mousedown", "1")

    def release(self):
        self.server.tool("xdotool", "mouseup", "1")

    def click(self, x, y, settle=0.25):
        self.move(x, y)
        time.sleep(settle)
        self.press()
        time.sleep(settle)
        self.release()
        time.sleep(settle)

    def quick_click(self, x, y):
        """A click whose press and release reach the editor together, as a touchpad's tap."""
        self.move(x, y)
        self.server.tool("xdotool", "click", "1")

    def key(self, name):
        self.server.tool("xdotool", "key", name)

    def tap_key(self, name, hold):
        """Presses the key named by its X keysym and releases it hold seconds later.

        Goes through XTEST on the server's own connection rather than xdotool, so that the
        timing is the one asked for: with hold 0 press and release reach the editor together,
        as from a quick finger, which a pair of xdotool runs cannot do."""
        conn = self.server.conn
        code = conn.keysym_to_keycode(XK.string_to_keysym(name))
        if not code:
            raise DriverError("no key for keysym %r" % name)
        xtest.fake_input(conn, X.KeyPress, code)
        conn.sync()
        if hold > 0:
            time.sleep(hold)
        xtest.fake_input(conn, X.KeyRelease, code)
        conn.sync()

    # --- the screen, in client-area coordinates ----------------------------

    def shot(self):
        return Shot(self.server.screenshot(), self.origin)


class Shot:
    """A screenshot read in the editor window's client coordinates."""

    def __init__(self, image, origin):
        self.image, self.origin = image, origin

    def pixel(self, x, y):
        return self.image.pixel(self.origin[0] + x, self.origin[1] + y)

    def region(self, x0, y0, x1, y1):
        ox, oy = self.origin
        return self.image.region(ox + x0, oy + y0, ox + x1, oy + y1)

    def pixels(self, x0, y0, x1, y1):
        ox, oy = self.origin
        for (x, y), rgb in self.image.pixels(ox + x0, oy + y0, ox + x1, oy + y1):
            yield (x - ox, y - oy), rgb

    def off_pixels(self, x0, y0, x1, y1, colour):
        """Pixels in the inclusive rectangle that are not colour."""
        return [(xy, rgb) for xy, rgb in self.pixels(x0, y0, x1, y1) if rgb != colour]

    def count(self, x0, y0, x1, y1, colour):
        return sum(1 for _, rgb in self.pixels(x0, y0, x1, y1) if rgb == colour)

    def save(self, path):
        with open(path, "wb") as f:
            f.write(b"P6\n%d %d\n255\n" % (self.image.width, self.image.height))
            f.write(self.image.data)
