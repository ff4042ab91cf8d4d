"""The pages on a phone, a tablet and a desktop, and with no network, in headless
chromium (run with /usr/bin/python3): real touches through the DevTools
protocol; a tap plays and pauses, the watch link's player plays, pauses and
scrubs, a pinch zooms the studio's timeline and a key lands where the finger
put the playhead; nothing is wider than the screen; K and Aim keep the frame
numbers in view; after one visit the three pages open offline, the draft too."""
import re
import unittest

from browser import Browser, Site, site_folder
from test_page import SIZE, PageTest
from test_studio import BUNDLED

import harness  # noqa: E402 (test_page puts tests/e2e on the path)

PHONE, TABLET = (390, 844), (768, 1024)
FRAME = re.compile(r"fotograma:(\d+)")


def touch_screen(b, size):
    b.size = size
    b.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {"width": size[0], "height": size[1],
                                                                    "deviceScaleFactor": 1, "mobile": True})
    b.driver.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {"enabled": True, "maxTouchPoints": 5})


def touches(b, *steps):
    """Touch events: each step a kind and the fingers' points [(x, y), ...]."""
    for kind, points in steps:
        b.driver.execute_cdp_cmd("Input.dispatchTouchEvent", {
            "type": kind, "touchPoints": [{"x": x, "y": y, "id": i} for i, (x, y) in enumerate(points)]})


def tap(b, x, y):
    touches(b, ("touchStart", [(x, y)]), ("touchEnd", []))


def centre_of(b, id):
    return b.script("const r = document.getElementById(arguments[0]).getBoundingClientRect();"
                    "return [r.left + r.width / 2, r.top + r.height / 2];", id)


def fits(test, b, what):
    """Nothing on the page is wider than the screen, nor reaches past it."""
    wide = b.script("const w = innerWidth;"  # what a scrolling box (the text view) clips is inside it
                    "const clipped = e => { for (let a = e.parentElement; a && a !== document.body; a = a.parentElement)"
                    "  if (getComputedStyle(a).overflowX !== 'visible') return true; return false; };"
                    "return [...document.querySelectorAll('body *')].filter(e => {"
                    "  const r = e.getBoundingClientRect(), s = getComputedStyle(e);"
                    "  return s.display !== 'none' && s.visibility !== 'hidden' && r.width > 0 &&"
                    "         (r.right > w + 1 || r.left < -1) && !clipped(e);"
                    "}).map(e => e.id || e.tagName)")
    test.assertEqual(wide, [], what)
    test.assertLessEqual(b.script("return document.documentElement.scrollWidth"), b.size[0], what)


class Touch(PageTest):
    def setUp(self):
        self.browser.open(self.site.url("nothing-here"))

    def frames_shown(self):
        return [int(m.group(1)) for m in map(FRAME.fullmatch, self.browser.read()) if m]

    def test_the_main_page_plays_and_pauses_by_taps(self):
        b = self.browser
        for size in (PHONE, TABLET):
            touch_screen(b, size)
            b.read()
            b.lines = []  # the last page's lines are left behind
            b.driver.get(self.site.url("index.html"))
            b.wait_for_line(r"La resolucion de pantalla es de %d x .*" % size[0])
            fits(self, b, "the main page at %dx%d" % size)
            w, h = b.script("const r = document.getElementById('screen').getBoundingClientRect();"
                            "return [r.width, r.height]")
            x, y, bw, bh = harness.BUTTONS["PLAY"]  # design space, y up
            tap(b, (x + bw / 2) * w / 1024, (768 - y - bh / 2) * h / 768)
            b.wait_for_line("se ha pulsado boton play.")
            b.wait("frames", lambda: len(self.frames_shown()) > 5)
            tap(b, w / 2, h / 2)
            paused = b.wait("the pause", self.still)
            tap(b, w / 2, h / 2)
            b.wait("playing on", lambda: self.frames_shown()[-1] > paused + 3)

    def still(self):
        """The last frame shown, once no frame follows it for a while; else None."""
        before = self.frames_shown()[-1]
        self.browser.frames(12)  # PLAY steps every 25 ms and its drawing: several steps' time
        return before if self.frames_shown()[-1] == before else None

    def test_the_watch_link_plays_pauses_and_scrubs_by_touch(self):
        b = self.browser
        for size in (PHONE, TABLET):
            touch_screen(b, size)
            b.driver.get(self.site.url("player.html#shots=" + self.link()))
            b.wait("the player", lambda: b.script("return document.body.dataset.ready === 'true'"))
            fits(self, b, "the player at %dx%d" % size)
            picture = b.script("return document.getElementById('picture').getBoundingClientRect().width")
            if size[0] < size[1]:
                self.assertGreaterEqual(picture, 0.9 * size[0])
            frame = lambda: int(re.search(r"frame (\d+)", b.script(  # noqa: E731
                "return document.getElementById('clock').textContent")).group(1))
            if b.script("return !document.getElementById('start').hidden"):
                tap(b, *centre_of(b, "start"))  # the browser's sound waits for a tap
            b.wait("playing", lambda: frame() > 3)
            self.assertEqual(b.script("return document.getElementById('sound-button').textContent"), "Sound on")
            tap(b, *centre_of(b, "picture"))
            b.wait("paused", lambda: b.script("return document.body.dataset.playing") == "false")
            stopped = frame()
            b.frames(6)
            self.assertEqual(frame(), stopped)
            x, y = centre_of(b, "scrub")
            left, width = b.script("const r = document.getElementById('scrub').getBoundingClientRect();"
                                   "return [r.left, r.width]")
            touches(b, ("touchStart", [(left + 20, y)]), ("touchMove", [(x, y)]), ("touchEnd", []))
            self.assertLess(abs(frame() - 7811 * (x - left - 8) / (width - 16)), 30)
            tap(b, *centre_of(b, "picture"))
            b.wait("playing on", lambda: b.script("return document.body.dataset.playing") == "true")

    def link(self):
        import base64
        import zlib
        c = zlib.compressobj(9, zlib.DEFLATED, -15)
        return base64.urlsafe_b64encode(c.compress(BUNDLED.encode()) + c.flush()).decode().rstrip("=")


class Studio(PageTest):
    def start_studio(self, size, touch=True):
        b = self.browser
        b.open(self.site.url("nothing-here"))
        b.driver.execute_async_script(
            "const done = arguments[0]; localStorage.clear();"
            "const r = indexedDB.deleteDatabase('practica02'); r.onsuccess = r.onerror = r.onblocked = () => done();")
        if touch:
            touch_screen(b, size)
        else:
            b.size = size
            b.resize(*size)
        b.driver.get(self.site.url("studio.html"))
        b.wait("the studio", lambda: b.script("return document.body.dataset.ready === 'true'"))
        return b

    def test_a_pinch_zooms_the_timeline_and_a_key_lands_under_the_finger(self):
        for size in (PHONE, TABLET):
            b = self.start_studio(size)
            fits(self, b, "the studio at %dx%d" % size)
            if size[0] < size[1]:
                self.assertGreaterEqual(b.script("return document.getElementById('picture').getBoundingClientRect().width"),
                                        0.9 * size[0])
            left, top, width = b.script("const r = document.getElementById('timeline').getBoundingClientRect();"
                                        "return [r.left, r.top, r.width]")
            y, middle = top + 36, left + width / 2
            per_frame = 0
            for pinch in range(6):  # each pinch spreads two fingers from 40 to 280 pixels apart
                touches(b, ("touchStart", [(middle - 20, y), (middle + 20, y)]),
                        *[("touchMove", [(middle - 20 - 12 * k, y), (middle + 20 + 12 * k, y)]) for k in range(1, 11)],
                        ("touchEnd", []))
                span = b.script("return studioTest.span()")
                closer = (width - 20) / (span["last"] - span["first"])
                self.assertGreater(closer, per_frame * 1.5, "pinch %d zooms in" % pinch)
                per_frame = closer
                if per_frame >= 8:
                    break
            self.assertGreaterEqual(per_frame, 8, "a pinch zooms to 8 pixels a frame and closer")
            tap(b, middle + 3 * per_frame, y)
            at = b.script("return studioTest.frame()")
            self.assertAlmostEqual(at, span["first"] + (middle + 3 * per_frame - left - 10) / per_frame, delta=1)
            tap(b, *centre_of(b, "key-button"))
            b.wait("the key", lambda: at in [k["frame"] for k in b.script("return studioTest.keys()")])

    def test_on_a_desktop_k_and_aim_keep_the_frame_numbers_in_view(self):
        b = self.start_studio((1280, 800), touch=False)
        fits(self, b, "the studio at 1280x800")
        for frame in (300, 2500):
            b.script("studioTest.seek(arguments[0])", frame)
            b.script("document.getElementById('key-button').click()")
            b.wait("the key", lambda: frame in [k["frame"] for k in b.script("return studioTest.keys()")])
            self.assertLessEqual(b.script("return studioTest.textScrolled()"), 4, "the frame numbers in view")
        b.script("studioTest.seek(4000)")
        b.script("const s = document.getElementById('aim-select'); s.value = 'car'; s.dispatchEvent(new Event('change'))")
        b.wait("aimed", lambda: "looks at the car" in b.script("return document.getElementById('status').textContent"))
        self.assertLessEqual(b.script("return studioTest.textScrolled()"), 4, "the frame numbers in view")


class Offline(unittest.TestCase):
    def test_after_one_visit_the_pages_open_with_no_network_and_the_draft_is_there(self):
        site, b = Site(site_folder()), Browser(SIZE)
        try:
            b.open(site.url("studio.html"))
            b.wait("the studio", lambda: b.script("return document.body.dataset.ready === 'true'"))
            b.script("studioTest.place(0, 0)")
            b.keys("# kept offline\n")
            b.wait("the draft kept", lambda: b.script("const d = studioTest.draft(); return d.stored === d.changes"))
            b.driver.execute_async_script(
                "const done = arguments[0]; navigator.serviceWorker.ready.then(() => done());")
            site.close()  # no server, and the browser told it has no network
            b.driver.execute_cdp_cmd("Network.enable", {})
            b.driver.execute_cdp_cmd("Network.emulateNetworkConditions", {
                "offline": True, "latency": 0, "downloadThroughput": -1, "uploadThroughput": -1})
            b.driver.get(site.url("index.html"))
            b.wait_for_line(r"La resolucion de pantalla es de .*")
            for page in ("player.html", "studio.html"):
                b.driver.get(site.url(page))
                b.wait(page + " offline", lambda: b.script("return document.body.dataset.ready === 'true'"))
            self.assertTrue(b.script("return studioTest.text()").endswith("# kept offline\n"))
        finally:
            b.close()


if __name__ == "__main__":
    unittest.main()
