"""Keys, standard output and the ways the program ends."""

import unittest

from harness import HEIGHT, REFERENCE, WIDTH, WM_CLOSE, WorldTestCase


class Output(WorldTestCase):
    def test_thirty_steps_print_the_reference_output(self):
        text = self.world.step(30)
        with open(REFERENCE) as f:
            self.assertEqual(text, f.read())
        self.assertEqual(text.splitlines()[15 * 11 + 9], "Lattice 9: 0.000002 / 0.000000")

    def test_shifted_f_steps_and_other_keys_do_nothing(self):
        self.world.press("Escape", "a", "space", "Return", "Tab", "F1", "ctrl+w")
        self.world.step(1)
        self.world.step(1, key="shift+f")
        self.assertEqual(self.world.step(1).count("\n"), 33)
        self.assertIsNone(self.world.process.poll(), "Escape must not close the window")


class Ending(WorldTestCase):
    def test_q_ends_with_status_one(self):
        self.world.step(2)
        self.world.press("q")
        self.assertEqual(self.world.wait_exit(), 1)
        self.assertEqual(self.world.line_count(), 22)

    def test_shifted_q_also_quits(self):
        self.world.press("shift+q")
        self.assertEqual(self.world.wait_exit(), 1)

    def test_window_manager_close_ends_with_status_zero(self):
        self.world.step(1)
        self.server.run(WM_CLOSE, self.world.window)
        self.assertEqual(self.world.wait_exit(), 0)
        self.assertEqual(self.world.line_count(), 11)


class WithoutFocus(WorldTestCase):
    """No window manager and nothing focuses the window: with the pointer over
    it, keys still reach it, though the toolkit delivers them as shortcuts."""

    focus = False

    def test_keys_act_with_the_pointer_over_the_window(self):
        g = self.world.geometry()
        self.server.run("xdotool", "mousemove", str(g["X"] + WIDTH // 2), str(g["Y"] + HEIGHT // 2))
        self.assertEqual(self.world.step(1).count("\n"), 11)
        self.world.press("Escape")
        self.world.step(1)
        self.assertIsNone(self.world.process.poll(), "Escape must not close the window")
        self.world.press("q")
        self.assertEqual(self.world.wait_exit(), 1)
        self.assertEqual(self.world.line_count(), 22)


if __name__ == "__main__":
    unittest.main()
