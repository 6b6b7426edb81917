"""Drives the real `world` program under a private Xvfb, as a user would:
X key presses and pointer drags through xdotool, standard output read from a
file, screenshots read back as pixels.

WORLD_BIN names the program. WORLD_COMMAND, where set, is the command that
runs it instead, split as a shell would split it (say, the Windows build
under wine); WORLD_BEFORE_START, where set, runs before each start (say, to
wait until wine's server from the previous run has gone)."""

import os
import shlex
import subprocess
import sys
import tempfile
import time
import unittest

from xserver import XServer

WORLD = os.environ["WORLD_BIN"]
COMMAND = shlex.split(os.environ.get("WORLD_COMMAND", "")) or [WORLD]
BEFORE_START = shlex.split(os.environ.get("WORLD_BEFORE_START", ""))
WM_CLOSE = os.environ["WM_CLOSE_BIN"]
REFERENCE = os.environ.get("REFERENCE_OUTPUT", "")

WIDTH, HEIGHT = 800, 600
# Longer than a frame, so that the toolkit sees each pointer move on its own.
POINTER_PAUSE = 0.2


def wait_for(condition, timeout, what):
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError(f"timed out after {timeout} s waiting for {what}")
        time.sleep(0.05)


class Image:
    def __init__(self, width, height, pixels):
        self.width, self.height, self.pixels = width, height, pixels

    def at(self, x, y):
        i = 3 * (y * self.width + x)
        return tuple(self.pixels[i:i + 3])

    def where(self, predicate):
        """The (x, y) of every pixel whose colour satisfies the predicate."""
        found = []
        p = self.pixels
        for y in range(self.height):
            row = 3 * y * self.width
            for x in range(self.width):
                i = row + 3 * x
                if predicate(p[i], p[i + 1], p[i + 2]):
                    found.append((x, y))
        return found


def near(colour, expected, tolerance=12):
    return all(abs(a - b) <= tolerance for a, b in zip(colour, expected))


def parse_ppm(data):
    fields = []
    pos = 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b"#":
            pos = data.index(b"\n", pos)
            continue
        start = pos
        while not data[pos:pos + 1].isspace():
            pos += 1
        fields.append(data[start:pos])
    assert fields[0] == b"P6" and fields[3] == b"255", fields
    width, height = int(fields[1]), int(fields[2])
    pixels = data[pos + 1:pos + 1 + 3 * width * height]
    return Image(width, height, pixels)


class World:
    """One run of the program (COMMAND unless `command` says otherwise), its
    standard output going to a file unless `stdout` says otherwise (as
    subprocess.Popen takes it)."""

    def __init__(self, server, *args, env=None, stdout=None, preexec_fn=None, command=None):
        self.server = server
        if BEFORE_START:
            subprocess.run(BEFORE_START, check=True, timeout=60)
        self.output = tempfile.NamedTemporaryFile(prefix="world-out-", delete=False)
        self.errors = tempfile.NamedTemporaryFile(prefix="world-err-", delete=False)
        self.process = subprocess.Popen(
            [*(command or COMMAND), *args], env=env or server.env, stdin=subprocess.DEVNULL,
            stdout=self.output if stdout is None else stdout, stderr=self.errors,
            preexec_fn=preexec_fn)
        self.window = None

    def wait_for_window(self, timeout=30, focus=True):
        def find():
            if self.process.poll() is not None:
                raise AssertionError(f"world exited early with {self.process.returncode}: "
                                     f"{self.stderr()}")
            found = self.server.run("xdotool", "search", "--onlyvisible", "--pid",
                                    str(self.process.pid), "--name", "^World$", check=False)
            ids = found.stdout.split()
            return ids[0].decode() if ids else None
        self.window = wait_for(find, timeout, "the World window")
        if focus:
            self.server.run("xdotool", "windowfocus", "--sync", self.window)
        return self.window

    def text(self):
        with open(self.output.name, "rb") as f:
            return f.read().decode()

    def stderr(self):
        with open(self.errors.name, "rb") as f:
            return f.read().decode(errors="replace")

    def line_count(self):
        return self.text().count("\n")

    def press(self, *keys):
        self.server.run("xdotool", "key", "--delay", "5", *keys)

    def wait_lines(self, count, timeout=120):
        wait_for(lambda: self.line_count() >= count, timeout, f"{count} output lines")
        return self.text()

    def step(self, times=1, key="f"):
        """Presses the key and waits until every step has printed its eleven lines."""
        expected = self.line_count() + 11 * times
        for start in range(0, times, 50):
            self.press(*[key] * min(50, times - start))
        return self.wait_lines(expected)

    def geometry(self):
        out = self.server.run("xdotool", "getwindowgeometry", "--shell", self.window)
        values = dict(line.split("=", 1) for line in out.stdout.decode().split())
        return {k: int(v) for k, v in values.items() if k in ("X", "Y", "WIDTH", "HEIGHT")}

    def window_dump(self):
        return self.server.run("xwd", "-silent", "-id", self.window).stdout

    def screenshot(self, dump=None):
        ppm = subprocess.run(["convert", "xwd:-", "ppm:-"], input=dump or self.window_dump(),
                             capture_output=True, check=True, timeout=30)
        return parse_ppm(ppm.stdout)

    def settled_screenshot(self):
        return self.screenshot(self.settle())

    def settle(self, timeout=20, quiet=0.4):
        """Waits until the picture stays the same for `quiet` seconds, the
        drawing having caught up, and returns its raw dump."""
        state = {"dump": self.window_dump(), "since": time.monotonic()}

        def settled():
            time.sleep(0.1)
            current = self.window_dump()
            if current != state["dump"]:
                state["dump"], state["since"] = current, time.monotonic()
                return None
            return current if time.monotonic() - state["since"] >= quiet else None
        return wait_for(settled, timeout, "the picture to settle")

    def drag(self, button, start, end, via=(), before_end=None):
        """Drags between window positions; positions may lie outside the window.
        `before_end`, if given, is called once the pointer has passed `via`."""
        g = self.geometry()

        def move(point):
            self.server.run("xdotool", "mousemove", str(g["X"] + point[0]), str(g["Y"] + point[1]))
            time.sleep(POINTER_PAUSE)
        move(start)
        self.server.run("xdotool", "mousedown", str(button))
        time.sleep(POINTER_PAUSE)
        for point in via:
            move(point)
        if before_end:
            before_end()
        move(end)
        # A drag that rests before its release: the picture shows where the
        # pointer ended before the release.
        self.settle()
        self.server.run("xdotool", "mouseup", str(button))

    def wait_exit(self, timeout=20):
        """The exit status, once the program has ended without a sanitizer report."""
        status = self.process.wait(timeout=timeout)
        errors = self.stderr()
        if "Sanitizer" in errors or "runtime error:" in errors:
            raise AssertionError(f"world exited with {status} after a report:\n{errors}")
        return status

    def stop(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        # Into the test's log, which CTest shows when a test fails.
        errors = self.stderr()
        if errors:
            sys.stderr.write(f"[standard error of {' '.join(self.process.args)}]\n{errors}\n")
        for f in (self.output, self.errors):
            f.close()
            os.unlink(f.name)


class WorldTestCase(unittest.TestCase):
    """Each test gets a fresh X server and a started program, focused unless
    `focus` says otherwise."""

    args = ()
    focus = True

    def setUp(self):
        self.server = XServer()
        self.addCleanup(self.server.stop)
        self.world = World(self.server, *self.args)
        self.addCleanup(self.world.stop)
        self.world.wait_for_window(focus=self.focus)
