"""What the window shows, and how drags move it."""

import unittest

from harness import HEIGHT, WIDTH, WorldTestCase, near

# Every colour is lit by the one light to about 0.777 of its value.
MAGENTA = (198, 0, 198)
SHELL_BLUE = (20, 119, 198)


def is_green(r, g, b):
    return r < 10 and b < 10 and g > 40


def is_blue(r, g, b):
    return near((r, g, b), SHELL_BLUE, 25)


def bounds(points):
    xs = [x for x, _ in points]
    ys = [y for _, y in points]
    return min(xs), max(xs), min(ys), max(ys)


class Picture(WorldTestCase):
    def test_first_frame_shows_the_cube_inside_the_shell(self):
        shot = self.world.settled_screenshot()
        self.assertEqual((shot.width, shot.height), (WIDTH, HEIGHT))

        magenta = shot.where(lambda r, g, b: near((r, g, b), MAGENTA))
        self.assertGreater(len(magenta), 300)
        left, right, top, bottom = bounds(magenta)
        # The eye looks at height 2, so the cube sits just below the centre.
        self.assertTrue(388 <= left <= 392 and 407 <= right <= 411, (left, right))
        self.assertTrue(308 <= top <= 312 and 326 <= bottom <= 330, (top, bottom))
        self.assertTrue(near(shot.at(400, 319), MAGENTA))

        blue = shot.where(is_blue)
        self.assertGreater(len(blue), 5000)
        left, right, top, _ = bounds(blue)
        # The near face spans y -24..25: one more unit to the right of the centre.
        self.assertTrue(90 <= left <= 100, left)
        self.assertTrue(712 <= right <= 724, right)
        self.assertTrue(14 <= top <= 26, top)
        self.assertEqual(shot.where(is_green), [])
        self.assertEqual(shot.at(5, 5), (0, 0, 0))
        self.assertEqual(shot.at(760, 300), (0, 0, 0))

    def test_steps_make_green_points_around_the_source(self):
        self.world.step(6)
        shot = self.world.settled_screenshot()
        green = shot.where(is_green)
        self.assertGreater(len(green), 50)
        left, right, top, bottom = bounds(green)
        # The source is drawn at (-1, 0, 0): the centre column, 19 pixels below the middle.
        self.assertLess(abs((left + right) / 2 - 400), 15)
        self.assertLess(abs((top + bottom) / 2 - 319), 20)
        self.assertLess(right - left, 300)
        # A tracer is lit to about 198 x its value; near the source tracers
        # soon pass 1.3 and the lit colour saturates.
        greens = {shot.at(x, y)[1] for x, y in green}
        self.assertEqual(max(greens), 255)
        self.assertTrue(any(g < 198 for g in greens))
        self.assertTrue(near(shot.at(5, 5), (0, 0, 0), 0))

    def test_orbit_by_the_window_width_comes_back_to_the_same_picture(self):
        before = self.world.settled_screenshot()
        self.world.drag(1, (799, 300), (-1, 300), via=[(600, 300)])
        after = self.world.settled_screenshot()
        self.assertEqual(after.pixels, before.pixels)

    def test_a_tilt_of_the_wheel_does_not_end_the_orbit(self):
        before = self.world.settled_screenshot()
        self.world.drag(1, (799, 300), (-1, 300), via=[(400, 300)],
                        before_end=lambda: self.server.run("xdotool", "click", "6"))
        self.assertEqual(self.world.settled_screenshot().pixels, before.pixels)

    def test_quarter_orbit_turns_the_cube_aside(self):
        before = self.world.settled_screenshot()
        self.world.drag(1, (400, 300), (200, 300))
        turned = self.world.settled_screenshot()
        self.assertNotEqual(turned.pixels, before.pixels)
        # A quarter turn shows the cube's side: the magenta face leaves the centre.
        self.assertFalse(near(turned.at(400, 319), MAGENTA))

    def test_zoom_in_enlarges_the_cube(self):
        self.world.drag(2, (400, 590), (400, 10))
        shot = self.world.settled_screenshot()
        left, right, _, _ = bounds(shot.where(lambda r, g, b: near((r, g, b), MAGENTA)))
        # From distance 100 to about 52: the 20-pixel face grows to about 38.
        self.assertTrue(34 <= right - left <= 42, (left, right))

    def test_pan_moves_the_cube_sideways(self):
        self.world.drag(3, (400, 300), (320, 300))
        shot = self.world.settled_screenshot()
        left, right, _, _ = bounds(shot.where(lambda r, g, b: near((r, g, b), MAGENTA)))
        self.assertNotIn(400, range(left, right + 1))


if __name__ == "__main__":
    unittest.main()
