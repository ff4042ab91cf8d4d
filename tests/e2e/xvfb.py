"""A private X server for one test: Xvfb on a free display of a given size."""
import os
import subprocess


class Xvfb:
    def __init__(self, width=1024, height=768, depth=24):
        self.size = (width, height)
        self.depth = depth
        self.proc = None
        self.display = None

    def __enter__(self):
        read_end, write_end = os.pipe()
        self.proc = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0",
             f"{self.size[0]}x{self.size[1]}x{self.depth}", "-nolisten", "tcp"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as f:
            number = f.readline().strip()
        if not number:
            self.proc.kill()
            raise RuntimeError("Xvfb did not start")
        self.display = ":" + number
        return self

    def env(self):
        env = dict(os.environ)
        env["DISPLAY"] = self.display
        return env

    def __exit__(self, *exc):
        if self.proc:
            self.proc.terminate()
            try:
                self.proc.wait(timeout=5)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait()
        return False
