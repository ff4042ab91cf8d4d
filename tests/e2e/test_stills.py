"""Stills: the bundled film rendered at one frame of every shot and two frames of
the credits, small, and two frames smoothed (render_film --smooth, kept as
smooth-frame-NNNNN.png), compared pixel for pixel with the pictures kept in
tests/stills/. The pictures are decoded before they are compared, so the PNG
encoder's settings do not matter. When a change is meant to alter the picture,
regenerate them:

    scripts/stills [BUILD]
"""
import os
import subprocess
import sys
import tempfile
import unittest

from harness import Image, default_film
from test_render_film import renderer

STILLS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "stills")
SIZE = "320x180"
# One frame inside each shot of the bundled film (the table in docs/guide.md), and its ends.
FRAMES = (0, 100, 200, 320, 525, 600, 780, 935, 1016, 1109, 1200, 1396, 2000, 2470, 2830, 3140, 3320,
          3700, 4075, 4450, 5100, 5400, 5550, 5700, 5860, 6100, 6500, 7250, 7775, 7811)
CREDITS_SECONDS = "0.05"  # two steps of the credits screen at 40 a second
SMOOTH_FRAMES = (2470, 7250)  # dense lines: the train on the bridge, the crane's arm
SMOOTH = "smooth-"  # the smoothed stills' names: smooth-frame-NNNNN.png
NAMES = (["frame-%05d.png" % f for f in FRAMES] + ["credits-00000.png", "credits-00001.png"] +
         [SMOOTH + "frame-%05d.png" % f for f in SMOOTH_FRAMES])


def render(out):
    """The stills into out, under the names of NAMES."""
    subprocess.run([renderer(), default_film(), "--frames", ",".join(str(f) for f in FRAMES),
                    "--credits", CREDITS_SECONDS, "--size", SIZE, "--out", out, "--quiet"],
                   check=True, timeout=600)
    smooth = os.path.join(out, "smooth")
    subprocess.run([renderer(), default_film(), "--frames", ",".join(str(f) for f in SMOOTH_FRAMES),
                    "--size", SIZE, "--smooth", "--out", smooth, "--quiet"], check=True, timeout=600)
    for name in os.listdir(smooth):
        os.rename(os.path.join(smooth, name), os.path.join(out, SMOOTH + name))


def decoded(path):
    ppm = subprocess.run(["convert", path, "-depth", "8", "ppm:-"], check=True, stdout=subprocess.PIPE,
                         timeout=60).stdout
    return Image.from_ppm(ppm)


def differing_pixels(a, b):
    if (a.width, a.height) != (b.width, b.height):
        return a.width * a.height
    return sum(1 for i in range(0, len(a.data), 3) if a.data[i:i + 3] != b.data[i:i + 3])


class Stills(unittest.TestCase):
    def test_the_bundled_film_draws_as_its_stills(self):
        with tempfile.TemporaryDirectory() as out:
            render(out)
            differ = []
            for name in NAMES:
                kept = os.path.join(STILLS, name)
                self.assertTrue(os.path.exists(kept), "%s is missing: run scripts/stills" % kept)
                n = differing_pixels(decoded(os.path.join(out, name)), decoded(kept))
                if n:
                    differ.append("%s: %d pixels" % (name, n))
            self.assertEqual(differ, [], "the pictures changed (scripts/stills regenerates them "
                                         "when that is meant)")


def regenerate():
    """Renders the stills into tests/stills/, replacing those there, compressed harder
    than the renderer does (the pixels are the same)."""
    os.makedirs(STILLS, exist_ok=True)
    for name in os.listdir(STILLS):
        if name.endswith(".png"):
            os.remove(os.path.join(STILLS, name))
    with tempfile.TemporaryDirectory() as out:
        render(out)
        for name in NAMES:
            subprocess.run(["convert", os.path.join(out, name), "-quality", "95", "-strip",
                            os.path.join(STILLS, name)], check=True, timeout=60)
    print("%d stills in %s" % (len(NAMES), os.path.normpath(STILLS)))


if __name__ == "__main__":
    if sys.argv[1:] == ["--regenerate"]:
        regenerate()
    else:
        unittest.main()
