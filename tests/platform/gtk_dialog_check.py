#!/usr/bin/env python3
"""Drives the desktop file chooser from the keyboard alone, on a private Xvfb display.

Usage: gtk_dialog_check.py PATH_TO_FILE_CHOOSER_PROBE

Each case starts the probe (one Open or Save dialog), waits for its window, gives it the
keyboard focus (Xvfb has no window manager to do that), types as a user would and checks the
path the probe prints. Exits 77 when Xvfb or xdotool is missing, so the test can be skipped.
"""

import os
import random
import select
import shutil
import subprocess
import sys
import tempfile
import time

SKIPPED = 77
WINDOW_WAIT_SECONDS = 20
ANSWER_WAIT_SECONDS = 10
TITLES = {"open": "Open Map File", "save": "Save Map File"}


def start_xvfb():
    """Starts Xvfb on a free display; returns (process, display)."""
    # Low display numbers are the ones other programs and test runs on this machine pick, so
    # try random high ones until Xvfb accepts one.
    for number in random.sample(range(200, 900), 20):
        read_end, write_end = os.pipe()
        # The file chooser opens at about 1100x820, so the screen is made larger than that.
        xvfb = subprocess.Popen(
            ["Xvfb", ":%d" % number, "-displayfd", str(write_end), "-screen", "0",
             "1280x1024x24", "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        announced = b""
        deadline = time.monotonic() + 15
        while not announced.endswith(b"\n") and time.monotonic() < deadline:
            ready, _, _ = select.select([read_end], [], [], 0.5)
            chunk = os.read(read_end, 32) if ready else b""
            if ready and not chunk:
                break
            announced += chunk
        os.close(read_end)
        if announced.strip():
            return xvfb, ":" + announced.decode().strip()
        xvfb.kill()
        xvfb.wait()
    raise RuntimeError("Xvfb did not start")


def xdotool(env, *args, timeout=10):
    return subprocess.run(["xdotool", *args], env=env, capture_output=True, text=True,
                          timeout=timeout)


def find_window(env, probe, title):
    deadline = time.monotonic() + WINDOW_WAIT_SECONDS
    while time.monotonic() < deadline and probe.poll() is None:
        # Only the probe's own window: an id from the previous case may still be on its way out.
        found = xdotool(env, "search", "--all", "--onlyvisible", "--pid", str(probe.pid),
                        "--name", "^" + title + "$")
        if found.returncode == 0 and found.stdout.split():
            return found.stdout.split()[0]
        time.sleep(0.1)
    return None


def run_case(env, probe_path, case):
    args = [probe_path, case["mode"]] + ([case["initial"]] if case.get("initial") else [])
    probe = subprocess.Popen(args, cwd=case["cwd"], env=env, stdout=subprocess.PIPE,
                             stderr=subprocess.PIPE, text=True)
    try:
        window = find_window(env, probe, TITLES[case["mode"]])
        if window is None:
            if probe.poll() is not None:
                return "the probe ended (exit %s) without showing the dialog: %s" % (
                    probe.returncode, (probe.stdout.read() + probe.stderr.read()).strip())
            return "the dialog did not appear"
        xdotool(env, "windowfocus", "--sync", window)
        time.sleep(case.get("pause", 0.3))
        for action, value in case["keys"]:
            if action == "type":
                xdotool(env, "type", "--delay", "40", "--", value)
            elif action == "wait":  # for a window with this title; keys then go to it
                if find_window(env, probe, value) is None:
                    return "no window titled %r appeared" % value
            else:
                xdotool(env, "key", value)
        try:
            out, err = probe.communicate(timeout=ANSWER_WAIT_SECONDS)
        except subprocess.TimeoutExpired:
            return "the dialog was still open after the keys were typed"
        lines = [line for line in out.splitlines() if line.startswith("chosen=[")]
        if probe.returncode != 0 or not lines:
            return "the probe failed (exit %s): %s" % (probe.returncode, err.strip())
        chosen = lines[-1][len("chosen=["):-1]
        if chosen != case["expected"]:
            return "chose %r, expected %r" % (chosen, case["expected"])
        return None
    finally:
        if probe.poll() is None:
            probe.kill()
            probe.wait()


def cases(work):
    maps = os.path.join(work, "maps")
    return [
        dict(name="save: a typed name gets the .map extension", mode="save", cwd=work,
             keys=[("type", "newmap"), ("key", "Return")],
             expected=os.path.join(work, "newmap.map")),
        dict(name="save: a typed path leads into another folder", mode="save", cwd=work,
             keys=[("type", os.path.join(maps, "level")), ("key", "Return")],
             expected=os.path.join(maps, "level.map")),
        dict(name="save: Return keeps the preselected path", mode="save", cwd=work,
             initial=os.path.join(maps, "first.map"), keys=[("key", "Return")],
             expected=os.path.join(maps, "first.map")),
        dict(name="save: Escape cancels", mode="save", cwd=work,
             initial=os.path.join(maps, "first.map"),
             keys=[("type", "other"), ("key", "Escape")], expected=""),
        # Caught slip: the Save dialog replacing an existing file other than its own silently,
        # or asking about "second" instead of the "second.map" it writes.
        dict(name="save: no to replacing another file returns to the dialog", mode="save",
             cwd=work, initial=os.path.join(maps, "first.map"),
             keys=[("type", "second"), ("key", "Return"), ("wait", "Replace File"),
                   ("key", "Escape"), ("type", "-2"), ("key", "Return")],
             expected=os.path.join(maps, "second-2.map")),
        dict(name="save: yes to replacing another file", mode="save", cwd=maps,
             keys=[("type", "second.map"), ("key", "Return"), ("wait", "Replace File"),
                   ("key", "Return")], expected=os.path.join(maps, "second.map")),
        dict(name="open: Return opens the preselected file", mode="open", cwd=work,
             initial=os.path.join(maps, "second.map"), keys=[("key", "Return")],
             expected=os.path.join(maps, "second.map")),
        dict(name="open: a name typed in the folder of a missing file", mode="open", cwd=work,
             initial=os.path.join(maps, "gone.map"),
             keys=[("type", "first.map"), ("key", "Return")],
             expected=os.path.join(maps, "first.map")),
        dict(name="open: a typed name in the working directory", mode="open", cwd=maps,
             keys=[("type", "second.map"), ("key", "Return")],
             expected=os.path.join(maps, "second.map")),
        dict(name="open: a typed absolute path", mode="open", cwd=work,
             keys=[("type", os.path.join(maps, "first.map")), ("key", "Return")],
             expected=os.path.join(maps, "first.map")),
        dict(name="open: Escape cancels", mode="open", cwd=work, keys=[("key", "Escape")],
             expected=""),
    ] + typing_over_the_preselected_name(maps)


def typing_over_the_preselected_name(maps):
    """A name typed into a fresh dialog replaces the preselected one, however soon after the
    dialog appears the typing starts. GTK fills in and selects the preselected name a moment
    after the window shows, so each pause is tried a few times for the race to show."""
    found = []
    for pause in (0, 0.5, 1):
        for attempt in range(1, 4):
            for mode, preselected, typed in (("open", "second.map", "first.map"),
                                             ("save", "first.map", "level.map")):
                found.append(dict(
                    name="%s: typing %gs after the dialog shows replaces the name (%d)" % (
                        mode, pause, attempt),
                    mode=mode, cwd=maps, initial=os.path.join(maps, preselected), pause=pause,
                    keys=[("type", typed), ("key", "Return")],
                    expected=os.path.join(maps, typed)))
    # Once the user has moved the cursor, typing goes where the cursor is.
    found.append(dict(
        name="save: typing after Home adds to the front of the name", mode="save", cwd=maps,
        initial=os.path.join(maps, "first.map"),
        keys=[("key", "Home"), ("type", "old-"), ("key", "Return")],
        expected=os.path.join(maps, "old-first.map")))
    return found


def main():
    if len(sys.argv) != 2:
        print(__doc__.strip().splitlines()[2], file=sys.stderr)
        return 2
    missing = [tool for tool in ("Xvfb", "xdotool") if shutil.which(tool) is None]
    if missing:
        print("skipped: %s not installed" % " and ".join(missing))
        return SKIPPED
    probe_path = os.path.abspath(sys.argv[1])

    work = os.path.realpath(tempfile.mkdtemp(prefix="velloran-dialogs-"))
    xvfb = None
    try:
        os.makedirs(os.path.join(work, "maps"))
        for name in ("first.map", "second.map"):
            open(os.path.join(work, "maps", name), "w").close()
        xvfb, display = start_xvfb()
        env = {key: value for key, value in os.environ.items() if key != "WAYLAND_DISPLAY"}
        env.update(DISPLAY=display, GDK_BACKEND="x11", GSETTINGS_BACKEND="memory",
                   NO_AT_BRIDGE="1")
        # GTK remembers chosen files; keep that out of the user's own home.
        for variable in ("XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME"):
            env[variable] = os.path.join(work, "home", variable.lower())

        passed = failed = 0
        for case in cases(work):
            problem = run_case(env, probe_path, case)
            if problem is None:
                passed += 1
                print("ok   %s" % case["name"])
            else:
                failed += 1
                print("FAIL %s: %s" % (case["name"], problem))
        print("%d passed, %d failed" % (passed, failed))
        return 0 if failed == 0 else 1
    finally:
        if xvfb is not None:
            xvfb.terminate()
            xvfb.wait()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
