"""Screenshots during one replay of the story, through a directed test film: every
area's shots (shots_*.py) are taken in a single run."""
import os
import unittest

from story import all_shots, replay


class StoryReplay(unittest.TestCase):
    def test_every_shot_shows_what_it_must(self):
        shots = all_shots()
        self.assertTrue(shots)
        failures = []
        keep = os.environ.get("PRACTICA02_SHOTS_DIR")
        for shot, image, frame, app in replay(shots):
            if keep:
                image.save_ppm(os.path.join(keep, "%s-%d.ppm" % (shot.name, frame)))
            try:
                shot.check(image, app, frame)
            except AssertionError as e:
                failures.append("%s (frame %d): %s" % (shot.name, frame, e))
        self.assertEqual(failures, [])


if __name__ == "__main__":
    unittest.main()
