"""The bundled film, replayed whole: every frame of the story from the first to
the credits, without a fault. On the way it pauses three times; the renderer's
picture of the frame on screen must be the same, pixel for pixel."""
import os
import subprocess
import tempfile
import time
import unittest

from harness import App, Image
from test_render_film import renderer

FRAMES = 7812
PAUSES = (915, 3600, 5900)


def rendered(film, frame, size):
    """The renderer's picture of one frame of the film."""
    with tempfile.TemporaryDirectory() as out:
        subprocess.run([renderer(), film, "--frames", str(frame), "--size", "%dx%d" % size, "--out", out, "--quiet"],
                       check=True, timeout=300)
        png = os.path.join(out, "frame-%05d.png" % frame)
        ppm = subprocess.run(["convert", png, "-depth", "8", "ppm:-"], check=True, stdout=subprocess.PIPE,
                             timeout=60).stdout
    return Image.from_ppm(ppm)


def differing_pixels(a, b):
    return sum(1 for i in range(0, len(a.data), 3) if a.data[i:i + 3] != b.data[i:i + 3])


class BundledFilm(unittest.TestCase):
    def test_the_whole_story_plays_to_the_credits_as_the_renderer_draws_it(self):
        shots = []
        with App(film="default") as app:
            app.click_button("PLAY")
            start = 0
            for frame in PAUSES:
                start = app.wait_for("fotograma:%d" % frame, timeout=frame * 0.15, start=start)
                app.key("space")
                # Paused once no new frame line comes for a while; the picture on screen
                # is the last step's: the pose of the frame before the last number printed.
                seen = -1
                while seen != len(app.lines):
                    seen = len(app.lines)
                    time.sleep(0.3)
                shots.append((app.frames()[-1] - 1, app.screenshot()))
                app.key("space")
            app.wait_for("fotograma:%d" % FRAMES, timeout=FRAMES * 0.15, start=start)
            time.sleep(1.0)
            self.assertIsNone(app.proc.poll(), "the program ended during the replay")
            self.assertEqual(app.frames(), list(range(1, FRAMES + 1)))
            # The credits screen: white text on the left.
            image = app.screenshot()
            self.assertGreater(image.count((255, 255, 255), tol=0, region=(15, 40, 200, 300)), 100)
            app.key("Escape")
            self.assertEqual(app.wait_exit(), 0)
            self.assertRegex(app.lines[-1], r"^prismas dibujados: [1-9]\d*$")
            film = app.path("camarabuena.txt")
            for frame, shot in shots:
                with self.subTest(frame=frame):
                    picture = rendered(film, frame, app.screen)
                    self.assertEqual((picture.width, picture.height), (shot.width, shot.height))
                    self.assertGreater(len(shot.data) // 3 - shot.count((0, 0, 0), tol=0), 10000)
                    self.assertEqual(differing_pixels(picture, shot), 0)


if __name__ == "__main__":
    unittest.main()
