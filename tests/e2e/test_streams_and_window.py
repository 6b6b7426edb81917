"""Standard output that is closed or whose reader goes away, and what the
window tells the window manager."""

import os
import unittest

from harness import (COMMAND, HEIGHT, REFERENCE, WIDTH, WM_CLOSE, WORLD, World, WorldTestCase,
                     XServer, wait_for)


class Streams(unittest.TestCase):
    def setUp(self):
        self.server = XServer()
        self.addCleanup(self.server.stop)

    def start(self, *args, **kwargs):
        world = World(self.server, *args, **kwargs)
        self.addCleanup(world.stop)
        world.wait_for_window()
        return world

    def test_closed_standard_output_leaves_the_display_alone(self):
        # Were descriptor 1 left closed, the display connection would take it
        # and f would write the step's lines into it, hanging the program.
        world = self.start(preexec_fn=lambda: os.close(1))
        world.press("f", "f")
        world.press("q")
        self.assertEqual(world.wait_exit(), 1)
        self.assertEqual(world.stderr(), "")

    def test_closed_standard_input_or_error_changes_nothing(self):
        with open(REFERENCE) as f:
            reference = f.read()
        for fd in (0, 2):
            with self.subTest(closed=fd):
                world = self.start(preexec_fn=lambda fd=fd: os.close(fd))
                self.assertEqual(world.step(2), reference[:len(world.text())])
                world.press("q")
                self.assertEqual(world.wait_exit(), 1)

    @unittest.skipIf(COMMAND != [WORLD], "the descriptors of another command (wine) are its own")
    def test_closed_standard_error_keeps_messages_out_of_the_display(self):
        # Were descriptor 2 left closed, the display connection would take it
        # and the message about the lost lines would be written into it,
        # which ends the connection and the program.
        with open("/dev/full", "wb") as full:
            world = self.start(stdout=full, preexec_fn=lambda: os.close(2))
            world.press("f", "f")
            world.wait_for_window(timeout=5)
            world.press("f")
            world.wait_for_window(timeout=5)
            self.server.run(WM_CLOSE, world.window)
            self.assertEqual(world.wait_exit(), 3)

    def test_reader_that_goes_away_does_not_end_the_program(self):
        read_end, write_end = os.pipe()
        world = self.start(stdout=write_end)
        os.close(write_end)
        with os.fdopen(read_end, "rb") as reader:  # like `world | head -3`
            world.press("f")
            lines = [reader.readline() for _ in range(3)]
        self.assertEqual(lines[0], b"Lattice 0: 0.000000 / 0.000000\n")
        world.press("f", "f", "f")
        world.wait_for_window(timeout=5)  # still there, and still answering
        world.press("q")
        self.assertEqual(world.wait_exit(), 1)
        self.assertEqual(world.stderr(), "")

    def test_lines_lost_to_a_full_disk_are_said_once_and_fail_the_run(self):
        for ending, status in (("close", 3), ("q", 1)):
            with self.subTest(ending=ending), open("/dev/full", "wb") as full:
                world = self.start(stdout=full)
                world.press("f", "f")
                wait_for(world.stderr, 10, "the message")
                world.press("f")
                world.wait_for_window(timeout=5)  # still there, and still answering
                if ending == "close":
                    self.server.run(WM_CLOSE, world.window)
                else:
                    world.press("q")
                self.assertEqual(world.wait_exit(), status)
                self.assertEqual(world.stderr(),
                                 "world: cannot write the lines: No space left on device\n")


class WindowManagerHints(WorldTestCase):
    def test_resizable_window_of_class_world_at_its_place(self):
        g = self.world.geometry()
        self.assertEqual((g["WIDTH"], g["HEIGHT"], g["X"], g["Y"]), (WIDTH, HEIGHT, 100, 100))

        props = self.server.run("xprop", "-id", self.world.window, "WM_CLASS",
                                "WM_NORMAL_HINTS").stdout.decode()
        self.assertIn('WM_CLASS(STRING) = "World", "World"', props)
        self.assertIn("minimum size: 100 by 100", props)
        self.assertNotIn("maximum size", props)


if __name__ == "__main__":
    unittest.main()
