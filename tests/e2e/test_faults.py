"""Start-up faults end with a clear line on standard error and a status from
1 to 125; the toolkit's own options keep working."""

import os
import resource
import subprocess
import unittest

from harness import WORLD, World, WorldTestCase, XServer

MIB = 1 << 20


def run_limited(limit, env):
    """Runs world with its address space limited to `limit` bytes."""
    def limit_address_space():
        resource.setrlimit(resource.RLIMIT_AS, (limit, limit))
    return subprocess.run([WORLD], env=env, preexec_fn=limit_address_space, capture_output=True,
                          stdin=subprocess.DEVNULL, timeout=60)


def without_display():
    return {k: v for k, v in os.environ.items() if k != "DISPLAY"}


def refused_display():
    """A display that no server serves: opening it fails at once."""
    return dict(os.environ, DISPLAY=":65000")


def startup_need():
    """The least address space in which world gets as far as opening the display:
    its libraries loaded, nothing of the lattice yet."""
    low, high = 1 * MIB, 1024 * MIB
    if b"Can't open display" not in run_limited(high, refused_display()).stderr:
        raise AssertionError("world does not reach the display with 1 GiB")
    while high - low > MIB:
        middle = (low + high) // 2
        if b"Can't open display" in run_limited(middle, refused_display()).stderr:
            high = middle
        else:
            low = middle
    return high


class StartupFaults(unittest.TestCase):
    def test_no_display_and_a_refused_one_are_said_in_the_programs_name(self):
        no_display = b"world: no display: DISPLAY is not set and no -display given\n"
        for env, message in ((without_display(), no_display),
                             (refused_display(), b"world: Can't open display: :65000\n")):
            result = subprocess.run([WORLD], env=env, capture_output=True, timeout=30)
            self.assertEqual((result.returncode, result.stderr, result.stdout), (1, message, b""))

    def test_out_of_memory_while_building_the_lattice(self):
        server = XServer()
        self.addCleanup(server.stop)
        need = startup_need()
        # The lattice takes about 60 MiB: grant half of it beyond the start-up.
        result = run_limited(need + 30 * MIB, server.env)
        self.assertEqual(result.returncode, 2, result.stderr)
        self.assertEqual(result.stderr, b"world: out of memory while building the lattice\n")
        self.assertEqual(result.stdout, b"")

    def test_display_without_opengl(self):
        server = XServer(extra=["-extension", "GLX"])
        self.addCleanup(server.stop)
        result = subprocess.run([WORLD], env=server.env, capture_output=True, timeout=60)
        self.assertEqual(result.returncode, 1)
        # The toolkit's own reason first, in the program's name too.
        self.assertTrue(result.stderr.startswith(b"world: "), result.stderr)
        self.assertTrue(result.stderr.endswith(b"world: cannot show the window\n"), result.stderr)


class DisplayOption(unittest.TestCase):
    def test_display_option_names_the_display_whatever_DISPLAY_says(self):
        server = XServer()
        self.addCleanup(server.stop)
        for env in (without_display(), refused_display()):
            with self.subTest(DISPLAY=env.get("DISPLAY")):
                # An unknown option before it does not hide it.
                world = World(server, "-bogus", "-display", server.env["DISPLAY"], env=env)
                self.addCleanup(world.stop)
                world.wait_for_window()
                self.assertEqual(world.step(1).count("\n"), 11)
                world.press("q")
                self.assertEqual(world.wait_exit(), 1)


class UnknownOption(WorldTestCase):
    args = ("-no-such-option", "-geometry", "300x200+5+5", "-bogus", "-name", "Elsewhere",
            "-geometry")

    def test_each_is_named_the_others_apply_and_the_program_works(self):
        errors = self.world.stderr()
        named = [line for line in errors.splitlines() if "unknown option" in line]
        # A -geometry without its value is not an option the toolkit can take.
        self.assertEqual(named, ["world: unknown option: -no-such-option",
                                 "world: unknown option: -bogus",
                                 "world: unknown option: -geometry"])
        self.assertEqual(errors.count("-g[eometry] WxH+X+Y"), 1)
        self.assertTrue(errors.index("options are:") > errors.index("-geometry\n"))
        g = self.world.geometry()
        self.assertEqual((g["WIDTH"], g["HEIGHT"]), (300, 200))
        classes = self.server.run("xprop", "-id", self.world.window, "WM_CLASS").stdout.decode()
        self.assertIn('"Elsewhere"', classes)
        self.assertEqual(self.world.step(2).count("\n"), 22)
        self.world.press("q")
        self.assertEqual(self.world.wait_exit(), 1)


class Geometry(WorldTestCase):
    args = ("-geometry", "640x480+30+40")

    def test_geometry_sets_the_window_size_and_place(self):
        g = self.world.geometry()
        self.assertEqual((g["WIDTH"], g["HEIGHT"], g["X"], g["Y"]), (640, 480, 30, 40))
        shot = self.world.settled_screenshot()
        self.assertEqual((shot.width, shot.height), (640, 480))
        # The cube stays centred: the same 45-degree horizontal view, smaller window.
        magenta = shot.where(lambda r, g, b: r > 150 and g < 30 and b > 150)
        xs = [x for x, _ in magenta]
        self.assertLess(abs((min(xs) + max(xs)) / 2 - 320), 3)


if __name__ == "__main__":
    unittest.main()
