"""Runs a command with DISPLAY set to an Xvfb of its own; exits with the
command's status. Usage: under_xvfb.py COMMAND [ARG...]"""

import subprocess
import sys

from xserver import XServer


def main():
    server = XServer()
    try:
        return subprocess.run(sys.argv[1:], env=server.env).returncode
    finally:
        server.stop()


if __name__ == "__main__":
    sys.exit(main())
