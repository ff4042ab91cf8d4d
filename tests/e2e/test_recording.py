"""REC in a real window: the time-stamped or command-line file, the keys, U
appending poses that survive a kill, ESC, and the focus marker on screen."""
import datetime
import os
import re
import signal
import time
import unittest

from harness import App

DEFAULT = "16.700001 99.000000 60.000000 5.500000 4.600000 7.000000 0.000000 0.300000 0.000000"
MAGENTA = (255, 0, 255)


def names_between(start, end):
    """The recording names for every second from start to end, local time."""
    names, t = set(), start.replace(microsecond=0)
    while t <= end:
        names.add(t.strftime("camara-%d%m%Y%H%M%S.txt"))
        t += datetime.timedelta(seconds=1)
    return names


class Recording(unittest.TestCase):
    def test_rec_creates_a_time_stamped_file_and_u_appends_poses(self):
        with App() as app:
            app.wait_ready()
            before = datetime.datetime.now()
            app.click_button("REC")
            app.wait_for("se ha pulsado boton grabar.")
            after = datetime.datetime.now()
            recordings = [n for n in app.listdir() if n.startswith("camara-")]
            self.assertEqual(len(recordings), 1, app.listdir())
            self.assertIn(recordings[0], names_between(before, after))
            self.assertEqual(app.read(recordings[0]), "")

            app.key("Q")
            app.wait_for(DEFAULT)  # the pose before the key
            moved = DEFAULT.replace("16.700001", "17.700001", 1)
            app.key("u", "U")
            first = app.wait_for(moved)
            app.wait_for(moved, start=first + 1)
            time.sleep(0.5)
            self.assertEqual(app.read(recordings[0]), (moved + "\n") * 2)

            app.key("plus")
            app.wait_for("Factor de Escala: 1.100000")
            app.key("Escape")
            self.assertEqual(app.wait_exit(), 0)
            self.assertEqual(app.read(recordings[0]), (moved + "\n") * 2)
            self.assertEqual(app.lines[0], "La resolucion de pantalla es de 1024 x 768 (tomo nota :p)")
            self.assertEqual(app.lines[1], "se ha pulsado boton grabar.")

    def test_command_line_names_the_recording(self):
        with App(args=["mine.txt", "rec"]) as app:
            app.click_button("REC")
            app.wait_for("se ha pulsado boton grabar.")
            app.key("u")
            app.wait_for(DEFAULT, start=2)
            app.key("Escape")
            self.assertEqual(app.wait_exit(), 0)
            self.assertEqual(app.read("mine.txt"), DEFAULT + "\n")
            self.assertEqual([n for n in app.listdir() if n.startswith("camara-")], [])

    def test_recorded_poses_survive_a_kill(self):
        with App(args=["take.txt", "rec"]) as app:
            app.click_button("REC")
            app.wait_for("se ha pulsado boton grabar.")
            for key in ("u", "W", "u", "W", "u"):
                app.key(key)
            app.wait_for(re.compile(r"^16\.700001 101\.000000 "), start=8)
            time.sleep(0.3)
            app.proc.send_signal(signal.SIGKILL)
            self.assertEqual(app.wait_exit(), -signal.SIGKILL)
            lines = app.read("take.txt").splitlines()
            self.assertEqual([l.split()[1] for l in lines], ["99.000000", "100.000000", "101.000000"])

    def test_focus_marker_stands_at_the_centre_of_the_view(self):
        with App() as app:
            app.click_button("REC")
            app.wait_for("se ha pulsado boton grabar.")
            time.sleep(0.5)
            box = app.screenshot().where(MAGENTA, tol=0)
            self.assertIsNotNone(box)
            cx, cy = (box[0] + box[2]) / 2, (box[1] + box[3]) / 2
            self.assertLess(abs(cx - 512), 60, box)
            self.assertLess(abs(cy - 384), 120, box)
            app.key("Escape")
            self.assertEqual(app.wait_exit(), 0)


if __name__ == "__main__":
    unittest.main()
