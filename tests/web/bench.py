"""The web build against the desktop on the same frames of the bundled film: the
benchmark page (bench.html, frame_bench) in headless chromium and the desktop's
frame_benchmark --film under a private Xvfb, taken in turn ROUNDS times; then
the site's download, raw and gzipped. A measurement, not a test (scripts/web
bench runs it):

    /usr/bin/python3 tests/web/bench.py --site build-web/site --desktop build-run/frame_benchmark
        --film build-run/camarabuena.txt [--frames 0,100,4450,7250] [--size 1280x720]
        [--rounds 3] [--repeats 5]

A web draw is timed with its GPU work (a one-pixel read-back after it), a desktop
draw with glFinish; both step the story to the frame first, untimed. The page
draws each frame REPEATS times a round, the desktop once a round (a process each).
Times in milliseconds a frame.
"""
import argparse
import gzip
import os
import re
import statistics
import subprocess
import sys

from browser import Browser, Site

E2E = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e")


def web_round(browser, site, frames, size, repeats):
    browser.open(site.url("bench.html?frames=%s&repeats=%d&size=%s" % (frames, repeats, size)))
    browser.wait_for_line(r"median ms per frame: .*|benchmark failed: .*|frame_bench: .*", timeout=600)
    lines = browser.read()
    times = {int(m.group(1)): float(m.group(2))
             for m in (re.match(r"frame (\d+): median ([\d.]+) ms", l) for l in lines) if m}
    renderer = next((l for l in lines if l.startswith("renderer: ")), "renderer: ?")
    if not times:
        sys.exit("the benchmark page failed: %s" % lines[-3:])
    return times, renderer


def desktop_draw(program, film, frame, size):
    out = subprocess.run([sys.executable, os.path.join(E2E, "run_under_xvfb.py"), program, "--film", film,
                          "--frames", "%d-%d" % (frame, frame), "--size", size],
                         check=True, stdout=subprocess.PIPE, text=True, timeout=600).stdout
    renderer = re.search(r"^renderer: .*$", out, re.M).group(0)
    return float(re.search(r"^median ms per frame: ([\d.]+)", out, re.M).group(1)), renderer


def main():
    p = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    p.add_argument("--site", required=True)
    p.add_argument("--desktop", required=True, help="the desktop's frame_benchmark")
    p.add_argument("--film", required=True)
    p.add_argument("--frames", default="0,100,4450,7250")
    p.add_argument("--size", default="1280x720")
    p.add_argument("--rounds", type=int, default=3)
    p.add_argument("--repeats", type=int, default=5)
    a = p.parse_args()
    frames = [int(f) for f in a.frames.split(",")]
    web = {f: [] for f in frames}
    desktop = {f: [] for f in frames}
    site, browser = Site(a.site), Browser((800, 600))
    try:
        for r in range(a.rounds):
            times, web_renderer = web_round(browser, site, a.frames, a.size, a.repeats)
            for f in frames:
                web[f].append(times[f])
                ms, desktop_renderer = desktop_draw(a.desktop, a.film, f, a.size)
                desktop[f].append(ms)
            print("round %d of %d done" % (r + 1, a.rounds), file=sys.stderr)
    finally:
        browser.close()
        site.close()

    print("frames of %s at %s, %d rounds (web: median of %d draws a round)" %
          (os.path.basename(a.film), a.size, a.rounds, a.repeats))
    print("web:     headless chromium, %s" % web_renderer)
    print("desktop: %s" % desktop_renderer)
    print("%-8s %10s %10s %7s" % ("frame", "web ms", "desktop ms", "ratio"))
    for f in frames:
        w, d = statistics.median(web[f]), statistics.median(desktop[f])
        print("%-8d %10.1f %10.1f %7.2f" % (f, w, d, w / d))
    w = statistics.median(sum(web.values(), []))
    d = statistics.median(sum(desktop.values(), []))
    print("%-8s %10.1f %10.1f %7.2f" % ("all", w, d, w / d))

    print("\nthe site's download (bytes):")
    total = total_gz = 0
    for name in ("practica02.wasm", "practica02.js", "camarabuena.txt"):
        with open(os.path.join(a.site, name), "rb") as f:
            data = f.read()
        gz = len(gzip.compress(data, 9))
        total, total_gz = total + len(data), total_gz + gz
        print("%-16s %9d raw %8d gzipped" % (name, len(data), gz))
    print("%-16s %9d raw %8d gzipped" % ("together", total, total_gz))


if __name__ == "__main__":
    main()
