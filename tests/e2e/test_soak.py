"""A long run: 500 steps, far past the first infinities and NaNs."""

import os
import re
import unittest

from harness import REFERENCE, WorldTestCase

STEPS = 500
LINE = re.compile(r"Lattice ([0-9]): (-?(?:[0-9]+\.[0-9]{6}|inf|nan)) / "
                  r"(-?(?:[0-9]+\.[0-9]{6}|inf|nan))")


class Soak(WorldTestCase):
    def test_five_hundred_steps_each_print_eleven_lines(self):
        text = self.world.step(STEPS)
        lines = text.split("\n")
        self.assertEqual(lines.pop(), "")  # after the last newline
        self.assertEqual(len(lines), 11 * STEPS)
        for step in range(STEPS):
            block = lines[11 * step:11 * step + 11]
            for column, line in enumerate(block[:10]):
                match = LINE.fullmatch(line)
                self.assertIsNotNone(match, f"step {step + 1}: {line!r}")
                self.assertEqual(int(match.group(1)), column)
            self.assertEqual(block[10], "", f"step {step + 1}")
        with open(REFERENCE) as f:
            self.assertTrue(text.startswith(f.read()))
        self.assertGreater(os.path.getsize(self.world.output.name), 128 * 1024)
        self.assertTrue("inf" in text or "nan" in text)

        before = self.world.settled_screenshot()
        self.world.drag(1, (400, 300), (300, 250))
        self.assertNotEqual(self.world.settled_screenshot().pixels, before.pixels)
        self.world.press("q")
        self.assertEqual(self.world.wait_exit(), 1)


if __name__ == "__main__":
    unittest.main()
