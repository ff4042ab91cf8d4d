"""End-to-end harness: the real program in a real window under a private Xvfb,
driven by real mouse clicks and key presses.

    with App(screen=(1280, 1024), film=[pose(...)] * 5) as app:
        app.click_button("PLAY")
        app.wait_for("fotograma:5")
        shot = app.screenshot()
        app.key("Escape")
        assert app.wait_exit() == 0

Environment: PRACTICA02_BIN (the program), PRACTICA02_FILM (the bundled film).
"""
import math
import os
import re
import shutil
import struct
import subprocess
import tempfile
import threading
import time
import wave

from xvfb import Xvfb

TITLE = "TRaBAJO KRA. Brunovel y Tessamir"
DESIGN = (1024, 768)
# Design-space rectangles of the title screen's buttons: lower-left corner, size.
BUTTONS = {"PLAY": (362, 440, 300, 100), "REC": (362, 320, 300, 100), "SALIR": (362, 200, 300, 100)}


def program():
    return os.environ.get("PRACTICA02_BIN") or os.path.join(
        os.path.dirname(__file__), "..", "..", "build", "practica02")


def default_film():
    return os.environ.get("PRACTICA02_FILM") or os.path.join(
        os.path.dirname(__file__), "..", "..", "build", "camarabuena.txt")


def pose(eye, centre, up=(0.0, 1.0, 0.0)):
    """One camera pose: eye, centre, up, as the nine numbers of a record."""
    return tuple(eye) + tuple(centre) + tuple(up)


def project(p, world, screen=DESIGN):
    """Screen position (x right, y down, in pixels, not rounded) of a world point seen
    from pose p through the program's 45-degree perspective over the whole screen."""
    e, c, up = p[0:3], p[3:6], p[6:9]

    def sub(a, b):
        return [a[i] - b[i] for i in range(3)]

    def dot(a, b):
        return sum(a[i] * b[i] for i in range(3))

    def cross(a, b):
        return [a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]]

    def unit(a):
        n = math.sqrt(dot(a, a))
        return [v / n for v in a]

    f = unit(sub(c, e))
    s = unit(cross(f, up))
    u = cross(s, f)
    d = sub(world, e)
    depth = dot(f, d)
    t = math.tan(math.radians(22.5))
    nx = dot(s, d) / (depth * t * screen[0] / screen[1])
    ny = dot(u, d) / (depth * t)
    return ((nx + 1) / 2 * screen[0], (1 - ny) / 2 * screen[1])


def box_corners(lo, hi):
    """The eight corners of the world box from lo to hi."""
    return [(x, y, z) for x in (lo[0], hi[0]) for y in (lo[1], hi[1]) for z in (lo[2], hi[2])]


def screen_region(p, points, margin, screen=DESIGN):
    """Screen rectangle (x0, y0, x1, y1), x1 and y1 excluded, holding the pixels of the
    projections of the world points seen from pose p, widened by margin pixels."""
    pts = [project(p, w, screen) for w in points]
    xs, ys = [int(q[0]) for q in pts], [int(q[1]) for q in pts]
    return (max(0, min(xs) - margin), max(0, min(ys) - margin),
            min(screen[0], max(xs) + margin + 1), min(screen[1], max(ys) + margin + 1))


def pose_line(p):
    return " ".join("%f" % v for v in p) + "\n"


def film_text(poses):
    """A playable film: the count line, then one record per pose."""
    return "%d\n" % len(poses) + "".join(pose_line(p) for p in poses)


def click_track(path, seconds, every=0.5, length=96):
    """A 48 kHz stereo WAV of clicks: a burst of length samples at 0.9 of full scale
    every `every` seconds from its start; the clicks' first samples."""
    rate, starts = 48000, []
    data = bytearray(int(seconds * rate) * 4)
    for k in range(int(seconds / every)):
        start = round(k * every * rate)
        starts.append(start)
        for i in range(length):
            v = 29490 if (i // 8) % 2 == 0 else -29490
            struct.pack_into("<hh", data, (start + i) * 4, v, v)
    with wave.open(path, "wb") as w:
        w.setnchannels(2)
        w.setsampwidth(2)
        w.setframerate(rate)
        w.writeframes(bytes(data))
    return starts


def clicks_heard(starts, first_frame, last_frame, offset):
    """The sample of frames first_frame to last_frame's sound at which each click
    (its first sample in the music) of music moved by offset seconds begins."""
    begin, end = first_frame * 1200, (last_frame + 1) * 1200
    heard = [s + round(offset * 48000) - begin for s in starts]
    return [h for h in heard if 0 <= h < end - begin]


def onsets(samples, threshold):
    """Where the left channel of interleaved stereo samples first passes threshold
    after 0.1 s below it."""
    found, last = [], None
    for i, v in enumerate(samples[0::2]):
        if abs(v) > threshold:
            if last is None or i - last > 4800:
                found.append(i)
            last = i
    return found


class FifoReader(threading.Thread):
    """Reads a FIFO to its end in the background, as a program at its other end does."""

    def __init__(self, path):
        super().__init__(target=self.read, args=(path,), daemon=True)
        self.data = None
        self.start()

    def read(self, path):
        with open(path, "rb") as f:
            self.data = f.read()

    def finish(self, timeout=30):
        """What was read, the writer gone; None when no writer came (the thread is left waiting)."""
        self.join(timeout)
        return self.data


class Image:
    """A screenshot: RGB bytes, y counted down from the top of the screen."""

    def __init__(self, width, height, data):
        self.width, self.height, self.data = width, height, data

    @staticmethod
    def from_ppm(blob):
        # P6 header: magic, width, height, maxval, each separated by white space.
        fields, pos = [], 0
        while len(fields) < 4:
            while blob[pos:pos + 1].isspace():
                pos += 1
            if blob[pos:pos + 1] == b"#":
                pos = blob.index(b"\n", pos) + 1
                continue
            end = pos
            while not blob[end:end + 1].isspace():
                end += 1
            fields.append(blob[pos:end])
            pos = end
        assert fields[0] == b"P6", fields[0]
        width, height, maxval = int(fields[1]), int(fields[2]), int(fields[3])
        if maxval < 256:
            return Image(width, height, blob[pos + 1:pos + 1 + width * height * 3])
        # Two bytes a channel, most significant first: keep the high bytes.
        return Image(width, height, blob[pos + 1:pos + 1 + width * height * 6][::2])

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.data[i:i + 3])

    def count(self, rgb, tol=40, region=None):
        """Pixels within tol (per channel, 0 to 255) of rgb, inside region (x0, y0, x1, y1)."""
        x0, y0, x1, y1 = region or (0, 0, self.width, self.height)
        r, g, b = rgb
        n = 0
        for y in range(y0, y1):
            row = self.data[(y * self.width + x0) * 3:(y * self.width + x1) * 3]
            for i in range(0, len(row), 3):
                if abs(row[i] - r) <= tol and abs(row[i + 1] - g) <= tol and abs(row[i + 2] - b) <= tol:
                    n += 1
        return n

    def where(self, rgb, tol=40):
        """Bounding box (x0, y0, x1, y1) of the pixels near rgb, or None."""
        r, g, b = rgb
        box = None
        for y in range(self.height):
            row = self.data[y * self.width * 3:(y + 1) * self.width * 3]
            for i in range(0, len(row), 3):
                if abs(row[i] - r) <= tol and abs(row[i + 1] - g) <= tol and abs(row[i + 2] - b) <= tol:
                    x = i // 3
                    box = (x, y, x, y) if box is None else (
                        min(box[0], x), min(box[1], y), max(box[2], x), max(box[3], y))
        return box

    def save_ppm(self, path):
        with open(path, "wb") as f:
            f.write(b"P6\n%d %d\n255\n" % (self.width, self.height) + self.data)


class App:
    """The program under a private Xvfb, in a fresh working directory.

    film: None (no camarabuena.txt), "default" (the bundled film), a string (the
    file's text) or a list of poses (written as a playable film).
    files: more files for the working directory, name -> text.
    """

    def __init__(self, screen=DESIGN, args=(), film=None, files=None):
        self.screen = screen
        self.args = list(args)
        self.film = film
        self.files = files or {}
        self.lines = []
        self._cond = threading.Condition()
        self.proc = None
        self.window = None

    # ---- lifecycle
    def __enter__(self):
        self.dir = tempfile.mkdtemp(prefix="practica02-e2e-")
        if self.film == "default":
            shutil.copy(default_film(), os.path.join(self.dir, "camarabuena.txt"))
        elif isinstance(self.film, str):
            self.write("camarabuena.txt", self.film)
        elif self.film is not None:
            self.write("camarabuena.txt", film_text(self.film))
        for name, text in self.files.items():
            self.write(name, text)
        self.x = Xvfb(*self.screen).__enter__()
        self.proc = subprocess.Popen([os.path.abspath(program())] + self.args, cwd=self.dir,
                                     env=self.x.env(), stdout=subprocess.PIPE,
                                     stderr=subprocess.STDOUT, bufsize=0)
        threading.Thread(target=self._read, daemon=True).start()
        return self

    def __exit__(self, *exc):
        if self.proc and self.proc.poll() is None:
            self.proc.kill()
            self.proc.wait()
        if self.proc:
            self.proc.stdout.close()
        self.x.__exit__(*exc)
        shutil.rmtree(self.dir, ignore_errors=True)
        return False

    def _read(self):
        for raw in iter(self.proc.stdout.readline, b""):
            with self._cond:
                self.lines.append(raw.decode("latin-1").rstrip("\n"))
                self._cond.notify_all()
        with self._cond:
            self._cond.notify_all()

    # ---- files of the working directory
    def path(self, name):
        return os.path.join(self.dir, name)

    def write(self, name, text):
        with open(self.path(name), "w") as f:
            f.write(text)

    def read(self, name):
        with open(self.path(name)) as f:
            return f.read()

    def listdir(self):
        return sorted(os.listdir(self.dir))

    # ---- standard output
    def wait_for(self, pattern, timeout=30.0, start=0):
        """Waits for a line equal to pattern (a string) or matching it (a compiled regex);
        returns its index in self.lines."""
        deadline = time.time() + timeout
        match = (lambda s: pattern.search(s)) if hasattr(pattern, "search") else (lambda s: s == pattern)
        with self._cond:
            i = start
            while True:
                while i < len(self.lines):
                    if match(self.lines[i]):
                        return i
                    i += 1
                left = deadline - time.time()
                if left <= 0 or (self.proc.poll() is not None and i >= len(self.lines)):
                    raise AssertionError("no line %r within %.0f s; last lines: %r"
                                         % (pattern, timeout, self.lines[-8:]))
                self._cond.wait(min(left, 0.2))

    def wait_exit(self, timeout=30.0):
        code = self.proc.wait(timeout=timeout)
        with self._cond:
            deadline = time.time() + 2
            while not self._reader_done() and time.time() < deadline:
                self._cond.wait(0.1)
        return code

    def _reader_done(self):
        return self.proc.stdout.closed or self.proc.poll() is not None

    def frames(self):
        """The frame numbers printed so far."""
        return [int(m.group(1)) for m in (re.fullmatch(r"fotograma:(\d+)", s) for s in list(self.lines)) if m]

    # ---- the window
    def xdotool(self, *argv):
        return subprocess.run(["xdotool"] + [str(a) for a in argv], env=self.x.env(), check=True,
                              stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, timeout=30).stdout.decode()

    def wait_ready(self, timeout=30.0):
        """Waits for the resolution message and for the window to cover the screen."""
        self.wait_for(re.compile(r"^La resolucion de pantalla es de \d+ x \d+ \(tomo nota :p\)$"), timeout)
        self.window = self.xdotool("search", "--sync", "--name", TITLE).split()[0]
        deadline = time.time() + timeout
        while time.time() < deadline:
            geometry = self.xdotool("getwindowgeometry", self.window)
            m = re.search(r"Geometry: (\d+)x(\d+)", geometry)
            if m and (int(m.group(1)), int(m.group(2))) == tuple(self.screen):
                time.sleep(0.3)  # let the title screen draw at its final size
                return
            time.sleep(0.1)
        raise AssertionError("window never covered the screen: " + geometry)

    def design_to_pixel(self, x, y):
        """A design-space point (y up) as a screen pixel (y down)."""
        return (int(x * self.screen[0] / DESIGN[0]), int((DESIGN[1] - y) * self.screen[1] / DESIGN[1]))

    def button_centre(self, name):
        x, y, w, h = BUTTONS[name]
        return self.design_to_pixel(x + w / 2, y + h / 2)

    def click(self, x, y, button=1):
        self.xdotool("mousemove", "--sync", x, y, "click", button)

    def click_button(self, name):
        if self.window is None:
            self.wait_ready()
        self.click(*self.button_centre(name))

    def key(self, *keys):
        for k in keys:
            r = subprocess.run(["xdotool", "key", "--window", self.window, k], env=self.x.env(),
                               stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=30)
            # A key that ends the program takes its window away before the key's
            # release is sent, and xdotool then fails: that is no failure of the key.
            if r.returncode != 0 and not self._exits_soon():
                raise AssertionError("xdotool key %s failed: %s" % (k, r.stderr.decode()))

    def _exits_soon(self, timeout=2.0):
        try:
            self.proc.wait(timeout=timeout)
            return True
        except subprocess.TimeoutExpired:
            return False

    def screenshot(self):
        blob = subprocess.run(["import", "-window", "root", "-depth", "8", "ppm:-"], env=self.x.env(), check=True,
                              stdout=subprocess.PIPE, timeout=60).stdout
        return Image.from_ppm(blob)
