"""The bundled film, replayed whole: every frame of the story from the first to
the credits, without a fault."""
import time
import unittest

from harness import App

FRAMES = 7812


class BundledFilm(unittest.TestCase):
    def test_the_whole_story_plays_to_the_credits(self):
        with App(film="default") as app:
            app.click_button("PLAY")
            app.wait_for("fotograma:%d" % FRAMES, timeout=FRAMES * 0.15)
            time.sleep(1.0)
            self.assertIsNone(app.proc.poll(), "the program ended during the replay")
            self.assertEqual(app.frames(), list(range(1, FRAMES + 1)))
            # The credits screen: white text on the left.
            image = app.screenshot()
            self.assertGreater(image.count((255, 255, 255), tol=0, region=(15, 40, 200, 300)), 100)
            app.key("Escape")
            self.assertEqual(app.wait_exit(), 0)
            self.assertRegex(app.lines[-1], r"^prismas dibujados: [1-9]\d*$")


if __name__ == "__main__":
    unittest.main()
