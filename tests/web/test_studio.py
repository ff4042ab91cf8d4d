"""The studio in headless chromium (run with /usr/bin/python3): the bundled shot
list at frame 0, scrubbing, keys set from the free camera and undone, errors at
their line and column, the downloads against the desktop's film compile and
renderer (FILM_BIN, RENDER_FILM_BIN, as for tests/e2e), the draft through a
killed browser, share links and bad input."""
import os
import pathlib
import re
import shutil
import subprocess
import tempfile
import unittest

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.keys import Keys

import pictures
from browser import Browser, Site, site_folder
from test_page import MOST_DIFFERING, renderer

ROOT = pathlib.Path(__file__).resolve().parents[2]
BUNDLED = (ROOT / "shots" / "camarabuena.shots").read_text()
BUNDLED_KEYS = {int(l.split()[0]): " ".join(l.split()) for l in BUNDLED.split("\n") if re.match(r"\d+ ", l)}
WINDOW, PICTURE = (1600, 900), (640, 360)
QUERY = "studio.html?picture=%dx%d" % PICTURE


def centre(key):
    """A key line's tokens: its centre's tokens (a name, a name + an offset, or three numbers)."""
    eye = 5 if key[2] == "+" else 1 if key[1].isalpha() else 3
    rest = key[1 + eye:]
    return rest[:5] if rest[1] == "+" else rest[:1] if rest[0].isalpha() else rest[:3]


def film_tool():
    return os.environ.get("FILM_BIN") or str(ROOT / "build" / "film")


class StudioTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.site, cls.browser = Site(site_folder()), Browser(WINDOW)
        cls.addClassCleanup(cls.site.close)
        cls.addClassCleanup(cls.browser.close)

    def start(self, browser=None, query=QUERY, forget=True):
        """The studio opened, its stored draft forgotten first unless forget is False."""
        b = browser or self.browser
        b.open(self.site.url("nothing-here"))  # another page of the site first: a fragment alone would not reload
        if forget:
            b.driver.execute_async_script(
                "const done = arguments[0]; localStorage.clear();"
                "const r = indexedDB.deleteDatabase('practica02'); r.onsuccess = r.onerror = r.onblocked = () => done();")
        b.open(self.site.url(query))
        b.wait("the studio", lambda: b.script("return document.body.dataset.ready === 'true'"), 60)
        return b

    def text(self, b=None):
        return (b or self.browser).script("return studioTest.text()")

    def frame(self):
        return self.browser.script("return studioTest.frame()")

    def status(self, b=None):
        return (b or self.browser).script("return document.getElementById('status').textContent")

    def seek(self, n):
        """The playhead to frame n: a click on the timeline near it, then the arrow keys."""
        b = self.browser
        x, y, w = b.script("const r = document.getElementById('timeline').getBoundingClientRect();"
                           "return [r.left, r.top + 30, r.width];")
        b.click(x + 10 + n / 7811 * (w - 20), y)
        b.wait("a click on the timeline", lambda: abs(self.frame() - n) < 10)
        while self.frame() != n:
            b.keys(Keys.ARROW_RIGHT if self.frame() < n else Keys.ARROW_LEFT)
        self.assertEqual(b.script("return document.getElementById('frame-label').textContent"), "frame %d / 7811" % n)

    def drag(self, dx, dy):
        """A left drag across the picture, from its middle."""
        b = self.browser
        x, y = b.script("const r = document.getElementById('picture').getBoundingClientRect();"
                        "return [r.left + r.width / 2, r.top + r.height / 2];")
        steps = [("mouseMoved", x, y, "none", 0), ("mousePressed", x, y, "left", 1)]
        steps += [("mouseMoved", x + dx * k / 5, y + dy * k / 5, "left", 1) for k in range(1, 6)]
        steps += [("mouseReleased", x + dx, y + dy, "left", 0)]
        for kind, px, py, button, buttons in steps:
            b.driver.execute_cdp_cmd("Input.dispatchMouseEvent", {"type": kind, "x": px, "y": py, "button": button,
                                                                  "buttons": buttons, "clickCount": 1})

    def click(self, id):
        self.browser.script("document.getElementById(arguments[0]).click()", id)

    def lines(self):
        return self.text().split("\n")


class Editing(StudioTest):
    def test_opens_on_the_bundled_list_at_frame_0_and_the_keys_scrub(self):
        b = self.start()
        self.assertEqual(self.text(), BUNDLED)
        self.assertEqual(self.frame(), 0)
        for keys, frame in (([Keys.ARROW_RIGHT], 1), ([Keys.ARROW_RIGHT], 2), ([Keys.SHIFT, Keys.ARROW_RIGHT], 42),
                            ([Keys.END], 7811), ([Keys.SHIFT, Keys.ARROW_LEFT], 7771), ([Keys.PAGE_UP], 7401),
                            ([Keys.HOME], 0), ([Keys.PAGE_DOWN], 90), ([Keys.ARROW_LEFT], 89)):
            b.chord(*keys)
            b.wait("frame %d" % frame, lambda: self.frame() == frame)
        self.seek(2830)
        b.keys(" ")  # plays at the story's pace, and pauses
        b.wait("playing", lambda: self.frame() >= 2834)
        b.keys(" ")
        stopped = self.frame()
        b.frames(4)
        self.assertEqual(self.frame(), stopped)

    def test_a_key_from_the_free_camera_is_a_line_aimed_and_undone(self):
        b = self.start()
        self.seek(500)
        b.keys("v")
        b.wait("the free view", lambda: b.script("return studioTest.view()") == "free")
        before = b.script("return studioTest.free().eye")
        self.drag(120, -40)
        b.keys("d")  # held for a moment: the camera flies right
        moved = b.script("return studioTest.free()")
        self.assertNotEqual(moved["eye"], before)
        b.keys("k")
        b.wait("the key's line", lambda: "500" in self.lines()[21].split()[:1])
        key = self.lines()[21].split()
        self.assertEqual([float(v) for v in key[1:4]], [round(v, 2) for v in moved["eye"]], key)
        self.assertEqual(key[-1], "smooth")
        self.assertEqual(self.lines()[:21] + self.lines()[22:], BUNDLED.split("\n"), "nothing else changed")

        b.script("const s = document.getElementById('aim-select'); s.value = 'ball';"
                 "s.dispatchEvent(new Event('change'));")
        b.wait("the centre on the ball", lambda: self.lines()[21].split()[4] == "ball")
        b.chord(Keys.CONTROL, "z")
        b.wait("the aim undone", lambda: self.lines()[21].split()[4] != "ball")
        b.chord(Keys.CONTROL, "z")
        b.wait("the key undone", lambda: self.text() == BUNDLED)
        b.chord(Keys.CONTROL, Keys.SHIFT, "z")
        b.wait("the key redone", lambda: self.lines()[21].startswith("500"))

    def test_an_error_shows_at_its_line_and_column_and_the_picture_keeps_the_last_film(self):
        b = self.start()
        self.seek(200)
        film = b.script("return studioTest.pose(200)")
        line = BUNDLED.split("\n")[12]  # "165    -14 7 6    character ..."
        column = line.index("character")
        b.script("studioTest.place(13, arguments[0] + 4)", column)
        b.keys(Keys.DELETE, "X")  # "charXcter"
        problems = lambda: b.script("return document.getElementById('problems').textContent")  # noqa: E731
        b.wait("the error listed", lambda: "13:%d error: expected a number or a name for the centre, found "
                                           "\"charXcter\" (names: toaster," % (column + 1) in problems())
        self.assertIn("the picture shows the last film that compiled", problems())
        self.assertTrue(b.script("return document.querySelector('.cm-lintRange-error') !== null"))
        self.assertEqual(b.script("return studioTest.pose(200)"), film)
        self.click("film-button")
        self.assertIn("No film: the shot list has errors (line 13)", self.status())

        b.script("document.querySelector('#problems a').click()")  # the cursor goes to the error
        self.assertEqual(b.script("return studioTest.cursor()"), [13, column])
        b.keys(Keys.ESCAPE, Keys.ARROW_RIGHT)  # Escape leaves the text: the arrow moves the playhead
        b.wait("frame 201", lambda: self.frame() == 201)

    def test_bad_input_is_refused_in_one_sentence_and_the_draft_stays(self):
        b = self.start()
        cases = (
            ("binary.shots", "\0\1\2 not text", "binary.shots is not opened: it is not text."),
            ("big.shots", "# " + "x" * 1100000, "big.shots is not opened: it is over 1 MB"),
            ("long.shots", "0 1 2 3 4 5 6 0 1 0 # " + "y" * 4000, "long.shots is not opened: line 1 is 4,022"),
            ("late.shots", "0 1 2 3 4 5 6 0 1 0\n7812 1 2 3 4 5 6 0 1 0\n",
             "late.shots:2:1: expected a frame below 7812 (the film's length)"),
            ("name.shots", "0 traim 4 5 6 0 1 0\n", "name.shots:1:3: expected a number or a name for the eye"),
        )
        for name, content, said in cases:
            b.script("const files = new DataTransfer();"
                     "files.items.add(new File([arguments[0]], arguments[1]));"
                     "window.dispatchEvent(new DragEvent('drop', { dataTransfer: files, cancelable: true }));",
                     content, name)
            b.wait(name, lambda: said in self.status())
            self.assertEqual(self.text(), BUNDLED)
        self.start(query=QUERY + "#shots=AAAA", forget=False)
        self.assertIn("The link's shot list cannot be read", self.status())
        self.assertEqual(self.text(), BUNDLED)

        # A name that would turn the sentence round it is shown with the turn neutralised; a
        # list saved as UTF-16 (with its byte-order mark) opens.
        drop = ("const [bytes, name] = arguments, files = new DataTransfer();"
                "files.items.add(new File([new Uint8Array(bytes)], name));"
                "window.dispatchEvent(new DragEvent('drop', { dataTransfer: files, cancelable: true }));")
        b.script(drop, list(b"\0binary"), "evil\u202egnp.shots")
        b.wait("the name shown", lambda: "evil\ufffdgnp.shots is not opened: it is not text." == self.status())
        b.script(drop, list("\ufeff# saved as UTF-16\n".encode("utf-16-le") + BUNDLED.encode("utf-16-le")), "wide.shots")
        b.wait("the UTF-16 list", lambda: self.text() == "# saved as UTF-16\n" + BUNDLED)


class Films(StudioTest):
    def test_the_downloaded_film_is_film_compile_of_the_downloaded_list_and_renders_alike(self):
        b = self.start()
        self.seek(4450)
        b.keys("v")
        self.drag(-80, 30)
        b.keys("k", "v")  # a key of the studio's own in the film
        b.wait("the film view", lambda: b.script("return studioTest.view()") == "film")
        self.click("shots-button")
        self.click("film-button")
        shots, film = b.downloaded(r"camarabuena\.shots"), b.downloaded(r"camarabuena\.txt")
        b.wait("the downloads", lambda: pathlib.Path(shots).read_text() == self.text())
        with tempfile.TemporaryDirectory() as out:
            compiled = os.path.join(out, "compiled.txt")
            subprocess.run([film_tool(), "compile", shots, "-o", compiled], check=True, timeout=60)
            b.wait("the whole film", lambda: os.path.getsize(film) == os.path.getsize(compiled))
            self.assertEqual(pathlib.Path(film).read_bytes(), pathlib.Path(compiled).read_bytes())

            frames = (1300, 4450)
            subprocess.run([renderer(), compiled, "--frames", ",".join(map(str, frames)), "--size", "%dx%d" % PICTURE,
                            "--out", out, "--quiet"], check=True, timeout=300)
            for n in frames:
                self.seek(n)
                b.frames(2)
                share = pictures.differing_share(pictures.decode(b.screenshot("picture")),
                                                 pictures.decode(os.path.join(out, "frame-%05d.png" % n)))
                self.assertLessEqual(share, MOST_DIFFERING, "frame %d: %.3f %% of lit pixels differ" % (n, share))

    def test_play_opens_the_main_page_playing_the_studios_film(self):
        b = self.start()
        self.click("play-button")
        b.wait("the main page", lambda: len(b.driver.window_handles) == 2)
        studio = b.driver.current_window_handle
        b.driver.switch_to.window(next(h for h in b.driver.window_handles if h != studio))
        try:
            for line in ("nfotogramas=7812", "se ha pulsado boton play.", "fotograma:3"):
                b.wait_for_line(line)
        finally:
            b.driver.close()
            b.driver.switch_to.window(studio)

    def across_a_kill(self, before, after):
        """before(browser) in a studio whose browser is then killed (SIGKILL), and
        after(browser, what before gave) in a new browser on the same profile."""
        profile = tempfile.mkdtemp(prefix="practica02-profile-")
        try:
            first = Browser(WINDOW, profile)
            try:
                self.start(first)
                kept = before(first)
                first.kill()
            finally:
                first.close()
            second = Browser(WINDOW, profile)
            try:
                self.start(second, forget=False)
                return after(second, kept)
            finally:
                second.close()
        finally:
            shutil.rmtree(profile, ignore_errors=True)

    def test_a_take_flown_with_held_keys_becomes_keys_undone_and_kept_through_a_kill(self):
        def fly(b, key, until):
            ActionChains(b.driver).key_down(key).perform()
            b.wait("frame %d" % until, lambda: b.script("return studioTest.frame()") >= until)
            ActionChains(b.driver).key_up(key).perform()

        def takes(b):
            b.keys(*[Keys.PAGE_DOWN] * 9)  # to the key at frame 541
            b.wait("frame 541", lambda: b.script("return studioTest.frame()") == 541)
            b.script("const s = document.getElementById('follow-select'); s.value = 'ball';"
                     "s.dispatchEvent(new Event('change'));")  # the camera travels with the ball
            b.keys("r")
            fly(b, "d", 660)
            fly(b, "w", 700)
            b.keys("r")
            b.wait("the take's keys", lambda: b.script("return studioTest.running()") is None and
                   "became" in self.status(b))
            lines = [l.split() for l in self.text(b).split("\n") if re.match(r"\d+ ", l)]
            frames = [int(l[0]) for l in lines]
            taken = [f for f in frames if 541 <= f < 641]
            self.assertTrue(2 <= len(taken) <= 8, taken)  # a straight flight, then a turn: a handful of keys
            self.assertNotIn(BUNDLED_KEYS[541], [" ".join(l) for l in lines], "the key at the take's start is replaced")
            # The take flew on past the key at 641, which shapes the frames after it: that key
            # stays, and every key from it on is as it was.
            self.assertEqual([f for f in frames if f >= 641], [f for f in BUNDLED_KEYS if f >= 641])
            self.assertRegex(self.status(b), r"the key at frame 641 \(line \d+\) stays")
            centres = [centre(l) for l in lines if 541 <= int(l[0]) <= 701]
            self.assertTrue(all(c[0] == "ball" for c in centres), centres)
            b.chord(Keys.CONTROL, "z")
            b.wait("the take undone", lambda: self.text(b) == BUNDLED)

            start = b.script("return studioTest.frame()")
            b.keys("r")  # another take, and the browser killed while it runs
            fly(b, "s", start + 50)
            b.wait("the poses kept", lambda: b.script("return studioTest.takeKept()") >= 40)
            return start

        def offered(b, start):
            b.wait("the offer", lambda: b.script("return !document.getElementById('ask').hidden"))
            b.script("document.getElementById('ask-yes').click()")
            b.wait("the keys", lambda: "became" in self.status(b))
            self.assertRegex(self.status(b), r"The take of frames %d to \d+ became \d+ keys?" % start)
            self.assertNotEqual(self.text(b), BUNDLED)

        self.across_a_kill(takes, offered)

    def test_the_draft_survives_a_killed_browser_and_a_link_opens_the_same_text(self):
        def keyed(b):
            b.keys(Keys.END, "v", "k")
            b.wait("the key", lambda: self.text(b).rstrip().split("\n")[-1].startswith("7811"))
            b.wait("the draft kept", lambda: b.script(
                "const d = studioTest.draft(); return d.changes > 0 && d.stored === d.changes"))
            return self.text(b)

        def restored(b, draft):
            self.assertEqual(self.text(b), draft)
            self.assertEqual(b.script("return [studioTest.frame(), studioTest.view()]"), [7811, "free"])
            b.script("document.getElementById('share-button').click()")
            b.wait("the link", lambda: b.script("return document.getElementById('share-link').value"))
            return draft, b.script("return document.getElementById('share-link').value")

        draft, link = self.across_a_kill(keyed, restored)
        b = self.start(query=link.split("/", 3)[3])  # no draft: the link's text opens as it is
        self.assertEqual(self.text(), draft)
        self.assertNotIn("#", b.script("return location.href"), "the link's text is in the draft now, not the address")
        self.start()  # a draft that differs: asked first
        self.start(query=link.split("/", 3)[3], forget=False)
        b.wait("the question", lambda: b.script("return !document.getElementById('ask').hidden"))
        self.assertEqual(self.text(), BUNDLED)
        self.click("ask-yes")
        b.wait("the link's text", lambda: self.text() == draft)
        b.chord(Keys.CONTROL, "z")
        b.wait("the draft back", lambda: self.text() == BUNDLED)


if __name__ == "__main__":
    unittest.main()
