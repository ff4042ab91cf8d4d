"""The web page in headless chromium (run with /usr/bin/python3): its behaviour,
and its pictures held to the desktop's (PRACTICA02_BIN, PRACTICA02_FILM,
RENDER_FILM_BIN as for tests/e2e). PRACTICA02_WEB_SCREENSHOT: where to save a
picture of the page, if set."""
import os
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile
import unittest

from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

import pictures
from browser import Browser, Site, site_folder

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
import harness  # noqa: E402

SIZE, RESIZED = (640, 360), (480, 270)  # the canvas's; the window is BAR taller
BAR = 28  # the page's bar under the canvas, CSS pixels
POSE = r"-?\d+\.\d{6}( -?\d+\.\d{6}){8}"
MOST_DIFFERING = 1.0  # per cent of the lit pixels
FRAMES = (100, 2830, 4450, 7250)  # the rally, the crossing, the rotors, the crane's arm
SHORT_FILM = "3\n" + "0 50 80 0 0 0 0 1 0\n" * 3


def renderer():
    return os.environ.get("RENDER_FILM_BIN") or os.path.join(os.path.dirname(harness.program()), "render_film")


def window(canvas):
    return canvas[0], canvas[1] + BAR


def lines_of(path):
    return pathlib.Path(path).read_text().splitlines()


class PageTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.site, cls.browser = Site(site_folder()), Browser(window(SIZE))
        cls.addClassCleanup(cls.site.close)
        cls.addClassCleanup(cls.browser.close)

    def start(self, query=""):
        self.browser.open(self.site.url("index.html" + query))
        self.browser.wait_for_line(r"La resolucion de pantalla es de %d x %d \(tomo nota :p\)" % SIZE)
        return self.browser

    def start_rec(self, browser):
        """The page opened in browser, and REC chosen."""
        browser.open(self.site.url("index.html"))
        browser.wait_for_line(r"La resolucion de pantalla es de .*")
        self.click_button("REC", browser)
        browser.wait_for_line("se ha pulsado boton grabar.")

    def click_button(self, name, browser=None):
        x, y, w, h = harness.BUTTONS[name]  # design space, y up
        (browser or self.browser).click((x + w / 2) * SIZE[0] / 1024, (768 - y - h / 2) * SIZE[1] / 768)


class Behaviour(PageTest):
    def test_play_pauses_resumes_ends_on_escape_and_starts_again(self):
        b = self.start()
        self.click_button("PLAY")
        for line in ("nfotogramas=7812", "se ha pulsado boton play.", "fotograma:1", "fotograma:5"):
            b.wait_for_line(line)
        b.keys(" ", "u")
        paused = b.wait_for_line(POSE)
        since = b.read().index(paused) + 1
        b.frames(6)  # several steps' worth of time
        b.keys("u")
        b.wait_for_line(POSE, since)
        self.assertEqual(b.read()[since:], [paused], "no frame while paused, the camera still")
        last = max(int(l[10:]) for l in b.read() if l.startswith("fotograma:"))
        b.keys(" ")
        b.wait_for_line("fotograma:%d" % (last + 1))

        b.keys(Keys.ESCAPE)
        end = b.wait_for_line(r"prismas dibujados: \d+")
        b.wait_for_element("ended")
        b.frames(6)
        self.assertEqual(b.read()[-1], end, "nothing after ESC")
        again = len(b.read())
        b.driver.find_element(By.ID, "again-button").click()
        b.wait_for_line(r"La resolucion de pantalla es de .*", again)

    def test_rec_keys_move_the_camera_and_its_file_is_downloaded(self):
        b = self.start()
        self.click_button("REC")
        b.wait_for_line("se ha pulsado boton grabar.")
        for kind in ("keyDown", "keyUp"):  # '+' as a Spanish keyboard types it: its own key, no shift
            b.driver.execute_cdp_cmd("Input.dispatchKeyEvent", {"type": kind, "key": "+", "text": "+",
                                                                "code": "BracketRight", "windowsVirtualKeyCode": 187})
        b.wait_for_line(r"Factor de Escala: 1\.100000")
        recorded = []
        for key, axis, step in (("Q", 0, 1.1), ("w", 1, -1.1), ("e", 2, 1.1)):
            b.keys(key, "U")  # each key prints the pose before it; U prints it again after
            poses = lambda: [l for l in b.read() if re.fullmatch(POSE, l)]  # noqa: E731
            b.wait(key + " and U", lambda: len(poses()) == 4 + 3 * len(recorded))
            before, moved, after_u = poses()[-3:]
            self.assertEqual(moved, after_u)
            self.assertAlmostEqual(float(moved.split()[axis]) - float(before.split()[axis]), step, places=4)
            recorded.append(after_u)
            if len(recorded) == 2:
                b.driver.find_element(By.ID, "save-button").click()
                saved = b.downloaded(r"camara-\d{14}\.txt")
                b.wait("the saved file", lambda: lines_of(saved) == recorded)
                os.remove(saved)
        b.keys(Keys.ESCAPE)
        b.wait_for_element("ended")
        path = b.downloaded(r"camara-\d{14}\.txt")
        b.wait("the whole recording", lambda: lines_of(path) == recorded)

    def test_a_recording_is_kept_through_a_killed_browser_and_offered_next_time(self):
        profile = tempfile.mkdtemp(prefix="practica02-profile-")
        try:
            first = Browser(window(SIZE), profile)
            try:
                self.start_rec(first)
                first.keys("U", "Q", "U")
                first.wait("the second pose kept", lambda: first.script(
                    "return Number(document.body.dataset.recordingKept || 0)") > 60)
                recorded = [l for l in first.read() if re.fullmatch(POSE, l)][-1:]
                first.kill()
            finally:
                first.close()
            second = Browser(window(SIZE), profile)
            try:
                second.open(self.site.url("index.html"))
                second.wait_for_element("recovered")
                self.assertIn("2 poses", second.script("return document.getElementById('recovered-text').textContent"))
                second.driver.find_element(By.ID, "recovered-download").click()
                path = second.downloaded(r"camara-\d{14}\.txt")
                second.wait("the recording", lambda: len(lines_of(path)) == 2)
                self.assertEqual(lines_of(path)[1], recorded[0])
                second.wait("no more offers", lambda: second.script("return document.getElementById('recovered').hidden"))
            finally:
                second.close()
        finally:
            shutil.rmtree(profile, ignore_errors=True)

    def test_a_refused_film_is_shown_the_page_goes_on_and_another_plays(self):
        b = self.start()
        bad = "3\n1 2 3 4 5 6 7 8 9\n1 2 x 4\n"
        b.script("const files = new DataTransfer();"
                 "files.items.add(new File([arguments[0]], 'bad.txt'));"
                 "window.dispatchEvent(new DragEvent('drop', { dataTransfer: files, cancelable: true }));", bad)
        b.wait_for_element("notice")
        with tempfile.TemporaryDirectory() as d:
            pathlib.Path(d, "bad.txt").write_text(bad)
            r = subprocess.run([renderer(), "bad.txt", "--frames", "0", "--out", "out"], cwd=d,
                               stderr=subprocess.PIPE, text=True, timeout=60)
        self.assertEqual(r.returncode, 254, r.stderr)
        desktop = re.search(r"bad\.txt:\d+:\d+: [^(]*[^ (]", r.stderr).group(0)
        self.assertIn(desktop, b.script("return document.getElementById('notice-text').textContent"))

        self.click_button("PLAY")  # the program went on, with the bundled film
        b.wait_for_line("nfotogramas=7812")
        b.wait_for_line("fotograma:2")
        another = len(b.read())
        self.site.put("short.txt", SHORT_FILM)  # picked from the served folder, a temporary one
        b.driver.find_element(By.ID, "film-input").send_keys(os.path.join(self.site.root, "short.txt"))
        for line in ("nfotogramas=3", "se ha pulsado boton play.", "fotograma:3"):
            b.wait_for_line(line, another)


class Pictures(PageTest):
    def test_a_frame_opens_paused_on_the_desktop_renderers_picture(self):
        b = self.browser
        with tempfile.TemporaryDirectory() as out:
            for size, frames in ((SIZE, FRAMES), (RESIZED, FRAMES[-1:])):
                subprocess.run([renderer(), harness.default_film(), "--frames", ",".join(map(str, frames)),
                                "--size", "%dx%d" % size, "--out", os.path.join(out, str(size[0])), "--quiet"],
                               check=True, timeout=300)
            for n in FRAMES:
                self.start("?frame=%d" % n)
                b.wait_for_line("fotograma:%d" % (n + 1))
                self.assertAlike(os.path.join(out, str(SIZE[0]), "frame-%05d.png" % n), "frame %d" % n)
                self.assertEqual(b.read()[-1], "fotograma:%d" % (n + 1))
            b.resize(*window(RESIZED))  # the program's reshape draws it anew at the window's new size
            b.wait("the canvas's new size", lambda: b.script("return document.querySelector('canvas').width") == 480)
            self.assertAlike(os.path.join(out, "480", "frame-%05d.png" % n), "frame %d, resized" % n)
        b.keys(" ")
        b.wait_for_line("fotograma:%d" % (n + 2))

        self.site.put("short.txt", SHORT_FILM)  # a film served beside the page
        self.start("?frame=2&film=short.txt")
        b.wait_for_line("nfotogramas=3")
        b.wait_for_line("fotograma:3")
        if os.environ.get("PRACTICA02_WEB_SCREENSHOT"):
            self.start("?frame=2470")
            b.driver.find_element(By.ID, "log-button").click()
            b.frames(2)
            pathlib.Path(os.environ["PRACTICA02_WEB_SCREENSHOT"]).write_bytes(b.screenshot())

    def test_the_title_screen_as_the_desktop_program_draws_it(self):
        with harness.App(screen=SIZE) as app:
            app.wait_ready()
            desktop = pictures.from_rgb(app.screenshot())
        self.start()
        self.assertAlike(desktop, "the title screen")

    def assertAlike(self, desktop, what):
        """The canvas as the page shows it like the desktop's picture (pixels or a PNG)."""
        self.browser.frames(2)
        desktop = pictures.decode(desktop) if isinstance(desktop, str) else desktop
        share = pictures.differing_share(pictures.decode(self.browser.screenshot("screen")), desktop)
        self.assertLessEqual(share, MOST_DIFFERING, "%s: %.3f %% of lit pixels differ" % (what, share))
