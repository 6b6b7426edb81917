"""Puts the desktop program through the runs of views.json under a private
Xvfb and writes what it showed and printed: NAME.ppm for each shot, NAME.txt
for each set of lines, in a window of the size VIEWS names for the canvas.
Usage: desktop_views.py VIEWS OUT_DIR, with WORLD_BIN naming the program."""

import json
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
os.environ.setdefault("WM_CLOSE_BIN", "")

from harness import World  # noqa: E402
from xserver import XServer  # noqa: E402


def run(actions, size, out):
    server = XServer()
    world = World(server, "-geometry", "%dx%d" % tuple(size))
    try:
        world.wait_for_window()
        for action in actions:
            if "steps" in action:
                world.step(action["steps"])
            elif "drag" in action:
                button, start, *via, end = action["drag"]
                world.drag(button, tuple(start), tuple(end), via=[tuple(p) for p in via])
            elif "shot" in action:
                shot = world.settled_screenshot()
                with open(os.path.join(out, action["shot"] + ".ppm"), "wb") as f:
                    f.write(b"P6\n%d %d\n255\n" % (shot.width, shot.height) + shot.pixels)
            elif "lines" in action:
                with open(os.path.join(out, action["lines"] + ".txt"), "w") as f:
                    f.write(world.text())
    finally:
        world.stop()
        server.stop()


def main():
    with open(sys.argv[1]) as f:
        views = json.load(f)
    out = sys.argv[2]
    os.makedirs(out, exist_ok=True)
    for actions in views["runs"]:
        run(actions, views["canvas"], out)


if __name__ == "__main__":
    main()
