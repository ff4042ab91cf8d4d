"""The player and the studio by touch, in headless chromium (a measurement, not a
test; scripts/web bench runs it):

    /usr/bin/python3 tests/web/bench_anywhere.py --site build-web/site [--opens 3] [--touches 60]

- the player: from opening a watch link (navigation) to its first picture, OPENS
  times; and what it downloads, gzipped (its page, its script, the studio's
  program; the film's shot list aside);
- the studio at 390x844 with touch: TOUCHES taps on the timeline at frames drawn
  at random, from the touch to its frame's picture drawn (a one-pixel read-back
  after the draw), against the bare drawing of the same frame; and the steps of
  pinches on the timeline, from the touch to the timeline painted again.
Times in milliseconds: median and 95th percentile."""
import argparse
import base64
import gzip
import os
import random
import sys
import zlib

from bench_studio import INSTRUMENT, percentile, summary
from browser import Browser, Site
from test_anywhere import touch_screen, touches
from test_studio import BUNDLED

PLAYER_FILES = ("player.html", "player.css", "player.js", "studio_core.js", "studio_core.wasm")

# The time from each touch to the end of what it set off, seen after the page's own handlers.
TOUCH_TIMES = """
window.touchTimes = [];
window.addEventListener('pointermove', event => {
  const began = event.timeStamp;
  setTimeout(() => touchTimes.push(performance.now() - began), 0);
});
"""


def link():
    c = zlib.compressobj(9, zlib.DEFLATED, -15)
    return base64.urlsafe_b64encode(c.compress(BUNDLED.encode()) + c.flush()).decode().rstrip("=")


def player(b, site, opens):
    times = []
    for _ in range(opens):
        b.open(site.url("nothing-here"))
        b.open(site.url("player.html#shots=" + link()))
        line = b.wait_for_line(r"player: first picture \d+ ms after the page was opened")
        times.append(float(line.split()[3]))
    sizes = {name: len(gzip.compress(open(os.path.join(site.root, name), "rb").read(), 9)) for name in PLAYER_FILES}
    print("player: first picture, %d opens: %s ms; download %d bytes gzipped (%s)" %
          (opens, summary(times), sum(sizes.values()), ", ".join("%s %d" % kv for kv in sizes.items())))


def studio(b, site, count):
    b.open(site.url("nothing-here"))
    touch_screen(b, (390, 844))
    b.driver.get(site.url("studio.html"))
    b.wait("the studio", lambda: b.script("return document.body.dataset.ready === 'true'"))
    b.script(INSTRUMENT.replace("'pointerdown', 'keydown'", "'pointerdown'"))
    left, top, width = b.script("const r = document.getElementById('timeline').getBoundingClientRect();"
                                "return [r.left, r.top, r.width]")
    rng = random.Random(7812)
    for i in range(count):
        x = left + 10 + rng.randrange(7812) / 7811 * (width - 20)
        touches(b, ("touchStart", [(x, top + 36)]), ("touchEnd", []))
        b.wait("the picture", lambda: len(b.script("return bench.latencies")) > i)
    latencies, bare = b.script("return [bench.latencies, bench.bare]")
    print("studio at 390x844, %d taps on the timeline: %s ms (bare drawing %s ms; p95 ratio %.2f)" %
          (len(latencies), summary(latencies), summary(bare), percentile(latencies, 95) / percentile(bare, 95)))
    b.script(TOUCH_TIMES)
    middle, y = left + width / 2, top + 36
    for _ in range(4):
        touches(b, ("touchStart", [(middle - 20, y), (middle + 20, y)]),
                *[("touchMove", [(middle - 20 - 8 * k, y), (middle + 20 + 8 * k, y)]) for k in range(1, 16)],
                ("touchEnd", []))
    b.frames(2)
    pinch = b.script("return touchTimes")
    print("studio at 390x844, %d steps of 4 pinches, touch to timeline painted: %s ms" % (len(pinch), summary(pinch)))


def main():
    p = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    p.add_argument("--site", required=True)
    p.add_argument("--opens", type=int, default=3)
    p.add_argument("--touches", type=int, default=60)
    a = p.parse_args()
    site, b = Site(a.site), Browser((1280, 900))
    try:
        player(b, site, a.opens)
        studio(b, site, a.touches)
    finally:
        b.close()
        site.close()


if __name__ == "__main__":
    sys.exit(main())
