#!/usr/bin/env python3
"""Makes docs/world.png, the README's picture: the window after some steps,
seen from a little above. Run it after ./test.sh, which builds the program
and installs what this needs beside it: Xvfb, xdotool, xwd (x11-apps) and
ImageMagick's convert."""

import os
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
os.environ.setdefault("WORLD_BIN", os.path.join(ROOT, "build", "world"))
os.environ.setdefault("WM_CLOSE_BIN", os.path.join(ROOT, "build", "tests", "wm_close"))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))

from harness import World, XServer  # noqa: E402

STEPS = 14
OUTPUT = os.path.join(ROOT, "docs", "world.png")


def main():
    server = XServer()
    world = World(server)
    try:
        world.wait_for_window()
        world.step(STEPS)
        world.drag(1, (400, 300), (340, 200))
        world.settled_screenshot()
        xwd = server.run("xwd", "-silent", "-id", world.window).stdout
        subprocess.run(["convert", "xwd:-", OUTPUT], input=xwd, check=True)
    finally:
        world.stop()
        server.stop()
    print(f"wrote {OUTPUT}")


if __name__ == "__main__":
    main()
