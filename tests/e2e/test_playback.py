"""PLAY in a real window: missing, unloadable and valid films, the messages in
order, one frame line per pose, the credits screen, pause and resume, ESC, and
the command line's film."""
import re
import time
import unittest

from harness import App, pose

VIEW = pose((-20.0, 8.0, 40.0), (-30.0, 0.5, 25.0))
RESOLUTION = "La resolucion de pantalla es de 1024 x 768 (tomo nota :p)"
LOAD_ERROR = "Error al cargar en memoria los movimientos de la camara."
WHITE = (255, 255, 255)
TOASTER_BODY = (76, 76, 102)
POSE = "%f %f %f %f %f %f %f %f %f" % VIEW


def until(condition, what, timeout=30.0):
    """Asks condition again until it gives a true value, and returns that value."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError("%s: not within %.0f s" % (what, timeout))


def frame_lines(lines):
    return [s for s in lines if re.fullmatch(r"fotograma:\d+", s)]


def credits_shown(image):
    """The picture, where it is the credits: white text on the left, the toaster on the right."""
    shown = (image.count(WHITE, tol=0, region=(15, 40, 200, 300)) > 100
             and image.count(TOASTER_BODY, tol=0, region=(400, 0, 1024, 768)) > 200)
    return image if shown else None


class Playback(unittest.TestCase):
    def test_missing_film_ends_with_minus_one(self):
        with App() as app:
            app.click_button("PLAY")
            self.assertEqual(app.wait_exit(), 255)
            self.assertEqual(app.lines, [RESOLUTION, "Error al abrir fichero de camara."])

    def test_negative_count_ends_with_minus_two(self):
        with App(film="-2\n") as app:
            app.click_button("PLAY")
            self.assertEqual(app.wait_exit(), 254)
            self.assertEqual(app.lines, [RESOLUTION, "nfotogramas=-2", LOAD_ERROR])

    def test_truncated_film_is_refused(self):
        with App(film="3\n1 2 3 4 5 6 7 8 9\n1 2 3 4 5 6 7 8 9\n1 2 3\n") as app:
            app.click_button("PLAY")
            self.assertEqual(app.wait_exit(), 254)
            self.assertEqual(app.lines, [RESOLUTION, "nfotogramas=3", LOAD_ERROR])

    def test_short_film_plays_every_frame_then_the_credits(self):
        with App(film=[VIEW] * 3) as app:
            app.click_button("PLAY")
            app.wait_for("fotograma:3")
            image = until(lambda: credits_shown(app.screenshot()), "the credits after the last frame")
            self.assertEqual(app.lines, [RESOLUTION, "nfotogramas=3", "se ha pulsado boton play.",
                                         "fotograma:1", "fotograma:2", "fotograma:3"])
            self.assertEqual(image.count(TOASTER_BODY, tol=0, region=(0, 0, 380, 768)), 0)
            # The toaster spins: the picture changes.
            until(lambda: app.screenshot().data != image.data, "the toaster spinning on the credits")
            app.key("space")  # does nothing on the credits screen
            app.key("Escape")
            self.assertEqual(app.wait_exit(), 0)
            self.assertRegex(app.lines[-1], r"^prismas dibujados: [1-9]\d*$")
            self.assertEqual(len(app.lines), 7)

    def test_space_pauses_and_resumes(self):
        with App(film=[VIEW] * 400) as app:
            app.click_button("PLAY")
            app.wait_for("fotograma:40")
            app.key("space")
            app.key("u")  # prints the pose; keys are taken in turn, so the pause is taken by then
            first = app.wait_for(POSE)
            paused_at = int(frame_lines(app.lines[:first])[-1].split(":")[1])
            image = app.screenshot()  # meanwhile the story would go on, were it not paused
            app.key("u")
            second = app.wait_for(POSE, start=first + 1)
            self.assertEqual(frame_lines(app.lines[first:second]), [])
            self.assertEqual(app.screenshot().data, image.data)
            app.key("space")
            app.wait_for("fotograma:%d" % (paused_at + 20))
            app.key("Escape")
            self.assertEqual(app.wait_exit(), 0)
            self.assertEqual(app.frames(), list(range(1, len(app.frames()) + 1)))

    def test_command_line_names_the_film_for_play_only_with_that_word(self):
        film = "2\n" + "1 50 80 0 0 0 0 1 0\n" * 2
        with App(args=["mine.txt", "play"], film=[VIEW] * 5, files={"mine.txt": film}) as app:
            app.click_button("PLAY")
            app.wait_for("fotograma:2")
            self.assertEqual(app.lines[1], "nfotogramas=2")
            app.key("Escape")
            app.wait_exit()
        with App(args=["mine.txt", "Play"], film=[VIEW] * 5, files={"mine.txt": film}) as app:
            app.click_button("PLAY")
            app.wait_for("fotograma:5")
            self.assertEqual(app.lines[1], "nfotogramas=5")
            app.key("Escape")
            app.wait_exit()

    def test_bundled_film_starts(self):
        with App(film="default") as app:
            app.click_button("PLAY")
            app.wait_for("fotograma:20")
            self.assertEqual(app.lines[1], "nfotogramas=7812")
            app.key("Escape")
            self.assertEqual(app.wait_exit(), 0)


if __name__ == "__main__":
    unittest.main()
