"""A private Xvfb on a free display."""

import os
import select
import subprocess


class XServer:
    """An Xvfb of its own on a free display, stopped again by stop()."""

    def __init__(self, width=1280, height=1024, extra=()):
        read_end, write_end = os.pipe()
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", f"{width}x{height}x24",
             "-noreset", "-nolisten", "tcp", *extra],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        # The server writes the number and the newline separately, and dies if
        # the pipe is closed in between: read the whole line, keep the pipe open.
        self.display_pipe = read_end
        number = b""
        try:
            while not number.endswith(b"\n"):
                ready, _, _ = select.select([read_end], [], [], 20)
                chunk = os.read(read_end, 64) if ready else b""
                if not chunk:
                    raise RuntimeError("Xvfb did not report a display")
                number += chunk
        except BaseException:
            self.stop()
            raise
        self.env = dict(os.environ, DISPLAY=f":{number.decode().strip()}")

    def run(self, *args, check=True, **kwargs):
        return subprocess.run(list(args), env=self.env, check=check, timeout=30,
                              capture_output=True, **kwargs)

    def stop(self):
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        if self.display_pipe is not None:
            os.close(self.display_pipe)
            self.display_pipe = None
