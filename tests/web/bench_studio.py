"""The studio's speed in headless chromium at a picture of 1280x720, on one run
(a measurement, not a test; scripts/web bench runs it):

    /usr/bin/python3 tests/web/bench_studio.py --site build-web/site [--scrubs 100] [--edits 30] [--opens 3]

- first picture: from the page's opening (navigation) to the studio's first
  picture, with the bundled shot list and no draft, OPENS times;
- scrub: SCRUBS clicks on the timeline at frames drawn at random (both ways),
  from the click's input event to its frame's picture drawn (a one-pixel
  read-back after the draw waits for the GPU's work), against the bare drawing
  of the same frame through the same pose (the story already there);
- edit: EDITS changes of one number of a key (the eye's x of the key at frame
  2641), from the change to the whole film compiled again and the new picture
  drawn, with the playhead in the changed shot.
Times in milliseconds: median and 95th percentile.
"""
import argparse
import random
import statistics
import sys

from browser import Browser, Site

# Wraps the program's draw so that each one ends with a one-pixel read-back, and
# records, for each draw, the time since the last input event the page saw.
INSTRUMENT = """
const canvas = document.getElementById('picture');
const gl = canvas.getContext('webgl');
const pixel = new Uint8Array(4);
window.bench = { input: null, latencies: [], bare: [] };
for (const kind of ['pointerdown', 'keydown'])
  window.addEventListener(kind, event => { bench.input = event.timeStamp; }, true);
studioTest.onDraw(draw => (...args) => {
  draw(...args);
  gl.readPixels(0, 0, 1, 1, gl.RGBA, gl.UNSIGNED_BYTE, pixel);
  if (bench.input !== null) {
    bench.latencies.push(performance.now() - bench.input);
    bench.input = null;
    const t0 = performance.now();
    draw(...args);
    gl.readPixels(0, 0, 1, 1, gl.RGBA, gl.UNSIGNED_BYTE, pixel);
    bench.bare.push(performance.now() - t0);
  }
});
"""

# One edit: the eye's x of the key at frame 2641 set to a new value, as typing it would.
EDIT = """
const key = studioTest.keys().find(k => k.frame === 2641);
const line = studioTest.text().split('\\n')[key.line - 1];
const from = key.eye.field[0] - 1;
const old = line.slice(from).split(/\\s+/)[0];
bench.input = performance.now();
studioTest.change(key.line, from, from + old.length, arguments[0]);
"""


def percentile(values, p):
    v = sorted(values)
    return v[min(len(v) - 1, int(round(p / 100 * (len(v) - 1))))]


def summary(values):
    return "median %6.1f   p95 %6.1f" % (statistics.median(values), percentile(values, 95))


def fresh(browser, site):
    browser.open(site.url("nothing-here"))
    browser.driver.execute_async_script(
        "const done = arguments[0]; localStorage.clear();"
        "const r = indexedDB.deleteDatabase('practica02'); r.onsuccess = r.onerror = r.onblocked = () => done();")
    browser.open(site.url("studio.html?picture=1280x720"))
    browser.wait("the studio", lambda: browser.script("return document.body.dataset.ready === 'true'"), 60)


def main():
    p = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    p.add_argument("--site", required=True)
    p.add_argument("--scrubs", type=int, default=100)
    p.add_argument("--edits", type=int, default=30)
    p.add_argument("--opens", type=int, default=3)
    a = p.parse_args()
    site, b = Site(a.site), Browser((1920, 1080))
    try:
        opens = []
        for _ in range(a.opens):
            fresh(b, site)
            line = b.wait_for_line(r"studio: first picture \d+ ms after the page was opened")
            opens.append(float(line.split()[3]))
        print("studio at 1280x720 in headless chromium (%s)" % b.script(
            "const gl = document.getElementById('picture').getContext('webgl');"
            "const i = gl.getExtension('WEBGL_debug_renderer_info');"
            "return i ? gl.getParameter(i.UNMASKED_RENDERER_WEBGL) : '?'"))
        print("first picture, %d opens:  %s ms" % (len(opens), summary(opens)))

        b.script(INSTRUMENT)
        x, y, w = b.script("const r = document.getElementById('timeline').getBoundingClientRect();"
                           "return [r.left, r.top + 30, r.width];")
        rng = random.Random(7812)
        for _ in range(a.scrubs):
            n = rng.randrange(7812)
            b.click(x + 10 + n / 7811 * (w - 20), y)
            b.wait("the picture", lambda: len(b.script("return bench.latencies")) > _)
        latencies, bare = b.script("return [bench.latencies, bench.bare]")
        print("scrub, %d random frames: %s ms (bare drawing %s ms; p95 ratio %.2f)" %
              (len(latencies), summary(latencies), summary(bare), percentile(latencies, 95) / percentile(bare, 95)))

        b.keys("\ue011")  # Home, then to the crossing's shot
        b.script("studioTest.seek(2830)")
        edits = []
        for i in range(a.edits):
            b.script("bench.latencies = []")
            b.script(EDIT, "%.1f" % (-20 - 0.1 * (i + 1)))
            b.wait("the edit's picture", lambda: b.script("return bench.latencies.length") > 0)
            edits.append(b.script("return bench.latencies[0]"))
        print("edit, %d changes of a number: %s ms" % (len(edits), summary(edits)))
    finally:
        b.close()
        site.close()


if __name__ == "__main__":
    sys.exit(main())
