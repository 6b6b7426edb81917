"""Random X input for a bounded time; afterwards the program must still be
alive and answer f with exactly eleven lines. The seed is printed so that a
failure can be replayed: FUZZ_SEED=N FUZZ_SECONDS=S python3 -m unittest test_fuzz"""

import os
import random
import sys
import time
import unittest

from harness import WorldTestCase, wait_for

SECONDS = float(os.environ.get("FUZZ_SECONDS", "10"))
SEED = int(os.environ.get("FUZZ_SEED", "20261209"))
SCREEN = (1280, 1024)

# Everything but q and Q, which end the program.
KEYS = ["f", "F", "a", "z", "space", "Escape", "Return", "Tab", "BackSpace", "Left", "Up", "F1",
        "F12", "shift+f", "ctrl+f", "alt+f", "ctrl+w", "shift", "ctrl", "1", "minus", "Delete"]
BUTTONS = [1, 2, 3, 8, 9]


class Fuzz(WorldTestCase):
    def test_random_input_leaves_the_program_working(self):
        rng = random.Random(SEED)
        print(f"fuzz seed {SEED}, {SECONDS:.0f} s", file=sys.stderr)
        world, run = self.world, self.server.run
        actions = 0
        deadline = time.monotonic() + SECONDS
        while time.monotonic() < deadline:
            kind = rng.choice(["key", "move", "drag", "click", "wheel", "resize"])
            x, y = rng.randrange(SCREEN[0]), rng.randrange(SCREEN[1])
            if kind == "key":
                world.press(*rng.choices(KEYS, k=rng.randint(1, 4)))
            elif kind == "move":
                run("xdotool", "mousemove", str(x), str(y))
            elif kind == "drag":
                button = str(rng.choice(BUTTONS))
                run("xdotool", "mousedown", button)
                for _ in range(rng.randint(1, 3)):
                    run("xdotool", "mousemove", str(rng.randint(0, SCREEN[0] - 1)),
                        str(rng.randint(0, SCREEN[1] - 1)))
                    time.sleep(rng.uniform(0, 0.1))
                run("xdotool", "mouseup", button)
            elif kind == "click":
                run("xdotool", "click", str(rng.choice(BUTTONS)))
            elif kind == "wheel":
                run("xdotool", "click", "--repeat", str(rng.randint(1, 5)), str(rng.choice([4, 5])))
            else:
                run("xdotool", "windowsize", world.window, str(rng.randint(1, SCREEN[0])),
                    str(rng.randint(1, SCREEN[1])))
            actions += 1
            self.assertIsNone(world.process.poll(), f"world ended after {actions} actions")
        print(f"fuzz: {actions} actions", file=sys.stderr)

        # Let the steps asked for catch up, then ask for one more.
        lines = [-1]

        def quiet():
            count = world.line_count()
            done = count == lines[0]
            lines[0] = count
            time.sleep(0.5)
            return done
        wait_for(quiet, 120, "the output to settle")
        self.assertEqual(lines[0] % 11, 0)
        run("xdotool", "windowfocus", "--sync", world.window)
        world.step(1)
        time.sleep(0.5)
        self.assertEqual(world.line_count(), lines[0] + 11)
        self.assertIsNone(world.process.poll())


if __name__ == "__main__":
    unittest.main()
